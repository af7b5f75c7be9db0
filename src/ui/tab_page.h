#pragma once

#include <QWidget>

// A tab sheet built from its own layout file: the controls of Form become members of the
// page, so that code reaches them by their object names through the page.
template <class Form> class TTabPage : public QWidget, public Form {
public:
    explicit TTabPage(QWidget* parent = nullptr) : QWidget(parent) { this->setupUi(this); }
};

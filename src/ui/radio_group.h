#pragma once

#include <QGroupBox>
#include <QStringList>
#include <vector>

class QButtonGroup;
class QRadioButton;
class QVBoxLayout;

// A captioned group of radio buttons built from an item list, as one control with an
// item index (-1: nothing selected). itemIndexChanged comes for a click and for
// setItemIndex alike, and only when the index really changes. A new item list keeps the
// selected index while the list is long enough; an index outside the list selects
// nothing. Item texts may carry "&" accelerators.
class TRadioGroup : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(QStringList items READ items WRITE setItems)
    Q_PROPERTY(int itemIndex READ itemIndex WRITE setItemIndex NOTIFY itemIndexChanged USER true)

public:
    explicit TRadioGroup(QWidget* parent = nullptr);

    QStringList items() const { return items_; }
    void setItems(const QStringList& items);
    int itemIndex() const { return index_; }
    void setItemIndex(int index);

    // The button of item index, for tests that click like a user; nullptr when out of range.
    QRadioButton* button(int index) const;

signals:
    void itemIndexChanged(int index);

private:
    void CheckButton(int index);
    void OnButtonToggled(int id, bool checked);

    QStringList items_;
    int index_ = -1;
    QVBoxLayout* column_;
    QButtonGroup* buttons_;
};

#pragma once

#include <QDialog>
#include <cstdint>
#include <memory>

namespace Ui {
class TLanguageSelect;
}

// The language dialog of the first start: one button per language, each ending the
// dialog with Accepted. It has no close button and ignores Escape. Code() is 0 for
// English and 1 for German.
class TLanguageSelect : public QDialog {
    Q_OBJECT

public:
    explicit TLanguageSelect(QWidget* parent = nullptr);
    ~TLanguageSelect() override;

    uint8_t Code() const { return code_; }

    void EnglishbuttonClick();
    void DeutschbuttonClick();

    Ui::TLanguageSelect* Controls() const { return ui.get(); }

public slots:
    void reject() override;

private:
    void Choose(uint8_t code);

    std::unique_ptr<Ui::TLanguageSelect> ui;
    uint8_t code_ = 0;
};

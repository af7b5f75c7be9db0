#include "language_select.h"

#include "ui_language_select.h"

TLanguageSelect::TLanguageSelect(QWidget* parent) :
    QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
    ui(std::make_unique<Ui::TLanguageSelect>())
{
    ui->setupUi(this);
    connect(ui->Englishbutton, &QPushButton::clicked, this, &TLanguageSelect::EnglishbuttonClick);
    connect(ui->Deutschbutton, &QPushButton::clicked, this, &TLanguageSelect::DeutschbuttonClick);
}

TLanguageSelect::~TLanguageSelect() = default;

void TLanguageSelect::EnglishbuttonClick() { Choose(0); }

void TLanguageSelect::DeutschbuttonClick() { Choose(1); }

// Only the two buttons end the dialog.
void TLanguageSelect::reject() { }

void TLanguageSelect::Choose(uint8_t code)
{
    code_ = code;
    accept();
}

#include "file_forms.h"

#include <QPlainTextEdit>
#include <QTextCursor>

#include "control_colours.h"
#include "dialog_service.h"
#include "parameter_file.h"
#include "ui_file_comment_form.h"
#include "ui_open_parameters_form.h"

TFileCommentForm::TFileCommentForm(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TFileCommentForm>())
{
    ui->setupUi(this);
    CentreOnScreen(this);
    connect(ui->Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->CommentField, &QPlainTextEdit::textChanged, this, &TFileCommentForm::KeepCommentWithinLimit);
}

TFileCommentForm::~TFileCommentForm() = default;

QString TFileCommentForm::Comment() const { return ui->CommentField->toPlainText(); }

// Typing or pasting beyond the limit cuts the text at the limit.
void TFileCommentForm::KeepCommentWithinLimit()
{
    QString text = Comment();
    if (CommentFits(text.toStdString()))
        return;
    while (!CommentFits(text.toStdString()) || (!text.isEmpty() && text.back().isHighSurrogate()))
        text.chop(1);
    const QSignalBlocker quiet(ui->CommentField);
    ui->CommentField->setPlainText(text);
    ui->CommentField->moveCursor(QTextCursor::End);
}

TOpenParametersForm::TOpenParametersForm(QWidget* parent) :
    QDialog(parent), ui(std::make_unique<Ui::TOpenParametersForm>())
{
    ui->setupUi(this);
    CentreOnScreen(this);
    for (QPlainTextEdit* edit : {ui->TextEdit, ui->Differences})
        SetControlColour(edit, ButtonFaceColour());
    connect(ui->OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->CancelButton, &QPushButton::clicked, this, [this] { done(DialogAbort); });
}

TOpenParametersForm::~TOpenParametersForm() = default;

#include "dialog_service.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QScreen>

namespace {

QMessageBox::StandardButtons StandardButtons(DialogButtons buttons)
{
    switch (buttons) {
    case DialogButtons::Ok:
        return QMessageBox::Ok;
    case DialogButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case DialogButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case DialogButtons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon MessageIcon(DialogIcon icon)
{
    switch (icon) {
    case DialogIcon::Information:
        return QMessageBox::Information;
    case DialogIcon::Warning:
        return QMessageBox::Warning;
    case DialogIcon::Error:
        return QMessageBox::Critical;
    case DialogIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

DialogAnswer AnswerOf(int button)
{
    switch (button) {
    case QMessageBox::Yes:
        return DialogAnswer::Yes;
    case QMessageBox::No:
        return DialogAnswer::No;
    case QMessageBox::Retry:
        return DialogAnswer::Retry;
    case QMessageBox::Ok:
        return DialogAnswer::Ok;
    default:
        return DialogAnswer::Cancel;
    }
}

DialogAnswer PositiveAnswer(DialogButtons buttons)
{
    switch (buttons) {
    case DialogButtons::YesNo:
        return DialogAnswer::Yes;
    case DialogButtons::RetryCancel:
        return DialogAnswer::Retry;
    default:
        return DialogAnswer::Ok;
    }
}

// The standard buttons in the order of their values: Ok, Yes, No, Retry, Cancel.
void LabelButtons(QMessageBox& box, const QStringList& texts)
{
    qsizetype index = 0;
    for (uint bit = 1; bit != 0 && index < texts.size(); bit <<= 1)
        if (QAbstractButton* button = box.button(static_cast<QMessageBox::StandardButton>(bit)))
            button->setText(texts[index++]);
}

// "Sensorparameter (*.qor)|*.qor|Text files|*.txt" becomes
// "Sensorparameter (*.qor);;Text files (*.txt)".
QString QtFileFilter(const QString& filter)
{
    const QStringList parts = filter.split('|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = QString(parts[i + 1]).replace(';', ' ');
        entries << (parts[i].contains('(') ? parts[i] : parts[i] + " (" + patterns + ")");
    }
    return entries.join(";;");
}

QString RunFileDialog(QWidget* parent, const QString& caption, const QString& filter, const QString& defaultExtension,
    const QString& fileName, bool save)
{
    QFileDialog dialog(parent, caption, QString(), QtFileFilter(filter));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    QString suffix = defaultExtension;
    if (suffix.startsWith('.'))
        suffix.remove(0, 1);
    dialog.setDefaultSuffix(suffix);
    // The program asks its own overwrite question in the language of the session.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!fileName.isEmpty())
        dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

}  // namespace

DialogService::~DialogService() = default;

DialogAnswer QtDialogService::Message(QWidget* parent, const QString& caption, const QString& text,
    DialogButtons buttons, DialogIcon icon, const QStringList& buttonTexts)
{
    QMessageBox box(MessageIcon(icon), caption, text, StandardButtons(buttons), parent);
    LabelButtons(box, buttonTexts);
    return AnswerOf(box.exec());
}

QString QtDialogService::OpenFileName(QWidget* parent, const QString& caption, const QString& filter,
    const QString& defaultExtension, const QString& fileName)
{
    return RunFileDialog(parent, caption, filter, defaultExtension, fileName, false);
}

QString QtDialogService::SaveFileName(QWidget* parent, const QString& caption, const QString& filter,
    const QString& defaultExtension, const QString& fileName)
{
    return RunFileDialog(parent, caption, filter, defaultExtension, fileName, true);
}

int QtDialogService::ShowForm(QDialog& form) { return form.exec(); }

DialogAnswer ScriptedDialogService::Message(QWidget*, const QString& caption, const QString& text,
    DialogButtons buttons, DialogIcon icon, const QStringList& buttonTexts)
{
    shown.push_back({caption, text, buttons, icon, buttonTexts});
    if (answers.empty())
        return PositiveAnswer(buttons);
    const DialogAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

QString ScriptedDialogService::OpenFileName(
    QWidget*, const QString& caption, const QString& filter, const QString& defaultExtension, const QString& fileName)
{
    return NextFileName({caption, filter, defaultExtension, fileName, false});
}

QString ScriptedDialogService::SaveFileName(
    QWidget*, const QString& caption, const QString& filter, const QString& defaultExtension, const QString& fileName)
{
    return NextFileName({caption, filter, defaultExtension, fileName, true});
}

QString ScriptedDialogService::NextFileName(FileRequest request)
{
    fileRequests.push_back(std::move(request));
    if (fileNames.empty())
        return {};
    const QString name = fileNames.front();
    fileNames.pop_front();
    return name;
}

int ScriptedDialogService::ShowForm(QDialog& form)
{
    shownForms.push_back({form.metaObject()->className(), form.windowTitle()});
    if (forms.empty())
        return QDialog::Rejected;
    const std::function<void(QDialog&)> action = std::move(forms.front());
    forms.pop_front();
    // Up and modal as under exec(), so that input meant for the window behind it waits.
    const bool wasShowModal = form.testAttribute(Qt::WA_ShowModal);
    form.setAttribute(Qt::WA_ShowModal, true);
    form.setResult(QDialog::Rejected);
    form.show();
    action(form);
    const bool leftOpen = form.isVisible();
    form.hide();
    form.setAttribute(Qt::WA_ShowModal, wasShowModal);
    return leftOpen ? QDialog::Rejected : form.result();
}

void CentreOnScreen(QWidget* dialog)
{
    if (const QScreen* screen = dialog->screen())
        dialog->move(screen->availableGeometry().center() - dialog->rect().center());
}

WaitCursor::WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

WaitCursor::~WaitCursor() { QApplication::restoreOverrideCursor(); }

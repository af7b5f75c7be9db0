#include "files_controller.h"

#include <QAction>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTabWidget>

#include "control_colours.h"
#include "control_texts.h"
#include "dialog_service.h"
#include "file_forms.h"
#include "files_texts.h"
#include "labeled_edit.h"
#include "parameter_file_store.h"
#include "sensor_session.h"
#include "session_dialogs.h"
#include "ui_open_parameters_form.h"

namespace {

void ApplyLanguage(QDialog& dialog, std::span<const ControlText> rows, uint8_t languageCode)
{
    ApplyTexts(dialog, ResolveTexts(rows, languageCode, false));
}

QStringList Lines(const std::vector<std::string>& lines)
{
    QStringList list;
    for (const std::string& line : lines)
        list << QString::fromStdString(line);
    return list;
}

}  // namespace

FilesController::FilesController(SensorSession& session, DialogService& dialogs, FileLoadView view) :
    session_(session), dialogs_(dialogs), view_(std::move(view))
{
    connect(&view_.openItem, &QAction::triggered, this, &FilesController::FileOpen);
    connect(&view_.saveAsItem, &QAction::triggered, this, &FilesController::FileSaveAs);
}

// The file is written only once the comment is known, whole or not at all: a file that was
// there stays as it was when anything goes wrong.
void FilesController::FileSaveAs()
{
    const QString path = dialogs_.SaveFileName(
        &view_.window, {}, texts::ParameterFileFilter, texts::SaveDefaultExtension, texts::InitialFileName);
    if (path.isEmpty())
        return;
    if (QFileInfo::exists(path) && !AskOverwrite(dialogs_, &view_.window, session_.LanguageCode()))
        return;
    TFileCommentForm commentForm(&view_.window);
    ApplyLanguage(commentForm, CommentFormTexts(), session_.LanguageCode());
    dialogs_.ShowForm(commentForm);
    const std::vector<uint8_t> image = BuildParameterFile(FileComment(commentForm.Comment().toStdString()),
        SaveDateOf(QDateTime::currentDateTime()), session_.Parameter());
    if (!WriteParameterFile(path, image).isEmpty())
        Show(texts::SaveFileError);
}

void FilesController::FileOpen()
{
    const QString path
        = dialogs_.OpenFileName(&view_.window, {}, texts::ParameterFileFilter, texts::OpenDefaultExtension, {});
    if (path.isEmpty())
        return;
    if (!QFileInfo::exists(path)) {
        ShowFileNotFound();
        return;
    }
    const auto read = ReadParameterFile(path);
    if (std::holds_alternative<FileAccessError>(read)) {
        Show(texts::LoadFileError);
        return;
    }
    if (const auto* rejection = std::get_if<FileRejection>(&read)) {
        Show(RejectionMessage(*rejection));
        return;
    }
    const auto& file = std::get<ParameterFileContents>(read);
    if (!ConfirmLoad(file)
        || !BackUpSensorSet(
            session_, dialogs_, &view_.window, texts::BackupBeforeLoading + QFileInfo(path).fileName().toStdString()))
        return;
    LoadIntoSensor(file);
}

bool FilesController::ConfirmLoad(const ParameterFileContents& file)
{
    TOpenParametersForm confirmation(&view_.window);
    Ui::TOpenParametersForm& form = *confirmation.Controls();
    const uint8_t code = session_.LanguageCode();
    ApplyLanguage(confirmation, OpenParametersFormTexts(), code);
    form.TextEdit->setPlainText(Lines(InfoTextLines(file.infoText)).join('\n'));
    form.SaveDate->setText(QString::fromStdString(file.dateText));
    const QStringList differences = Lines(DifferenceLines(session_.Parameter(), file));
    form.Differences->setPlainText(differences.isEmpty()
            ? QString::fromStdString(Pick(texts::NoDifferences, code).value_or(texts::NoDifferences.english))
            : differences.join('\n'));
    return dialogs_.ShowForm(confirmation) == QDialog::Accepted;
}

// The file's values go into the working registers; committing them to the EEPROM is left
// to the user. The sensor keeps its own firmware version and sample time. The whole-set
// write runs as a long operation with its progress in the status line.
void FilesController::LoadIntoSensor(const ParameterFileContents& file)
{
    LoadIntoSensorSet(file, session_.Parameter());
    view_.parameterPage.setEnabled(false);
    const uint8_t languageCode = session_.LanguageCode();
    session_.StartOperation<bool>(
        [languageCode](TSSICom& link, QPromise<bool>& promise) {
            promise.addResult(link.WriteAllReporting([&](size_t done, size_t total) {
                if (done == 0)
                    promise.setProgressRange(0, static_cast<int>(total));
                promise.setProgressValueAndText(
                    static_cast<int>(done), QString::fromStdString(LoadProgressText(done, total, languageCode)));
                return !promise.isCanceled();
            }));
        },
        [this](const QFuture<bool>& load) { FinishLoad(load); });
}

// A load that failed or was stopped leaves the sensor with part of the file's set.
void FilesController::FinishLoad(const QFuture<bool>& load)
{
    if (!Completed(load)) {
        Show(load.isCanceled() ? texts::LoadStopped : texts::WriteParametersError);
        session_.SetSessionActive(false);
        session_.ForgetUnsavedChanges();
        session_.Run([](TSSICom& link) { link.InitElements(); });
        // The set is reset, so the sensor counts as a new one: once it answers again, its
        // parameters are read instead of the zeros being shown. Until then, closing the
        // window stores nothing: the sensor's EEPROM keeps its last whole set.
        session_.SetLastFactoryNumber(SensorSession::NoFactoryNumber);
        session_.ForgetParameterSet();
        return;
    }
    view_.refreshParameterView();
    view_.editUltrasonicSpeed();
    SetControlColour(&view_.ultrasonicSpeed, WindowColour);
    session_.Parameter().UltrasonicSpeed.Changed = 0;
    session_.MarkUnsaved();
    view_.refreshParameterView();
    view_.parameterPage.setEnabled(true);
}

bool FilesController::Completed(const QFuture<bool>& load)
{
    if (load.isCanceled())
        return false;
    try {
        return load.result();
    } catch (...) {
        return false;  // the job failed before its end: the set is as uncertain as after a failed write
    }
}

// Shown in every language: the other codes see the dialog's own texts.
void FilesController::ShowFileNotFound()
{
    const MessageText text
        = Pick(texts::FileNotFound, session_.LanguageCode())
              .value_or(MessageText{texts::FileNotFoundLayoutCaption, texts::FileNotFoundLayoutText});
    dialogs_.Message(&view_.window, QString::fromStdString(text.caption), QString::fromStdString(text.text),
        DialogButtons::Ok, DialogIcon::Warning);
}

void FilesController::Show(const BilingualMessage& message)
{
    ShowMessage(dialogs_, &view_.window, session_.LanguageCode(), message, DialogButtons::Ok, DialogIcon::Error);
}

bool BackUpSensorSet(SensorSession& session, DialogService& dialogs, QWidget* parent, const std::string& comment)
{
    const Backup backup = WriteBackup(session.Parameter(), comment, QDateTime::currentDateTime());
    if (backup.path.isEmpty())
        ShowMessage(dialogs, parent, session.LanguageCode(), texts::BackupFailed, DialogButtons::Ok, DialogIcon::Error,
            backup.error);
    return !backup.path.isEmpty();
}

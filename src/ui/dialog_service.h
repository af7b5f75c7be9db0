#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

class QWidget;

// Every message box, question and file dialog of the program goes through Dialogs(), so
// that tests can plug in ScriptedDialogService and answer from a script.
// File filters are written "Description (*.ext)|*.ext", pairs of description and pattern
// separated by "|"; an empty file name from a file dialog means it was cancelled.
// A message's buttonTexts, when given, label its buttons in their order (Yes before No).

enum class DialogButtons { Ok, YesNo, OkCancel, RetryCancel };
enum class DialogAnswer { Ok, Yes, No, Cancel, Retry };
enum class DialogIcon { Information, Warning, Error, Question };

// The result code of a dialog left with its Abort (or Quit) button, beside
// QDialog::Accepted and QDialog::Rejected.
inline constexpr int DialogAbort = 3;

struct DialogService {
    virtual ~DialogService();
    virtual DialogAnswer Message(QWidget* parent, const QString& caption, const QString& text, DialogButtons buttons,
        DialogIcon icon, const QStringList& buttonTexts = {})
        = 0;
    virtual QString OpenFileName(QWidget* parent, const QString& caption, const QString& filter,
        const QString& defaultExtension, const QString& fileName)
        = 0;
    virtual QString SaveFileName(QWidget* parent, const QString& caption, const QString& filter,
        const QString& defaultExtension, const QString& fileName)
        = 0;
};

DialogService& Dialogs();
// nullptr restores the Qt dialogs. The service is not owned.
void SetDialogService(DialogService* service);

// The dialogs on the screen: QMessageBox and QFileDialog.
class QtDialogService : public DialogService {
public:
    DialogAnswer Message(QWidget* parent, const QString& caption, const QString& text, DialogButtons buttons,
        DialogIcon icon, const QStringList& buttonTexts = {}) override;
    QString OpenFileName(QWidget* parent, const QString& caption, const QString& filter,
        const QString& defaultExtension, const QString& fileName) override;
    QString SaveFileName(QWidget* parent, const QString& caption, const QString& filter,
        const QString& defaultExtension, const QString& fileName) override;
};

// Answers from queues and records what the program asked. A message without a queued
// answer gets the positive answer of its buttons (Ok, Yes or Retry); a file dialog
// without a queued name is cancelled.
class ScriptedDialogService : public DialogService {
public:
    struct Shown {
        QString caption, text;
        DialogButtons buttons;
        DialogIcon icon;
        QStringList buttonTexts;
    };
    struct FileRequest {
        QString caption, filter, defaultExtension, fileName;
        bool save;
    };

    std::vector<Shown> shown;
    std::deque<DialogAnswer> answers;
    std::vector<FileRequest> fileRequests;
    std::deque<QString> fileNames;

    DialogAnswer Message(QWidget* parent, const QString& caption, const QString& text, DialogButtons buttons,
        DialogIcon icon, const QStringList& buttonTexts = {}) override;
    QString OpenFileName(QWidget* parent, const QString& caption, const QString& filter,
        const QString& defaultExtension, const QString& fileName) override;
    QString SaveFileName(QWidget* parent, const QString& caption, const QString& filter,
        const QString& defaultExtension, const QString& fileName) override;

private:
    QString NextFileName(FileRequest request);
};

// Places a dialog in the middle of the screen it is on.
void CentreOnScreen(QWidget* dialog);

// The hourglass for a blocking sensor sequence, from construction to destruction.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

#pragma once

#include <QString>
#include <QStringList>
#include <algorithm>
#include <deque>
#include <functional>
#include <vector>

class QDialog;
class QWidget;

// Every message box, question, file dialog and modal form of the program goes through the
// DialogService the main window was given, so that tests can give it ScriptedDialogService
// and answer from a script.
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
    // Shows a form of our own, already set up by the caller, modally; returns its result code.
    virtual int ShowForm(QDialog& form) = 0;
};

// The dialogs on the screen: QMessageBox, QFileDialog and the form's own exec().
class QtDialogService : public DialogService {
public:
    DialogAnswer Message(QWidget* parent, const QString& caption, const QString& text, DialogButtons buttons,
        DialogIcon icon, const QStringList& buttonTexts = {}) override;
    QString OpenFileName(QWidget* parent, const QString& caption, const QString& filter,
        const QString& defaultExtension, const QString& fileName) override;
    QString SaveFileName(QWidget* parent, const QString& caption, const QString& filter,
        const QString& defaultExtension, const QString& fileName) override;
    int ShowForm(QDialog& form) override;
};

// Answers from queues and records what the program asked. A message without a queued
// answer gets the positive answer of its buttons (Ok, Yes or Retry); a file dialog
// without a queued name is cancelled.
// A form's action gets the real form, shown and modal as exec() would have it but without
// an event loop of its own, and answers it as the user would: it clicks its buttons, fills
// its fields or calls done(). A form without a queued action, or one its action leaves
// open, is closed unanswered and gives QDialog::Rejected; the form's own reject() is not
// run for it.
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
    struct ShownForm {
        QString className, title;
    };

    std::vector<Shown> shown;
    std::deque<DialogAnswer> answers;
    std::vector<FileRequest> fileRequests;
    std::deque<QString> fileNames;
    std::vector<ShownForm> shownForms;
    std::deque<std::function<void(QDialog&)>> forms;

    DialogAnswer Message(QWidget* parent, const QString& caption, const QString& text, DialogButtons buttons,
        DialogIcon icon, const QStringList& buttonTexts = {}) override;
    QString OpenFileName(QWidget* parent, const QString& caption, const QString& filter,
        const QString& defaultExtension, const QString& fileName) override;
    QString SaveFileName(QWidget* parent, const QString& caption, const QString& filter,
        const QString& defaultExtension, const QString& fileName) override;
    int ShowForm(QDialog& form) override;
    template <class Form> int FormsShown() const
    {
        return static_cast<int>(std::count_if(shownForms.begin(), shownForms.end(),
            [](const ShownForm& form) { return form.className == Form::staticMetaObject.className(); }));
    }

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

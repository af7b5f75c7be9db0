#pragma once

#include <QFuture>
#include <QObject>
#include <functional>
#include <string>

#include "bilingual_text.h"

class DialogService;
class QAction;
class QTabWidget;
class QWidget;
class SensorSession;
class TLabeledEdit;
struct ParameterFileContents;

// What a load needs of the window beyond the files area.
struct FileLoadView {
    QWidget& window;
    QAction& openItem;
    QAction& saveAsItem;
    QTabWidget& parameterPage;
    TLabeledEdit& ultrasonicSpeed;
    std::function<void()> refreshParameterView;
    // The field handler, run as if the speed shown had just been typed.
    std::function<void()> editUltrasonicSpeed;
};

// Parameter files: "Save as..." writes the set as the program holds it with a comment;
// "Open..." shows what the file holds, backs up the sensor's set and writes the file's set
// into the sensor's working registers.
class FilesController : public QObject {
    Q_OBJECT

public:
    FilesController(SensorSession& session, DialogService& dialogs, FileLoadView view);

    void FileSaveAs();
    void FileOpen();

private:
    bool ConfirmLoad(const ParameterFileContents& file);
    void LoadIntoSensor(const ParameterFileContents& file);
    void FinishLoad(const QFuture<bool>& load);
    static bool Completed(const QFuture<bool>& load);
    void ShowFileNotFound();
    void Show(const BilingualMessage& message);

    SensorSession& session_;
    DialogService& dialogs_;
    FileLoadView view_;
};

// Saves the sensor's set in its backup folder before it is overwritten. A backup that
// cannot be written is reported; the caller then sends nothing.
bool BackUpSensorSet(SensorSession& session, DialogService& dialogs, QWidget* parent, const std::string& comment);

#pragma once

#include <QMainWindow>
#include <QTimer>
#include <memory>
#include <string>

#include "serial_port.h"

namespace Ui {
class TMainForm;
}
class DialogService;
class EditingController;
class FilesController;
class FirmwareController;
class LinearizationController;
class OperationGuard;
class ParameterView;
class ReportsController;
class SensorSession;
class SensorTestController;
class SensorUpdate;
class SettingsStore;
class Supervision;
class TAboutForm;

// The one top-level window: a frame over the sensor session and the controllers of its
// feature areas. It starts the program, lets the user choose the port and the language,
// and composes the parts that find the sensor, show its parameter set, edit it, store it
// and keep it in files; each part connects the controls it serves.
class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    // Every dialog and modal form goes through dialogs, which must outlive the window.
    // linkSleep replaces the real waits of the sensor link (tests run them in virtual time).
    explicit TMainForm(DialogService& dialogs, TSerialCom::Sleeper linkSleep = {}, QWidget* parent = nullptr);
    ~TMainForm() override;

    // The port dialog was left with Quit during start-up: the program ends.
    bool TerminationRequested() const { return terminationRequested_; }
    SensorSession& Session() const { return *session_; }
    Ui::TMainForm* Controls() const { return ui.get(); }

    QTimer* const Timer1 = new QTimer(this);

    // The parts the window is composed of; each connects its own controls.
    EditingController& Editing() const { return *editing_; }
    FilesController& Files() const { return *files_; }
    SensorTestController& SensorTest() const { return *sensorTest_; }
    ParameterView& View() const { return *view_; }
    Supervision& Supervisor() const { return *supervision_; }
    SensorUpdate& Update() const { return *sensorUpdate_; }

    // Start-up and port choice.
    void ConnectAtStart();
    void SelComPortClick();
    void FileExit();
    void HelpAbout();

    // Languages.
    void ApplyLanguage();
    void English1Click();
    void Deutsch1Click();
    void PersistLanguage();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    enum class PortDialogOrigin { StartUp, PortButton };

    void CreateAreaControllers();
    void RunStartUp();
    TAboutForm* SplashFadeIn();
    void ChooseLanguage(const SettingsStore& settings);
    void ApplyAccessLevel(const QString& factoryKey);
    bool ChoosePortInDialog(PortDialogOrigin origin);
    void ChoosePortAgain(PortDialogOrigin origin);
    void OpenChosenPort();
    void ConnectSignals();
    // Writes one setting. A failure is reported once per run, as soon as the language has texts.
    void SaveSetting(const QString& key, int value);
    void ChangeLanguage(uint8_t languageCode);
    bool AskToStopOperation();
    void LetGoOfSensor();

    std::unique_ptr<Ui::TMainForm> ui;
    DialogService& dialogs_;
    std::unique_ptr<SensorSession> session_;
    std::unique_ptr<EditingController> editing_;
    std::unique_ptr<FilesController> files_;
    std::unique_ptr<SensorTestController> sensorTest_;
    std::unique_ptr<FirmwareController> firmware_;
    std::unique_ptr<LinearizationController> linearization_;
    std::unique_ptr<ReportsController> reports_;
    std::unique_ptr<ParameterView> view_;
    std::unique_ptr<Supervision> supervision_;
    std::unique_ptr<SensorUpdate> sensorUpdate_;
    std::unique_ptr<OperationGuard> operationGuard_;
    bool terminationRequested_ = false;
    bool settingsNotSavedShown_ = false;
    bool closeAfterOperation_ = false;
};

#pragma once

#include <QMainWindow>
#include <QTimer>
#include <memory>
#include <string>

#include "editing_controller.h"
#include "serial_port.h"

namespace Ui {
class TMainForm;
}
class DialogService;
class FilesController;
class FirmwareController;
class LinearizationController;
class ParameterView;
class ReportsController;
class SensorSession;
class SensorTestController;
class SensorUpdate;
class SettingsStore;
class Supervision;
class TAboutForm;

// The one top-level window: a frame over the sensor session and the controllers of its
// feature areas. It starts the program, finds the sensor every 200 ms, shows the
// parameter set on its pages and commits it to the sensor's EEPROM; its handlers pass
// each event on to the part that carries it out.
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
    int32_t SyncPeriodOffset() const;

    QTimer* const Timer1 = new QTimer(this);

    // Start-up and settings.
    void ConnectAtStart();
    void SelComPortClick();
    void FileExit();
    void HelpAbout();
    void MarkUnsaved();
    void MarkSaved();
    void ReportCommunicationError();

    // Supervision.
    void IdleFunction();
    void UpdateStatusDisplay(int kind, const std::string& text);

    // Presentation.
    void RefreshParameterView();
    bool ShowRangePoints();

    // Parameter editing: every field's change, exit and click handler.
    void OnEditBitWidth() { editing_->OnEditBitWidth(); }
    void OnChangeBitWidth() { editing_->OnChangeBitWidth(); }
    void OnEditUARTWrites() { editing_->OnEditUARTWrites(); }
    void OnChangeUARTWrites() { editing_->OnChangeUARTWrites(); }
    void OnEditJitterWindow() { editing_->OnEditJitterWindow(); }
    void OnChangeJitterWindow() { editing_->OnChangeJitterWindow(); }
    void OnEditMonoflopTime() { editing_->OnEditMonoflopTime(); }
    void OnChangeMonoflopTime() { editing_->OnChangeMonoflopTime(); }
    void OnEditErrorValue() { editing_->OnEditErrorValue(); }
    void OnChangeErrorValue() { editing_->OnChangeErrorValue(); }
    void OnEditErrorCount() { editing_->OnEditErrorCount(); }
    void OnChangeErrorCount() { editing_->OnChangeErrorCount(); }
    void OnEditPowerFail() { editing_->OnEditPowerFail(); }
    void OnChangePowerFail() { editing_->OnChangePowerFail(); }
    void OnEditResolution() { editing_->OnEditResolution(); }
    void OnChangeResolution() { editing_->OnChangeResolution(); }
    void OnEditOffset() { editing_->OnEditOffset(); }
    void OnChangeOffset() { editing_->OnChangeOffset(); }
    void OnEditFactoryNumber() { editing_->OnEditFactoryNumber(); }
    void OnChangeFactoryNumber() { editing_->OnChangeFactoryNumber(); }
    void OnEditLength() { editing_->OnEditLength(); }
    void OnChangeLength() { editing_->OnChangeLength(); }
    void OnEditUltrasonicSpeed() { editing_->OnEditUltrasonicSpeed(); }
    void OnChangeUltrasonicSpeed() { editing_->OnChangeUltrasonicSpeed(); }
    void OnEditCycleTime() { editing_->OnEditCycleTime(); }
    void OnChangeCycleTime() { editing_->OnChangeCycleTime(); }
    void OnEditSyncTiming() { editing_->OnEditSyncTiming(); }
    void OnChangeSyncTiming() { editing_->OnChangeSyncTiming(); }
    void BlankingChange() { editing_->BlankingChange(); }
    void BlankingExit() { editing_->BlankingExit(); }
    void IgnoreSsiClkNumChange() { editing_->IgnoreSsiClkNumChange(); }
    void IgnoreSsiClkNumExit() { editing_->IgnoreSsiClkNumExit(); }
    void OnChangeCodingGroup() { editing_->OnChangeCodingGroup(); }
    void OnChangeMode() { editing_->OnChangeMode(); }
    void OnChangeFilter() { editing_->OnChangeFilter(); }
    void OnChangeDirection() { editing_->OnChangeDirection(); }
    void OnChangePosDifVel() { editing_->OnChangePosDifVel(); }
    void OnChangeChargepumpStages() { editing_->OnChangeChargepumpStages(); }
    void OnChangeModel() { editing_->OnChangeModel(); }
    void SSI_Start_CheckBoxClick() { editing_->SSI_Start_CheckBoxClick(); }
    void ErrorValue2Click() { editing_->ErrorValue2Click(); }
    void SlowAvarageFilterClick() { editing_->SlowAvarageFilterClick(); }
    void OnChangeSiemens() { editing_->OnChangeSiemens(); }
    void TemperatureClick() { editing_->TemperatureClick(); }
    void LinearisierungClick() { editing_->LinearisierungClick(); }
    void ExtrapolationClick() { editing_->ExtrapolationClick(); }
    void ExtrapolForwardClick() { editing_->ExtrapolForwardClick(); }
    void TempCompClick() { editing_->TempCompClick(); }
    void _05umClick() { editing_->_05umClick(); }
    void K_SERIEClick() { editing_->K_SERIEClick(); }
    void ParameterPageExit() { editing_->ParameterPageExit(); }

    // Parameter files.
    void FileSaveAs();
    void FileOpen();

    // EEPROM update and factory settings.
    void EEPROMUpdateButtonClick();
    void ReadFactoryButtonClick();
    void WriteFactoryButtonClick();
    void RestoreFactorySettings1Click();

    // Languages.
    void ApplyLanguage();
    void English1Click();
    void Deutsch1Click();
    void PersistLanguage();
    void ResetSession();

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
    void ConnectEditing();
    // Leaving the parameter pages for another control of the window checks the factory number.
    void FollowFocusOutOfPages(QWidget* old, QWidget* now);
    // Writes one setting. A failure is reported once per run, as soon as the language has texts.
    void SaveSetting(const QString& key, int value);
    void ChangeLanguage(uint8_t languageCode);

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
    bool terminationRequested_ = false;
    bool settingsNotSavedShown_ = false;
};

#pragma once

#include <QMainWindow>
#include <QTimer>
#include <memory>
#include <optional>
#include <string>

#include "dialog_service.h"
#include "sensor_link.h"
#include "texts.h"

namespace Ui {
class TMainForm;
}
class TAboutForm;
class SettingsStore;

// The one top-level window: it owns the sensor link, finds the sensor by itself every
// 200 ms, shows the parameter set on its pages and commits it to the sensor's EEPROM.
// Its members live in the files of the features they serve.
class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // The port dialog was left with Quit during start-up: the program ends.
    bool TerminationRequested() const { return terminationRequested_; }

    // Session state shared by the pages.
    std::unique_ptr<TSSICom> SSICom;
    uint8_t LanguageCode = 0;
    uint8_t ComPortNumber = 0;
    bool SessionActive = false;
    bool UnsavedChanges = false;
    uint32_t MissedPolls = 0;
    bool UpdatingView = false;
    std::string LastFactoryNumber = "XXXXXXXX";
    std::string ModelCode;
    int32_t SyncPeriodOffset = 33;
    bool DeveloperAccess = false;
    QTimer* Timer1 = nullptr;
    static constexpr int SupervisionIntervalMs = 200;

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

    Ui::TMainForm* Controls() const { return ui.get(); }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Start-up.
    void RunStartUp();
    TAboutForm* SplashFadeIn();
    void ChooseLanguage(const SettingsStore& settings);
    void ApplyAccessLevel(const QString& factoryKey);
    bool ChoosePortInDialog();
    void ConnectSignals();
    // Writes one setting. A failure is reported once per run, as soon as the language has texts.
    void SaveSetting(const QString& key, int value);
    void FormClose();

    // Supervision.
    bool SensorAnswers();
    void OnSensorPresent();
    bool StartSession();
    void OnSensorMissing();
    void OfferDisconnectWarning();
    void SetSessionControls(bool sessionRunning);
    void ShowOperatingTime();
    void SetLedColour(const QColor& colour);

    // Presentation steps.
    void ShowBitWidth();
    void ShowFilter();
    void ShowFrameOptions();
    void ShowOffset();
    void ShowSensorInformation();
    void ShowProcessOptions();
    void ShowMode();
    void ShowFirmwarePage();
    void ShowChargepump();
    void ShowModel();
    void ShowLinearizationPage();
    void ShowLinStartValue();
    void ShowRangePointFields();
    void ShowNewerFirmwareFields();
    void ApplyModelRules();
    void CorrectElement(TSSICom::DataElement& element, int32_t corrected, const BilingualMessage& message,
        QWidget* control, bool (TSSICom::*write)());
    std::string RangePointText(const TSSICom::DataElement& point, int32_t undefinedValue) const;

    void ChangeLanguage(uint8_t languageCode);
    // A message in the current language, its text followed by detail; nothing (nullopt)
    // for other language codes.
    std::optional<DialogAnswer> ShowMessage(
        const BilingualMessage& message, DialogButtons buttons, DialogIcon icon, const QString& detail = {});

    std::unique_ptr<Ui::TMainForm> ui;
    bool terminationRequested_ = false;
    bool settingsNotSavedShown_ = false;
};

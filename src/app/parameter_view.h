#pragma once

#include <functional>

class EditingController;
class FirmwareController;
class LinearizationController;
class SensorSession;
class SensorTestController;
namespace Ui {
class TMainForm;
}

// The feature areas whose pages the view fills, and whose session steps come before.
struct AreaViews {
    EditingController& editing;
    LinearizationController& linearization;
    FirmwareController& firmware;
    SensorTestController& sensorTest;
};

// Shows the sensor's register set on the parameter pages and the information panel.
class ParameterView {
public:
    ParameterView(
        SensorSession& session, Ui::TMainForm& ui, const AreaViews& areas, std::function<void()> applyLanguage);

    // The session step (the corrections the firmware needs and the linearization reads),
    // the filling of the controls, then the messages of the step, which talk about the
    // values the pages now show.
    void ShowParameterSet();
    // Fills every control from the register set; no sensor exchange, no message.
    void RefreshParameterView();
    // The texts that the set and the language decide together, for a new language.
    void ShowLanguageDependentTexts();
    int32_t SyncPeriodOffset() const { return syncPeriodOffset_; }

private:
    // In the order in which later steps overrule earlier ones.
    void ShowBitWidth();
    void ShowFilter();
    void ShowFrameOptions();
    void ShowOffset();
    void ShowSensorInformation();
    void ShowProcessOptions();
    void ShowMode();
    void ShowSsiSampleCycle();
    void ShowChargepump();
    void ShowModel();
    void ShowLinearisierungCaption();
    void ShowCycleTimeCaption();
    void ShowNewerFirmwareFields();
    void ApplyModelRules();

    SensorSession& session_;
    Ui::TMainForm& ui_;
    AreaViews areas_;
    std::function<void()> applyLanguage_;
    int32_t syncPeriodOffset_ = 33;
};

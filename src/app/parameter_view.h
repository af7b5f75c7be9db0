#pragma once

#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "sensor_link.h"
#include "texts.h"

class DialogService;
class QWidget;
class SensorSession;
namespace Ui {
class TMainForm;
}

// Shows the sensor's register set on the parameter pages and the information panel.
// Before the controls are filled, a session step corrects the two combinations the
// firmware cannot use and reads the linearization values; its messages come once the
// pages show the values they talk about.
class ParameterView {
public:
    ParameterView(SensorSession& session, DialogService& dialogs, Ui::TMainForm& ui, QWidget* window,
        std::function<void()> applyLanguage);

    // The session step, the filling of the controls, then the step's messages.
    void ShowParameterSet();
    // Fills every control from the register set; no sensor exchange, no message.
    void RefreshParameterView();
    // The texts that the set and the language decide together, for a new language.
    void ShowLanguageDependentTexts();
    bool ShowRangePoints();
    int32_t SyncPeriodOffset() const { return syncPeriodOffset_; }

private:
    using Element = TSSICom::DataElement;

    // The session step.
    void CorrectParameterSet();
    void Correct(Element& element, int32_t corrected, const BilingualMessage& message, bool (TSSICom::*write)());
    void ReadLinearizationValues();
    void ShowPendingMessages();

    // The filling, in the order in which later steps overrule earlier ones.
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
    void ShowLinearisierungCaption();
    void ShowLinStartValue();
    void ShowRangePointFields();
    void ShowCycleTimeCaption();
    void ShowNewerFirmwareFields();
    void ApplyModelRules();
    std::string RangePointText(const Element& point, int32_t undefinedValue) const;

    SensorSession& session_;
    DialogService& dialogs_;
    Ui::TMainForm& ui_;
    QWidget* window_;
    std::function<void()> applyLanguage_;
    int32_t syncPeriodOffset_ = 33;
    // What the session step found for the linearization page: whether the sensor has a
    // linearization memory, the byte at the address shown, and the factor at address 501.
    bool linPageUsable_ = false;
    int32_t linValueShown_ = 0;
    int32_t linFactor_ = 0;
    std::vector<const BilingualMessage*> pendingMessages_;
};

#pragma once

#include <QObject>
#include <functional>
#include <optional>
#include <vector>

#include "dialog_service.h"
#include "editing_pages.h"
#include "sensor_link.h"
#include "catalogue.h"

class QCheckBox;
class QTabWidget;
class TRadioGroup;
class QWidget;
class SensorSession;
class TLabeledEdit;

// The pages whose fields the user edits, and the tab control that holds them.
struct EditingPages {
    QTabWidget& parameterPage;
    TSSISettingsPage& ssiSettings;
    TErrorIndicationPage& errorIndication;
    TMeasurementPage& measurement;
    TMeasurement2Page& measurement2;
    TExpertSettingsPage& expertSettings;
    TExpertSettings2Page& expertSettings2;
};

// The parameter fields and their rules. A change is converted, checked and written to the
// sensor at once, with the registers that depend on it; leaving a field checks its entry.
// A control that the program changes runs its own handler, as a user's change would:
// the view update (UpdatingView) and the one-shot check box ControlSettings stop that
// where it must not act. Before the pages are filled, it corrects what the firmware
// cannot use; those messages follow once the pages show the corrected values.
class EditingController : public QObject {
    Q_OBJECT

public:
    // showRangePoints reads and shows the measuring range's points again. Connects every
    // field of the pages to its handler.
    EditingController(SensorSession& session, DialogService& dialogs, const EditingPages& pages,
        std::function<void()> showRangePoints);

    // The session step: bit width 24 while the temperature bit is set, filter 0 in
    // velocity mode, on the firmware that needs it. A failed write ends the session.
    void CorrectParameterSet();
    void ShowCorrectionMessages();

    // SSI settings.
    void OnChangeCodingGroup();
    void OnEditBitWidth();
    void OnChangeBitWidth();
    void OnChangeMode();
    void OnEditUARTWrites();
    void OnChangeUARTWrites();
    void OnEditJitterWindow();
    void OnChangeJitterWindow();
    void OnEditMonoflopTime();
    void OnChangeMonoflopTime();
    void SSI_Start_CheckBoxClick();

    // Error indication.
    void OnEditErrorValue();
    void OnChangeErrorValue();
    void OnEditErrorCount();
    void OnChangeErrorCount();
    void OnEditPowerFail();
    void OnChangePowerFail();
    void ErrorValue2Click();

    // Measurement 1 and 2.
    void OnChangeFilter();
    void OnChangeDirection();
    void OnChangePosDifVel();
    void OnEditResolution();
    void OnChangeResolution();
    void OnEditOffset();
    void OnChangeOffset();
    void _05umClick();
    void SlowAvarageFilterClick();
    void OnChangeSiemens();
    void TemperatureClick();
    void LinearisierungClick();
    void ExtrapolationClick();
    void ExtrapolForwardClick();
    void TempCompClick();

    // Expert settings.
    void OnEditFactoryNumber();
    void OnChangeFactoryNumber();
    void ParameterPageExit();
    void OnEditLength();
    void OnChangeLength();
    void OnEditUltrasonicSpeed();
    void OnChangeUltrasonicSpeed();
    void OnEditCycleTime();
    void OnChangeCycleTime();
    void OnEditSyncTiming();
    void OnChangeSyncTiming();
    void OnChangeChargepumpStages();
    void OnChangeModel();
    void K_SERIEClick();
    void BlankingChange();
    void BlankingExit();
    void IgnoreSsiClkNumChange();
    void IgnoreSsiClkNumExit();

private:
    using Write = bool (TSSICom::*)();

    void ConnectFields();
    // Leaving the parameter pages for another control of the window checks the factory number.
    void FollowFocusOutOfPages(QWidget* old, QWidget* now);
    enum class Guard : bool { Off, On };

    // ---- The steps every field shares ----
    TSSICom::ParameterStruct& Set() const;
    QWidget* Window() const;
    bool Viewing() const;
    // The number typed into a field whose handler takes only a strict integer; nullopt while
    // the view is being filled or for any other text.
    std::optional<int32_t> TypedStrictInteger(const TLabeledEdit* edit) const;
    // The one-shot ControlSettings: true (and cleared) when the handler must not act.
    bool GuardTaken();
    void ArmGuard();
    bool WSeriesSelected() const;
    void Show(const BilingualMessage& message, DialogIcon icon = DialogIcon::Warning);

    // Element value, Changed flag, ChangedColour, write; then MarkUnsaved or the end of the session.
    void Commit(TSSICom::DataElement& element, int32_t value, QWidget* control, Write write);
    void MarkChanged(TSSICom::DataElement& element, QWidget* control);
    bool Send(Write write);
    // Each write only after the one before it succeeded.
    bool SendAll(std::initializer_list<Write> writes);
    void Conclude(bool written);
    void EndSession();
    void Correct(TSSICom::DataElement& element, int32_t corrected, const BilingualMessage& message, Write write);

    // An edit field's change handler: writes its element when the text converts within range.
    void ChangeField(TLabeledEdit* edit);
    // An edit field's exit handler; true when it ran and accepted the entry.
    bool ExitField(TLabeledEdit* edit, const BilingualMessage& message);
    void ConcludeExit(TLabeledEdit* edit, bool accepted, const BilingualMessage& message);
    bool ExitCheckRuns() const;
    void GiveFocusBack(TLabeledEdit* edit);

    // A click while the view is filled, or stopped by the guard.
    bool ClickIgnored(Guard guard);
    bool Refused(
        bool refusedChoice, const BilingualMessage& refusal, QWidget* control, const std::function<void()>& neutral);
    bool GroupRefused(TRadioGroup* group, TSSICom::DataElement& element, bool refusedChoice);
    bool SwitchRefused(QCheckBox* box, TSSICom::DataElement& element, const BilingualMessage& refusal);
    bool BitRefused(QCheckBox* box, TSSICom::DataElement& element, int32_t bit);
    void ClickOptionBit(QCheckBox* box, TSSICom::DataElement& element, int32_t bit, Write write);

    // ---- Dependent registers ----
    int32_t OffsetMicrons() const;
    // The offset field as a strict integer; a message when it is none.
    std::optional<int32_t> StrictOffsetMicrons();
    bool HalfMicron() const;
    bool OffsetFollowsFilter() const;
    bool ClearOffsetForDifferential();
    void ApplyVelocityFilterRule();
    void SaveResolutionValues();
    bool ChangeResolution(int32_t resolution);
    bool WriteResolutionScaleOffset();
    void RestoreResolution(int32_t refused);
    void ShowScale();
    bool InternalLinearization() const;
    void RecomputeCycleTimesForLinearization();
    void CheckShortLength(int32_t length);
    void RoundToFiftyMillimetres(int32_t length);
    void CheckFactoryNumber();

    SensorSession& session_;
    DialogService& dialogs_;
    EditingPages pages_;
    std::function<void()> showRangePoints_;
    std::vector<const BilingualMessage*> pendingMessages_;
    bool focusGivenBack_ = false;
    // Scale, Offset and Resolution as they were when the resolution handler last started.
    int32_t savedScale_ = 0, savedOffset_ = 0, savedResolution_ = 0;
};

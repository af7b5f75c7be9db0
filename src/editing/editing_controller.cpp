#include "editing_controller.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTabWidget>

#include "control_colours.h"
#include "editing_rules.h"
#include "editing_texts.h"
#include "element_controls.h"
#include "element_table.h"
#include "labeled_edit.h"
#include "page_rules.h"
#include "radio_group.h"
#include "sensor_session.h"
#include "session_dialogs.h"
#include "session_texts.h"

namespace {

constexpr uint32_t AcceptedPolls = 0;
constexpr uint32_t RejectedPolls = 65535;

std::string TextOf(const TLabeledEdit* edit) { return edit->text().toStdString(); }

}  // namespace

EditingController::EditingController(
    SensorSession& session, DialogService& dialogs, const EditingPages& pages, std::function<void()> showRangePoints) :
    session_(session), dialogs_(dialogs), pages_(pages), showRangePoints_(std::move(showRangePoints))
{
    ConnectFields();
}

void EditingController::ConnectFields()
{
    connect(pages_.ssiSettings.BitWidth, &TLabeledEdit::textChanged, this, &EditingController::OnEditBitWidth);
    connect(pages_.ssiSettings.BitWidth, &TLabeledEdit::exited, this, &EditingController::OnChangeBitWidth);
    connect(pages_.ssiSettings.UARTWrites, &TLabeledEdit::textChanged, this, &EditingController::OnEditUARTWrites);
    connect(pages_.ssiSettings.UARTWrites, &TLabeledEdit::exited, this, &EditingController::OnChangeUARTWrites);
    connect(pages_.ssiSettings.JitterWindow, &TLabeledEdit::textChanged, this, &EditingController::OnEditJitterWindow);
    connect(pages_.ssiSettings.JitterWindow, &TLabeledEdit::exited, this, &EditingController::OnChangeJitterWindow);
    connect(pages_.ssiSettings.MonoflopTime, &TLabeledEdit::textChanged, this, &EditingController::OnEditMonoflopTime);
    connect(pages_.ssiSettings.MonoflopTime, &TLabeledEdit::exited, this, &EditingController::OnChangeMonoflopTime);
    connect(pages_.errorIndication.ErrorValue, &TLabeledEdit::textChanged, this, &EditingController::OnEditErrorValue);
    connect(pages_.errorIndication.ErrorValue, &TLabeledEdit::exited, this, &EditingController::OnChangeErrorValue);
    connect(pages_.errorIndication.ErrorCount, &TLabeledEdit::textChanged, this, &EditingController::OnEditErrorCount);
    connect(pages_.errorIndication.ErrorCount, &TLabeledEdit::exited, this, &EditingController::OnChangeErrorCount);
    connect(pages_.errorIndication.PowerFail, &TLabeledEdit::textChanged, this, &EditingController::OnEditPowerFail);
    connect(pages_.errorIndication.PowerFail, &TLabeledEdit::exited, this, &EditingController::OnChangePowerFail);
    connect(pages_.measurement.Resolution, &TLabeledEdit::textChanged, this, &EditingController::OnEditResolution);
    connect(pages_.measurement.Resolution, &TLabeledEdit::exited, this, &EditingController::OnChangeResolution);
    connect(pages_.measurement.Offset, &TLabeledEdit::textChanged, this, &EditingController::OnEditOffset);
    connect(pages_.measurement.Offset, &TLabeledEdit::exited, this, &EditingController::OnChangeOffset);
    connect(
        pages_.expertSettings.FactoryNumber, &TLabeledEdit::textChanged, this, &EditingController::OnEditFactoryNumber);
    connect(
        pages_.expertSettings.FactoryNumber, &TLabeledEdit::exited, this, &EditingController::OnChangeFactoryNumber);
    connect(pages_.expertSettings.Length, &TLabeledEdit::textChanged, this, &EditingController::OnEditLength);
    connect(pages_.expertSettings.Length, &TLabeledEdit::exited, this, &EditingController::OnChangeLength);
    connect(pages_.expertSettings.UltrasonicSpeed, &TLabeledEdit::textChanged, this,
        &EditingController::OnEditUltrasonicSpeed);
    connect(pages_.expertSettings.UltrasonicSpeed, &TLabeledEdit::exited, this,
        &EditingController::OnChangeUltrasonicSpeed);
    connect(pages_.expertSettings.CycleTime, &TLabeledEdit::textChanged, this, &EditingController::OnEditCycleTime);
    connect(pages_.expertSettings.CycleTime, &TLabeledEdit::exited, this, &EditingController::OnChangeCycleTime);
    connect(pages_.expertSettings.SyncTiming, &TLabeledEdit::textChanged, this, &EditingController::OnEditSyncTiming);
    connect(pages_.expertSettings.SyncTiming, &TLabeledEdit::exited, this, &EditingController::OnChangeSyncTiming);
    connect(pages_.expertSettings.Blanking, &TLabeledEdit::textChanged, this, &EditingController::BlankingChange);
    connect(pages_.expertSettings.Blanking, &TLabeledEdit::exited, this, &EditingController::BlankingExit);
    connect(pages_.measurement2.IgnoreSsiClkNum, &TLabeledEdit::textChanged, this,
        &EditingController::IgnoreSsiClkNumChange);
    connect(pages_.measurement2.IgnoreSsiClkNum, &TLabeledEdit::exited, this, &EditingController::IgnoreSsiClkNumExit);
    connect(
        pages_.ssiSettings.CodingGroup, &TRadioGroup::itemIndexChanged, this, &EditingController::OnChangeCodingGroup);
    connect(pages_.ssiSettings.Mode, &TRadioGroup::itemIndexChanged, this, &EditingController::OnChangeMode);
    connect(pages_.measurement.FilterS, &TRadioGroup::itemIndexChanged, this, &EditingController::OnChangeFilter);
    connect(pages_.measurement.Direction, &TRadioGroup::itemIndexChanged, this, &EditingController::OnChangeDirection);
    connect(pages_.measurement.PosDifVel, &TRadioGroup::itemIndexChanged, this, &EditingController::OnChangePosDifVel);
    connect(pages_.expertSettings.ChargepumpStages, &TRadioGroup::itemIndexChanged, this,
        &EditingController::OnChangeChargepumpStages);
    connect(pages_.expertSettings.Model, &TRadioGroup::itemIndexChanged, this, &EditingController::OnChangeModel);
    connect(
        pages_.ssiSettings.SSI_Start_CheckBox, &QCheckBox::toggled, this, &EditingController::SSI_Start_CheckBoxClick);
    connect(pages_.errorIndication.ErrorValue2, &QCheckBox::toggled, this, &EditingController::ErrorValue2Click);
    connect(
        pages_.measurement.SlowAvarageFilter, &QCheckBox::toggled, this, &EditingController::SlowAvarageFilterClick);
    connect(pages_.measurement2.Siemens, &QCheckBox::toggled, this, &EditingController::OnChangeSiemens);
    connect(pages_.measurement2.Temperature, &QCheckBox::toggled, this, &EditingController::TemperatureClick);
    connect(pages_.measurement2.Linearisierung, &QCheckBox::toggled, this, &EditingController::LinearisierungClick);
    connect(pages_.measurement2.Extrapolation, &QCheckBox::toggled, this, &EditingController::ExtrapolationClick);
    connect(pages_.measurement2.ExtrapolForward, &QCheckBox::toggled, this, &EditingController::ExtrapolForwardClick);
    connect(pages_.measurement2.TempComp, &QCheckBox::toggled, this, &EditingController::TempCompClick);
    connect(pages_.measurement._05um, &QPushButton::clicked, this, &EditingController::_05umClick);
    connect(pages_.expertSettings.K_SERIE, &QPushButton::clicked, this, &EditingController::K_SERIEClick);
    connect(qApp, &QApplication::focusChanged, this, &EditingController::FollowFocusOutOfPages);
}

void EditingController::FollowFocusOutOfPages(QWidget* old, QWidget* now)
{
    QWidget& pages = pages_.parameterPage;
    if (old && now && now->window() == pages.window() && pages.isAncestorOf(old) && !pages.isAncestorOf(now))
        ParameterPageExit();
}

// ---- The automatic corrections ----

void EditingController::CorrectParameterSet()
{
    TSSICom::ParameterStruct& p = Set();
    if (p.BitWidth.Valid && BitWidthRule(p.FirmwareVersion.Value, p.FrameOptions.Value, p.BitWidth.Value).correct)
        Correct(p.BitWidth, CorrectedBitWidth, texts::BitWidthCorrection, &TSSICom::WriteBitWidth);
    if (p.Filter.Valid && FilterRule(p.FirmwareVersion.Value, p.PosDifVel.Value, p.Filter.Value).correct)
        Correct(p.Filter, CorrectedFilter, texts::FilterCorrection, &TSSICom::WriteFilter);
}

// The corrected value shows as changed until it is committed.
void EditingController::Correct(
    TSSICom::DataElement& element, int32_t corrected, const BilingualMessage& message, Write write)
{
    pendingMessages_.push_back(&message);
    element.Value = corrected;
    element.Changed = 1;
    if (Send(write)) {
        session_.MarkUnsaved();
        return;
    }
    pendingMessages_.push_back(&texts::CommunicationError);
    session_.MarkSaved();
    session_.SetSessionActive(false);
}

void EditingController::ShowCorrectionMessages()
{
    const std::vector<const BilingualMessage*> messages = std::move(pendingMessages_);
    pendingMessages_.clear();
    for (const BilingualMessage* message : messages)
        Show(*message, message == &texts::CommunicationError ? DialogIcon::Error : DialogIcon::Information);
}

// ---- The steps every field shares ----

TSSICom::ParameterStruct& EditingController::Set() const { return session_.Parameter(); }

bool EditingController::Viewing() const { return session_.UpdatingView(); }

std::optional<int32_t> EditingController::TypedStrictInteger(const TLabeledEdit* edit) const
{
    return Viewing() ? std::nullopt : StrictInteger(TextOf(edit));
}

bool EditingController::GuardTaken()
{
    QCheckBox* guard = pages_.ssiSettings.ControlSettings;
    if (!guard->isChecked())
        return false;
    guard->setChecked(false);
    return true;
}

void EditingController::ArmGuard() { pages_.ssiSettings.ControlSettings->setChecked(true); }

bool EditingController::WSeriesSelected() const
{
    return IsWSeriesModelIndex(pages_.expertSettings.Model->itemIndex());
}

QWidget* EditingController::Window() const { return pages_.ssiSettings.window(); }

void EditingController::MarkChanged(TSSICom::DataElement& element, QWidget* control)
{
    element.Changed = 1;
    SetControlColour(control, ChangedColour);
}

void EditingController::Commit(TSSICom::DataElement& element, int32_t value, QWidget* control, Write write)
{
    element.Value = value;
    MarkChanged(element, control);
    Conclude(Send(write));
}

bool EditingController::Send(Write write) { return session_.Call(write); }

bool EditingController::SendAll(std::initializer_list<Write> writes)
{
    for (Write write : writes)
        if (!Send(write))
            return false;
    return true;
}

void EditingController::Conclude(bool written)
{
    if (written)
        session_.MarkUnsaved();
    else
        EndSession();
}

// The supervision finds the sensor again as a new one; the edits stay in the set.
void EditingController::EndSession()
{
    ReportCommunicationError(dialogs_, Window(), session_.LanguageCode());
    session_.MarkSaved();
    session_.SetSessionActive(false);
}

void EditingController::Show(const BilingualMessage& message, DialogIcon icon)
{
    ShowMessage(dialogs_, Window(), session_.LanguageCode(), message, DialogButtons::Ok, icon);
}

// ---- Edit fields ----

void EditingController::ChangeField(TLabeledEdit* edit)
{
    if (Viewing())
        return;
    const FieldRule& rule = *FieldRuleOf(edit->objectName().toStdString());
    const std::optional<int32_t> value = ChangeValue(rule, TextOf(edit));
    if (!value)
        return;
    const int index = TSSICom::ElementIndex(rule.element);
    Commit(Set()[index], *value, edit, DefinitionOf(index).write);
}

// The focus that a rejected entry takes back leaves the control the user went to; that
// control was never really entered, so its exit check does not run.
bool EditingController::ExitCheckRuns() const { return session_.SessionActive() && !Viewing() && !focusGivenBack_; }

void EditingController::GiveFocusBack(TLabeledEdit* edit)
{
    focusGivenBack_ = true;
    edit->setFocus();
    focusGivenBack_ = false;
}

bool EditingController::ExitField(TLabeledEdit* edit, const BilingualMessage& message)
{
    if (!ExitCheckRuns())
        return false;
    const bool accepted = ExitAccepts(*FieldRuleOf(edit->objectName().toStdString()), TextOf(edit));
    ConcludeExit(edit, accepted, message);
    return accepted;
}

// A rejected entry keeps the focus: every attempt to leave the field repeats the message.
void EditingController::ConcludeExit(TLabeledEdit* edit, bool accepted, const BilingualMessage& message)
{
    session_.SetMissedPolls(accepted ? AcceptedPolls : RejectedPolls);
    if (accepted)
        return;
    Show(message);
    GiveFocusBack(edit);
}

// ---- Radio groups and check boxes ----

bool EditingController::ClickIgnored(Guard guard) { return Viewing() || (guard == Guard::On && GuardTaken()); }

// A W-series sensor cannot take the choice: the element and the control go back to the
// neutral choice, whose own handler the armed guard stops. Nothing is written.
bool EditingController::Refused(
    bool refusedChoice, const BilingualMessage& refusal, QWidget* control, const std::function<void()>& neutral)
{
    if (!refusedChoice || !WSeriesSelected())
        return false;
    Show(refusal);
    ArmGuard();
    neutral();
    control->repaint();
    return true;
}

// A radio group's neutral choice is its first item, value 0.
bool EditingController::GroupRefused(TRadioGroup* group, TSSICom::DataElement& element, bool refusedChoice)
{
    return Refused(refusedChoice, texts::WSeriesRefusal, group, [&] {
        element.Value = 0;
        group->setItemIndex(0);
    });
}

// A check box that switches its element on: unchecked and 0 is neutral.
bool EditingController::SwitchRefused(QCheckBox* box, TSSICom::DataElement& element, const BilingualMessage& refusal)
{
    return Refused(box->isChecked(), refusal, box, [&] {
        element.Value = 0;
        box->setChecked(false);
    });
}

bool EditingController::BitRefused(QCheckBox* box, TSSICom::DataElement& element, int32_t bit)
{
    return Refused(box->isChecked(), texts::WSeriesRefusal, box, [&] {
        element.Value = WithBit(element.Value, bit, false);
        box->setChecked(false);
    });
}

void EditingController::ClickOptionBit(QCheckBox* box, TSSICom::DataElement& element, int32_t bit, Write write)
{
    if (ClickIgnored(Guard::On) || BitRefused(box, element, bit))
        return;
    Commit(element, WithBit(element.Value, bit, box->isChecked()), box, write);
}

// ---- Values the fields share ----

int32_t EditingController::OffsetMicrons() const { return LenientInteger(TextOf(pages_.measurement.Offset)); }

std::optional<int32_t> EditingController::StrictOffsetMicrons()
{
    const std::optional<int32_t> microns = StrictInteger(TextOf(pages_.measurement.Offset));
    if (!microns)
        Show(texts::OffsetExit, DialogIcon::Error);
    return microns;
}

bool EditingController::InternalLinearization() const { return pages_.measurement2.Linearisierung->isChecked(); }

void EditingController::RecomputeCycleTimesForLinearization()
{
    if (InternalLinearization())
        OnEditLength();
}

void EditingController::ShowScale()
{
    pages_.expertSettings.Scale->setText(Number(static_cast<uint32_t>(Set().Scale.Value)));
}

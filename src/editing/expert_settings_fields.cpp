// The fields of the expert settings page, and the two edits with the same rules on the
// measurement page 2. A new length selects the charge pump and the cycle times.

#include <QTabWidget>

#include "control_colours.h"
#include "editing_controller.h"
#include "editing_rules.h"
#include "editing_texts.h"
#include "element_controls.h"
#include "labeled_edit.h"
#include "page_rules.h"
#include "radio_group.h"
#include "sensor_session.h"
#include "session_dialogs.h"
#include "wire_format.h"

namespace {

bool IsModelTheSensorTakes(int32_t model) { return model == ModelValue('K', 'H') || model == ModelValue('K', 'P'); }

}  // namespace

// Every keystroke that leaves a factory number the sensor can hold is written.
void EditingController::OnEditFactoryNumber()
{
    if (Viewing())
        return;
    TLabeledEdit* edit = pages_.expertSettings.FactoryNumber;
    const std::string text = edit->text().toStdString();
    if (!IsFactoryNumber(text))
        return;
    TSSICom::DataElement& factoryNumber = Set().FactoryNumber;
    factoryNumber.Reply = text;
    MarkChanged(factoryNumber, edit);
    Conclude(Send(&TSSICom::WriteFactoryNumber));
}

void EditingController::OnChangeFactoryNumber() { CheckFactoryNumber(); }

void EditingController::ParameterPageExit() { CheckFactoryNumber(); }

// An empty field was never written and passes, as it always did.
void EditingController::CheckFactoryNumber()
{
    if (!ExitCheckRuns())
        return;
    TLabeledEdit* edit = pages_.expertSettings.FactoryNumber;
    const std::string text = edit->text().toStdString();
    if (text.empty() || IsFactoryNumber(text))
        return;
    ConcludeExit(edit, false, texts::FactoryNumberExit);
}

void EditingController::OnEditLength()
{
    TLabeledEdit* edit = pages_.expertSettings.Length;
    const std::optional<int32_t> length = TypedStrictInteger(edit);
    if (!length)
        return;
    TSSICom::ParameterStruct& p = Set();
    p.Length.Value = *length;
    MarkChanged(p.Length, edit);
    if (p.FirmwareVersion.Value > ShortLengthFirmware) {
        CheckShortLength(*length);
        return;
    }
    RoundToFiftyMillimetres(*length);
    if (const std::optional<int> item = ChargepumpSuggestion(*length, IsWbf(session_.ModelCode())))
        pages_.expertSettings.ChargepumpStages->setItemIndex(*item);
    const CycleTimes cycleTimes
        = LengthCycleRule(*length, p.MagnetCount.Value, p.Resolution.Value, InternalLinearization());
    p.CycleTime.Value = cycleTimes.cycleTime;
    p.SyncTiming.Value = cycleTimes.syncTiming;
    if (!Send(&TSSICom::WriteLength)) {
        EndSession();
        return;
    }
    session_.MarkUnsaved();
    pages_.expertSettings.CycleTime->setText(Number(static_cast<uint32_t>(cycleTimes.cycleTime)));
    pages_.expertSettings.SyncTiming->setText(Number(static_cast<uint32_t>(cycleTimes.syncTiming)));
}

// These sensors only store the length; a longer one than they take ends the session, so
// that the sensor is read again.
void EditingController::CheckShortLength(int32_t length)
{
    if (ShortLengthAccepts(length))
        return;
    Set().Length.Value = ShortLengthLimit;
    session_.MarkSaved();
    session_.SetSessionActive(false);
    Show(texts::ShortLength);
    GiveFocusBack(pages_.expertSettings.Length);
}

// The rounded text runs this handler once more, which writes the rounded length.
void EditingController::RoundToFiftyMillimetres(int32_t length)
{
    const std::optional<int32_t> rounded = FiftyMillimetreLength(length);
    if (!rounded)
        return;
    TLabeledEdit* edit = pages_.expertSettings.Length;
    Show(texts::FiftyMillimetreSteps);
    GiveFocusBack(edit);
    edit->setText(Number(*rounded));
    edit->repaint();
}

void EditingController::OnChangeLength() { ExitField(pages_.expertSettings.Length, texts::LengthExit); }

// The scale follows the speed, and the offset register the scale.
void EditingController::OnEditUltrasonicSpeed()
{
    TLabeledEdit* edit = pages_.expertSettings.UltrasonicSpeed;
    const std::optional<int32_t> speed = TypedStrictInteger(edit);
    if (!speed)
        return;
    TSSICom::ParameterStruct& p = Set();
    p.UltrasonicSpeed.Value = *speed;
    if (const std::optional<int32_t> scale = ScaleForSpeed(*speed, p.Resolution.Value))
        p.Scale.Value = *scale;
    MarkChanged(p.UltrasonicSpeed, edit);
    if (!SendAll({&TSSICom::WriteUltrasonicSpeed, &TSSICom::WriteScale})) {
        EndSession();
        return;
    }
    OnEditOffset();
    p.Offset.Changed = 0;
    SetControlColour(pages_.measurement.Offset, WindowColour);
    session_.MarkUnsaved();
    ShowScale();
}

// Without a resolution there is no scale to show: the field keeps its value.
void EditingController::OnChangeUltrasonicSpeed()
{
    if (!ExitField(pages_.expertSettings.UltrasonicSpeed, texts::UltrasonicSpeedExit))
        return;
    const TSSICom::ParameterStruct& p = Set();
    if (const std::optional<int32_t> scale = ScaleForSpeed(p.UltrasonicSpeed.Value, p.Resolution.Value))
        pages_.expertSettings.Scale->setText(Number(*scale));
}

void EditingController::OnEditCycleTime() { ChangeField(pages_.expertSettings.CycleTime); }

void EditingController::OnChangeCycleTime() { ExitField(pages_.expertSettings.CycleTime, texts::CycleTimeExit); }

void EditingController::OnEditSyncTiming() { ChangeField(pages_.expertSettings.SyncTiming); }

void EditingController::OnChangeSyncTiming() { ExitField(pages_.expertSettings.SyncTiming, texts::SyncTimingExit); }

void EditingController::OnChangeChargepumpStages()
{
    TRadioGroup* group = pages_.expertSettings.ChargepumpStages;
    if (Viewing() || group->itemIndex() < 0)
        return;
    Commit(Set().Chargepump, ChargepumpCode(group->itemIndex(), IsWbf(session_.ModelCode())), group,
        &TSSICom::WriteChargepump);
}

void EditingController::OnChangeModel()
{
    TRadioGroup* group = pages_.expertSettings.Model;
    if (ClickIgnored(Guard::On))
        return;
    TSSICom::ParameterStruct& p = Set();
    SetControlColour(group, ChangedColour);
    p.Model.Value = ModelCodeForItem(group->itemIndex(), p.FirmwareVersion.Value);
    p.Model.Changed = 1;
    if (Send(&TSSICom::WriteModel)) {
        session_.MarkUnsaved();
        return;
    }
    ReportCommunicationError(dialogs_, Window(), session_.LanguageCode());
    ArmGuard();
    group->setItemIndex(ModelItem(p.Model.Value).value_or(NoSelection));
    group->repaint();
    SetControlColour(group, ButtonFaceColour());
    p.Model.Changed = 0;
    session_.MarkSaved();
    session_.SetSessionActive(false);
}

// The developer's button writes the letters of family 39606 ("CH", "CP", "AH", "AP"),
// which the sensor does not take as a model: the session always ends there.
void EditingController::K_SERIEClick()
{
    if (Viewing())
        return;
    TRadioGroup* group = pages_.expertSettings.Model;
    TSSICom::ParameterStruct& p = Set();
    SetControlColour(group, ChangedColour);
    if (const std::optional<KSerieResult> letters = KSerieModel(p.FirmwareVersion.Value, group->itemIndex())) {
        if (letters->item) {
            ArmGuard();
            group->setItemIndex(*letters->item);
        }
        p.Model.Value = letters->model;
    }
    group->repaint();
    p.Model.Changed = 1;
    Send(&TSSICom::WriteModel);
    Conclude(IsModelTheSensorTakes(p.Model.Value));
}

void EditingController::BlankingChange() { ChangeField(pages_.expertSettings.Blanking); }

void EditingController::BlankingExit() { ExitField(pages_.expertSettings.Blanking, texts::BlankingExit); }

void EditingController::IgnoreSsiClkNumChange() { ChangeField(pages_.measurement2.IgnoreSsiClkNum); }

void EditingController::IgnoreSsiClkNumExit() { ExitField(pages_.measurement2.IgnoreSsiClkNum, texts::InitDelayExit); }

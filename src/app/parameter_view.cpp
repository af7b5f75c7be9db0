#include "parameter_view.h"

#include <QCheckBox>

#include "control_colours.h"
#include "editing_controller.h"
#include "editing_rules.h"
#include "element_controls.h"
#include "firmware_controller.h"
#include "firmware_rules.h"
#include "linearization_controller.h"
#include "sensor_test_controller.h"
#include "labeled_edit.h"
#include "presentation.h"
#include "radio_group.h"
#include "sensor_session.h"
#include "session_rules.h"
#include "ui_main_form.h"
#include "wire_format.h"

namespace {

void SetIfGiven(QCheckBox* check, std::optional<bool> checked)
{
    if (checked)
        check->setChecked(*checked);
}

}  // namespace

ParameterView::ParameterView(
    SensorSession& session, Ui::TMainForm& ui, const AreaViews& areas, std::function<void()> applyLanguage) :
    session_(session), ui_(ui), areas_(areas), applyLanguage_(std::move(applyLanguage))
{
}

// The session step runs first, in the order of its exchanges on the wire: the corrections,
// then the linearization reads.
void ParameterView::ShowParameterSet()
{
    areas_.editing.CorrectParameterSet();
    areas_.linearization.ReadPageValues();
    RefreshParameterView();
    areas_.editing.ShowCorrectionMessages();
}

void ParameterView::RefreshParameterView()
{
    const TSSICom::ParameterStruct& p = session_.Parameter();
    const SensorSession::ViewUpdate updating = session_.UpdateView();
    ShowGroup(ui_.SSISettings->CodingGroup, p.OutputCode, p.OutputCode.Value);
    ShowBitWidth();
    ShowEdit(ui_.ErrorIndication->ErrorValue, p.ErrorValue);
    ShowEdit(ui_.ErrorIndication->ErrorCount, p.IndicationCounter);
    ShowFilter();
    ShowCheck(ui_.Measurement->SlowAvarageFilter, p.SlowAvarageFilter);
    ShowGroup(ui_.Measurement->Direction, p.Direction, p.Direction.Value);
    ShowCheck(ui_.SSISettings->SSI_Start_CheckBox, p.SyncStart);
    ShowGroup(ui_.Measurement->PosDifVel, p.PosDifVel, PosDifVelIndex(p.PosDifVel.Value));
    ShowFrameOptions();
    ShowEdit(ui_.Measurement->Resolution, p.Resolution);
    ShowOffset();
    ShowSensorInformation();
    ShowEditText(ui_.ExpertSettings->FactoryNumber, p.FactoryNumber, QString::fromStdString(p.FactoryNumber.Reply));
    ShowEdit(ui_.ExpertSettings->Length, p.Length);
    ShowEdit(ui_.ExpertSettings->UltrasonicSpeed, p.UltrasonicSpeed);
    if (p.Scale.Valid) {
        ui_.ExpertSettings->Scale->setText(Number(static_cast<uint32_t>(p.Scale.Value)));
        if (IsHalfMicronScale(p.Scale.Value))
            ui_.Measurement->Resolution->setText(texts::HalfMicronResolution);
    }
    ShowEdit(ui_.ExpertSettings->CycleTime, p.CycleTime);
    ShowEdit(ui_.ExpertSettings->SyncTiming, p.SyncTiming);
    ShowEdit(ui_.SSISettings->MonoflopTime, p.MonoflopTime);
    ShowEdit(ui_.SSISettings->UARTWrites, p.UARTCounter);
    ShowEdit(ui_.ErrorIndication->PowerFail, p.PowerfailTime);
    ShowProcessOptions();
    ShowMode();
    ShowSsiSampleCycle();
    areas_.firmware.ShowPage();
    ShowChargepump();
    ShowEdit(ui_.SSISettings->JitterWindow, p.JitterWindow);
    ShowModel();
    ui_.ErrorIndication->ErrorValue2->setEnabled(p.SecErrorValue.Valid);
    if (p.SecErrorValue.Valid)
        ui_.ErrorIndication->ErrorValue2->setChecked(SecondErrorValueActive(p.SecErrorValue.Value));
    PaintGroup(ui_.ErrorIndication->ErrorValue2, p.SecErrorValue);
    areas_.linearization.ShowPage();
    if (areas_.linearization.PageUsable())
        ShowLinearisierungCaption();
    areas_.linearization.ShowLinStartValue();
    areas_.sensorTest.ShowRangePointFields();
    ShowCycleTimeCaption();
    ShowNewerFirmwareFields();
    ApplyModelRules();
}

// The correction itself is the session step's; here the edit is locked while it holds.
void ParameterView::ShowBitWidth()
{
    const TSSICom::ParameterStruct& p = session_.Parameter();
    ui_.SSISettings->BitWidth->setEnabled(p.BitWidth.Valid);
    if (p.BitWidth.Valid) {
        ui_.SSISettings->BitWidth->setEnabled(
            !BitWidthRule(p.FirmwareVersion.Value, p.FrameOptions.Value, p.BitWidth.Value).locked);
        ui_.SSISettings->BitWidth->setText(Number(p.BitWidth.Value));
    }
    PaintEdit(ui_.SSISettings->BitWidth, p.BitWidth);
}

void ParameterView::ShowFilter()
{
    const TSSICom::ParameterStruct& p = session_.Parameter();
    ui_.Measurement->FilterS->setEnabled(p.Filter.Valid);
    if (p.Filter.Valid) {
        ui_.Measurement->FilterS->setEnabled(
            !FilterRule(p.FirmwareVersion.Value, p.PosDifVel.Value, p.Filter.Value).locked);
        ui_.Measurement->FilterS->setItemIndex(p.Filter.Value);
    }
    PaintGroup(ui_.Measurement->FilterS, p.Filter);
}

void ParameterView::ShowFrameOptions()
{
    const TSSICom::ParameterStruct& p = session_.Parameter();
    if (p.FrameOptions.Valid) {
        const FrameOptionsView view = FrameOptionsFor(p.Model.Value, p.FirmwareVersion.Value, p.FrameOptions.Value);
        ui_.Measurement2->Siemens->setEnabled(view.siemensEnabled);
        SetIfGiven(ui_.Measurement2->Siemens, view.siemensChecked);
        SetIfGiven(ui_.Measurement2->Temperature, view.temperatureChecked);
    } else {
        ui_.Measurement2->Siemens->setEnabled(false);
    }
    PaintGroup(ui_.Measurement2->Siemens, p.FrameOptions);
    PaintGroup(ui_.Measurement2->Temperature, p.FrameOptions);
}

void ParameterView::ShowOffset()
{
    const TSSICom::ParameterStruct& p = session_.Parameter();
    ui_.Measurement->Offset->setEnabled(p.Offset.Valid);
    if (p.Offset.Valid)
        ui_.Measurement->Offset->setText(Number(
            ShownOffset(p.FirmwareVersion.Value, p.Offset.Value, p.Resolution.Value, p.Filter.Value, p.Scale.Value)));
    PaintEdit(ui_.Measurement->Offset, p.Offset);
}

void ParameterView::ShowSensorInformation()
{
    const TSSICom::ParameterStruct& p = session_.Parameter();
    const ModelInfo model = ModelFor(p.Model.Value);
    session_.SetModelCode(model.modelCode);
    ui_.InfoLabel1->setText(QString::fromStdString(model.sensorType));
    ui_.InfoLabel2->setText(QString::fromStdString(LengthText(p.Length.Value)));
    ui_.InfoLabel3->setText(QString::fromStdString(p.FactoryNumber.Reply));
    ui_.InfoLabel4->setText(QString::fromStdString(UltrasonicSpeedText(p.UltrasonicSpeed.Value)));
    const CycleTimeDisplay cycle
        = CycleTimeDisplayFor({p.Mode.Value, p.FrameOptions.Value, p.OutputCode.Value, p.MagnetCount.Value,
            p.JitterWindow.Value, p.SyncTiming.Value, p.CycleTime.Value, ui_.Measurement2->TempComp->isChecked()});
    syncPeriodOffset_ = cycle.syncPeriodOffset;
    ui_.InfoLabel5->setText(QString::fromStdString(cycle.text));
    ui_.InfoLabel6->setText(QString::fromStdString(FirmwareVersionText(p.FirmwareVersion.Reply)));
}

void ParameterView::ShowProcessOptions()
{
    const TSSICom::ParameterStruct& p = session_.Parameter();
    const ProcessOptionsView view
        = ProcessOptionsFor(p.ProcessOptions.Valid, p.ProcessOptions.Value, p.FirmwareVersion.Value);
    for (QCheckBox* check : {ui_.Measurement2->Linearisierung, ui_.Measurement2->Extrapolation,
             ui_.Measurement2->TempComp, ui_.Measurement2->Temperature})
        check->setEnabled(view.enabled);
    ui_.Measurement2->ExtrapolForward->setEnabled(view.extrapolForwardEnabled);
    ui_.Measurement2->Linearisierung->setChecked(view.linearisierung);
    ui_.Measurement2->Extrapolation->setChecked(view.extrapolation);
    SetIfGiven(ui_.Measurement2->ExtrapolForward, view.extrapolForward);
    SetIfGiven(ui_.Measurement2->TempComp, view.tempComp);
    if (view.disableMode)
        ui_.SSISettings->Mode->setEnabled(false);
    for (QCheckBox* check : {ui_.Measurement2->Linearisierung, ui_.Measurement2->Extrapolation,
             ui_.Measurement2->TempComp, ui_.Measurement2->ExtrapolForward, ui_.Measurement2->Temperature})
        PaintGroup(check, p.ProcessOptions);
}

void ParameterView::ShowMode()
{
    const TSSICom::ParameterStruct& p = session_.Parameter();
    if (p.Mode.Valid) {
        const ModeView view = ModeFor(p.Model.Value, ui_.Measurement2->Extrapolation->isChecked(), p.Mode.Value);
        ui_.SSISettings->Mode->setEnabled(view.enabled);
        ui_.SSISettings->Mode->setItemIndex(view.index);
    } else {
        ui_.SSISettings->Mode->setEnabled(false);
    }
    PaintGroup(ui_.SSISettings->Mode, p.Mode);
}

// The SSI sample cycle exists on the firmware that the firmware page can update.
void ParameterView::ShowSsiSampleCycle()
{
    const TSSICom::ParameterStruct& p = session_.Parameter();
    const bool usable = FirmwarePageUsable(p.FirmwareVersion.Value);
    ui_.SSISettings->SSI_Abstand->setEnabled(usable);
    if (usable)
        ui_.SSISettings->SSI_Abstand->setText(Number(p.SSISampleTime.Value));
}

void ParameterView::ShowChargepump()
{
    const TSSICom::DataElement& chargepump = session_.Parameter().Chargepump;
    if (chargepump.Valid) {
        ui_.ExpertSettings->ChargepumpStages->setEnabled(true);
        applyLanguage_();
        const bool wbf = IsWbf(session_.ModelCode());
        if (wbf)
            ui_.ExpertSettings->K_SERIE->hide();
        ui_.ExpertSettings->ChargepumpStages->setItemIndex(ChargepumpItem(chargepump.Value, wbf).value_or(NoSelection));
    } else {
        ui_.ExpertSettings->ChargepumpStages->setEnabled(false);
    }
    PaintGroup(ui_.ExpertSettings->ChargepumpStages, chargepump);
}

void ParameterView::ShowModel()
{
    const TSSICom::DataElement& model = session_.Parameter().Model;
    if (model.Valid) {
        ui_.ExpertSettings->Model->setEnabled(true);
        ui_.ExpertSettings->Model->setItemIndex(ModelFor(model.Value).radioIndex);
    }
    PaintGroup(ui_.ExpertSettings->Model, model);
}

// The factor decides what the Linearisierung option means on this sensor.
void ParameterView::ShowLinearisierungCaption()
{
    const CaptionAndHint& linearisierung = LinearisierungTexts(areas_.linearization.Factor());
    if (const std::optional<std::string> caption = Pick(linearisierung.caption, session_.LanguageCode())) {
        ui_.Measurement2->Linearisierung->setText(QString::fromStdString(*caption));
        SetHint(ui_.Measurement2->Linearisierung, TextOrEmpty(Pick(linearisierung.hint, session_.LanguageCode())));
    }
}

void ParameterView::ShowNewerFirmwareFields()
{
    const TSSICom::ParameterStruct& p = session_.Parameter();
    const bool newer = PassesFamily39606Test(p.FirmwareVersion.Value, BlankingThreshold);
    for (const auto& [edit, element] :
        {std::pair<TLabeledEdit*, const TSSICom::DataElement&>{ui_.ExpertSettings->Blanking, p.Blanking},
            std::pair<TLabeledEdit*, const TSSICom::DataElement&>{ui_.Measurement2->IgnoreSsiClkNum, p.InitDelay}}) {
        const bool shown = newer && element.Valid;
        edit->setEnabled(shown);
        if (shown)
            edit->setText(Number(element.Value));
        PaintEdit(edit, element);
    }
}

void ParameterView::ApplyModelRules()
{
    const TSSICom::DataElement& model = session_.Parameter().Model;
    if (!model.Valid)
        return;
    ui_.ExpertSettings->Model->setEnabled(true);
    const bool wSeries = IsWSeriesModelIndex(ui_.ExpertSettings->Model->itemIndex());
    ui_.SSISettings->JitterWindow->setReadOnly(wSeries);
    SetControlColour(ui_.SSISettings->JitterWindow, wSeries ? ButtonFaceColour() : WindowColour);
    if (!wSeries)
        ui_.Measurement2->Siemens->setEnabled(SiemensUsable(model.Value));
}

void ParameterView::ShowCycleTimeCaption()
{
    const int32_t mode = session_.Parameter().Mode.Value;
    if (const std::optional<std::string> caption = Pick(CycleTimeCaptionFor(mode), session_.LanguageCode()))
        ui_.Label5->setText(QString::fromStdString(*caption));
}

// After a language switch the set in memory is shown again in the new words, also while
// no sensor answers.
void ParameterView::ShowLanguageDependentTexts()
{
    if (!session_.ParameterSetRead())
        return;
    areas_.sensorTest.ShowRangePointFields();
    ShowCycleTimeCaption();
    if (areas_.linearization.PageUsable())
        ShowLinearisierungCaption();
}

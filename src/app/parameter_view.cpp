#include <QCheckBox>

#include "control_colours.h"
#include "labeled_edit.h"
#include "main_form.h"
#include "presentation.h"
#include "radio_group.h"
#include "ui_main_form.h"

namespace {

using Element = TSSICom::DataElement;

QString Number(int64_t value) { return QString::number(value); }

// Edits are white, radio groups and check boxes button-face, unless their element changed.
void PaintEdit(QWidget* control, const Element& element)
{
    SetControlColour(control, element.Changed ? ChangedColour : WindowColour);
}

void PaintGroup(QWidget* control, const Element& element)
{
    SetControlColour(control, element.Changed ? ChangedColour : ButtonFaceColour());
}

void ShowEditText(TLabeledEdit* edit, const Element& element, const QString& text)
{
    edit->setEnabled(element.Valid);
    if (element.Valid)
        edit->setText(text);
    PaintEdit(edit, element);
}

void ShowEdit(TLabeledEdit* edit, const Element& element) { ShowEditText(edit, element, Number(element.Value)); }

QColor ColourOf(FieldColour colour)
{
    switch (colour) {
    case FieldColour::Changed:
        return ChangedColour;
    case FieldColour::White:
        return WindowColour;
    case FieldColour::ButtonFace:
        break;
    }
    return ButtonFaceColour();
}

void ShowGroup(TRadioGroup* group, const Element& element, int index)
{
    group->setEnabled(element.Valid);
    if (element.Valid)
        group->setItemIndex(index);
    PaintGroup(group, element);
}

void ShowCheck(QCheckBox* check, const Element& element)
{
    check->setEnabled(element.Valid);
    if (element.Valid)
        check->setChecked(element.Value != 0);
    PaintGroup(check, element);
}

void SetIfGiven(QCheckBox* check, std::optional<bool> checked)
{
    if (checked)
        check->setChecked(*checked);
}

QString Text(const std::optional<std::string>& text) { return QString::fromStdString(text.value_or(std::string())); }

}  // namespace

// Copies the register set into every control. Two combinations the firmware cannot use
// are corrected on the spot and written to the sensor.
void TMainForm::RefreshParameterView()
{
    const TSSICom::ParameterStruct& p = SSICom->Parameter;
    UpdatingView = true;
    ShowGroup(ui->SSISettings->CodingGroup, p.OutputCode, p.OutputCode.Value);
    ShowBitWidth();
    ShowEdit(ui->ErrorIndication->ErrorValue, p.ErrorValue);
    ShowEdit(ui->ErrorIndication->ErrorCount, p.IndicationCounter);
    ShowFilter();
    ShowCheck(ui->Measurement->SlowAvarageFilter, p.SlowAvarageFilter);
    ShowGroup(ui->Measurement->Direction, p.Direction, p.Direction.Value);
    ShowCheck(ui->SSISettings->SSI_Start_CheckBox, p.SyncStart);
    ShowGroup(ui->Measurement->PosDifVel, p.PosDifVel, PosDifVelIndex(p.PosDifVel.Value));
    ShowFrameOptions();
    ShowEdit(ui->Measurement->Resolution, p.Resolution);
    ShowOffset();
    ShowSensorInformation();
    ShowEditText(ui->ExpertSettings->FactoryNumber, p.FactoryNumber, QString::fromStdString(p.FactoryNumber.Reply));
    ShowEdit(ui->ExpertSettings->Length, p.Length);
    ShowEdit(ui->ExpertSettings->UltrasonicSpeed, p.UltrasonicSpeed);
    if (p.Scale.Valid) {
        ui->ExpertSettings->Scale->setText(Number(static_cast<uint32_t>(p.Scale.Value)));
        if (IsHalfMicronScale(p.Scale.Value))
            ui->Measurement->Resolution->setText(texts::HalfMicronResolution);
    }
    ShowEdit(ui->ExpertSettings->CycleTime, p.CycleTime);
    ShowEdit(ui->ExpertSettings->SyncTiming, p.SyncTiming);
    ShowEdit(ui->SSISettings->MonoflopTime, p.MonoflopTime);
    ShowEdit(ui->SSISettings->UARTWrites, p.UARTCounter);
    ShowEdit(ui->ErrorIndication->PowerFail, p.PowerfailTime);
    ShowProcessOptions();
    ShowMode();
    ShowFirmwarePage();
    ShowChargepump();
    ShowEdit(ui->SSISettings->JitterWindow, p.JitterWindow);
    ShowModel();
    ui->ErrorIndication->ErrorValue2->setEnabled(p.SecErrorValue.Valid);
    if (p.SecErrorValue.Valid)
        ui->ErrorIndication->ErrorValue2->setChecked(p.SecErrorValue.Value == 0);
    PaintGroup(ui->ErrorIndication->ErrorValue2, p.SecErrorValue);
    ShowLinearizationPage();
    ShowLinStartValue();
    ShowRangePointFields();
    if (const std::optional<std::string> caption = Pick(CycleTimeCaptionFor(p.Mode.Value), LanguageCode))
        ui->Label5->setText(QString::fromStdString(*caption));
    ShowNewerFirmwareFields();
    ApplyModelRules();
    UpdatingView = false;
}

// A value the firmware cannot use is replaced with a message, shown as changed and written
// to the sensor at once; a failed write ends the session.
void TMainForm::CorrectElement(TSSICom::DataElement& element, int32_t corrected, const BilingualMessage& message,
    QWidget* control, bool (TSSICom::*write)())
{
    ShowMessage(message, DialogButtons::Ok, DialogIcon::Information);
    element.Value = corrected;
    element.Changed = 1;
    SetControlColour(control, ChangedColour);
    if ((SSICom.get()->*write)()) {
        MarkUnsaved();
        return;
    }
    ReportCommunicationError();
    MarkSaved();
    SessionActive = false;
}

void TMainForm::ShowBitWidth()
{
    TSSICom::DataElement& bitWidth = SSICom->Parameter.BitWidth;
    ui->SSISettings->BitWidth->setEnabled(bitWidth.Valid);
    if (bitWidth.Valid) {
        const TSSICom::ParameterStruct& p = SSICom->Parameter;
        const CorrectionRule rule = BitWidthRule(p.FirmwareVersion.Value, p.FrameOptions.Value, bitWidth.Value);
        if (rule.correct)
            CorrectElement(bitWidth, CorrectedBitWidth, texts::BitWidthCorrection, ui->SSISettings->BitWidth,
                &TSSICom::WriteBitWidth);
        ui->SSISettings->BitWidth->setEnabled(!rule.locked);
        ui->SSISettings->BitWidth->setText(Number(bitWidth.Value));
    }
    PaintEdit(ui->SSISettings->BitWidth, bitWidth);
}

void TMainForm::ShowFilter()
{
    TSSICom::DataElement& filter = SSICom->Parameter.Filter;
    ui->Measurement->FilterS->setEnabled(filter.Valid);
    if (filter.Valid) {
        const TSSICom::ParameterStruct& p = SSICom->Parameter;
        const CorrectionRule rule = FilterRule(p.FirmwareVersion.Value, p.PosDifVel.Value, filter.Value);
        if (rule.correct)
            CorrectElement(
                filter, CorrectedFilter, texts::FilterCorrection, ui->Measurement->FilterS, &TSSICom::WriteFilter);
        ui->Measurement->FilterS->setEnabled(!rule.locked);
        ui->Measurement->FilterS->setItemIndex(filter.Value);
    }
    PaintGroup(ui->Measurement->FilterS, filter);
}

void TMainForm::ShowFrameOptions()
{
    const TSSICom::ParameterStruct& p = SSICom->Parameter;
    if (p.FrameOptions.Valid) {
        const FrameOptionsView view = FrameOptionsFor(p.Model.Value, p.FirmwareVersion.Value, p.FrameOptions.Value);
        ui->Measurement2->Siemens->setEnabled(view.siemensEnabled);
        SetIfGiven(ui->Measurement2->Siemens, view.siemensChecked);
        SetIfGiven(ui->Measurement2->Temperature, view.temperatureChecked);
    } else {
        ui->Measurement2->Siemens->setEnabled(false);
    }
    PaintGroup(ui->Measurement2->Siemens, p.FrameOptions);
    PaintGroup(ui->Measurement2->Temperature, p.FrameOptions);
}

void TMainForm::ShowOffset()
{
    const TSSICom::ParameterStruct& p = SSICom->Parameter;
    ui->Measurement->Offset->setEnabled(p.Offset.Valid);
    if (p.Offset.Valid)
        ui->Measurement->Offset->setText(Number(
            ShownOffset(p.FirmwareVersion.Value, p.Offset.Value, p.Resolution.Value, p.Filter.Value, p.Scale.Value)));
    PaintEdit(ui->Measurement->Offset, p.Offset);
}

void TMainForm::ShowSensorInformation()
{
    const TSSICom::ParameterStruct& p = SSICom->Parameter;
    const ModelInfo model = ModelFor(p.Model.Value);
    ModelCode = model.modelCode;
    ui->InfoLabel1->setText(QString::fromStdString(model.sensorType));
    ui->InfoLabel2->setText(QString::fromStdString(LengthText(p.Length.Value)));
    ui->InfoLabel3->setText(QString::fromStdString(p.FactoryNumber.Reply));
    ui->InfoLabel4->setText(QString::fromStdString(UltrasonicSpeedText(p.UltrasonicSpeed.Value)));
    const CycleTimeDisplay cycle
        = CycleTimeDisplayFor({p.Mode.Value, p.FrameOptions.Value, p.OutputCode.Value, p.MagnetCount.Value,
            p.JitterWindow.Value, p.SyncTiming.Value, p.CycleTime.Value, ui->Measurement2->TempComp->isChecked()});
    SyncPeriodOffset = cycle.syncPeriodOffset;
    ui->InfoLabel5->setText(QString::fromStdString(cycle.text));
    ui->InfoLabel6->setText(QString::fromStdString(FirmwareVersionText(p.FirmwareVersion.Reply)));
}

void TMainForm::ShowProcessOptions()
{
    const TSSICom::ParameterStruct& p = SSICom->Parameter;
    const ProcessOptionsView view
        = ProcessOptionsFor(p.ProcessOptions.Valid, p.ProcessOptions.Value, p.FirmwareVersion.Value);
    for (QCheckBox* check : {ui->Measurement2->Linearisierung, ui->Measurement2->Extrapolation,
             ui->Measurement2->TempComp, ui->Measurement2->Temperature})
        check->setEnabled(view.enabled);
    ui->Measurement2->ExtrapolForward->setEnabled(view.extrapolForwardEnabled);
    ui->Measurement2->Linearisierung->setChecked(view.linearisierung);
    ui->Measurement2->Extrapolation->setChecked(view.extrapolation);
    SetIfGiven(ui->Measurement2->ExtrapolForward, view.extrapolForward);
    SetIfGiven(ui->Measurement2->TempComp, view.tempComp);
    if (view.disableMode)
        ui->SSISettings->Mode->setEnabled(false);
    for (QCheckBox* check : {ui->Measurement2->Linearisierung, ui->Measurement2->Extrapolation,
             ui->Measurement2->TempComp, ui->Measurement2->ExtrapolForward, ui->Measurement2->Temperature})
        PaintGroup(check, p.ProcessOptions);
}

void TMainForm::ShowMode()
{
    const TSSICom::ParameterStruct& p = SSICom->Parameter;
    if (p.Mode.Valid) {
        const ModeView view = ModeFor(p.Model.Value, ui->Measurement2->Extrapolation->isChecked(), p.Mode.Value);
        ui->SSISettings->Mode->setEnabled(view.enabled);
        ui->SSISettings->Mode->setItemIndex(view.index);
    } else {
        ui->SSISettings->Mode->setEnabled(false);
    }
    PaintGroup(ui->SSISettings->Mode, p.Mode);
}

void TMainForm::ShowFirmwarePage()
{
    const TSSICom::ParameterStruct& p = SSICom->Parameter;
    const bool usable = FirmwarePageUsable(p.FirmwareVersion.Value);
    ui->SSISettings->SSI_Abstand->setEnabled(usable);
    if (usable)
        ui->SSISettings->SSI_Abstand->setText(Number(p.SSISampleTime.Value));
    for (QWidget* control : std::initializer_list<QWidget*>{
             ui->Firmware->LoadFile, ui->Firmware->UpdateFW, ui->Firmware->InfoBox, ui->Firmware->Download})
        control->setEnabled(usable);
    for (QWidget* list : std::initializer_list<QWidget*>{ui->Firmware->InfoBox, ui->Firmware->Download})
        SetControlColour(list, usable ? WindowColour : ButtonFaceColour());
}

void TMainForm::ShowChargepump()
{
    const TSSICom::DataElement& chargepump = SSICom->Parameter.Chargepump;
    if (chargepump.Valid) {
        ui->ExpertSettings->ChargepumpStages->setEnabled(true);
        ApplyLanguage();
        const bool wbf = IsWbf(ModelCode);
        if (wbf)
            ui->ExpertSettings->K_SERIE->hide();
        ui->ExpertSettings->ChargepumpStages->setItemIndex(ChargepumpIndex(chargepump.Value, wbf));
    } else {
        ui->ExpertSettings->ChargepumpStages->setEnabled(false);
    }
    PaintGroup(ui->ExpertSettings->ChargepumpStages, chargepump);
}

void TMainForm::ShowModel()
{
    const TSSICom::DataElement& model = SSICom->Parameter.Model;
    if (model.Valid) {
        ui->ExpertSettings->Model->setEnabled(true);
        ui->ExpertSettings->Model->setItemIndex(ModelFor(model.Value).radioIndex);
    }
    PaintGroup(ui->ExpertSettings->Model, model);
}

void TMainForm::ShowLinearizationPage()
{
    TSSICom::DataElement& linValue = SSICom->Parameter.LinValue;
    const std::initializer_list<TLabeledEdit*> edits{
        ui->LinPage->ValueLabel, ui->LinPage->AdresLabel, ui->LinPage->FactorLabel};
    const std::initializer_list<QWidget*> buttons{
        ui->LinPage->ReadLinValue, ui->LinPage->WriteLinFile, ui->LinPage->PrintLinFile};
    if (!linValue.Valid) {
        for (TLabeledEdit* edit : edits) {
            edit->setEnabled(false);
            SetControlColour(edit, ButtonFaceColour());
            edit->setText("");
        }
        for (QWidget* button : buttons)
            button->setEnabled(false);
        ui->LinPage->WriteLinValue->setEnabled(false);
        ui->LinPage->LinStartValue->setText("");
        return;
    }
    for (TLabeledEdit* edit : edits) {
        edit->setEnabled(true);
        SetControlColour(edit, WindowColour);
    }
    for (QWidget* button : buttons)
        button->setEnabled(true);
    ui->LinPage->WriteLinValue->setEnabled(DeveloperAccess);
    if (ui->LinPage->AdresLabel->text().isEmpty())
        ui->LinPage->AdresLabel->setText(DefaultLinAddress);
    SSICom->ReadLinValue(LinAddressFrom(ui->LinPage->AdresLabel->text().toStdString()));
    ui->LinPage->ValueLabel->setText(Number(linValue.Value));
    SSICom->ReadLinValue(LinFactorAddress);
    ui->LinPage->FactorLabel->setText(Number(linValue.Value));
    const CaptionAndHint& linearisierung = LinearisierungTexts(linValue.Value);
    if (const std::optional<std::string> caption = Pick(linearisierung.caption, LanguageCode)) {
        ui->Measurement2->Linearisierung->setText(QString::fromStdString(*caption));
        SetHint(ui->Measurement2->Linearisierung, Text(Pick(linearisierung.hint, LanguageCode)));
    }
}

void TMainForm::ShowLinStartValue()
{
    TSSICom::DataElement& start = SSICom->Parameter.LinStartValue;
    if (start.Valid) {
        ui->LinPage->LinStartValue->setEnabled(true);
        ui->LinPage->LinStartValue->setReadOnly(!DeveloperAccess);
        if (IsEarly39604Firmware(SSICom->Parameter.FirmwareVersion.Value)) {
            start.Value = 0;
            ui->LinPage->LinStartValue->setEnabled(false);
        }
        ui->LinPage->LinStartValue->setText(Number(start.Value));
    } else {
        ui->LinPage->LinStartValue->setEnabled(false);
    }
    SetControlColour(ui->LinPage->LinStartValue, ColourOf(LinStartValueColour(start.Changed, DeveloperAccess)));
}

std::string TMainForm::RangePointText(const TSSICom::DataElement& point, int32_t undefinedValue) const
{
    const TSSICom::ParameterStruct& p = SSICom->Parameter;
    return ::RangePointText(point.Value, undefinedValue, ui->Measurement->Offset->text().toStdString(),
        ui->Measurement2->Linearisierung->isChecked(), p.Resolution.Value, LanguageCode);
}

void TMainForm::ShowRangePointFields()
{
    struct RangePoint {
        const TSSICom::DataElement& element;
        int32_t undefinedValue;
        TLabeledEdit* edit;
        QWidget* setButton;
        QWidget* deleteButton;
    };
    const TSSICom::ParameterStruct& p = SSICom->Parameter;
    for (const RangePoint& point : {RangePoint{p.StartPoint, UndefinedStartPoint, ui->Measurement2->StartPoint,
                                        ui->Measurement2->SetStartPoint, ui->Measurement2->DelStartPoint},
             RangePoint{p.EndPoint, UndefinedEndPoint, ui->Measurement2->EndPoint, ui->Measurement2->SetEndPoint,
                 ui->Measurement2->DelEndPoint}}) {
        if (point.element.Valid)
            point.edit->setText(QString::fromStdString(RangePointText(point.element, point.undefinedValue)));
        for (QWidget* control : {static_cast<QWidget*>(point.edit), point.setButton, point.deleteButton})
            control->setEnabled(point.element.Valid);
    }
}

void TMainForm::ShowNewerFirmwareFields()
{
    const TSSICom::ParameterStruct& p = SSICom->Parameter;
    const bool newer = PassesFamily39606Test(p.FirmwareVersion.Value, BlankingThreshold);
    for (const auto& [edit, element] :
        {std::pair<TLabeledEdit*, const Element&>{ui->ExpertSettings->Blanking, p.Blanking},
            std::pair<TLabeledEdit*, const Element&>{ui->Measurement2->IgnoreSsiClkNum, p.InitDelay}}) {
        const bool shown = newer && element.Valid;
        edit->setEnabled(shown);
        if (shown)
            edit->setText(Number(element.Value));
        PaintEdit(edit, element);
    }
}

void TMainForm::ApplyModelRules()
{
    const TSSICom::DataElement& model = SSICom->Parameter.Model;
    if (!model.Valid)
        return;
    ui->ExpertSettings->Model->setEnabled(true);
    const bool wSeries = IsWSeriesModelIndex(ui->ExpertSettings->Model->itemIndex());
    ui->SSISettings->JitterWindow->setReadOnly(wSeries);
    SetControlColour(ui->SSISettings->JitterWindow, wSeries ? ButtonFaceColour() : WindowColour);
    if (!wSeries)
        ui->Measurement2->Siemens->setEnabled(SiemensUsable(model.Value));
}

// Reads both range points, shows them and checks that the range is not empty.
bool TMainForm::ShowRangePoints()
{
    TSSICom::ParameterStruct& p = SSICom->Parameter;
    if (!SSICom->ReadStartPoint()) {
        ShowMessage(texts::StartPointReadError, DialogButtons::Ok, DialogIcon::Error);
        p.StartPoint.Valid = 0;
        return false;
    }
    ui->Measurement2->StartPoint->setText(QString::fromStdString(RangePointText(p.StartPoint, UndefinedStartPoint)));
    p.StartPoint.Valid = 1;
    if (!SSICom->ReadEndPoint()) {
        ShowMessage(texts::EndPointReadError, DialogButtons::Ok, DialogIcon::Error);
        p.EndPoint.Valid = 0;
        return false;
    }
    ui->Measurement2->EndPoint->setText(QString::fromStdString(RangePointText(p.EndPoint, UndefinedEndPoint)));
    p.EndPoint.Valid = 1;
    if (RangeIsValid(p.StartPoint.Value, p.EndPoint.Value))
        return true;
    ShowMessage(texts::RangeError, DialogButtons::Ok, DialogIcon::Warning);
    return false;
}

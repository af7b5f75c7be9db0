#include "parameter_view.h"

#include <QCheckBox>

#include "control_colours.h"
#include "labeled_edit.h"
#include "presentation.h"
#include "radio_group.h"
#include "sensor_session.h"
#include "session_dialogs.h"
#include "session_rules.h"
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

ParameterView::ParameterView(SensorSession& session, DialogService& dialogs, Ui::TMainForm& ui, QWidget* window,
    std::function<void()> applyLanguage) :
    session_(session), dialogs_(dialogs), ui_(ui), window_(window), applyLanguage_(std::move(applyLanguage))
{
}

void ParameterView::ShowParameterSet()
{
    CorrectParameterSet();
    ReadLinearizationValues();
    RefreshParameterView();
    ShowPendingMessages();
}

// Two combinations the firmware cannot use are corrected and written to the sensor at
// once: bit width 24 while the temperature bit is set, filter 0 in velocity mode.
void ParameterView::CorrectParameterSet()
{
    TSSICom::ParameterStruct& p = session_.Parameter();
    if (p.BitWidth.Valid && BitWidthRule(p.FirmwareVersion.Value, p.FrameOptions.Value, p.BitWidth.Value).correct)
        Correct(p.BitWidth, CorrectedBitWidth, texts::BitWidthCorrection, &TSSICom::WriteBitWidth);
    if (p.Filter.Valid && FilterRule(p.FirmwareVersion.Value, p.PosDifVel.Value, p.Filter.Value).correct)
        Correct(p.Filter, CorrectedFilter, texts::FilterCorrection, &TSSICom::WriteFilter);
}

// The corrected value shows as changed; a failed write ends the session.
void ParameterView::Correct(
    Element& element, int32_t corrected, const BilingualMessage& message, bool (TSSICom::*write)())
{
    pendingMessages_.push_back(&message);
    element.Value = corrected;
    element.Changed = 1;
    if (session_.Call(write)) {
        session_.MarkUnsaved();
        return;
    }
    pendingMessages_.push_back(&texts::CommunicationError);
    session_.MarkSaved();
    session_.SetSessionActive(false);
}

// The byte at the address the page shows (200 when it shows none) and the factor at 501.
// A failed read leaves the last value of LinValue in place.
void ParameterView::ReadLinearizationValues()
{
    TSSICom::DataElement& linValue = session_.Parameter().LinValue;
    linPageUsable_ = linValue.Valid;
    if (!linPageUsable_)
        return;
    if (ui_.LinPage->AdresLabel->text().isEmpty())
        ui_.LinPage->AdresLabel->setText(DefaultLinAddress);
    session_.Call(&TSSICom::ReadLinValue, LinAddressFrom(ui_.LinPage->AdresLabel->text().toStdString()));
    linValueShown_ = linValue.Value;
    session_.Call(&TSSICom::ReadLinValue, LinFactorAddress);
    linFactor_ = linValue.Value;
}

void ParameterView::ShowPendingMessages()
{
    const std::vector<const BilingualMessage*> messages = std::move(pendingMessages_);
    pendingMessages_.clear();
    for (const BilingualMessage* message : messages)
        if (message == &texts::CommunicationError)
            ReportCommunicationError(dialogs_, window_, session_.LanguageCode());
        else
            ShowMessage(
                dialogs_, window_, session_.LanguageCode(), *message, DialogButtons::Ok, DialogIcon::Information);
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
    ShowFirmwarePage();
    ShowChargepump();
    ShowEdit(ui_.SSISettings->JitterWindow, p.JitterWindow);
    ShowModel();
    ui_.ErrorIndication->ErrorValue2->setEnabled(p.SecErrorValue.Valid);
    if (p.SecErrorValue.Valid)
        ui_.ErrorIndication->ErrorValue2->setChecked(p.SecErrorValue.Value == 0);
    PaintGroup(ui_.ErrorIndication->ErrorValue2, p.SecErrorValue);
    ShowLinearizationPage();
    ShowLinStartValue();
    ShowRangePointFields();
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

void ParameterView::ShowFirmwarePage()
{
    const TSSICom::ParameterStruct& p = session_.Parameter();
    const bool usable = FirmwarePageUsable(p.FirmwareVersion.Value);
    ui_.SSISettings->SSI_Abstand->setEnabled(usable);
    if (usable)
        ui_.SSISettings->SSI_Abstand->setText(Number(p.SSISampleTime.Value));
    for (QWidget* control : std::initializer_list<QWidget*>{
             ui_.Firmware->LoadFile, ui_.Firmware->UpdateFW, ui_.Firmware->InfoBox, ui_.Firmware->Download})
        control->setEnabled(usable);
    for (QWidget* list : std::initializer_list<QWidget*>{ui_.Firmware->InfoBox, ui_.Firmware->Download})
        SetControlColour(list, usable ? WindowColour : ButtonFaceColour());
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
        ui_.ExpertSettings->ChargepumpStages->setItemIndex(ChargepumpIndex(chargepump.Value, wbf));
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

void ParameterView::ShowLinearizationPage()
{
    const std::initializer_list<TLabeledEdit*> edits{
        ui_.LinPage->ValueLabel, ui_.LinPage->AdresLabel, ui_.LinPage->FactorLabel};
    const std::initializer_list<QWidget*> buttons{
        ui_.LinPage->ReadLinValue, ui_.LinPage->WriteLinFile, ui_.LinPage->PrintLinFile};
    if (!linPageUsable_) {
        for (TLabeledEdit* edit : edits) {
            edit->setEnabled(false);
            SetControlColour(edit, ButtonFaceColour());
            edit->setText("");
        }
        for (QWidget* button : buttons)
            button->setEnabled(false);
        ui_.LinPage->WriteLinValue->setEnabled(false);
        ui_.LinPage->LinStartValue->setText("");
        return;
    }
    for (TLabeledEdit* edit : edits) {
        edit->setEnabled(true);
        SetControlColour(edit, WindowColour);
    }
    for (QWidget* button : buttons)
        button->setEnabled(true);
    ui_.LinPage->WriteLinValue->setEnabled(session_.DeveloperAccess());
    ui_.LinPage->ValueLabel->setText(Number(linValueShown_));
    ui_.LinPage->FactorLabel->setText(Number(linFactor_));
    ShowLinearisierungCaption();
}

// The factor decides what the Linearisierung option means on this sensor.
void ParameterView::ShowLinearisierungCaption()
{
    const CaptionAndHint& linearisierung = LinearisierungTexts(linFactor_);
    if (const std::optional<std::string> caption = Pick(linearisierung.caption, session_.LanguageCode())) {
        ui_.Measurement2->Linearisierung->setText(QString::fromStdString(*caption));
        SetHint(ui_.Measurement2->Linearisierung, Text(Pick(linearisierung.hint, session_.LanguageCode())));
    }
}

void ParameterView::ShowLinStartValue()
{
    TSSICom::DataElement& start = session_.Parameter().LinStartValue;
    if (start.Valid) {
        ui_.LinPage->LinStartValue->setEnabled(true);
        ui_.LinPage->LinStartValue->setReadOnly(!session_.DeveloperAccess());
        if (IsEarly39604Firmware(session_.Parameter().FirmwareVersion.Value)) {
            start.Value = 0;
            ui_.LinPage->LinStartValue->setEnabled(false);
        }
        ui_.LinPage->LinStartValue->setText(Number(start.Value));
    } else {
        ui_.LinPage->LinStartValue->setEnabled(false);
    }
    SetControlColour(
        ui_.LinPage->LinStartValue, ColourOf(LinStartValueColour(start.Changed, session_.DeveloperAccess())));
}

std::string ParameterView::RangePointText(const TSSICom::DataElement& point, int32_t undefinedValue) const
{
    const TSSICom::ParameterStruct& p = session_.Parameter();
    return ::RangePointText(point.Value, undefinedValue, ui_.Measurement->Offset->text().toStdString(),
        ui_.Measurement2->Linearisierung->isChecked(), p.Resolution.Value, session_.LanguageCode());
}

void ParameterView::ShowRangePointFields()
{
    struct RangePoint {
        const TSSICom::DataElement& element;
        int32_t undefinedValue;
        TLabeledEdit* edit;
        QWidget* setButton;
        QWidget* deleteButton;
    };
    const TSSICom::ParameterStruct& p = session_.Parameter();
    for (const RangePoint& point : {RangePoint{p.StartPoint, UndefinedStartPoint, ui_.Measurement2->StartPoint,
                                        ui_.Measurement2->SetStartPoint, ui_.Measurement2->DelStartPoint},
             RangePoint{p.EndPoint, UndefinedEndPoint, ui_.Measurement2->EndPoint, ui_.Measurement2->SetEndPoint,
                 ui_.Measurement2->DelEndPoint}}) {
        if (point.element.Valid)
            point.edit->setText(QString::fromStdString(RangePointText(point.element, point.undefinedValue)));
        for (QWidget* control : {static_cast<QWidget*>(point.edit), point.setButton, point.deleteButton})
            control->setEnabled(point.element.Valid);
    }
}

void ParameterView::ShowNewerFirmwareFields()
{
    const TSSICom::ParameterStruct& p = session_.Parameter();
    const bool newer = PassesFamily39606Test(p.FirmwareVersion.Value, BlankingThreshold);
    for (const auto& [edit, element] :
        {std::pair<TLabeledEdit*, const Element&>{ui_.ExpertSettings->Blanking, p.Blanking},
            std::pair<TLabeledEdit*, const Element&>{ui_.Measurement2->IgnoreSsiClkNum, p.InitDelay}}) {
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
    ShowRangePointFields();
    ShowCycleTimeCaption();
    if (linPageUsable_)
        ShowLinearisierungCaption();
}

// Reads both range points, shows them and checks that the range is not empty.
bool ParameterView::ShowRangePoints()
{
    TSSICom::ParameterStruct& p = session_.Parameter();
    const auto fail = [&](Element& point, const BilingualMessage& message) {
        ShowMessage(dialogs_, window_, session_.LanguageCode(), message, DialogButtons::Ok, DialogIcon::Error);
        point.Valid = 0;
        return false;
    };
    if (!session_.Call(&TSSICom::ReadStartPoint))
        return fail(p.StartPoint, texts::StartPointReadError);
    ui_.Measurement2->StartPoint->setText(QString::fromStdString(RangePointText(p.StartPoint, UndefinedStartPoint)));
    p.StartPoint.Valid = 1;
    if (!session_.Call(&TSSICom::ReadEndPoint))
        return fail(p.EndPoint, texts::EndPointReadError);
    ui_.Measurement2->EndPoint->setText(QString::fromStdString(RangePointText(p.EndPoint, UndefinedEndPoint)));
    p.EndPoint.Valid = 1;
    if (RangeIsValid(p.StartPoint.Value, p.EndPoint.Value))
        return true;
    ShowMessage(dialogs_, window_, session_.LanguageCode(), texts::RangeError, DialogButtons::Ok, DialogIcon::Warning);
    return false;
}

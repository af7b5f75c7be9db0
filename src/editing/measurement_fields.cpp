// The fields of the measurement pages 1 and 2. The offset register is kept in resolution
// and filter units and the scale follows from resolution and speed, so these handlers
// write the registers that depend on their own with it.

#include <QCheckBox>

#include "control_colours.h"
#include "editing_controller.h"
#include "editing_rules.h"
#include "editing_texts.h"
#include "element_controls.h"
#include "labeled_edit.h"
#include "page_rules.h"
#include "radio_group.h"
#include "sensor_session.h"
#include "wire_format.h"

namespace {

constexpr int32_t Family39604 = 39604;
constexpr int32_t Differential = 1;
constexpr int32_t Velocity = 2;
constexpr int32_t LowestResolution = 1;
constexpr int32_t WSeriesLowestResolution = 10;

}  // namespace

bool EditingController::HalfMicron() const { return IsHalfMicronScale(Set().Scale.Value); }

bool EditingController::OffsetFollowsFilter() const
{
    const TSSICom::ParameterStruct& p = Set();
    return p.Resolution.Value != 0 && !IsEarly39604Firmware(p.FirmwareVersion.Value);
}

void EditingController::OnChangeFilter()
{
    TRadioGroup* group = pages_.measurement.FilterS;
    TSSICom::ParameterStruct& p = Set();
    if (ClickIgnored(Guard::On) || GroupRefused(group, p.Filter, group->itemIndex() != 0))
        return;
    const int32_t oldFilter = p.Filter.Value;
    p.Filter.Value = group->itemIndex();
    MarkChanged(p.Filter, group);
    if (OffsetFollowsFilter())
        p.Offset.Value = RescaledOffset(p.Offset.Value, p.Filter.Value, oldFilter);
    Conclude(SendAll({&TSSICom::WriteFilter, &TSSICom::WriteOffset}));
}

// The offset in µm is mirrored at the sensor's end, so that the origin stays where it is.
void EditingController::OnChangeDirection()
{
    TRadioGroup* group = pages_.measurement.Direction;
    TSSICom::ParameterStruct& p = Set();
    if (ClickIgnored(Guard::On) || GroupRefused(group, p.Direction, group->itemIndex() == 1))
        return;
    SetControlColour(group, ChangedColour);
    p.Direction.Value = group->itemIndex();
    TLabeledEdit* offset = pages_.measurement.Offset;
    offset->setText(QString::fromStdString(MirrorOffset(offset->text().toStdString(), p.Length.Value, p.Model.Value)));
    OnEditOffset();
    p.Direction.Changed = 1;
    Conclude(Send(&TSSICom::WriteDirection));
}

void EditingController::OnChangePosDifVel()
{
    TRadioGroup* group = pages_.measurement.PosDifVel;
    TSSICom::ParameterStruct& p = Set();
    if (ClickIgnored(Guard::On) || GroupRefused(group, p.PosDifVel, group->itemIndex() != 0))
        return;
    p.PosDifVel.Value = group->itemIndex();
    MarkChanged(p.PosDifVel, group);
    p.MagnetCount.Value = MagnetCountFor(p.PosDifVel.Value);
    if (p.PosDifVel.Value == Differential && !ClearOffsetForDifferential())
        return;
    RecomputeCycleTimesForLinearization();
    Conclude(SendAll({&TSSICom::WritePosDifVel, &TSSICom::WriteMagnetCount}));
    ApplyVelocityFilterRule();
}

// The sensor adds the offset to the difference of the two magnets. False when the
// offset field holds no number: the handler stops there.
bool EditingController::ClearOffsetForDifferential()
{
    const std::optional<int32_t> microns = StrictOffsetMicrons();
    if (!microns)
        return false;
    if (*microns == 0)
        return true;
    Show(texts::DifferentialOffset);
    TLabeledEdit* offset = pages_.measurement.Offset;
    SetControlColour(offset, ChangedColour);
    Set().Offset.Value = 0;
    offset->setText("0");
    Set().Offset.Changed = 1;
    return true;
}

// Newer firmware averages nothing in velocity mode: the filter goes to 0 and is locked.
void EditingController::ApplyVelocityFilterRule()
{
    TSSICom::ParameterStruct& p = Set();
    TRadioGroup* filter = pages_.measurement.FilterS;
    if (!IsLate39606(p.FirmwareVersion.Value) || p.PosDifVel.Value != Velocity) {
        filter->setEnabled(true);
        return;
    }
    Show(texts::VelocityFilter, DialogIcon::Information);
    if (filter->itemIndex() != 0)
        SetControlColour(filter, ChangedColour);
    p.Filter.Value = 0;
    filter->setItemIndex(0);
    p.Filter.Changed = 1;
    filter->setEnabled(false);
    Conclude(Send(&TSSICom::WriteFilter));
}

void EditingController::SaveResolutionValues()
{
    const TSSICom::ParameterStruct& p = Set();
    savedScale_ = p.Scale.Value;
    savedOffset_ = p.Offset.Value;
    savedResolution_ = p.Resolution.Value;
}

void EditingController::OnEditResolution()
{
    if (Viewing())
        return;
    SaveResolutionValues();
    TLabeledEdit* edit = pages_.measurement.Resolution;
    const std::string text = edit->text().toStdString();
    const std::optional<int32_t> resolution = ChangeValue(*FieldRuleOf("Resolution"), text);
    if (resolution) {
        if (!ChangeResolution(*resolution))
            return;
    } else if (IsHalfMicronEntry(text)) {
        edit->setText(HalfMicronText);
        _05umClick();
    } else {
        return;
    }
    RecomputeCycleTimesForLinearization();
}

// False when the offset field holds no number: nothing is written then.
bool EditingController::ChangeResolution(int32_t resolution)
{
    TSSICom::ParameterStruct& p = Set();
    p.Resolution.Changed = 1;
    p.Scale.Changed = 1;
    SetControlColour(pages_.measurement.Resolution, ChangedColour);
    p.Resolution.Value = resolution;
    p.Scale.Value = ScaleForResolution(p.UltrasonicSpeed.Value, resolution);
    const std::optional<int32_t> microns = StrictOffsetMicrons();
    if (!microns)
        return false;
    if (FirmwareFamily(p.FirmwareVersion.Value) != Family39604) {
        p.Offset.Value = OffsetRegister(*microns, p.Filter.Value, resolution, false);
        p.Offset.Changed = 1;
    }
    if (WriteResolutionScaleOffset())
        return true;
    RestoreResolution(resolution);
    return true;
}

bool EditingController::WriteResolutionScaleOffset()
{
    if (!SendAll({&TSSICom::WriteResolution, &TSSICom::WriteScale, &TSSICom::WriteOffset}))
        return false;
    session_.MarkUnsaved();
    ShowScale();
    return true;
}

// The sensor refused the resolution (a W-series sensor takes 10 µm and more): the values
// before it are written back; only when that fails too is the link at fault.
void EditingController::RestoreResolution(int32_t refused)
{
    TSSICom::ParameterStruct& p = Set();
    if (IsWSeriesModel(p.Model.Value) && refused < WSeriesLowestResolution)
        Show(texts::WSeriesResolution, DialogIcon::Error);
    p.Scale.Value = savedScale_;
    p.Offset.Value = savedOffset_;
    p.Resolution.Value = savedResolution_;
    if (!WriteResolutionScaleOffset())
        EndSession();
}

void EditingController::OnChangeResolution() { ExitField(pages_.measurement.Resolution, texts::ResolutionExit); }

// The 0.5 µm resolution: resolution 1 with the doubled scale, on K-series sensors of family 3960.
void EditingController::_05umClick()
{
    TSSICom::ParameterStruct& p = Set();
    if (!HalfMicronQualifies(p.FirmwareVersion.Value, p.Model.Reply)) {
        Show(texts::HalfMicronNotAvailable, DialogIcon::Error);
        return;
    }
    SaveResolutionValues();
    p.Resolution.Changed = 1;
    p.Scale.Changed = 1;
    SetControlColour(pages_.measurement.Resolution, ChangedColour);
    p.Resolution.Value = LowestResolution;
    p.Scale.Value = HalfMicronScale(p.UltrasonicSpeed.Value);
    const std::optional<int32_t> microns = StrictOffsetMicrons();
    if (!microns)
        return;
    if (FirmwareFamily(p.FirmwareVersion.Value) != Family39604) {
        p.Offset.Value = OffsetRegister(*microns, p.Filter.Value, LowestResolution, true);
        p.Offset.Changed = 1;
    }
    if (WriteResolutionScaleOffset())
        pages_.measurement.Resolution->setText(HalfMicronText);
    else
        EndSession();
    RecomputeCycleTimesForLinearization();
}

// While the firmware keeps the offset in µm, the field shows the register and cannot change.
void EditingController::OnEditOffset()
{
    if (Viewing())
        return;
    TSSICom::ParameterStruct& p = Set();
    TLabeledEdit* edit = pages_.measurement.Offset;
    if (!OffsetFollowsFilter()) {
        edit->setText(Number(p.Offset.Value));
        return;
    }
    p.Offset.Value = OffsetRegister(OffsetMicrons(), p.Filter.Value, p.Resolution.Value, HalfMicron());
    MarkChanged(p.Offset, edit);
    Conclude(Send(&TSSICom::WriteOffset));
}

void EditingController::OnChangeOffset() { ExitField(pages_.measurement.Offset, texts::OffsetExit); }

void EditingController::SlowAvarageFilterClick()
{
    QCheckBox* box = pages_.measurement.SlowAvarageFilter;
    TSSICom::DataElement& slow = Set().SlowAvarageFilter;
    if (ClickIgnored(Guard::On) || SwitchRefused(box, slow, texts::WSeriesSsiRefusal))
        return;
    Commit(slow, box->isChecked() ? 1 : 0, box, &TSSICom::WriteSlowAvarageFilter);
}

void EditingController::OnChangeSiemens()
{
    QCheckBox* box = pages_.measurement2.Siemens;
    TSSICom::ParameterStruct& p = Set();
    if (ClickIgnored(Guard::On) || BitRefused(box, p.FrameOptions, ParityErrorBit))
        return;
    Commit(p.FrameOptions, FrameOptionsForSiemens(p.FrameOptions.Value, box->isChecked(), p.FirmwareVersion.Value), box,
        &TSSICom::WriteFrameOptions);
}

// Newer firmware sends the temperature in bits 24 to 31: the position gets 24 bits.
void EditingController::TemperatureClick()
{
    QCheckBox* box = pages_.measurement2.Temperature;
    TSSICom::ParameterStruct& p = Set();
    if (ClickIgnored(Guard::On) || BitRefused(box, p.FrameOptions, TemperatureBit))
        return;
    Commit(p.FrameOptions, WithBit(p.FrameOptions.Value, TemperatureBit, box->isChecked()), box,
        &TSSICom::WriteFrameOptions);
    if (!IsLate39606(p.FirmwareVersion.Value))
        return;
    TLabeledEdit* bitWidth = pages_.ssiSettings.BitWidth;
    if (!box->isChecked()) {
        bitWidth->setEnabled(true);
        return;
    }
    Show(texts::TemperatureBitWidth, DialogIcon::Information);
    SetControlColour(bitWidth, ChangedColour);
    p.BitWidth.Value = CorrectedBitWidth;
    bitWidth->setText(Number(CorrectedBitWidth));
    p.BitWidth.Changed = 1;
    bitWidth->setEnabled(false);
    Conclude(Send(&TSSICom::WriteBitWidth));
}

// The cycle times differ with internal linearization.
void EditingController::LinearisierungClick()
{
    QCheckBox* box = pages_.measurement2.Linearisierung;
    TSSICom::DataElement& options = Set().ProcessOptions;
    if (ClickIgnored(Guard::On) || BitRefused(box, options, LinearizationBit))
        return;
    SetControlColour(box, ChangedColour);
    options.Value = WithBit(options.Value, LinearizationBit, box->isChecked());
    options.Changed = 1;
    OnEditLength();
    Conclude(Send(&TSSICom::WriteProcessOptions));
}

// Extrapolation needs the synchronous start; without it the user must choose the start again.
void EditingController::ExtrapolationClick()
{
    if (Viewing())
        return;
    QCheckBox* box = pages_.measurement2.Extrapolation;
    TSSICom::DataElement& options = Set().ProcessOptions;
    TRadioGroup* mode = pages_.ssiSettings.Mode;
    QCheckBox* forward = pages_.measurement2.ExtrapolForward;
    SetControlColour(box, ChangedColour);
    options.Value = WithBit(options.Value, ExtrapolationBit, box->isChecked());
    if (box->isChecked()) {
        if (WSeriesSelected())
            ArmGuard();
        mode->setItemIndex(1);
        mode->setEnabled(false);
        forward->setEnabled(true);
    } else {
        forward->setChecked(false);
        forward->setEnabled(false);
        mode->setEnabled(true);
        if (!WSeriesSelected())
            Show(texts::ExtrapolationOff);
    }
    options.Changed = 1;
    Conclude(Send(&TSSICom::WriteProcessOptions));
}

void EditingController::ExtrapolForwardClick()
{
    ClickOptionBit(
        pages_.measurement2.ExtrapolForward, Set().ProcessOptions, RealExtrapolationBit, &TSSICom::WriteProcessOptions);
}

void EditingController::TempCompClick()
{
    ClickOptionBit(pages_.measurement2.TempComp, Set().ProcessOptions, TempCompBit, &TSSICom::WriteProcessOptions);
}

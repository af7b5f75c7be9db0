#include "parameter_change.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <optional>
#include <span>

#include "editing_rules.h"
#include "element_table.h"
#include "wire_format.h"

namespace {

using P = TSSICom::ParameterStruct;
using Member = TSSICom::DataElement P::*;

// The values a radio group or check box can give its element.
struct ControlItems {
    std::string_view element;
    std::array<int32_t, 4> values;
    size_t count;

    bool Offers(int32_t value) const
    {
        const auto offered = std::span(values).first(count);
        return std::ranges::find(offered, value) != offered.end();
    }
};
constexpr ControlItems kControlItems[] = {
    {"OutputCode", {0, 1}, 2},
    {"Mode", {0, 2}, 2},
    {"Filter", {0, 1, 2, 3}, 4},
    {"Direction", {0, 1}, 2},
    {"PosDifVel", {0, 1, 2}, 3},
    {"SyncStart", {0, 1}, 2},
    {"SlowAvarageFilter", {0, 1}, 2},
};

constexpr int32_t kDifferential = 1;
constexpr int32_t kVelocity = 2;
constexpr int32_t kOffsetLockedFamily = 39604;

const ControlItems* ControlItemsOf(std::string_view element)
{
    const auto* found = std::ranges::find(kControlItems, element, &ControlItems::element);
    return found == std::end(kControlItems) ? nullptr : found;
}

std::string ExpectedRange(const ValueRange& range)
{
    if (range.low == AnyInt32.low && range.high == AnyInt32.high)
        return "expected a decimal 32-bit integer";
    return "expected a decimal integer from " + std::to_string(range.low) + " to " + std::to_string(range.high);
}

std::string ExpectedItems(const ControlItems& items)
{
    std::string text = "expected one of";
    for (size_t i = 0; i < items.count; ++i)
        text += (i == 0 ? " " : ", ") + std::to_string(items.values[i]);
    return text;
}

int IndexOf(Member member)
{
    const auto* row = std::ranges::find(kElementTable, member, &ElementDefinition::member);
    return static_cast<int>(row - kElementTable.begin());
}

// The set as read, the set as it becomes, and the writes that take the sensor there.
class ChangePlan {
public:
    explicit ChangePlan(const P& read) : read_(read), set_(read) { }

    const P& Read() const { return read_; }
    P& Set() { return set_; }
    std::vector<int>& Writes() { return writes_; }

    void Write(Member member, int32_t value)
    {
        (set_.*member).Value = value;
        writes_.push_back(IndexOf(member));
    }

    int32_t Firmware() const { return read_.FirmwareVersion.Value; }

    // The offset in µm that the Offset field shows for the set as read.
    int32_t ShownMicrons() const
    {
        return ShownOffset(
            Firmware(), read_.Offset.Value, read_.Resolution.Value, read_.Filter.Value, read_.Scale.Value);
    }

    bool Linearization() const
    {
        return InternalLinearizationOn(read_.ProcessOptions.Valid, read_.ProcessOptions.Value, Firmware());
    }

    // The Offset field's change handler: the register from the offset in µm, unless the
    // resolution is 0 or the firmware keeps the offset in µm.
    void WriteOffsetFromMicrons(int32_t microns)
    {
        if (set_.Resolution.Value == 0 || IsEarly39604Firmware(Firmware()))
            return;
        Write(&P::Offset,
            OffsetRegister(microns, set_.Filter.Value, set_.Resolution.Value, IsHalfMicronScale(set_.Scale.Value)));
    }

    void WriteCycleTimes(int32_t length, bool linearization)
    {
        const CycleTimes times = LengthCycleRule(length, set_.MagnetCount.Value, set_.Resolution.Value, linearization);
        Write(&P::CycleTime, times.cycleTime);
        Write(&P::SyncTiming, times.syncTiming);
    }

private:
    const P& read_;
    P set_;
    std::vector<int> writes_;
};

using Refusal = std::string;

Refusal ChangeLength(ChangePlan& plan, const ParameterRequest& request)
{
    const int32_t typed = request.value;
    // This firmware only stores the length.
    if (plan.Firmware() > ShortLengthFirmware) {
        if (!ShortLengthAccepts(typed))
            return "expected a length up to " + std::to_string(ShortLengthLimit) + " mm on this firmware";
        plan.Write(&P::Length, typed);
        return {};
    }
    const P& read = plan.Read();
    const bool wbf = ModelLetters(read.Model.Value) == "WB";
    const std::optional<int> item = ChargepumpSuggestion(typed, wbf);
    if (item && item != ChargepumpItem(read.Chargepump.Value, wbf))
        plan.Write(&P::Chargepump, ChargepumpCode(*item, wbf));
    plan.Write(&P::Length, FiftyMillimetreLength(typed).value_or(typed));
    plan.WriteCycleTimes(typed, plan.Linearization());
    return {};
}

Refusal ChangeResolution(ChangePlan& plan, const ParameterRequest& request)
{
    const P& read = plan.Read();
    if (request.halfMicron && !HalfMicronQualifies(plan.Firmware(), read.Model.Reply))
        return "the 0.5 micron resolution is available only for the K series";
    const int32_t microns = plan.ShownMicrons();
    const int32_t resolution = request.halfMicron ? 1 : request.value;
    const int32_t speed = read.UltrasonicSpeed.Value;
    plan.Write(&P::Resolution, resolution);
    plan.Write(&P::Scale, request.halfMicron ? HalfMicronScale(speed) : ScaleForResolution(speed, resolution));
    if (FirmwareFamily(plan.Firmware()) != kOffsetLockedFamily)
        plan.Write(&P::Offset, OffsetRegister(microns, read.Filter.Value, resolution, request.halfMicron));
    if (plan.Linearization())
        plan.WriteCycleTimes(read.Length.Value, true);
    return {};
}

Refusal ChangeUltrasonicSpeed(ChangePlan& plan, const ParameterRequest& request)
{
    const int32_t microns = plan.ShownMicrons();
    plan.Write(&P::UltrasonicSpeed, request.value);
    if (const std::optional<int32_t> scale = ScaleForSpeed(request.value, plan.Read().Resolution.Value)) {
        plan.Write(&P::Scale, *scale);
        plan.WriteOffsetFromMicrons(microns);
    }
    return {};
}

void WriteFilter(ChangePlan& plan, int32_t filter)
{
    const P& read = plan.Read();
    plan.Write(&P::Filter, filter);
    int32_t offset = read.Offset.Value;
    if (read.Resolution.Value != 0 && !IsEarly39604Firmware(plan.Firmware()))
        offset = RescaledOffset(offset, filter, read.Filter.Value);
    plan.Write(&P::Offset, offset);
}

Refusal ChangeFilter(ChangePlan& plan, const ParameterRequest& request)
{
    WriteFilter(plan, request.value);
    return {};
}

// The offset is mirrored at a base that only some models have.
Refusal ChangeDirection(ChangePlan& plan, const ParameterRequest& request)
{
    const P& read = plan.Read();
    if (MirrorBase(read.Length.Value, read.Model.Value)) {
        const std::string shown = std::to_string(plan.ShownMicrons());
        plan.WriteOffsetFromMicrons(LenientInteger(MirrorOffset(shown, read.Length.Value, read.Model.Value)));
    }
    plan.Write(&P::Direction, request.value);
    return {};
}

Refusal ChangePosDifVel(ChangePlan& plan, const ParameterRequest& request)
{
    const int32_t measuring = request.value;
    const int32_t magnets = MagnetCountFor(measuring);
    plan.Set().MagnetCount.Value = magnets;
    // A differential output adds the offset, so it is set to zero.
    if (measuring == kDifferential && plan.ShownMicrons() != 0)
        plan.WriteOffsetFromMicrons(0);
    if (plan.Linearization())
        plan.WriteCycleTimes(plan.Read().Length.Value, true);
    plan.Write(&P::PosDifVel, measuring);
    plan.Write(&P::MagnetCount, magnets);
    // The late firmware averages nothing in velocity mode.
    if (measuring == kVelocity && IsLate39606(plan.Firmware())) {
        if (plan.Read().Filter.Value != 0)
            WriteFilter(plan, 0);
        else
            plan.Write(&P::Filter, 0);
    }
    return {};
}

Refusal ChangeFrameOptions(ChangePlan& plan, const ParameterRequest& request)
{
    plan.Write(&P::FrameOptions, request.value);
    if (IsLate39606(plan.Firmware()) && (request.value & TemperatureBit) != 0)
        plan.Write(&P::BitWidth, TemperatureBitWidth);
    return {};
}

Refusal ChangeProcessOptions(ChangePlan& plan, const ParameterRequest& request)
{
    const bool linearization = (request.value & LinearizationBit) != 0;
    if (linearization != plan.Linearization())
        plan.WriteCycleTimes(plan.Read().Length.Value, linearization);
    plan.Write(&P::ProcessOptions, request.value);
    return {};
}

struct Handler {
    std::string_view element;
    Refusal (*change)(ChangePlan& plan, const ParameterRequest& request);
};
constexpr Handler kHandlers[] = {
    {"Length", ChangeLength},
    {"Resolution", ChangeResolution},
    {"UltrasonicSpeed", ChangeUltrasonicSpeed},
    {"Filter", ChangeFilter},
    {"Direction", ChangeDirection},
    {"PosDifVel", ChangePosDifVel},
    {"FrameOptions", ChangeFrameOptions},
    {"ProcessOptions", ChangeProcessOptions},
};

// A radio group or check box runs its handler only when its choice changes.
bool IsUnchangedChoice(const P& set, const ParameterRequest& request)
{
    const std::string_view element = TSSICom::ElementName(request.index);
    return ControlItemsOf(element) && set[request.index].Value == request.value;
}

}  // namespace

bool InternalLinearizationOn(bool processOptionsValid, int32_t processOptions, int32_t firmwareVersion)
{
    if (!processOptionsValid)
        return FirmwareFamily(firmwareVersion) == 39604;
    return (processOptions & LinearizationBit) != 0;
}

std::string RequestRefusal(std::string_view element, std::string_view text)
{
    if (const FieldRule* rule = FieldRuleOf(element)) {
        if (element == "Resolution" && IsHalfMicronEntry(text))
            return {};
        return ChangeValue(*rule, text) ? "" : ExpectedRange(rule->changeRange);
    }
    if (const ControlItems* items = ControlItemsOf(element)) {
        const std::optional<int32_t> value = StrictInteger(text);
        return value && items->Offers(*value) ? "" : ExpectedItems(*items);
    }
    return {};
}

ParameterChange ApplyParameterRequest(TSSICom::ParameterStruct& set, const ParameterRequest& request)
{
    const std::string_view element = TSSICom::ElementName(request.index);
    if (IsWSeriesModel(set.Model.Value) && WSeriesRefuses(element, request.value))
        return {{}, "not available on the W series"};
    ChangePlan plan(set);
    const auto* handler = std::ranges::find(kHandlers, element, &Handler::element);
    if (handler == std::end(kHandlers) || IsUnchangedChoice(set, request)) {
        plan.Write(DefinitionOf(request.index).member, request.value);
    } else if (Refusal refusal = handler->change(plan, request); !refusal.empty()) {
        return {{}, refusal};
    }
    set = plan.Set();
    return {std::move(plan.Writes()), {}};
}

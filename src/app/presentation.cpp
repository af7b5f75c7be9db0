#include "presentation.h"

#include <algorithm>

#include "editing_texts.h"
#include "wire_format.h"

namespace {

constexpr int32_t kVelocity = 2;

struct ModelRow {
    const char* letters;
    const char* code;
    char series;
};
constexpr ModelRow kModels[] = {
    {"KH", "KH", 'K'},
    {"KP", "KP", 'K'},
    {"PA", "KP", 'K'},
    {"WH", "WH", 'W'},
    {"WP", "WP", 'W'},
    {"KD", "KD", 'K'},
    {"KF", "KF", 'K'},
    {"KA", "KA", 'K'},
    {"WB", "WBF", 'W'},
    {"VP", "VP", 'V'},
};
constexpr const char* kUnknownSensorType = "QOR Sensors SSI";

constexpr int32_t kDefaultLinAddress = 200;
constexpr int32_t kLastPosDifVel = 2;

constexpr CaptionAndHint kInternalLinearization{texts::InternalLinearizationCaption, texts::InternalLinearizationHint};
constexpr CaptionAndHint kExcludeReflection{texts::ExcludeReflectionCaption, texts::ExcludeReflectionHint};

bool IsSet(int32_t value, int32_t bit) { return (value & bit) != 0; }

int IndexUpTo(int32_t value, int32_t lastIndex) { return value >= 0 && value <= lastIndex ? value : NoSelection; }

}  // namespace

bool FirmwarePageUsable(int32_t firmwareVersion)
{
    const int32_t family = FirmwareFamily(firmwareVersion);
    return family == 39606 || (family == 39602 && firmwareVersion > 3960202);
}

std::string FirmwareVersionText(std::string_view firmwareReply)
{
    const std::string digits = std::to_string(HexToInt(firmwareReply));
    // 3960105 reads 396-01-05: a dash after the third and after the fifth character,
    // wherever the text goes on past them.
    std::string text;
    for (size_t position = 0; position < digits.size(); ++position) {
        if (position == 3 || position == 5)
            text += '-';
        text += digits[position];
    }
    return text;
}

CorrectionRule BitWidthRule(int32_t firmwareVersion, int32_t frameOptions, int32_t bitWidth)
{
    const bool locked = IsLate39606(firmwareVersion) && IsSet(frameOptions, TemperatureBit);
    return {locked, locked && bitWidth != CorrectedBitWidth};
}

CorrectionRule FilterRule(int32_t firmwareVersion, int32_t posDifVel, int32_t filter)
{
    const bool locked = IsLate39606(firmwareVersion) && posDifVel == kVelocity;
    return {locked, locked && filter != CorrectedFilter};
}

char SeriesLetter(int32_t modelValue) { return ModelLetters(modelValue)[0]; }

ModelInfo ModelFor(int32_t modelValue)
{
    for (const ModelRow& row : kModels) {
        if (modelValue == ModelValue(row.letters[0], row.letters[1]))
            return {row.code, std::string(1, row.series) + "-Series SSI (" + row.code + ")",
                ModelItem(modelValue).value_or(NoSelection)};
    }
    return {"", kUnknownSensorType, NoSelection};
}

bool IsWbf(std::string_view modelCode) { return modelCode == "WBF"; }

bool SiemensUsable(int32_t modelValue) { return SeriesLetter(modelValue) != 'V'; }

int PosDifVelIndex(int32_t posDifVel) { return IndexUpTo(posDifVel, kLastPosDifVel); }

FrameOptionsView FrameOptionsFor(int32_t modelValue, int32_t firmwareVersion, int32_t frameOptions)
{
    if (!SiemensUsable(modelValue))
        return {false, std::nullopt, std::nullopt};
    // Family 39601 knows only the whole value 1, and no temperature byte.
    if (FirmwareFamily(firmwareVersion) == 39601)
        return {true, frameOptions == 1, std::nullopt};
    return {true, IsSet(frameOptions, ParityErrorBit), IsSet(frameOptions, TemperatureBit)};
}

std::string LengthText(int32_t length) { return std::to_string(length) + "mm"; }

std::string UltrasonicSpeedText(int32_t ultrasonicSpeed) { return std::to_string(ultrasonicSpeed) + " cm/s"; }

CycleTimeDisplay CycleTimeDisplayFor(const CycleTimeInputs& in)
{
    int32_t offset = in.jitterWindow + 33;
    if (in.mode != SynchronousMode)
        return {offset, std::to_string(in.cycleTime >> 2) + "µs"};
    if (IsSet(in.frameOptions, ParityErrorBit))
        offset += 14;
    if (in.outputCode == 0)
        offset -= 3;
    if (in.magnetCount == 2)
        offset += 1;
    if (in.tempCompChecked)
        offset += 63;
    return {offset, std::to_string((in.syncTiming >> 2) + offset) + "µs"};
}

const BilingualText& CycleTimeCaptionFor(int32_t mode)
{
    return mode == SynchronousMode ? texts::MinSsiPeriodCaption : texts::CycleTimeCaption;
}

ProcessOptionsView ProcessOptionsFor(bool valid, int32_t processOptions, int32_t firmwareVersion)
{
    const bool linearisierung = InternalLinearizationOn(valid, processOptions, firmwareVersion);
    if (!valid)
        return {
            false, linearisierung, FirmwareFamily(firmwareVersion) == 39602, false, std::nullopt, std::nullopt, false};
    const bool extrapolation = IsSet(processOptions, ExtrapolationBit);
    return {
        .enabled = true,
        .linearisierung = linearisierung,
        .extrapolation = extrapolation,
        .extrapolForwardEnabled = extrapolation,
        .extrapolForward = extrapolation && IsSet(processOptions, RealExtrapolationBit),
        .tempComp = IsSet(processOptions, TempCompBit),
        .disableMode = extrapolation,
    };
}

ModeView ModeFor(int32_t modelValue, bool extrapolationChecked, int32_t mode)
{
    if (SeriesLetter(modelValue) == 'V' || extrapolationChecked)
        return {false, 1};
    return {true, mode == SynchronousMode ? 1 : 0};
}

int LinAddressFrom(std::string_view adresLabelText)
{
    int32_t address = 0;
    return ParseDecimal(adresLabelText, address) ? address : kDefaultLinAddress;
}

const CaptionAndHint& LinearisierungTexts(int32_t linFactor)
{
    return linFactor >= 1 && linFactor <= 9 ? kInternalLinearization : kExcludeReflection;
}

FieldColour LinStartValueColour(bool changed, bool developerAccess)
{
    if (changed)
        return FieldColour::Changed;
    return developerAccess ? FieldColour::White : FieldColour::ButtonFace;
}

int64_t RangePointNumber(int32_t value, std::string_view offsetText, bool internalLinearization, int32_t resolution)
{
    int32_t offset = 0;
    if (!ParseDecimal(offsetText, offset))
        offset = 0;
    return int64_t{offset} + (internalLinearization ? int64_t{value} : int64_t{value} * resolution);
}

std::string RangePointNumberText(int64_t number)
{
    const uint64_t magnitude = number < 0 ? 0 - static_cast<uint64_t>(number) : static_cast<uint64_t>(number);
    std::string digits = std::to_string(magnitude);
    if (digits.size() < 3)
        digits.insert(0, 3 - digits.size(), '0');
    const size_t wholeMillimetres = digits.size() - 3;
    std::string text = number < 0 ? "-" : "";
    text.append(digits, 0, wholeMillimetres).append(".").append(digits, wholeMillimetres).append(" mm");
    return text;
}

std::string RangePointText(int32_t value, int32_t undefinedMarker, std::string_view offsetText,
    bool internalLinearization, int32_t resolution, uint8_t languageCode)
{
    if (value == undefinedMarker)
        return Pick(texts::RangePointNotDefined, languageCode).value_or("");
    return RangePointNumberText(RangePointNumber(value, offsetText, internalLinearization, resolution));
}

bool RangeIsValid(int32_t startPoint, int32_t endPoint) { return startPoint < endPoint; }

#include "presentation.h"

#include <algorithm>

#include "wire_format.h"

namespace {

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

constexpr int32_t kLastPosDifVel = 2;

bool IsSet(int32_t value, int32_t bit) { return (value & bit) != 0; }

int IndexUpTo(int32_t value, int32_t lastIndex) { return value >= 0 && value <= lastIndex ? value : NoSelection; }

}  // namespace

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

#include "editing_rules.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>

#include "wire_format.h"

namespace {

using enum Conversion;

constexpr ValueRange kPositive32{1, 2147483646};
constexpr ValueRange kByte{0, 255};
constexpr ValueRange kCounter{1, 255};

// clang-format off
constexpr FieldRule kFieldRules[] = {
    {"BitWidth",        "BitWidth",          Lenient, {1, 32},      Lenient, {1, 32}},
    {"UARTWrites",      "UARTCounter",       Lenient, kCounter,     Lenient, kCounter},
    {"JitterWindow",    "JitterWindow",      Lenient, kCounter,     Lenient, kCounter},
    {"MonoflopTime",    "MonoflopTime",      Lenient, {1, 100},     Lenient, {1, 100}},
    {"ErrorValue",      "ErrorValue",        Strict,  AnyInt32,     Check64, {-2147483600, 2147483600}},
    {"ErrorCount",      "IndicationCounter", Lenient, kCounter,     Lenient, kCounter},
    {"PowerFail",       "PowerfailTime",     Lenient, {0, 100},     Lenient, {0, 100}},
    {"Resolution",      "Resolution",        Lenient, {1, 1000000}, Lenient, {1, 1000000}},
    {"Offset",          "Offset",            Lenient, AnyInt32,     Strict,  AnyInt32},
    {"Length",          "Length",            Strict,  AnyInt32,     Strict,  kPositive32},
    {"UltrasonicSpeed", "UltrasonicSpeed",   Strict,  AnyInt32,     Strict,  kPositive32},
    {"CycleTime",       "CycleTime",         Strict,  AnyInt32,     Strict,  AnyInt32},
    {"SyncTiming",      "SyncTiming",        Strict,  AnyInt32,     Strict,  AnyInt32},
    {"Blanking",        "Blanking",          Strict,  AnyInt32,     Lenient, kByte},
    {"IgnoreSsiClkNum", "InitDelay",         Strict,  AnyInt32,     Lenient, kByte},
};
// clang-format on

constexpr uint32_t kHalfMicronScaleAbove = 0x1F0000;
constexpr int32_t kEarly39604Firmware = 3960400;
constexpr int32_t kLate39606Threshold = 3960606;
constexpr int32_t kTwoModelCodesBelow = 3960103;
constexpr int32_t kFiftyMillimetresAbove = 10000;
constexpr int32_t kLengthStep = 50;

// WBF stage i holds the three bits of i reversed, in bits 5 to 7 of the register.
constexpr std::array<int32_t, 8> kWbfChargepumpCodes{0x00, 0x80, 0x40, 0xC0, 0x20, 0xA0, 0x60, 0xE0};
constexpr int kLastChargepumpItem = 2;

// The upper length of each WBF stage; below the first stage's lower limit the item stays.
constexpr int32_t kWbfShortestLength = 25;
constexpr std::array<int32_t, 7> kWbfStageUpTo{149, 349, 549, 799, 1099, 1449, 1600};
constexpr int32_t kThreeStagesFrom = 345;
constexpr int32_t kSixStagesFrom = 1670;

constexpr std::array<const char*, 7> kModelItems{"KH", "KP", "WH", "WP", "KD", "KF", "KA"};

int32_t Letters(const char* letters) { return ModelValue(letters[0], letters[1]); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Shifts and products of the sensor's registers wrap at 32 bits as the sensor's own do.
int32_t Wrapped(uint32_t value) { return static_cast<int32_t>(value); }
uint32_t PowerOfTwo(int32_t exponent) { return uint32_t{1} << std::clamp(exponent, 0, 30); }
// Truncating division without the one quotient that does not fit.
int32_t Quotient(int32_t dividend, int32_t divisor)
{
    return Wrapped(static_cast<uint32_t>(int64_t{dividend} / divisor));
}

}  // namespace

std::optional<int32_t> StrictInteger(std::string_view text)
{
    int32_t value = 0;
    if (!ParseDecimal(text, value))
        return std::nullopt;
    return value;
}

int32_t LenientInteger(std::string_view text) { return StrictInteger(text).value_or(0); }

std::optional<int64_t> Integer64(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '+' || text.front() == '-'))
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    const uint64_t limit = negative ? uint64_t{1} << 63 : (uint64_t{1} << 63) - 1;
    uint64_t magnitude = 0;
    for (const char c : text) {
        if (!IsDigit(c))
            return std::nullopt;
        const auto digit = static_cast<uint64_t>(c - '0');
        if (magnitude > (limit - digit) / 10)
            return std::nullopt;
        magnitude = magnitude * 10 + digit;
    }
    return negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
}

const FieldRule* FieldRuleOf(std::string_view fieldOrElement)
{
    const auto* found = std::ranges::find_if(kFieldRules,
        [&](const FieldRule& rule) { return rule.field == fieldOrElement || rule.element == fieldOrElement; });
    return found == std::end(kFieldRules) ? nullptr : found;
}

namespace {

std::optional<int64_t> Converted(Conversion conversion, std::string_view text)
{
    switch (conversion) {
    case Lenient:
        return LenientInteger(text);
    case Strict:
        return StrictInteger(text);
    default:
        return Integer64(text);
    }
}

}  // namespace

std::optional<int32_t> ChangeValue(const FieldRule& rule, std::string_view text)
{
    const std::optional<int64_t> value = Converted(rule.change, text);
    if (!value || !rule.changeRange.Contains(*value) || !AnyInt32.Contains(*value))
        return std::nullopt;
    return static_cast<int32_t>(*value);
}

bool ExitAccepts(const FieldRule& rule, std::string_view text)
{
    if (std::string_view(rule.element) == "Resolution" && text == HalfMicronText)
        return true;
    const std::optional<int64_t> value = Converted(rule.exit, text);
    return value && rule.exitRange.Contains(*value);
}

bool IsHalfMicronEntry(std::string_view text) { return text == "0.5" || text == "0,5"; }

bool ShortLengthAccepts(int32_t length) { return static_cast<uint32_t>(length) <= ShortLengthLimit; }

bool IsFactoryNumber(std::string_view text)
{
    int32_t ignored = 0;
    return ParseHex(text, ignored);
}

bool IsWSeriesModelIndex(int radioIndex) { return radioIndex == 2 || radioIndex == 3; }

bool IsWSeriesModel(int32_t modelValue) { return modelValue == Letters("WH") || modelValue == Letters("WP"); }

bool WSeriesRefuses(std::string_view element, int32_t value)
{
    if (element == "Mode")
        return value == 2;
    if (element == "Direction")
        return value == 1;
    if (element == "IndicationCounter")
        return value > 1;
    if (element == "FrameOptions")
        return (value & (ParityErrorBit | TemperatureBit)) != 0;
    if (element == "ProcessOptions")
        return (value & (LinearizationBit | TempCompBit | RealExtrapolationBit)) != 0;
    constexpr std::string_view kSwitchedOff[]
        = {"SyncStart", "SecErrorValue", "Filter", "PosDifVel", "SlowAvarageFilter"};
    return value != 0 && std::ranges::find(kSwitchedOff, element) != std::end(kSwitchedOff);
}

bool IsEarly39604Firmware(int32_t firmwareVersion) { return (firmwareVersion & ~0xF) == kEarly39604Firmware; }

bool IsLate39606(int32_t firmwareVersion) { return PassesFamily39606Test(firmwareVersion, kLate39606Threshold); }

bool HalfMicronQualifies(int32_t firmwareVersion, std::string_view modelReply)
{
    return std::to_string(firmwareVersion).starts_with("3960") && modelReply.starts_with('K');
}

bool IsHalfMicronScale(int32_t scale) { return static_cast<uint32_t>(scale) > kHalfMicronScaleAbove; }

int32_t OffsetRegister(int32_t microns, int32_t filter, int32_t resolution, bool halfMicron)
{
    if (resolution == 0)
        return microns;
    const uint32_t factor = halfMicron ? 2 : 1;
    return Quotient(Wrapped(factor * static_cast<uint32_t>(microns) * PowerOfTwo(filter)), resolution);
}

int32_t ShownOffset(int32_t firmwareVersion, int32_t offset, int32_t resolution, int32_t filter, int32_t scale)
{
    int32_t shown = offset;
    if (!IsEarly39604Firmware(firmwareVersion)) {
        // The sensor keeps the offset in position units, averaged over 2^Filter values.
        const int32_t product = Wrapped(static_cast<uint32_t>(offset) * static_cast<uint32_t>(resolution));
        shown = product / (int32_t{1} << std::clamp(filter, 0, 30));
    }
    return IsHalfMicronScale(scale) ? shown >> 1 : shown;
}

int32_t RescaledOffset(int32_t offset, int32_t newFilter, int32_t oldFilter)
{
    const int32_t product = Wrapped(static_cast<uint32_t>(offset) * PowerOfTwo(newFilter));
    return Quotient(product, Wrapped(PowerOfTwo(oldFilter)));
}

int32_t ScaleForResolution(int32_t ultrasonicSpeed, int32_t resolution)
{
    if (resolution == 0)
        return 0;
    const uint64_t speed = static_cast<uint32_t>(ultrasonicSpeed);
    return Wrapped(static_cast<uint32_t>(speed * 512 / (100 * uint64_t{static_cast<uint32_t>(resolution)})));
}

int32_t HalfMicronScale(int32_t ultrasonicSpeed)
{
    return Wrapped(static_cast<uint32_t>(uint64_t{static_cast<uint32_t>(ultrasonicSpeed)} * 1024 / 100));
}

std::optional<int32_t> ScaleForSpeed(int32_t ultrasonicSpeed, int32_t resolution)
{
    if (resolution == 0)
        return std::nullopt;
    return Wrapped(static_cast<uint32_t>(ultrasonicSpeed) * 512 / static_cast<uint32_t>(resolution) / 100);
}

std::optional<int32_t> MirrorBase(int32_t length, int32_t modelValue)
{
    const uint32_t millimetres = static_cast<uint32_t>(length) * 1000;
    if (modelValue == Letters("KH"))
        return Wrapped(millimetres + (length <= 5000 ? 114500 : 117000));
    if (modelValue == Letters("KP") || modelValue == Letters("PA"))
        return Wrapped(millimetres + 94000);
    return std::nullopt;
}

std::string MirrorOffset(std::string_view offsetText, int32_t length, int32_t modelValue)
{
    const std::optional<int32_t> base = MirrorBase(length, modelValue);
    if (!base)
        return std::string(offsetText);
    return std::to_string(Wrapped(static_cast<uint32_t>(*base) - static_cast<uint32_t>(LenientInteger(offsetText))));
}

std::optional<int32_t> FiftyMillimetreLength(int32_t length)
{
    if (length <= kFiftyMillimetresAbove || length % kLengthStep == 0)
        return std::nullopt;
    return length / kLengthStep * kLengthStep;
}

std::optional<int> ChargepumpSuggestion(int32_t length, bool wbfModel)
{
    if (!wbfModel)
        return length < kThreeStagesFrom ? 0 : length < kSixStagesFrom ? 1 : 2;
    if (length < kWbfShortestLength)
        return std::nullopt;
    const auto* stage = std::ranges::lower_bound(kWbfStageUpTo, length);
    return static_cast<int>(stage - kWbfStageUpTo.begin());
}

int32_t ChargepumpCode(int item, bool wbfModel)
{
    const bool wbfItem = wbfModel && item >= 0 && item < static_cast<int>(kWbfChargepumpCodes.size());
    return wbfItem ? kWbfChargepumpCodes[static_cast<size_t>(item)] : item;
}

std::optional<int> ChargepumpItem(int32_t chargepump, bool wbfModel)
{
    if (!wbfModel) {
        if (chargepump < 0 || chargepump > kLastChargepumpItem)
            return std::nullopt;
        return chargepump;
    }
    const auto* found = std::ranges::find(kWbfChargepumpCodes, chargepump);
    if (found == kWbfChargepumpCodes.end())
        return std::nullopt;
    return static_cast<int>(found - kWbfChargepumpCodes.begin());
}

CycleTimes LengthCycleRule(int32_t length, int32_t magnetCount, int32_t resolution, bool internalLinearization)
{
    const int32_t a = length;
    const int32_t m = magnetCount;
    const int32_t c = Wrapped(static_cast<uint32_t>(a) * 1000);
    CycleTimes times{c / 343 + 160, c / 668 + 208};
    if (internalLinearization) {
        if (resolution == 1) {
            if ((a < 483 && m == 1) || (a < 892 && m == 2))
                times.cycleTime = c / 650 + 560 * m + 260;
            times.syncTiming = c / 668 + 566 * m + 202;
        } else {
            if ((a < 615 && m == 1) || (a < 1200 && m == 2))
                times.cycleTime = c / 650 + 800 * m + 200;
            times.syncTiming = c / 668 + 747 * m + 201;
        }
    } else if (a <= 100) {
        // 2 × a / 0.343 + 320.5 in extended precision; exact for these lengths.
        times.cycleTime = static_cast<int32_t>(std::trunc(c * 0.0058309037900874635L + 320.5L));
    } else if (a > 600) {
        times.cycleTime = c / 668 + 208;
    }
    return times;
}

int32_t ModelCodeForItem(int item, int32_t firmwareVersion)
{
    if (firmwareVersion < kTwoModelCodesBelow)
        return Letters(item == 1 ? "PA" : "KH");
    // A group without a selection writes its first item's code.
    const bool known = item >= 0 && item < static_cast<int>(kModelItems.size());
    return Letters(kModelItems[known ? static_cast<size_t>(item) : 0]);
}

std::optional<int> ModelItem(int32_t modelValue)
{
    if (modelValue == Letters("PA"))
        return 1;
    const auto* found
        = std::ranges::find_if(kModelItems, [&](const char* code) { return Letters(code) == modelValue; });
    if (found == kModelItems.end())
        return std::nullopt;
    return static_cast<int>(found - kModelItems.begin());
}

std::optional<KSerieResult> KSerieModel(int32_t firmwareVersion, int modelItem)
{
    if (FirmwareFamily(firmwareVersion) != 39606)
        return std::nullopt;
    const char first = firmwareVersion % 100 == 5 ? 'C' : 'A';
    if (modelItem < 0 || modelItem >= static_cast<int>(kModelItems.size()))
        return KSerieResult{ModelValue(first, '\0'), std::nullopt};
    const bool profile = modelItem == 1 || modelItem == 3;
    return KSerieResult{ModelValue(first, profile ? 'P' : 'H'), profile ? 1 : 0};
}

int32_t WithBit(int32_t value, int32_t bit, bool set) { return set ? value | bit : value & ~bit; }

int32_t FrameOptionsForSiemens(int32_t frameOptions, bool checked, int32_t firmwareVersion)
{
    if (FirmwareFamily(firmwareVersion) == 39606)
        return WithBit(frameOptions, ParityErrorBit, checked);
    return checked ? 1 : 0;
}

int32_t SecondErrorValueFor(bool active) { return active ? 1 : 0; }

bool SecondErrorValueActive(int32_t value) { return value != 0; }

int32_t MagnetCountFor(int32_t posDifVel) { return posDifVel == 1 ? 2 : 1; }

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The rules of the parameter fields: how a field's text converts, which values its change
// handler writes and its exit check accepts, and the registers that depend on others
// (offset, scale, charge pump, cycle times, model codes). The window and the command line
// both follow them.

// ---- Conversions ----

// Signed decimal 32-bit: optional blanks, optional sign, digits and nothing else.
std::optional<int32_t> StrictInteger(std::string_view text);
// As StrictInteger, but text that does not convert counts as 0.
int32_t LenientInteger(std::string_view text);
// Signed decimal 64-bit; nullopt when the text does not convert.
std::optional<int64_t> Integer64(std::string_view text);

// ---- Field checks ----

enum class Conversion : uint8_t { Lenient, Strict, Check64 };
struct ValueRange {
    int64_t low, high;
    bool Contains(int64_t value) const { return value >= low && value <= high; }
};
inline constexpr ValueRange AnyInt32{INT32_MIN, INT32_MAX};

// An edit field of the parameter pages: the element it writes, how its change handler
// converts and which values it writes, and what its exit check accepts.
struct FieldRule {
    const char* field;    // the control
    const char* element;  // the element of the register set
    Conversion change;
    ValueRange changeRange;
    Conversion exit;
    ValueRange exitRange;
};
// nullptr for a name that is no edit field with these rules; found by control or element name.
const FieldRule* FieldRuleOf(std::string_view fieldOrElement);

// The value the change handler writes for the text; nullopt when it writes nothing.
std::optional<int32_t> ChangeValue(const FieldRule& rule, std::string_view text);
bool ExitAccepts(const FieldRule& rule, std::string_view text);

// Resolution's exit check also takes the text of the 0.5 µm resolution.
inline constexpr const char* HalfMicronText = "0.5";
bool IsHalfMicronEntry(std::string_view text);  // "0.5" or "0,5"
// Above this firmware the jitter window is not checked on exit, and a length is only stored.
inline constexpr int32_t ShortLengthFirmware = 6250000;
inline constexpr int32_t ShortLengthLimit = 1000;
// A length the short-length firmware takes (compared unsigned).
bool ShortLengthAccepts(int32_t length);

// A factory number the sensor can hold: 1 to 8 hexadecimal digits.
bool IsFactoryNumber(std::string_view text);

// ---- W series ----

// Items 2 and 3 (WH, WP) of the Model group.
bool IsWSeriesModelIndex(int radioIndex);
// The Model element holds "WH" or "WP".
bool IsWSeriesModel(int32_t modelValue);
// A W-series sensor cannot take this value of the element (the mode synchronous, a
// filter, the inverse direction, another measuring mode, more than one error, the second
// error value, the slow filter, sync start, the parity, temperature, linearization,
// real extrapolation and temperature compensation bits). False for elements without a rule.
bool WSeriesRefuses(std::string_view element, int32_t value);

// ---- Firmware ----

// 3960400 to 3960415 keep the offset in µm: the offset is locked to its register value,
// and the sensor has no linearization start value.
bool IsEarly39604Firmware(int32_t firmwareVersion);
// Family 39606 from 3960607: temperature forces 24 bits, velocity mode forces filter 0.
bool IsLate39606(int32_t firmwareVersion);
// The 0.5 µm resolution: firmware text beginning with 3960 and a model reply beginning with K.
bool HalfMicronQualifies(int32_t firmwareVersion, std::string_view modelReply);

// ---- Offset and scale ----

// The scale above which positions are in 0.5 µm units.
bool IsHalfMicronScale(int32_t scale);
// The offset register from the offset in µm o: (k × o × 2^filter) / resolution, k being
// 2 in half-micron mode; signed 32-bit, truncating.
int32_t OffsetRegister(int32_t microns, int32_t filter, int32_t resolution, bool halfMicron);
// The offset in µm that the Offset field shows for the register; the raw register on
// firmware that keeps the offset in µm.
int32_t ShownOffset(int32_t firmwareVersion, int32_t offset, int32_t resolution, int32_t filter, int32_t scale);
// The offset register after the filter changes from oldFilter to newFilter.
int32_t RescaledOffset(int32_t offset, int32_t newFilter, int32_t oldFilter);

// (u × 512) / (100 × r), u and r unsigned; the sensor's scale for a resolution change.
int32_t ScaleForResolution(int32_t ultrasonicSpeed, int32_t resolution);
// (u × 1024) / 100: the 0.5 µm resolution's scale (resolution 1).
int32_t HalfMicronScale(int32_t ultrasonicSpeed);
// (u × 512, unsigned 32-bit) / r / 100: the scale for a speed change; nullopt for resolution 0.
std::optional<int32_t> ScaleForSpeed(int32_t ultrasonicSpeed, int32_t resolution);

// The mirror base in µm for the offset when the direction changes: "KH" L × 1000 + 114500
// up to 5000 mm and L × 1000 + 117000 above, "KP" L × 1000 + 94000; nullopt for other models.
std::optional<int32_t> MirrorBase(int32_t length, int32_t modelValue);
// The offset text after a direction change; the text as it is for models without a base.
std::string MirrorOffset(std::string_view offsetText, int32_t length, int32_t modelValue);

// ---- Length ----

// Above 10000 mm a length is a multiple of 50: the length rounded down, or nullopt when it is.
std::optional<int32_t> FiftyMillimetreLength(int32_t length);
// The charge-pump item the length suggests; nullopt leaves the item as it is.
std::optional<int> ChargepumpSuggestion(int32_t length, bool wbfModel);
// The register code of a charge-pump item, and back (nullopt: no item holds the code).
int32_t ChargepumpCode(int item, bool wbfModel);
std::optional<int> ChargepumpItem(int32_t chargepump, bool wbfModel);

struct CycleTimes {
    int32_t cycleTime;
    int32_t syncTiming;
};
CycleTimes LengthCycleRule(int32_t length, int32_t magnetCount, int32_t resolution, bool internalLinearization);

// ---- Model ----

// The Model value an item of the Model group writes: the item's letters, or below
// firmware 3960103 "PA" for item 1 and "KH" for every other.
int32_t ModelCodeForItem(int item, int32_t firmwareVersion);
// The Model group's item for a Model value; nullopt for codes that have none.
std::optional<int> ModelItem(int32_t modelValue);

// The developer button K_SERIE on family 39606: "C" or "A" by the firmware, "P" or "H" by
// the Model item. nullopt on other families (the model stays).
struct KSerieResult {
    int32_t model;
    std::optional<int> item;  // the item the group is set to
};
std::optional<KSerieResult> KSerieModel(int32_t firmwareVersion, int modelItem);

// ---- Option bits ----

inline constexpr int32_t ParityErrorBit = 0x01;        // FrameOptions
inline constexpr int32_t TemperatureBit = 0x02;        // FrameOptions
inline constexpr int32_t LinearizationBit = 0x01;      // ProcessOptions
inline constexpr int32_t ExtrapolationBit = 0x02;      // ProcessOptions
inline constexpr int32_t TempCompBit = 0x04;           // ProcessOptions
inline constexpr int32_t RealExtrapolationBit = 0x08;  // ProcessOptions
int32_t WithBit(int32_t value, int32_t bit, bool set);
// Family 39606 keeps the other bits of FrameOptions; older families know only 1 and 0.
int32_t FrameOptionsForSiemens(int32_t frameOptions, bool checked, int32_t firmwareVersion);

// The second error value: 1 switches it on (the sensor gets "YN3..."), 0 off ("YN2...").
int32_t SecondErrorValueFor(bool active);
bool SecondErrorValueActive(int32_t value);

// The measuring mode's magnet count: two for differential measuring.
int32_t MagnetCountFor(int32_t posDifVel);

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "editing_rules.h"
#include "parameter_change.h"
#include "session_rules.h"
#include "texts.h"

// How the parameter view shows the register set: the firmware and model rules, the
// two automatic corrections, and the texts computed from element values.

enum class FieldColour : uint8_t { Changed, White, ButtonFace };

inline constexpr int NoSelection = -1;
inline constexpr int32_t SynchronousMode = 2;

// ---- Firmware ----

inline constexpr int32_t BlankingThreshold = 3960609;
// SSI_Abstand and the firmware page's controls.
bool FirmwarePageUsable(int32_t firmwareVersion);
// InfoLabel6: the version reply as "396-06-06".
std::string FirmwareVersionText(std::string_view firmwareReply);

// ---- Corrections ----

// The firmware cannot use a bit width other than 24 with the temperature byte, nor a
// filter in velocity mode: the control is locked, and corrected when it differs.
struct CorrectionRule {
    bool locked;
    bool correct;
};
inline constexpr int32_t CorrectedBitWidth = TemperatureBitWidth;
inline constexpr int32_t CorrectedFilter = 0;
CorrectionRule BitWidthRule(int32_t firmwareVersion, int32_t frameOptions, int32_t bitWidth);
CorrectionRule FilterRule(int32_t firmwareVersion, int32_t posDifVel, int32_t filter);

// ---- Model ----

char SeriesLetter(int32_t modelValue);
struct ModelInfo {
    std::string modelCode;   // empty for an unknown model
    std::string sensorType;  // InfoLabel1
    int radioIndex;          // Model group: KH KP WH WP KD KF KA, else NoSelection
};
ModelInfo ModelFor(int32_t modelValue);
bool IsWbf(std::string_view modelCode);
// The parity and error bit is not offered on the V series.
bool SiemensUsable(int32_t modelValue);
int PosDifVelIndex(int32_t posDifVel);

// ---- Values shown ----

struct FrameOptionsView {
    bool siemensEnabled;
    std::optional<bool> siemensChecked;      // nullopt: left as it is
    std::optional<bool> temperatureChecked;  // nullopt: left as it is
};
FrameOptionsView FrameOptionsFor(int32_t modelValue, int32_t firmwareVersion, int32_t frameOptions);

std::string LengthText(int32_t length);                    // InfoLabel2
std::string UltrasonicSpeedText(int32_t ultrasonicSpeed);  // InfoLabel4

struct CycleTimeInputs {
    int32_t mode, frameOptions, outputCode, magnetCount, jitterWindow, syncTiming, cycleTime;
    bool tempCompChecked;
};
struct CycleTimeDisplay {
    int32_t syncPeriodOffset;
    std::string text;  // InfoLabel5
};
CycleTimeDisplay CycleTimeDisplayFor(const CycleTimeInputs& in);
// Label5: the minimum SSI period in synchronous mode, else the cycle time.
const BilingualText& CycleTimeCaptionFor(int32_t mode);

// ---- Process options and mode ----

struct ProcessOptionsView {
    // Linearisierung, Extrapolation, TempComp and Temperature.
    bool enabled;
    bool linearisierung;
    bool extrapolation;
    bool extrapolForwardEnabled;
    std::optional<bool> extrapolForward;  // nullopt: left as it is
    std::optional<bool> tempComp;         // nullopt: left as it is
    bool disableMode;
};
ProcessOptionsView ProcessOptionsFor(bool valid, int32_t processOptions, int32_t firmwareVersion);

struct ModeView {
    bool enabled;
    int index;
};
// For a valid Mode element.
ModeView ModeFor(int32_t modelValue, bool extrapolationChecked, int32_t mode);

// ---- Linearization page ----

inline constexpr const char* DefaultLinAddress = "200";
inline constexpr int32_t LinFactorAddress = 501;
// The address typed in AdresLabel; the default address when it is no decimal number.
int LinAddressFrom(std::string_view adresLabelText);
struct CaptionAndHint {
    BilingualText caption;
    BilingualText hint;
};
// A linearization factor of 1 to 9 means internal linearization; the check box
// excludes the reflection otherwise.
const CaptionAndHint& LinearisierungTexts(int32_t linFactor);
FieldColour LinStartValueColour(bool changed, bool developerAccess);

// ---- Range points ----

// O + v with internal linearization, O + v × resolution without, O being the Offset
// edit's text (0 when it is no decimal number).
int64_t RangePointNumber(int32_t value, std::string_view offsetText, bool internalLinearization, int32_t resolution);
// "12.345 mm": a point before the last three digits. Numbers below 1000 in magnitude
// get leading zeros after the point: 500 ".500 mm", 5 ".005 mm", -5 "-.005 mm".
std::string RangePointNumberText(int64_t number);
// The text of a range point edit: the number, or "not defined" when value is the
// point's undefined marker (empty for codes other than 0 and 1).
std::string RangePointText(int32_t value, int32_t undefinedMarker, std::string_view offsetText,
    bool internalLinearization, int32_t resolution, uint8_t languageCode);
bool RangeIsValid(int32_t startPoint, int32_t endPoint);

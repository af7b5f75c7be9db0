#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "editing_rules.h"
#include "page_rules.h"
#include "texts.h"

// How the parameter view shows the register set: the firmware and model rules and the
// texts computed from element values.

// ---- Firmware ----

inline constexpr int32_t BlankingThreshold = 3960609;
// InfoLabel6: the version reply as "396-06-06".
std::string FirmwareVersionText(std::string_view firmwareReply);

// ---- Model ----

char SeriesLetter(int32_t modelValue);
struct ModelInfo {
    std::string modelCode;   // empty for an unknown model
    std::string sensorType;  // InfoLabel1
    int radioIndex;          // Model group: KH KP WH WP KD KF KA, else NoSelection
};
ModelInfo ModelFor(int32_t modelValue);
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

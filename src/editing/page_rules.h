#pragma once

#include <cstdint>
#include <string_view>

#include "bilingual_text.h"
#include "parameter_change.h"

// How the parameter pages show what the firmware allows: the radio groups' empty choice,
// the corrections the firmware needs before the pages are filled, and the captions that
// the sensor's model and linearization factor decide.

inline constexpr int NoSelection = -1;
inline constexpr int32_t SynchronousMode = 2;

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

bool IsWbf(std::string_view modelCode);

struct CaptionAndHint {
    BilingualText caption;
    BilingualText hint;
};
// A linearization factor of 1 to 9 means internal linearization; the check box
// excludes the reflection otherwise.
const CaptionAndHint& LinearisierungTexts(int32_t linFactor);

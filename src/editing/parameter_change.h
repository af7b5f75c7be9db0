#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sensor_link.h"

// One element changed as the window's handler changes it: the value checked as its control
// checks it, and the registers that depend on it recomputed, so that a script leaves the
// sensor as the window would.

// The bit width that the temperature byte in the SSI frame needs on the late firmware.
inline constexpr int32_t TemperatureBitWidth = 24;

// The internal linearization option: its bit, or on firmware whose register R holds no
// process options, the family that always linearizes.
bool InternalLinearizationOn(bool processOptionsValid, int32_t processOptions, int32_t firmwareVersion);

// A new value for one element of the register set.
struct ParameterRequest {
    int index = -1;           // the element
    int32_t value = 0;        // ignored for the half-micron resolution
    bool halfMicron = false;  // Resolution "0.5" or "0,5": the 0.5 µm procedure
};

// Why the element's control refuses text, whatever the sensor: the change range of an edit
// field, the items of a radio group or check box. Empty when the control takes it; elements
// without a control take every value.
std::string RequestRefusal(std::string_view element, std::string_view text);

struct ParameterChange {
    std::vector<int> writes;  // the elements to write, in the window's order
    std::string refusal;      // why the window refuses the value on this sensor; empty when taken
};

// Applies the request to the set as read from the sensor and names the elements to write.
// A refused request leaves the set as it was.
ParameterChange ApplyParameterRequest(TSSICom::ParameterStruct& set, const ParameterRequest& request);

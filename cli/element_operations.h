#pragma once

#include "sensor_link.h"

namespace cli {

// Reads element index (0..37, the order of the register set) with the read that the
// register set names for it.
bool ReadElementOf(TSSICom& link, int index);

// Writes the element's value and ends with the element read back, so that its value is
// then the sensor's. Only for elements that can be set to a value.
bool WriteElementOf(TSSICom& link, int index);

}  // namespace cli

#pragma once

#include <cstdint>

// The firmware that the page can update through its bootloader; the same firmware has
// the SSI sample cycle.
bool FirmwarePageUsable(int32_t firmwareVersion);

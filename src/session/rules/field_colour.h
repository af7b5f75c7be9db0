#pragma once

#include <cstdint>

// The colours a field of the pages can take: marked while its change is not committed,
// white when it can be edited, button-face when it cannot.
enum class FieldColour : uint8_t { Changed, White, ButtonFace };

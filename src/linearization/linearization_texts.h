#pragma once

#include <span>

#include "bilingual_text.h"

// The texts of the linearization page, in the order they are applied.
std::span<const ControlText> LinearizationTexts();

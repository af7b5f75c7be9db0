#pragma once

#include <span>

#include "bilingual_text.h"

// The texts of the sensor test's menu item.
std::span<const ControlText> SensorTestTexts();

#pragma once

#include <span>

#include "bilingual_text.h"

// The texts of the report's menu item.
std::span<const ControlText> ReportsTexts();

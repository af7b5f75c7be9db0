#pragma once

#include <span>

#include "bilingual_text.h"

// The texts of the menu items that open and save parameter files.
std::span<const ControlText> FilesTexts();

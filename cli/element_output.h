#pragma once

#include <span>
#include <string>

#include "sensor_link.h"

namespace cli {

// One line per element, "Name = value", with " (invalid)" when the element is not Valid;
// FactoryNumber and Model show their text.
std::string FormatElementsText(const TSSICom::ParameterStruct& elements, std::span<const int> indices);

// One JSON object keyed by element name: {"value": n, "valid": b}, plus "text" for
// FactoryNumber and Model.
std::string FormatElementsJson(const TSSICom::ParameterStruct& elements, std::span<const int> indices);

// The indices 0 to 37 in the order of the register set.
std::span<const int> AllElementIndices();

}  // namespace cli

#pragma once

#include <span>
#include <string>
#include <string_view>

#include "sensor_link.h"

namespace cli {

// The text with every byte that could steer a terminal (control characters, DEL, bytes
// beyond ASCII) written as \xNN, and the backslash doubled, so that a line shows exactly
// what came in.
std::string PrintableText(std::string_view text);

// The value of one element as text: the factory number as the sensor holds it, the model
// as its two letters, every other element as its decimal value.
std::string ElementText(const TSSICom::ParameterStruct& elements, int index);

// One line per element, "Name = value", with " (invalid)" when the element is not Valid;
// FactoryNumber and Model show their text.
std::string FormatElementsText(const TSSICom::ParameterStruct& elements, std::span<const int> indices);

// One JSON object keyed by element name: {"value": n, "valid": b}, plus "text" for
// FactoryNumber and Model.
std::string FormatElementsJson(const TSSICom::ParameterStruct& elements, std::span<const int> indices);

// The indices 0 to 37 in the order of the register set.
std::span<const int> AllElementIndices();

}  // namespace cli

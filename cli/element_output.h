#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "sensor_link.h"

namespace cli {

// How the bytes of a text beyond ASCII are taken: each for itself (what a sensor sends), or
// as UTF-8 (file names and the texts of parameter files), whose characters stay as they are.
enum class Encoding : uint8_t { Bytes, Utf8 };

// The text with every byte that could steer a terminal (control characters, DEL, bytes
// beyond ASCII but for the characters of UTF-8 text) written as \xNN, and the backslash
// doubled, so that a line shows exactly what came in.
std::string PrintableText(std::string_view text, Encoding encoding = Encoding::Bytes);

// The text as a JSON string; control characters and every other byte beyond ASCII (but for
// the characters of UTF-8 text) become \u00NN, the byte taken as a Latin-1 code point.
std::string JsonString(std::string_view text, Encoding encoding = Encoding::Bytes);

// The value of one element as text: the factory number as the sensor holds it, the model
// as its two letters, every other element as its decimal value.
std::string ElementText(const TSSICom::ParameterStruct& elements, int index);

// One line per element, "Name = value", with " (invalid)" when the element is not Valid;
// FactoryNumber and Model show their text.
std::string FormatElementsText(const TSSICom::ParameterStruct& elements, std::span<const int> indices);

// One JSON object keyed by element name: {"value": n, "valid": b}, plus "text" for
// FactoryNumber and Model; leadingMembers ("name": value) come first.
std::string FormatElementsJson(const TSSICom::ParameterStruct& elements, std::span<const int> indices,
    std::span<const std::string> leadingMembers = {});

// One JSON object of the members ("name": value), one a line.
std::string JsonObject(std::span<const std::string> members);

// The indices 0 to 37 in the order of the register set.
std::span<const int> AllElementIndices();

}  // namespace cli

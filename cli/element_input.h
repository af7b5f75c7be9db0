#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "parameter_change.h"
#include "sensor_link.h"

namespace cli {

// A value for one element, checked against the element's field and ready to be assigned:
// value for the numeric elements and Model, text for FactoryNumber.
struct ElementInput {
    int index = -1;
    int32_t value = 0;
    std::string text;
};

// The element index of name; throws CliError (BadInput) for a name the register set lacks.
int ElementIndexOf(std::string_view name);

// How a length above 9999 mm that is no multiple of 50 is taken: refused, or left to the
// window's rule, which rounds it down.
enum class LongLengths : uint8_t { Refused, RoundedDown };

// Checks that the element can be written and that text fits its field. Throws CliError
// (BadInput) otherwise. elements supplies the masks and shifts of the register set.
ElementInput CheckElementInput(const TSSICom::ParameterStruct& elements, std::string_view name, std::string_view text,
    LongLengths longLengths = LongLengths::Refused);

// As CheckElementInput, and the element's control in the window must take the text too:
// its range or its items; "0.5" and "0,5" ask Resolution for the 0.5 µm procedure.
ParameterRequest CheckParameterRequest(
    const TSSICom::ParameterStruct& elements, std::string_view name, std::string_view text);

// FactoryNumber and Model: elements given as text.
bool IsTextElement(int index);

// Throws CliError (BadInput) for a value the window refuses, with the reason.
[[noreturn]] void RefuseValue(std::string_view name, std::string_view text, std::string_view expected);

// True when the element read from the sensor holds the input (the factory number as the
// sensor pads it).
bool HoldsInput(const TSSICom::ParameterStruct& elements, const ElementInput& input);

void AssignElementInput(TSSICom::ParameterStruct& elements, const ElementInput& input);

}  // namespace cli

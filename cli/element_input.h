#pragma once

#include <cstdint>
#include <string>
#include <string_view>

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

// Checks that the element can be written and that text fits its field. Throws CliError
// (BadInput) otherwise. elements supplies the masks and shifts of the register set.
ElementInput CheckElementInput(const TSSICom::ParameterStruct& elements, std::string_view name, std::string_view text);

// True when the element read from the sensor holds the input (the factory number as the
// sensor pads it).
bool HoldsInput(const TSSICom::ParameterStruct& elements, const ElementInput& input);

void AssignElementInput(TSSICom::ParameterStruct& elements, const ElementInput& input);

}  // namespace cli

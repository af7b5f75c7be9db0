#pragma once

#include <cstdint>
#include <string_view>

#include "field_colour.h"

// The linearization page: the address it shows and the factor byte.

inline constexpr const char* DefaultLinAddress = "200";
inline constexpr int32_t LinFactorAddress = 501;
// The address typed in AdresLabel; the default address when it is no decimal number.
int LinAddressFrom(std::string_view adresLabelText);
FieldColour LinStartValueColour(bool changed, bool developerAccess);

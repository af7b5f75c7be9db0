#include "linearization_rules.h"

#include "wire_format.h"

namespace {

constexpr int32_t kDefaultLinAddress = 200;

}  // namespace

int LinAddressFrom(std::string_view adresLabelText)
{
    int32_t address = 0;
    return ParseDecimal(adresLabelText, address) ? address : kDefaultLinAddress;
}

FieldColour LinStartValueColour(bool changed, bool developerAccess)
{
    if (changed)
        return FieldColour::Changed;
    return developerAccess ? FieldColour::White : FieldColour::ButtonFace;
}

#include "firmware_rules.h"

#include "wire_format.h"

bool FirmwarePageUsable(int32_t firmwareVersion)
{
    const int32_t family = FirmwareFamily(firmwareVersion);
    return family == 39606 || (family == 39602 && firmwareVersion > 3960202);
}

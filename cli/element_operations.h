#pragma once

#include <string_view>

#include "sensor_link.h"

namespace cli {

using LinkOperation = bool (*)(TSSICom& link);

// How the command line reads and writes one element of the register set. Every write ends
// with the element read back, so its value is then the sensor's; write is null for the
// elements that cannot be set to a value.
struct ElementOperations {
    std::string_view name;
    LinkOperation read;
    LinkOperation write;
};

// The linearization byte that get and set of LinValue reach.
constexpr int kLinValueAddress = TSSICom::LinTableFirstAddress;

// The operations of element index (0..37, the order of the register set).
const ElementOperations& OperationsOf(int index);

}  // namespace cli

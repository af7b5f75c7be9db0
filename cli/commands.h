#pragma once

#include <functional>
#include <istream>
#include <optional>
#include <ostream>
#include <span>
#include <string_view>

#include "serial_port.h"

namespace cli {

// The COM port stored by the window's settings, if there is one.
using StoredPortLookup = std::function<std::optional<int>()>;

// What a command line meets besides its arguments.
struct Surroundings {
    std::ostream& out;
    std::istream& in;  // where the answer to a question comes from
    StoredPortLookup storedPort;
    TSerialCom::Sleeper sleep = {};  // the protocol's waits; empty sleeps for real
};

// Runs one command line (without the program name) and writes its results to out.
// Throws CliError when the command fails or the command line is wrong.
void RunCommandLine(std::span<const std::string_view> arguments, const Surroundings& surroundings);

}  // namespace cli

#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <span>
#include <string_view>

namespace cli {

// The COM port stored by the window's settings, if there is one.
using StoredPortLookup = std::function<std::optional<int>()>;

// Runs one command line (without the program name) and writes its results to out.
// Throws CliError when the command fails or the command line is wrong.
void RunCommandLine(std::span<const std::string_view> arguments, std::ostream& out, const StoredPortLookup& storedPort);

}  // namespace cli

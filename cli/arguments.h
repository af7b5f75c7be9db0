#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

extern const char* const kUsage;

// The command line: [--port N | --device PATH] [--json] [--raw] COMMAND [ARG...].
struct Options {
    std::optional<int> port;
    std::string device;
    bool json = false;
    bool raw = false;  // set writes the one element only
    bool help = false;
    std::string command;
    std::vector<std::string> arguments;
};

// Throws CliError (BadInput) for a malformed command line; the command itself is not checked.
Options ParseArguments(std::span<const std::string_view> arguments);

}  // namespace cli

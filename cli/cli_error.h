#pragma once

#include <string>

namespace cli {

enum class ExitCode { Success = 0, LinkFailed = 1, BadInput = 2 };

// Ends the command: main prints the message as the one line on stderr and exits with code.
struct CliError {
    ExitCode code;
    std::string message;
};

[[noreturn]] inline void FailBadInput(std::string message) { throw CliError{ExitCode::BadInput, std::move(message)}; }

[[noreturn]] inline void FailLink(std::string message) { throw CliError{ExitCode::LinkFailed, std::move(message)}; }

}  // namespace cli

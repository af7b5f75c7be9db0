#include <cerrno>
#include <cstring>
#include <exception>
#include <iostream>
#include <optional>
#include <string_view>
#include <vector>

#include "cli_error.h"
#include "commands.h"
#include "element_output.h"
#include "settings_store.h"

namespace {

// The port the window stored in its settings.
std::optional<int> StoredComPort()
{
    const SettingsStore settings;
    if (!settings.Problem().empty())
        std::cerr << "ssi-tesmira-cli: warning: " << cli::PrintableText(settings.Problem()) << '\n';
    return settings.ComPort();
}

// Every line on stderr is printable whatever the sensor or the arguments put into it.
int Fail(std::string_view message, cli::ExitCode code)
{
    std::cerr << "ssi-tesmira-cli: " << cli::PrintableText(message) << '\n';
    return static_cast<int>(code);
}

// What was printed must have reached its destination; a full disk is no success.
int FinishOutput()
{
    errno = 0;
    if (std::cout.flush())
        return 0;
    const std::string reason = errno != 0 ? std::strerror(errno) : "write error";
    return Fail("cannot write the output: " + reason, cli::ExitCode::LinkFailed);
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    try {
        cli::RunCommandLine(arguments, {.out = std::cout, .in = std::cin, .storedPort = StoredComPort});
        return FinishOutput();
    } catch (const cli::CliError& error) {
        FinishOutput();
        return Fail(error.message, error.code);
    } catch (const std::exception& error) {
        FinishOutput();
        return Fail(error.what(), cli::ExitCode::LinkFailed);
    }
}

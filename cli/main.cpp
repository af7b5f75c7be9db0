#include <exception>
#include <iostream>
#include <optional>
#include <string_view>
#include <vector>

#include "cli_error.h"
#include "commands.h"
#include "settings_store.h"

namespace {

// The port the window stored in its settings.
std::optional<int> StoredComPort()
{
    const SettingsStore settings;
    if (!settings.Problem().empty())
        std::cerr << "ssi-tesmira-cli: warning: " << settings.Problem() << '\n';
    return settings.ComPort();
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    try {
        cli::RunCommandLine(arguments, std::cout, StoredComPort);
        return 0;
    } catch (const cli::CliError& error) {
        std::cerr << "ssi-tesmira-cli: " << error.message << '\n';
        return static_cast<int>(error.code);
    } catch (const std::exception& error) {
        std::cerr << "ssi-tesmira-cli: " << error.what() << '\n';
        return static_cast<int>(cli::ExitCode::LinkFailed);
    }
}

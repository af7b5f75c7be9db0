#include "arguments.h"

#include <charconv>

#include "cli_error.h"

namespace cli {

const char* const kUsage
    = "usage: ssi-tesmira-cli [--port N | --device PATH] [--json] [--raw] COMMAND [ARG...]\n"
      "  ports                  the ports 1 to 100 that can be opened\n"
      "  read [--strict]        read the whole parameter set and print it\n"
      "  get NAME               read one element and print it\n"
      "  set NAME VALUE         write one element and the registers the window writes with it,\n"
      "                         each verified by reading it back; print every element written\n"
      "  store                  store the working registers in the sensor's EEPROM\n"
      "  restore-factory        back up the set, bring back the factory settings and print them\n"
      "  save FILE [--comment TEXT]\n"
      "                         read the whole set and write it into the parameter file\n"
      "  show FILE              print the file's information, date and stored values (no sensor)\n"
      "  diff FILE              print \"Name: sensor -> file\" for every stored value that differs\n"
      "  load FILE [--yes]      back up the sensor's set, then write the file's set into it;\n"
      "                         without --yes show the file and ask first\n"
      "--raw makes set write the one element alone.\n"
      "--port 0 is demo mode; without --port or --device the port of the window's settings is used.\n"
      "Backups go to $XDG_DATA_HOME/QOR/backups/<factory number>/.\n"
      "Exit codes: 0 success, 1 the sensor failed or a backup could not be written, 2 bad usage or input.\n";

namespace {

int ParsePortNumber(std::string_view text)
{
    int port = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
    if (error != std::errc{} || end != text.data() + text.size() || port < 0 || port > 255)
        FailBadInput("--port needs a number from 0 to 255, not '" + std::string(text) + "'");
    return port;
}

std::string_view OptionValue(std::span<const std::string_view> arguments, size_t& position)
{
    const std::string_view option = arguments[position];
    if (++position == arguments.size())
        FailBadInput(std::string(option) + " needs a value");
    return arguments[position];
}

}  // namespace

Options ParseArguments(std::span<const std::string_view> arguments)
{
    Options options;
    size_t position = 0;
    for (; position < arguments.size() && arguments[position].starts_with("-"); ++position) {
        const std::string_view option = arguments[position];
        if (option == "--json") {
            options.json = true;
        } else if (option == "--raw") {
            options.raw = true;
        } else if (option == "--help" || option == "-h") {
            options.help = true;
            return options;
        } else if (option == "--port" || option == "--device") {
            if (options.port || !options.device.empty())
                FailBadInput("give only one of --port and --device");
            const std::string_view value = OptionValue(arguments, position);
            if (option == "--port")
                options.port = ParsePortNumber(value);
            else if (value.empty())
                FailBadInput("--device needs a path");
            else
                options.device = value;
        } else {
            FailBadInput("unknown option " + std::string(option));
        }
    }
    if (position == arguments.size())
        FailBadInput("no command given (try --help)");
    options.command = arguments[position];
    if (options.raw && options.command != "set")
        FailBadInput("--raw applies only to set");
    options.arguments.assign(arguments.begin() + static_cast<std::ptrdiff_t>(position) + 1, arguments.end());
    return options;
}

}  // namespace cli

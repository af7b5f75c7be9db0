#include "command_line.h"

#include <charconv>
#include <stdexcept>

namespace sim {

const std::string_view kUsage
    = "usage: ssi-sensor-sim --port N [options]\n"
      "Serves a simulated sensor on a pseudo-terminal linked as COM<N> in the port folder,\n"
      "until interrupted.\n"
      "  --port N                 port number 1..255\n"
      "  --firmware V             firmware version, default 3960105\n"
      "  --model KH               two model letters, default KH\n"
      "  --length MM              sensor length in mm, default 500\n"
      "  --factory-number TEXT    up to 8 characters, default 12345678\n"
      "  --set R=PAYLOAD          a register's payload as the sensor sends it, e.g. D=000519\n"
      "  --reply-delay MS         wait between a command's CR and its reply, default 5\n"
      "  --help                   this text\n";

namespace {

int ParseNumber(const std::string& option, const std::string& text, int low, int high)
{
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) {
        throw std::invalid_argument(option + " takes a number from " + std::to_string(low) + " to "
            + std::to_string(high) + ", not \"" + text + "\"");
    }
    return value;
}

void ApplyOption(CommandLine& result, const std::string& option, const std::string& value)
{
    SensorSettings& settings = result.settings;
    if (option == "--port") {
        result.port = ParseNumber(option, value, 1, 255);
    } else if (option == "--firmware") {
        settings.firmwareVersion = ParseNumber(option, value, 0, 0xFFFFFF);
    } else if (option == "--model") {
        settings.model = value;
    } else if (option == "--length") {
        settings.lengthMm = ParseNumber(option, value, 0, 99950);
    } else if (option == "--factory-number") {
        settings.factoryNumber = value;
    } else if (option == "--set") {
        if (value.size() < 3 || value[1] != '=')
            throw std::invalid_argument("--set takes R=PAYLOAD, not \"" + value + "\"");
        settings.registers[value[0]] = value.substr(2);
    } else if (option == "--reply-delay") {
        settings.replyDelay = std::chrono::milliseconds(ParseNumber(option, value, 0, 10000));
    } else {
        throw std::invalid_argument("unknown option \"" + option + "\"");
    }
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine result;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--help") {
            result.help = true;
            return result;
        }
        if (i + 1 == arguments.size())
            throw std::invalid_argument("\"" + arguments[i] + "\" needs a value");
        ApplyOption(result, arguments[i], arguments[i + 1]);
        ++i;
    }
    if (result.port == 0)
        throw std::invalid_argument("--port N is required");
    return result;
}

}  // namespace sim

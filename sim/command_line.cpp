#include "command_line.h"

#include <charconv>
#include <limits>
#include <set>
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
      "  --set R=PAYLOAD          a register's payload as the sensor sends it, e.g. D=000519;\n"
      "                           may be given for several registers\n"
      "  --reply-delay MS         wait between a command's CR and its reply, default 5\n"
      "  --fault KIND             a fault that hits every command:\n"
      "                             no-answer   the command is neither carried out nor answered\n"
      "                             garbled     the reply's final CR is replaced by '0'\n"
      "                             short       the reply's final CR is missing\n"
      "                             wrong-echo  linearization reads echo the address plus one\n"
      "  --fault-every K          with --fault: the fault hits only the K-th, 2K-th, ... command,\n"
      "                           PROG wake-ups not counted\n"
      "  --die-after N            hears N commands, then none\n"
      "  --help                   this text\n";

namespace {

constexpr int kMostCommands = std::numeric_limits<int>::max();

struct FaultKind {
    std::string_view name;
    void (*apply)(Faults& faults);
};

constexpr FaultKind kFaultKinds[] = {
    {"no-answer", [](Faults& faults) { faults.unanswered = {""}; }},
    {"garbled", [](Faults& faults) { faults.damage = ReplyDamage::NoFinalCr; }},
    {"short", [](Faults& faults) { faults.damage = ReplyDamage::Short; }},
    {"wrong-echo", [](Faults& faults) { faults.wrongLinAddressEcho = true; }},
};

void ApplyFaultKind(Faults& faults, const std::string& name)
{
    for (const FaultKind& kind : kFaultKinds) {
        if (kind.name == name) {
            kind.apply(faults);
            return;
        }
    }
    throw std::invalid_argument("--fault takes no-answer, garbled, short or wrong-echo, not \"" + name + "\"");
}

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
    } else if (option == "--fault") {
        ApplyFaultKind(result.faults, value);
    } else if (option == "--fault-every") {
        result.faults.hitEvery = ParseNumber(option, value, 1, kMostCommands);
    } else if (option == "--die-after") {
        result.faults.commandsBeforeDeath = ParseNumber(option, value, 0, kMostCommands);
    } else {
        throw std::invalid_argument("unknown option \"" + option + "\"");
    }
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine result;
    std::set<std::string> given;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--help") {
            result.help = true;
            return result;
        }
        if (i + 1 == arguments.size())
            throw std::invalid_argument("\"" + option + "\" needs a value");
        ApplyOption(result, option, arguments[i + 1]);
        if (option != "--set" && !given.insert(option).second)
            throw std::invalid_argument("\"" + option + "\" is given twice");
        ++i;
    }
    if (result.port == 0)
        throw std::invalid_argument("--port N is required");
    if (given.contains("--fault-every") && !given.contains("--fault"))
        throw std::invalid_argument("--fault-every needs --fault");
    return result;
}

}  // namespace sim

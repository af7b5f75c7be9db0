#include "commands.h"

#include <array>
#include <string>

#include "arguments.h"
#include "cli_error.h"
#include "element_input.h"
#include "element_operations.h"
#include "element_output.h"
#include "port_names.h"
#include "sensor_link.h"

namespace cli {

namespace {

constexpr std::string_view kNoAnswer = "no answer from the sensor";
constexpr std::string_view kIncompleteSet = "not every read of the set was answered";

void Require(bool succeeded, std::string_view operation, std::string_view reason)
{
    if (!succeeded)
        FailLink(std::string(operation) + " failed: " + std::string(reason));
}

std::string OpenErrorReason(const TSerialCom& port)
{
    switch (port.LastOpenError()) {
    case TSerialCom::OpenError::NoSuchDevice:
        return "no such file";
    case TSerialCom::OpenError::InUse:
        return "in use by another program";
    case TSerialCom::OpenError::NotSerialDevice:
        return "not a serial device";
    case TSerialCom::OpenError::AccessDenied:
        return "permission denied";
    default:
        return port.LastOpenErrorText().empty() ? "unknown error" : port.LastOpenErrorText();
    }
}

// A path that names no terminal device is the user's mistake, not the sensor's.
bool IsBadDevicePath(const TSerialCom& port)
{
    return port.OpenedByPath()
        && (port.LastOpenError() == TSerialCom::OpenError::NoSuchDevice
            || port.LastOpenError() == TSerialCom::OpenError::NotSerialDevice);
}

// The link of one command: the port is chosen and opened only when the command needs the
// sensor, after its arguments have been checked.
class Session {
public:
    Session(const Options& options, const StoredPortLookup& storedPort, std::ostream& out) :
        options_(options), storedPort_(storedPort), out_(out)
    {
    }

    TSSICom& Link()
    {
        if (!open_) {
            Open();
            open_ = true;
        }
        return link_;
    }

    // The register set as it stands, also before the port is open.
    const TSSICom::ParameterStruct& Elements() const { return link_.Parameter; }

    void Print(std::span<const int> indices)
    {
        out_ << (options_.json ? FormatElementsJson(link_.Parameter, indices)
                               : FormatElementsText(link_.Parameter, indices));
    }

    std::ostream& Out() { return out_; }
    bool Raw() const { return options_.raw; }

private:
    // Port 0 opens nothing; the link then runs in demo mode.
    void Open()
    {
        if (!options_.device.empty()) {
            if (!link_.OpenSensorDevice(options_.device))
                FailOpen("could not open " + options_.device);
            return;
        }
        const uint8_t port = ChoosePort();
        if (port == 0)
            link_.LoadDemoDefaults();
        if (!link_.OpenSensorPort(port) && !link_.IsDemo())
            FailOpen("could not open port " + PortDescription(port));
    }

    [[noreturn]] void FailOpen(const std::string& what) const
    {
        const std::string message = what + ": " + OpenErrorReason(link_);
        if (IsBadDevicePath(link_))
            FailBadInput(message);
        FailLink(message);
    }

    uint8_t ChoosePort()
    {
        if (options_.port)
            return static_cast<uint8_t>(*options_.port);
        const std::optional<int> stored = storedPort_();
        if (!stored)
            FailBadInput("no port given and no COM-Port in the settings: use --port N or --device PATH");
        if (*stored < 0 || *stored > 255)
            FailBadInput("the COM-Port " + std::to_string(*stored) + " of the settings is no port number");
        return static_cast<uint8_t>(*stored);
    }

    std::string PortDescription(uint8_t port) const
    {
        const std::string& device = link_.DeviceName();
        return "COM " + std::to_string(port) + (device.empty() ? "" : " (" + device + ")");
    }

    const Options& options_;
    const StoredPortLookup& storedPort_;
    std::ostream& out_;
    TSSICom link_;
    bool open_ = false;
};

using Arguments = std::span<const std::string>;

// Single-element transfers need the firmware version first: it decides reply lengths.
TSSICom& LinkWithFirmwareVersion(Session& session)
{
    TSSICom& link = session.Link();
    Require(link.ReadFirmwareVersion(), "ReadFirmwareVersion", kNoAnswer);
    return link;
}

// A set read is complete when every element it reads on this firmware was answered.
void RequireWholeSet(const TSSICom& link, bool strict, std::string_view operation)
{
    std::string missing;
    for (const int index : link.ElementsOfReadAll(strict))
        if (!link.Parameter[index].Valid)
            missing += (missing.empty() ? "" : ", ") + std::string(TSSICom::ElementName(index));
    if (!missing.empty())
        FailLink(std::string(operation) + " incomplete: no valid answer for " + missing);
}

void RunPorts(Session& session, Arguments)
{
    for (const uint8_t port : OpenablePorts())
        session.Out() << "COM " << int{port} << '\t' << PrintableText(PortDeviceName(port)) << '\n';
}

// Prints the set as read, also when some elements stayed unanswered.
void ReadAndPrintSet(Session& session, bool strict)
{
    TSSICom& link = session.Link();
    const std::string_view operation = strict ? "ReadAllStrict" : "ReadAll";
    Require(strict ? link.ReadAllStrict() : link.ReadAll(), operation, kIncompleteSet);
    session.Print(AllElementIndices());
    RequireWholeSet(link, strict, operation);
}

void RunRead(Session& session, Arguments arguments)
{
    const bool strict = !arguments.empty();
    if (strict && arguments[0] != "--strict")
        FailBadInput("read: unknown argument " + arguments[0]);
    ReadAndPrintSet(session, strict);
}

void RunGet(Session& session, Arguments arguments)
{
    const int index = ElementIndexOf(arguments[0]);
    TSSICom& link = LinkWithFirmwareVersion(session);
    Require(ReadElementOf(link, index), "Read" + arguments[0], kNoAnswer);
    session.Print(std::array{index});
}

// Every write ends with the element read back; it must hold the input.
void WriteInput(TSSICom& link, const ElementInput& input, std::string_view given)
{
    const std::string operation = "Write" + std::string(TSSICom::ElementName(input.index));
    AssignElementInput(link.Parameter, input);
    Require(WriteElementOf(link, input.index), operation, "no confirmation from the sensor");
    if (!HoldsInput(link.Parameter, input))
        FailLink(operation + " failed: the sensor holds " + ElementText(link.Parameter, input.index) + ", not "
            + std::string(given));
}

void WriteAlone(Session& session, std::string_view name, std::string_view text)
{
    const ElementInput input = CheckElementInput(session.Elements(), name, text);
    WriteInput(LinkWithFirmwareVersion(session), input, text);
    session.Print(std::array{input.index});
}

// The element and the registers the window writes with it, computed from the set as read.
void WriteWithDependents(Session& session, std::string_view name, std::string_view text)
{
    const ParameterRequest request = CheckParameterRequest(session.Elements(), name, text);
    TSSICom& link = session.Link();
    Require(link.ReadAll(), "ReadAll", kIncompleteSet);
    const ParameterChange change = ApplyParameterRequest(link.Parameter, request);
    if (!change.refusal.empty())
        RefuseValue(name, text, change.refusal);
    for (const int index : change.writes) {
        const int32_t value = link.Parameter[index].Value;
        WriteInput(link, {.index = index, .value = value}, std::to_string(value));
    }
    session.Print(change.writes);
}

void RunSet(Session& session, Arguments arguments)
{
    if (session.Raw() || IsTextElement(ElementIndexOf(arguments[0])))
        WriteAlone(session, arguments[0], arguments[1]);
    else
        WriteWithDependents(session, arguments[0], arguments[1]);
}

// As the window's EEPROM update: "CN" commits on newer firmware, older firmware knows only
// "EN"; the wake-up burst afterwards brings the sensor back into command mode, and it must
// answer again.
void RunStore(Session& session, Arguments)
{
    TSSICom& link = LinkWithFirmwareVersion(session);
    Require(link.CommitForFirmware(), "store", "the command could not be sent");
    link.ResumeAfterStore();
    Require(link.ReadFirmwareVersion(), "store", "no answer from the sensor after the store");
}

void RunRestoreFactory(Session& session, Arguments)
{
    TSSICom& link = session.Link();
    Require(link.RestoreFactory(), "RestoreFactory", "the command could not be sent");
    if (link.IsDemo())
        link.LoadDemoDefaults();
    ReadAndPrintSet(session, true);
}

struct Command {
    std::string_view name;
    std::string_view synopsis;
    size_t minArguments;
    size_t maxArguments;
    void (*run)(Session& session, Arguments arguments);
};

constexpr Command kCommands[] = {
    {"ports", "ports", 0, 0, RunPorts},
    {"read", "read [--strict]", 0, 1, RunRead},
    {"get", "get NAME", 1, 1, RunGet},
    {"set", "set NAME VALUE", 2, 2, RunSet},
    {"store", "store", 0, 0, RunStore},
    {"restore-factory", "restore-factory", 0, 0, RunRestoreFactory},
};

const Command& FindCommand(const Options& options)
{
    for (const Command& command : kCommands) {
        if (command.name != options.command)
            continue;
        const size_t count = options.arguments.size();
        if (count < command.minArguments || count > command.maxArguments)
            FailBadInput("wrong arguments, expected: " + std::string(command.synopsis));
        return command;
    }
    FailBadInput("unknown command '" + options.command + "' (try --help)");
}

}  // namespace

void RunCommandLine(std::span<const std::string_view> arguments, std::ostream& out, const StoredPortLookup& storedPort)
{
    const Options options = ParseArguments(arguments);
    if (options.help) {
        out << kUsage;
        return;
    }
    const Command& command = FindCommand(options);
    Session session(options, storedPort, out);
    command.run(session, options.arguments);
}

}  // namespace cli

#include "commands.h"

#include <array>
#include <string>

#include "arguments.h"
#include "cli_error.h"
#include "element_input.h"
#include "element_operations.h"
#include "element_output.h"
#include "file_commands.h"
#include "files_texts.h"
#include "port_names.h"
#include "sensor_link.h"
#include "session.h"

namespace cli {

namespace {

// Single-element transfers need the firmware version first: it decides reply lengths.
TSSICom& LinkWithFirmwareVersion(Session& session)
{
    TSSICom& link = session.Link();
    Require(link.ReadFirmwareVersion(), "ReadFirmwareVersion", kNoAnswer);
    return link;
}

void RunPorts(Session& session, Arguments)
{
    for (const uint8_t port : OpenablePorts())
        session.Out() << "COM " << int{port} << '\t' << PrintableText(PortDeviceName(port)) << '\n';
}

// Prints the set as read, also when some elements stayed unanswered.
void ReadAndPrintSet(Session& session, bool strict, const std::string& backup = {})
{
    TSSICom& link = session.Link();
    const std::string_view operation = strict ? "ReadAllStrict" : "ReadAll";
    Require(strict ? link.ReadAllStrict() : link.ReadAll(), operation, kIncompleteSet);
    session.Print(AllElementIndices(), backup);
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
    WriteVerified(link, change.writes);
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
    TSSICom& link = ReadCompleteSet(session);
    const std::string backup = BackUp(link.Parameter, texts::BackupBeforeFactorySettings);
    Require(link.RestoreFactory(), "RestoreFactory", "the command could not be sent");
    if (link.IsDemo())
        link.LoadDemoDefaults();
    ReadAndPrintSet(session, true, backup);
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
    {"save", "save FILE [--comment TEXT]", 1, 3, RunSave},
    {"show", "show FILE", 1, 1, RunShow},
    {"diff", "diff FILE", 1, 1, RunDiff},
    {"load", "load FILE [--yes]", 1, 2, RunLoad},
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

void RunCommandLine(std::span<const std::string_view> arguments, const Surroundings& surroundings)
{
    const Options options = ParseArguments(arguments);
    if (options.help) {
        surroundings.out << kUsage;
        return;
    }
    const Command& command = FindCommand(options);
    Session session(options, surroundings);
    command.run(session, options.arguments);
}

}  // namespace cli

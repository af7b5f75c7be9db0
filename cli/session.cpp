#include "session.h"

#include "cli_error.h"
#include "element_operations.h"
#include "element_output.h"
#include "file_commands.h"

namespace cli {

namespace {

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

}  // namespace

Session::Session(const Options& options, const Surroundings& surroundings) :
    options_(options), surroundings_(surroundings)
{
    link_.SetSleep(surroundings.sleep);
}

TSSICom& Session::Link()
{
    if (!open_) {
        Open();
        open_ = true;
    }
    return link_;
}

void Session::Print(std::span<const int> indices, const std::string& backup)
{
    std::vector<std::string> backupMember;
    if (!backup.empty())
        backupMember.push_back(PathMember("backup", backup));
    if (options_.json)
        Out() << FormatElementsJson(link_.Parameter, indices, backupMember);
    else
        Out() << (backup.empty() ? "" : "Backup: " + PrintableText(backup, Encoding::Utf8) + "\n")
              << FormatElementsText(link_.Parameter, indices);
}

// Port 0 opens nothing; the link then runs in demo mode.
void Session::Open()
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

void Session::FailOpen(const std::string& what) const
{
    const std::string message = what + ": " + OpenErrorReason(link_);
    if (IsBadDevicePath(link_))
        FailBadInput(message);
    FailLink(message);
}

uint8_t Session::ChoosePort()
{
    if (options_.port)
        return static_cast<uint8_t>(*options_.port);
    const std::optional<int> stored = surroundings_.storedPort();
    if (!stored)
        FailBadInput("no port given and no COM-Port in the settings: use --port N or --device PATH");
    if (*stored < 0 || *stored > 255)
        FailBadInput("the COM-Port " + std::to_string(*stored) + " of the settings is no port number");
    return static_cast<uint8_t>(*stored);
}

std::string Session::PortDescription(uint8_t port) const
{
    const std::string& device = link_.DeviceName();
    return "COM " + std::to_string(port) + (device.empty() ? "" : " (" + device + ")");
}

void Require(bool succeeded, std::string_view operation, std::string_view reason)
{
    if (!succeeded)
        FailLink(std::string(operation) + " failed: " + std::string(reason));
}

void RequireWholeSet(const TSSICom& link, bool strict, std::string_view operation)
{
    std::string missing;
    for (const int index : link.ElementsOfReadAll(strict))
        if (!link.Parameter[index].Valid)
            missing += (missing.empty() ? "" : ", ") + std::string(TSSICom::ElementName(index));
    if (!missing.empty())
        FailLink(std::string(operation) + " incomplete: no valid answer for " + missing);
}

TSSICom& ReadCompleteSet(Session& session)
{
    TSSICom& link = session.Link();
    Require(link.ReadAll(), "ReadAll", kIncompleteSet);
    RequireWholeSet(link, false, "ReadAll");
    return link;
}

void WriteInput(TSSICom& link, const ElementInput& input, std::string_view given)
{
    const std::string operation = "Write" + std::string(TSSICom::ElementName(input.index));
    AssignElementInput(link.Parameter, input);
    Require(WriteElementOf(link, input.index), operation, "no confirmation from the sensor");
    if (!HoldsInput(link.Parameter, input))
        FailLink(operation + " failed: the sensor holds " + ElementText(link.Parameter, input.index) + ", not "
            + std::string(given));
}

void WriteVerified(TSSICom& link, std::span<const int> indices)
{
    for (const int index : indices) {
        const int32_t value = link.Parameter[index].Value;
        WriteInput(link, {.index = index, .value = value}, std::to_string(value));
    }
}

}  // namespace cli

#include "serial_port.h"

#include <chrono>
#include <thread>

#include "port_names.h"

// The parts of the port that are the same on every platform.

namespace {

// A late reply is at most a few characters; a peer still talking after this is streaming.
constexpr auto DrainLimit = std::chrono::milliseconds(250);

}  // namespace

TSerialCom::~TSerialCom() { Close(); }

bool TSerialCom::Open(uint8_t portNumber, uint32_t baudRate, uint32_t timeoutMs)
{
    portNumber_ = portNumber;
    openedByPath_ = false;
    device_ = PortDeviceName(portNumber);
    if (portNumber == 0)
        return Fail(OpenError::None);
    return OpenNamed(baudRate, timeoutMs);
}

bool TSerialCom::OpenDevice(const std::string& device, uint32_t baudRate, uint32_t timeoutMs)
{
    portNumber_ = 0;
    openedByPath_ = true;
    device_ = device;
    return OpenNamed(baudRate, timeoutMs);
}

void TSerialCom::Sleep(uint32_t milliseconds) const
{
    if (sleep_)
        sleep_(milliseconds);
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

bool TSerialCom::Close()
{
    CloseHandleOnly();
    return true;
}

bool TSerialCom::Fail(OpenError error, std::string text)
{
    CloseHandleOnly();
    lastOpenError_ = error;
    lastOpenErrorText_ = std::move(text);
    return false;
}

bool TSerialCom::Read(uint8_t* buffer, uint32_t count, uint32_t& received)
{
    return ReadCall(buffer, count, received) && received == count;
}

// Each read call returns after T ms without a byte, so a call that brings nothing ends
// the drain.
bool TSerialCom::DrainInput()
{
    const auto limit = std::chrono::steady_clock::now() + DrainLimit;
    uint8_t discarded[64];
    uint32_t received = 0;
    while (
        ReadCall(discarded, sizeof discarded, received) && received > 0 && std::chrono::steady_clock::now() < limit) { }
    return FlushInput();
}

std::vector<uint8_t> OpenablePorts(uint8_t lastPort)
{
    const TSerialCom probe;
    std::vector<uint8_t> ports;
    for (int port = 1; port <= lastPort; ++port)
        if (probe.PortExists(static_cast<uint8_t>(port)))
            ports.push_back(static_cast<uint8_t>(port));
    return ports;
}

#include "serial_port.h"

// The parts of the port that are the same on every platform.

TSerialCom::~TSerialCom() { Close(); }

bool TSerialCom::Close()
{
    CloseHandleOnly();
    return true;
}

bool TSerialCom::Read(uint8_t* buffer, uint32_t count, uint32_t& received)
{
    return ReadCall(buffer, count, received) && received == count;
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

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

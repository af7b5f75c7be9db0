#include "sensor_link.h"

namespace {

constexpr uint32_t CommandBaudRate = 4800;
constexpr uint32_t CommandTimeoutMs = 50;
constexpr uint8_t CR = 0x0D;
constexpr uint8_t WakeUpPacket[] = {'P', 'R', 'O', 'G', CR};
constexpr int WakeUpPackets = 35;

}  // namespace

bool TSSICom::OpenSensorPort(uint8_t portNumber) { return Open(portNumber, CommandBaudRate, CommandTimeoutMs); }

bool TSSICom::OpenSensorDevice(const std::string& device)
{
    return OpenDevice(device, CommandBaudRate, CommandTimeoutMs);
}

// The purge right after the write empties the receive buffer of anything that
// came before the command, so only the answer to this command can be read next.
// A reply that was late for a failed attempt may still be arriving after that purge:
// it is waited out first.
bool TSSICom::SendCommand(const std::string& command)
{
    if (IsDemo())
        return true;
    if (lateReplyPossible_) {
        DrainInput();
        lateReplyPossible_ = false;
    }
    const std::string line = command + static_cast<char>(CR);
    const bool written = Write(reinterpret_cast<const uint8_t*>(line.data()), static_cast<uint32_t>(line.size()));
    Purge();
    if (!written)
        return false;
    Sleep(15);
    return true;
}

// A reply is exactly length characters: the payload and a final CR.
bool TSSICom::ReceiveReply(std::string& reply, uint32_t length)
{
    if (IsDemo())
        return true;
    reply.clear();
    std::string bytes(length, '\0');
    uint32_t received = 0;
    const bool complete = Read(reinterpret_cast<uint8_t*>(bytes.data()), length, received);
    if (complete)
        reply = bytes.substr(0, bytes.find('\0'));
    if (!complete || reply.size() < length || static_cast<uint8_t>(reply.back()) != CR) {
        ExpectLateReply();
        return false;
    }
    reply.pop_back();
    return true;
}

bool TSSICom::WriteRaw(const uint8_t* bytes, uint32_t count)
{
    if (IsDemo())
        return true;
    const bool written = Write(bytes, count);
    Purge();
    return written;
}

bool TSSICom::WakeUp()
{
    SetRts();
    Sleep(100);
    ClearRts();
    Purge();
    bool written = false;
    for (int packet = 0; packet < WakeUpPackets && !Abandoned(); ++packet) {
        written = Write(WakeUpPacket, sizeof WakeUpPacket);
        Sleep(20);
    }
    return written;
}

bool TSSICom::CheckPort()
{
    uint8_t byte = 0;
    uint32_t received = 0;
    if (ReadCall(&byte, 1, received))
        return true;
    Close();
    return OpenedByPath() ? OpenSensorDevice(DeviceName()) : OpenSensorPort(PortNumber());
}

// The command already ends in CR; SendCommand adds a second one.
bool TSSICom::EnterBootloader() { return SendCommand("BN\r"); }

bool TSSICom::RunQuery(DataElement& element, const Query& query, const Parse& parse)
{
    for (int attempt = 0; attempt < query.attempts && !Abandoned(); ++attempt) {
        SendCommand(query.command);
        if (query.demoShortcut && IsDemo()) {
            element.Valid = 1;
            return true;
        }
        if (query.waitBeforeReply)
            Sleep(25);
        if (ReceiveReply(element.Reply, query.length)) {
            element.Valid = 1;
            if (parse(element))
                return true;
            ExpectLateReply();
            return false;
        }
    }
    element.Valid = 0;
    return false;
}

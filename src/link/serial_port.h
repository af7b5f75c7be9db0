#pragma once

#include <cstdint>
#include <vector>

// One COM port of the PC: opened by number with a baud rate and a time-out T,
// raw 8N1 with no flow control, DTR and RTS held off, RTS switched only on request.
// A read returns when all bytes arrived, T ms after the call, or when two bytes are
// more than T ms apart; a write gives up after T ms. Nothing here retries or reports.
class TSerialCom {
public:
#ifdef _WIN32
    using Handle = void*;
#else
    using Handle = int;
#endif

    TSerialCom() = default;
    virtual ~TSerialCom();
    TSerialCom(const TSerialCom&) = delete;
    TSerialCom& operator=(const TSerialCom&) = delete;

    bool Open(uint8_t portNumber, uint32_t baudRate, uint32_t timeoutMs);
    bool Close();
    bool PortExists(uint8_t portNumber) const;
    bool SetRts();
    bool ClearRts();
    bool Purge();
    bool Read(uint8_t* buffer, uint32_t count, uint32_t& received);
    bool Write(const uint8_t* bytes, uint32_t count);
    bool SetTimeouts(uint32_t timeoutMs);
    uint8_t PortNumber() const { return portNumber_; }
    bool IsOpen() const;

protected:
    // One read under the time-outs. True when the operating system call itself
    // succeeded, however many bytes came; received is written only then.
    bool ReadCall(uint8_t* buffer, uint32_t count, uint32_t& received);

private:
    bool OpenDevice(uint32_t baudRate);
    void CloseHandleOnly();

    uint8_t portNumber_ = 0;
#ifdef _WIN32
    Handle handle_ = reinterpret_cast<Handle>(static_cast<intptr_t>(-1));
#else
    Handle handle_ = -1;
    uint32_t timeoutMs_ = 0;
#endif
};

// The ports 1 to lastPort that can be opened now, in ascending order. A port held open by
// another program fails the probe and is left out.
std::vector<uint8_t> OpenablePorts(uint8_t lastPort = 100);

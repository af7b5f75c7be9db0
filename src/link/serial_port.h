#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// One COM port of the PC: opened by number with a baud rate and a time-out T,
// raw 8N1 with no flow control, DTR and RTS held off, RTS switched only on request.
// A read returns when all bytes arrived, T ms after the call, or when two bytes are
// more than T ms apart; a write gives up after T ms. Nothing here retries or reports.
class TSerialCom {
public:
    // Why the last open failed.
    enum class OpenError { None, NoSuchDevice, InUse, NotSerialDevice, AccessDenied, Other };

#ifdef _WIN32
    using Handle = void*;
#else
    using Handle = int;
#endif

    // Every wait of the protocol goes through the link's sleep, so that a test can run the
    // waits of each link in virtual time.
    using Sleeper = std::function<void(uint32_t milliseconds)>;

    TSerialCom() = default;
    virtual ~TSerialCom();
    TSerialCom(const TSerialCom&) = delete;
    TSerialCom& operator=(const TSerialCom&) = delete;

    bool Open(uint8_t portNumber, uint32_t baudRate, uint32_t timeoutMs);
    // Opens a device given by its path instead of a port number. It is no demo port, and
    // PortNumber() is 0 while it is in use.
    bool OpenDevice(const std::string& device, uint32_t baudRate, uint32_t timeoutMs);
    bool Close();
    bool PortExists(uint8_t portNumber) const;
    bool SetRts();
    bool ClearRts();
    bool Purge();
    bool Read(uint8_t* buffer, uint32_t count, uint32_t& received);
    bool Write(const uint8_t* bytes, uint32_t count);
    bool SetTimeouts(uint32_t timeoutMs);
    // Reads whatever is still arriving until the line has been quiet for T ms, then
    // discards the input queue. A peer that never falls silent is cut off after a while.
    bool DrainInput();
    uint8_t PortNumber() const { return portNumber_; }
    bool IsOpen() const;
    bool OpenedByPath() const { return openedByPath_; }
    // The device of the last open (empty when the port number names none).
    const std::string& DeviceName() const { return device_; }
    OpenError LastOpenError() const { return lastOpenError_; }
    // Replaces the real sleep of this link (an empty function brings it back).
    void SetSleep(Sleeper sleep) { sleep_ = std::move(sleep); }
    void Sleep(uint32_t milliseconds) const;
    // The operating system's words for the last failed open, when it gave any.
    const std::string& LastOpenErrorText() const { return lastOpenErrorText_; }

protected:
    // One read under the time-outs. True when the operating system call itself
    // succeeded, however many bytes came; received is written only then.
    bool ReadCall(uint8_t* buffer, uint32_t count, uint32_t& received);

private:
    bool OpenNamed(uint32_t baudRate, uint32_t timeoutMs);
    bool FlushInput();
    void CloseHandleOnly();
    bool Fail(OpenError error, std::string text = {});

    Sleeper sleep_;
    uint8_t portNumber_ = 0;
    bool openedByPath_ = false;
    std::string device_;
    OpenError lastOpenError_ = OpenError::None;
    std::string lastOpenErrorText_;
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

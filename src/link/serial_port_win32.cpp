#include "serial_port.h"

#include <windows.h>

#include <system_error>

#include "port_names.h"

namespace {

HANDLE Native(TSerialCom::Handle handle) { return static_cast<HANDLE>(handle); }

HANDLE OpenWithoutSharing(const std::string& device)
{
    if (device.empty())
        return INVALID_HANDLE_VALUE;
    return CreateFileA(
        device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// A port held by another program refuses the open with "access denied".
TSerialCom::OpenError ErrorOfOpen(DWORD code)
{
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return TSerialCom::OpenError::NoSuchDevice;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return TSerialCom::OpenError::InUse;
    default:
        return TSerialCom::OpenError::Other;
    }
}

bool ApplyLineSettings(HANDLE handle, uint32_t baudRate)
{
    DCB settings{};
    settings.DCBlength = sizeof settings;
    settings.BaudRate = baudRate;
    settings.fBinary = TRUE;
    settings.fDtrControl = DTR_CONTROL_DISABLE;
    settings.fRtsControl = RTS_CONTROL_DISABLE;
    settings.fAbortOnError = FALSE;
    settings.ByteSize = 8;
    settings.Parity = NOPARITY;
    settings.StopBits = ONESTOPBIT;
    return SetCommState(handle, &settings) != 0;
}

}  // namespace

bool TSerialCom::IsOpen() const { return Native(handle_) != INVALID_HANDLE_VALUE; }

bool TSerialCom::OpenNamed(uint32_t baudRate, uint32_t timeoutMs)
{
    CloseHandleOnly();
    handle_ = OpenWithoutSharing(device_);
    if (!IsOpen()) {
        const DWORD code = GetLastError();
        return Fail(device_.empty() ? OpenError::NoSuchDevice : ErrorOfOpen(code),
            std::system_category().message(static_cast<int>(code)));
    }
    if (GetFileType(Native(handle_)) != FILE_TYPE_CHAR || !SetupComm(Native(handle_), 16, 16)
        || !ApplyLineSettings(Native(handle_), baudRate))
        return Fail(OpenError::NotSerialDevice);
    lastOpenError_ = OpenError::None;
    lastOpenErrorText_.clear();
    return SetTimeouts(timeoutMs);
}

void TSerialCom::CloseHandleOnly()
{
    if (IsOpen())
        CloseHandle(Native(handle_));
    handle_ = INVALID_HANDLE_VALUE;
}

bool TSerialCom::PortExists(uint8_t portNumber) const
{
    const HANDLE probe = OpenWithoutSharing(PortDeviceName(portNumber));
    if (probe == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(probe);
    return true;
}

bool TSerialCom::SetRts() { return IsOpen() && EscapeCommFunction(Native(handle_), SETRTS) != 0; }

bool TSerialCom::ClearRts() { return IsOpen() && EscapeCommFunction(Native(handle_), CLRRTS) != 0; }

bool TSerialCom::Purge()
{
    if (!IsOpen() || !PurgeComm(Native(handle_), PURGE_TXCLEAR | PURGE_RXCLEAR))
        return false;
    Sleep(10);
    return true;
}

bool TSerialCom::FlushInput() { return IsOpen() && PurgeComm(Native(handle_), PURGE_RXCLEAR) != 0; }

bool TSerialCom::SetTimeouts(uint32_t timeoutMs)
{
    if (!IsOpen())
        return false;
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = timeoutMs;
    timeouts.ReadTotalTimeoutMultiplier = 0;
    timeouts.ReadTotalTimeoutConstant = timeoutMs;
    timeouts.WriteTotalTimeoutMultiplier = 0;
    timeouts.WriteTotalTimeoutConstant = timeoutMs;
    if (!SetCommTimeouts(Native(handle_), &timeouts)) {
        CloseHandleOnly();
        return false;
    }
    return true;
}

bool TSerialCom::ReadCall(uint8_t* buffer, uint32_t count, uint32_t& received)
{
    DWORD got = 0;
    if (!IsOpen() || !ReadFile(Native(handle_), buffer, count, &got, nullptr))
        return false;
    received = got;
    return true;
}

bool TSerialCom::Write(const uint8_t* bytes, uint32_t count)
{
    DWORD written = 0;
    return IsOpen() && WriteFile(Native(handle_), bytes, count, &written, nullptr) && written == count;
}

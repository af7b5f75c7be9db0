#include "serial_port.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <system_error>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include "port_names.h"

namespace {

using Clock = std::chrono::steady_clock;

bool BaudConstant(uint32_t baudRate, speed_t& speed)
{
    struct Entry {
        uint32_t rate;
        speed_t constant;
    };
    static constexpr Entry table[] = {{1200, B1200}, {2400, B2400}, {4800, B4800}, {9600, B9600}, {19200, B19200},
        {38400, B38400}, {57600, B57600}, {115200, B115200}};
    for (const Entry& entry : table)
        if (entry.rate == baudRate) {
            speed = entry.constant;
            return true;
        }
    return false;
}

using OpenError = TSerialCom::OpenError;

struct Opened {
    int fd = -1;
    OpenError error = OpenError::None;
    std::string text;
};

Opened Refused(OpenError error, int code = 0)
{
    return {-1, error, code ? std::system_category().message(code) : std::string()};
}

OpenError ErrorOfOpen(int code)
{
    switch (code) {
    case ENOENT:
    case ENOTDIR:
    case ENXIO:
    case ENODEV:
        return OpenError::NoSuchDevice;
    case EBUSY:
        return OpenError::InUse;
    case EACCES:
    case EPERM:
        return OpenError::AccessDenied;
    default:
        return OpenError::Other;
    }
}

// The exclusive mode outlives the descriptor on a pseudo-terminal whose other side stays
// open; an ordinary user could then never open the port again.
void CloseExclusive(int fd)
{
    ::ioctl(fd, TIOCNXCL);
    ::close(fd);
}

// Opens a terminal device for reading and writing so that no other open succeeds:
// TIOCEXCL keeps out other users, flock also root and this very process. Only character
// devices are opened at all: opening some other files has effects of its own.
Opened OpenExclusive(const std::string& device)
{
    struct stat info { };
    if (device.empty())
        return Refused(OpenError::NoSuchDevice);
    if (::stat(device.c_str(), &info) != 0)
        return Refused(ErrorOfOpen(errno), errno);
    if (!S_ISCHR(info.st_mode))
        return Refused(OpenError::NotSerialDevice);
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return Refused(ErrorOfOpen(errno), errno);
    if (!::isatty(fd)) {
        ::close(fd);
        return Refused(OpenError::NotSerialDevice);
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return Refused(OpenError::InUse);
    }
    ::ioctl(fd, TIOCEXCL);
    return {fd};
}

bool ApplyLineSettings(int fd, uint32_t baudRate)
{
    speed_t speed{};
    termios settings{};
    if (!BaudConstant(baudRate, speed) || ::tcgetattr(fd, &settings) != 0)
        return false;
    ::cfmakeraw(&settings);
    settings.c_cflag &= ~static_cast<tcflag_t>(CSTOPB | PARENB | CRTSCTS | CSIZE);
    settings.c_cflag |= CS8 | CLOCAL | CREAD;
    settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK);
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    ::cfsetispeed(&settings, speed);
    ::cfsetospeed(&settings, speed);
    if (::tcsetattr(fd, TCSANOW, &settings) != 0)
        return false;
    int lines = TIOCM_DTR | TIOCM_RTS;
    ::ioctl(fd, TIOCMBIC, &lines);  // a pseudo-terminal has no modem lines
    return true;
}

int RemainingMs(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

bool SetModemLine(int fd, int request)
{
    int line = TIOCM_RTS;
    return fd >= 0 && ::ioctl(fd, request, &line) == 0;
}

}  // namespace

bool TSerialCom::IsOpen() const { return handle_ >= 0; }

bool TSerialCom::OpenNamed(uint32_t baudRate, uint32_t timeoutMs)
{
    CloseHandleOnly();
    const Opened opened = OpenExclusive(device_);
    if (opened.fd < 0)
        return Fail(opened.error, opened.text);
    handle_ = opened.fd;
    if (!ApplyLineSettings(handle_, baudRate))
        return Fail(OpenError::NotSerialDevice);
    lastOpenError_ = OpenError::None;
    lastOpenErrorText_.clear();
    return SetTimeouts(timeoutMs);
}

void TSerialCom::CloseHandleOnly()
{
    if (handle_ >= 0)
        CloseExclusive(handle_);
    handle_ = -1;
}

bool TSerialCom::PortExists(uint8_t portNumber) const
{
    const Opened probe = OpenExclusive(PortDeviceName(portNumber));
    if (probe.fd < 0)
        return false;
    CloseExclusive(probe.fd);
    return true;
}

bool TSerialCom::SetRts() { return SetModemLine(handle_, TIOCMBIS); }

bool TSerialCom::ClearRts() { return SetModemLine(handle_, TIOCMBIC); }

// Every write has drained its bytes, so the output side is empty here. Flushing it
// anyway would, on a pseudo-terminal, throw away what the peer has not read yet.
bool TSerialCom::Purge()
{
    if (!FlushInput())
        return false;
    Sleep(10);
    return true;
}

bool TSerialCom::FlushInput() { return handle_ >= 0 && ::tcflush(handle_, TCIFLUSH) == 0; }

bool TSerialCom::SetTimeouts(uint32_t timeoutMs)
{
    if (handle_ < 0)
        return false;
    timeoutMs_ = timeoutMs;
    return true;
}

// Waits for bytes until the count is complete, T ms have passed since the call,
// or T ms have passed since the last byte. A hang-up or I/O error fails the call.
bool TSerialCom::ReadCall(uint8_t* buffer, uint32_t count, uint32_t& received)
{
    if (handle_ < 0)
        return false;
    const auto timeout = std::chrono::milliseconds(timeoutMs_);
    const auto totalDeadline = Clock::now() + timeout;
    auto gapDeadline = totalDeadline;
    uint32_t done = 0;
    while (done < count) {
        pollfd entry{handle_, POLLIN, 0};
        const int ready = ::poll(&entry, 1, RemainingMs(std::min(totalDeadline, gapDeadline)));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0 || (entry.revents & (POLLERR | POLLNVAL)))
            return false;
        if (ready == 0)
            break;
        const ssize_t got = ::read(handle_, buffer + done, count - done);
        if (got < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        if (got <= 0)
            return false;  // hang-up: the device has gone
        done += static_cast<uint32_t>(got);
        gapDeadline = Clock::now() + timeout;
    }
    received = done;
    return true;
}

bool TSerialCom::Write(const uint8_t* bytes, uint32_t count)
{
    if (handle_ < 0)
        return false;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs_);
    uint32_t done = 0;
    while (done < count) {
        const ssize_t put = ::write(handle_, bytes + done, count - done);
        if (put > 0) {
            done += static_cast<uint32_t>(put);
            continue;
        }
        if (put < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        pollfd entry{handle_, POLLOUT, 0};
        if (::poll(&entry, 1, RemainingMs(deadline)) <= 0 || (entry.revents & (POLLERR | POLLHUP | POLLNVAL)))
            return false;
    }
    // The purge that follows every command must not discard bytes still in the driver.
    return ::tcdrain(handle_) == 0;
}

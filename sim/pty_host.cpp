#include "pty_host.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <pty.h>
#include <sched.h>
#include <sys/inotify.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <system_error>
#include <utility>

#include "port_names.h"

namespace sim {
namespace {

[[noreturn]] void ThrowErrno(const char* what) { throw std::system_error(errno, std::generic_category(), what); }

void CloseDescriptor(int& descriptor)
{
    if (descriptor >= 0)
        close(descriptor);
    descriptor = -1;
}

uint32_t BaudRate(speed_t speed)
{
    struct Rate {
        speed_t code;
        uint32_t baud;
    };
    static constexpr Rate kRates[] = {{B1200, 1200}, {B2400, 2400}, {B4800, 4800}, {B9600, 9600}, {B19200, 19200},
        {B38400, 38400}, {B57600, 57600}, {B115200, 115200}, {B230400, 230400}};
    for (const Rate& rate : kRates) {
        if (rate.code == speed)
            return rate.baud;
    }
    return 38400;
}

// On Linux the master reports the line settings the program made on the slave.
std::chrono::microseconds CharacterTime(int master)
{
    termios settings{};
    uint32_t baud = tcgetattr(master, &settings) == 0 ? BaudRate(cfgetospeed(&settings)) : 4800;
    return std::chrono::microseconds(10'000'000 / baud);
}

void MakeRaw(int slave)
{
    termios settings{};
    if (tcgetattr(slave, &settings) != 0)
        return;
    cfmakeraw(&settings);
    cfsetspeed(&settings, B4800);
    tcsetattr(slave, TCSANOW, &settings);
}

// The bytes up to and including the first CR, or all of them; taken from the front of `bytes`.
std::string_view TakeLine(std::string_view& bytes)
{
    std::size_t end = std::min(bytes.find('\r'), bytes.size() - 1) + 1;
    std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end);
    return line;
}

// A sensor answers on time whatever else the computer does, and the program gives up on a
// reply after 50 ms. Where the system allows it, the host serves at the lowest real-time
// priority, so that a busy machine does not make its replies late; elsewhere it serves as
// any other thread.
void ServeOnTime()
{
    sched_param priority{};
    priority.sched_priority = sched_get_priority_min(SCHED_FIFO);
    pthread_setschedparam(pthread_self(), SCHED_FIFO, &priority);
}

}  // namespace

PtyHost::PtyHost(const SensorSettings& settings) : model_(settings), replyDelay_(settings.replyDelay) { }

PtyHost::~PtyHost() { Stop(); }

void PtyHost::Start()
{
    if (server_.joinable())
        return;
    OpenPty();
    StartServing();
}

void PtyHost::Stop()
{
    StopServing();
    RemoveLink();
    link_.clear();
    ClosePty();
}

std::string PtyHost::DevicePath() const
{
    std::lock_guard lock(mutex_);
    return devicePath_;
}

std::filesystem::path PtyHost::LinkAsPort(int portNumber)
{
    RemoveLink();
    link_ = std::filesystem::path(PortFolder()) / ("COM" + std::to_string(portNumber));
    CreateLink();
    return link_;
}

void PtyHost::Unplug()
{
    StopServing();
    RemoveLink();
    ClosePty();
}

void PtyHost::Replug()
{
    {
        std::lock_guard lock(mutex_);
        model_.PowerUp();
    }
    Start();
    if (!link_.empty())
        CreateLink();
}

std::string PtyHost::Register(char letter, Bank bank) const
{
    std::lock_guard lock(mutex_);
    return model_.Register(letter, bank);
}

bool PtyHost::SetRegister(char letter, const std::string& text, Bank bank)
{
    std::lock_guard lock(mutex_);
    return model_.SetRegister(letter, text, bank);
}

void PtyHost::SetFaults(const Faults& faults)
{
    std::lock_guard lock(mutex_);
    model_.SetFaults(faults);
}

void PtyHost::SetMagnet(std::optional<uint32_t> position)
{
    std::lock_guard lock(mutex_);
    model_.SetMagnet(position);
}

void PtyHost::SetReplyDelay(std::chrono::milliseconds delay)
{
    std::lock_guard lock(mutex_);
    replyDelay_ = delay;
}

EventCounts PtyHost::Counts() const
{
    std::lock_guard lock(mutex_);
    return model_.Counts();
}

SensorMode PtyHost::Mode() const
{
    std::lock_guard lock(mutex_);
    return model_.Mode();
}

std::vector<ReceivedLine> PtyHost::ReceivedLines() const
{
    std::lock_guard lock(mutex_);
    return lines_;
}

std::vector<std::string> PtyHost::ReceivedCommands() const
{
    std::lock_guard lock(mutex_);
    std::vector<std::string> commands;
    for (const ReceivedLine& line : lines_)
        commands.push_back(line.text);
    return commands;
}

std::string PtyHost::ReceivedBytes() const
{
    std::lock_guard lock(mutex_);
    return bytes_;
}

void PtyHost::ClearLog()
{
    std::lock_guard lock(mutex_);
    lines_.clear();
    bytes_.clear();
}

bool PtyHost::WaitForLines(std::size_t count, std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(mutex_);
    return linesArrived_.wait_for(lock, timeout, [&] { return lines_.size() >= count; });
}

void PtyHost::OpenPty()
{
    int slave = -1;
    if (openpty(&master_, &slave, nullptr, nullptr, nullptr) != 0)
        ThrowErrno("openpty");
    char path[PATH_MAX];
    int named = ptsname_r(master_, path, sizeof path);
    MakeRaw(slave);
    close(slave);
    fcntl(master_, F_SETFD, FD_CLOEXEC);
    fcntl(master_, F_SETFL, O_NONBLOCK);
    inotify_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (named != 0 || inotify_ < 0 || inotify_add_watch(inotify_, path, IN_OPEN | IN_CLOSE) < 0
        || pipe2(wakePipe_, O_NONBLOCK | O_CLOEXEC) != 0) {
        int error = errno;
        ClosePty();
        errno = error;
        ThrowErrno("pty set-up");
    }
    std::lock_guard lock(mutex_);
    devicePath_ = path;
}

void PtyHost::ClosePty()
{
    for (int* descriptor : {&master_, &inotify_, &wakePipe_[0], &wakePipe_[1]})
        CloseDescriptor(*descriptor);
    std::lock_guard lock(mutex_);
    devicePath_.clear();
}

void PtyHost::StartServing()
{
    pendingLine_.clear();
    server_ = std::thread(&PtyHost::Serve, this);
}

void PtyHost::StopServing()
{
    if (!server_.joinable())
        return;
    [[maybe_unused]] ssize_t written = write(wakePipe_[1], "x", 1);
    server_.join();
}

// The master is watched only while the slave is open: a closed slave makes it report
// POLLHUP without end.
void PtyHost::Serve()
{
    ServeOnTime();
    int slaveOpenCount = 0;
    for (;;) {
        pollfd watched[] = {{wakePipe_[0], POLLIN, 0}, {inotify_, POLLIN, 0}, {master_, POLLIN, 0}};
        nfds_t count = slaveOpenCount > 0 ? 3 : 2;
        if (poll(watched, count, -1) < 0 && errno != EINTR)
            return;
        if (watched[0].revents != 0)
            return;
        bool masterReadable = count == 3 && (watched[2].revents & POLLIN) != 0;
        if (masterReadable)
            ReadAndAnswer();
        if ((watched[1].revents & POLLIN) != 0) {
            FollowSlaveOpens(slaveOpenCount);
        } else if (count == 3 && !masterReadable && watched[2].revents != 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));  // the close is still on its way
        }
    }
}

void PtyHost::FollowSlaveOpens(int& openCount)
{
    alignas(inotify_event) char buffer[4096];
    ssize_t size = read(inotify_, buffer, sizeof buffer);
    for (ssize_t offset = 0; offset < size;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
        if ((event->mask & IN_OPEN) != 0 && openCount++ == 0) {
            std::lock_guard lock(mutex_);
            model_.PortOpened();
        }
        if ((event->mask & IN_CLOSE) != 0)
            openCount = std::max(0, openCount - 1);
        offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
}

void PtyHost::ReadAndAnswer()
{
    char chunk[256];
    ssize_t size = read(master_, chunk, sizeof chunk);
    auto arrival = std::chrono::steady_clock::now();
    std::string_view bytes(chunk, static_cast<std::size_t>(std::max<ssize_t>(size, 0)));
    while (!bytes.empty()) {
        std::optional<std::string> reply;
        std::chrono::milliseconds delay{};
        {
            std::lock_guard lock(mutex_);
            std::optional<std::string> line = Log(TakeLine(bytes), arrival);
            if (line)
                reply = model_.HandleLine(*line);
            delay = replyDelay_;
        }
        linesArrived_.notify_all();
        if (reply) {
            Overhear(bytes, arrival);
            SendPaced(*reply, std::max(arrival + delay, std::chrono::steady_clock::now()));
            return;
        }
    }
}

// Bytes that arrive while the sensor is busy with a reply are logged but never carried out.
void PtyHost::Overhear(std::string_view bytes, std::chrono::steady_clock::time_point arrival)
{
    {
        std::lock_guard lock(mutex_);
        while (!bytes.empty())
            Log(TakeLine(bytes), arrival);
    }
    linesArrived_.notify_all();
}

std::optional<std::string> PtyHost::Log(std::string_view bytes, std::chrono::steady_clock::time_point arrival)
{
    bytes_ += bytes;
    if (!bytes.ends_with('\r')) {
        pendingLine_ += bytes;
        return std::nullopt;
    }
    pendingLine_ += bytes.substr(0, bytes.size() - 1);
    lines_.push_back({pendingLine_, arrival});
    return std::exchange(pendingLine_, {});
}

// Each character is handed over when its last bit would have arrived on the wire. The
// sensor is deaf until its final character leaves: what came in by then is dropped.
void PtyHost::SendPaced(const std::string& reply, std::chrono::steady_clock::time_point start)
{
    std::chrono::microseconds characterTime = CharacterTime(master_);
    for (std::size_t i = 0; i < reply.size(); ++i) {
        std::this_thread::sleep_until(start + characterTime * static_cast<int64_t>(i + 1));
        if (i + 1 == reply.size())
            DropWhatArrivedWhileBusy();
        if (write(master_, &reply[i], 1) != 1)
            return;
    }
}

void PtyHost::DropWhatArrivedWhileBusy()
{
    char chunk[256];
    ssize_t size = 0;
    while ((size = read(master_, chunk, sizeof chunk)) > 0)
        Overhear({chunk, static_cast<std::size_t>(size)}, std::chrono::steady_clock::now());
    pendingLine_.clear();
}

void PtyHost::CreateLink()
{
    std::filesystem::create_directories(link_.parent_path());
    std::error_code ignored;
    std::filesystem::remove(link_, ignored);
    std::filesystem::create_symlink(DevicePath(), link_);
}

void PtyHost::RemoveLink()
{
    std::error_code ignored;
    if (!link_.empty() && std::filesystem::is_symlink(link_, ignored))
        std::filesystem::remove(link_, ignored);
}

}  // namespace sim

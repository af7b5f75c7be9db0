#pragma once

// Serves a SensorModel on a pseudo-terminal, from one thread (Linux).
//
//   sim::PtyHost host{settings};
//   host.Start();                          // DevicePath() is now "/dev/pts/N"
//   host.LinkAsPort(97);                   // <port folder>/COM97 -> /dev/pts/N, until Stop()
//   ... the program opens COM97 at 4800 baud and talks ...
//   host.ReceivedCommands();               // {"DA", "DN800519", "DA"}
//   host.SetFaults({.unanswered = {"LA"}});
//   host.WithModel([](sim::SensorModel& sensor) { return sensor.Register('D'); });
//
// A reply leaves replyDelay after the CR of its command, one character per 10 bit times of
// the baud rate the program set on the slave. Like a real sensor, it hears nothing while it
// answers: every byte that arrives from a command's CR until just before the last character
// of its reply is written is dropped, and a line left half received with it. Dropped bytes
// (ReceivedBytes) and lines (ReceivedLines) are still logged, only never carried out. A
// command that gets no reply keeps the sensor busy for no time. A program that waits for the
// reply's CR before its next command loses nothing: the dropping ends before that CR leaves.
// The host holds the slave open only while it sets it up. A pty has no RTS line: each time
// the slave goes from closed to open counts as an RTS pulse (SensorModel::PortOpened). Opens
// are followed with inotify, so that a close quickly followed by an open is never missed.
// Unplug() closes the master: the program's reads fail and the device and the port link
// vanish. Replug() makes a new pty, renews the link and powers the sensor up again.
// Every member may be called from any thread; WithModel runs its action under the lock.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "sensor_model.h"

namespace sim {

struct ReceivedLine {
    std::string text;  // without the CR
    std::chrono::steady_clock::time_point arrival;
};

class PtyHost {
public:
    explicit PtyHost(const SensorSettings& settings = {});
    ~PtyHost();
    PtyHost(const PtyHost&) = delete;
    PtyHost& operator=(const PtyHost&) = delete;

    // Start throws std::system_error when no pty can be made.
    void Start();
    void Stop();
    std::string DevicePath() const;  // empty while stopped or unplugged
    // Creates the link COM<n> in the port folder (and the folder) and returns its path.
    std::filesystem::path LinkAsPort(int portNumber);
    void Unplug();
    void Replug();

    template <class Action> auto WithModel(Action&& action)
    {
        std::lock_guard lock(mutex_);
        return action(model_);
    }
    std::string Register(char letter, Bank bank = Bank::Working) const;
    bool SetRegister(char letter, const std::string& text, Bank bank = Bank::Working);
    void SetFaults(const Faults& faults);
    void SetMagnet(std::optional<uint32_t> position);
    void SetReplyDelay(std::chrono::milliseconds delay);
    EventCounts Counts() const;
    SensorMode Mode() const;

    std::vector<ReceivedLine> ReceivedLines() const;
    std::vector<std::string> ReceivedCommands() const;
    std::string ReceivedBytes() const;
    void ClearLog();
    // True once at least `count` lines have arrived since the last ClearLog.
    bool WaitForLines(std::size_t count, std::chrono::milliseconds timeout) const;

private:
    void OpenPty();
    void ClosePty();
    void StartServing();
    void StopServing();
    void Serve();
    void FollowSlaveOpens(int& openCount);
    void ReadAndAnswer();
    void Overhear(std::string_view bytes, std::chrono::steady_clock::time_point arrival);
    // Needs the lock; returns the line that a final CR completes.
    std::optional<std::string> Log(std::string_view bytes, std::chrono::steady_clock::time_point arrival);
    void SendPaced(const std::string& reply, std::chrono::steady_clock::time_point start);
    void DropWhatArrivedWhileBusy();
    void CreateLink();
    void RemoveLink();

    mutable std::mutex mutex_;
    mutable std::condition_variable linesArrived_;
    SensorModel model_;
    std::chrono::milliseconds replyDelay_;
    std::vector<ReceivedLine> lines_;
    std::string bytes_;
    std::string devicePath_;

    // Owned by the control side; the serving thread only uses the descriptors while it runs.
    int master_ = -1;
    int inotify_ = -1;
    int wakePipe_[2] = {-1, -1};
    std::thread server_;
    std::filesystem::path link_;
    std::string pendingLine_;  // serving thread only
};

}  // namespace sim

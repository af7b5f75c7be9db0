#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <system_error>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// A FIFO in place of a file that must never be opened. Whoever opens it for reading
// would wait for a writer for ever; a watcher thread plays that writer, so the reader
// gets an empty file, the opening is noted and the test fails instead of hanging.
class WatchedFifo {
public:
    explicit WatchedFifo(std::filesystem::path path) : path_(std::move(path))
    {
        std::filesystem::remove(path_);
        mkfifo(path_.c_str(), 0600);
        watcher_ = std::thread([this] { Watch(); });
    }
    ~WatchedFifo()
    {
        stop_ = true;
        watcher_.join();
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    WatchedFifo(const WatchedFifo&) = delete;
    WatchedFifo& operator=(const WatchedFifo&) = delete;

    bool WasOpened() const { return opened_; }
    bool StillAFifo() const { return std::filesystem::is_fifo(path_); }

private:
    void Watch()
    {
        while (!stop_) {
            // Succeeds only while someone holds the reading end.
            const int writer = open(path_.c_str(), O_WRONLY | O_NONBLOCK);
            if (writer >= 0) {
                opened_ = true;
                close(writer);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }

    std::filesystem::path path_;
    std::atomic<bool> opened_{false};
    std::atomic<bool> stop_{false};
    std::thread watcher_;
};

#pragma once

#include <cstdint>
#include <mutex>
#include <numeric>
#include <vector>

#include "serial_port.h"

// Runs the waits of the links it is given in virtual time, and records each of them. The
// links may sleep on another thread than the one that reads the record.
class VirtualClock {
public:
    VirtualClock() = default;
    VirtualClock(const VirtualClock&) = delete;
    VirtualClock& operator=(const VirtualClock&) = delete;

    void Attach(TSerialCom& link) { link.SetSleep(Sleeper()); }
    TSerialCom::Sleeper Sleeper()
    {
        return [this](uint32_t milliseconds) {
            const std::lock_guard lock(mutex_);
            waits_.push_back(milliseconds);
        };
    }
    std::vector<uint32_t> Waits() const
    {
        const std::lock_guard lock(mutex_);
        return waits_;
    }
    void Clear()
    {
        const std::lock_guard lock(mutex_);
        waits_.clear();
    }
    uint64_t TotalMs() const
    {
        const std::vector<uint32_t> waits = Waits();
        return std::accumulate(waits.begin(), waits.end(), uint64_t{0});
    }

private:
    mutable std::mutex mutex_;
    std::vector<uint32_t> waits_;
};

#pragma once

#include <cstdint>
#include <numeric>
#include <vector>

#include "protocol_sleep.h"

// Runs the link's waits in virtual time while it lives, and records each of them.
class VirtualClock {
public:
    VirtualClock() : previous_(SetSleepFunction(&Record)) { Waits().clear(); }
    ~VirtualClock() { SetSleepFunction(previous_); }
    VirtualClock(const VirtualClock&) = delete;
    VirtualClock& operator=(const VirtualClock&) = delete;

    static std::vector<uint32_t>& Waits()
    {
        static std::vector<uint32_t> waits;
        return waits;
    }
    static uint64_t TotalMs() { return std::accumulate(Waits().begin(), Waits().end(), uint64_t{0}); }

private:
    static void Record(uint32_t milliseconds) { Waits().push_back(milliseconds); }
    SleepFunction previous_;
};

#include "protocol_sleep.h"

#include <chrono>
#include <thread>

namespace {

void RealSleep(uint32_t milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

SleepFunction currentSleep = RealSleep;

}  // namespace

void SleepMs(uint32_t milliseconds) { currentSleep(milliseconds); }

SleepFunction SetSleepFunction(SleepFunction sleep)
{
    SleepFunction previous = currentSleep;
    currentSleep = sleep ? sleep : RealSleep;
    return previous;
}

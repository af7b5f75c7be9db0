#pragma once

#include <cstdint>

// Every wait of the link goes through SleepMs, so that tests can replace the clock.
using SleepFunction = void (*)(uint32_t milliseconds);

void SleepMs(uint32_t milliseconds);

// Installs another sleep (nullptr restores the real one) and returns the previous.
SleepFunction SetSleepFunction(SleepFunction sleep);

#pragma once

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "protocol_cost.h"
#include "pty_host.h"
#include "serial_port.h"

// The replies the sensor sent to the lines it received: the model is deterministic, so a
// copy taken before the lines arrived gives them again.
inline uint64_t ReplyBytes(sim::SensorModel model, const std::vector<std::string>& lines)
{
    uint64_t bytes = 0;
    for (const std::string& line : lines)
        bytes += model.HandleLine(line).value_or("").size();
    return bytes;
}

// What went over the wire to and from the sensor since its log was cleared, with the
// waits the link made; before is the model as it was when the log was cleared.
inline ProtocolCost SensorCost(const sim::PtyHost& sensor, const sim::SensorModel& before, uint64_t waitMs)
{
    return {waitMs, sensor.ReceivedBytes().size(), ReplyBytes(before, sensor.ReceivedCommands())};
}

// The link's waits, still slept for real, added up in waitedMs.
inline TSerialCom::Sleeper CountedRealSleep(uint64_t& waitedMs)
{
    return [&waitedMs](uint32_t milliseconds) {
        waitedMs += milliseconds;
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    };
}

inline constexpr uint32_t kBaudRate = 4800;
inline constexpr int kPort = 97;
// A firmware that has every register, so that the whole set is transferred.
inline constexpr int32_t kFullFirmware = 3960610;

// Runs the sequence once per iteration against the sensor and reports its wall time and the
// ratio of that time to the minimum the protocol allows for what actually went over the
// wire. The sequence's waits are added up in waitedMs.
inline void MeasureAgainstMinimum(
    benchmark::State& state, sim::PtyHost& sensor, uint64_t& waitedMs, const std::function<bool()>& sequence)
{
    double wallSeconds = 0;
    ProtocolCost total;
    for (auto _ : state) {
        sensor.ClearLog();
        const sim::SensorModel before = sensor.WithModel([](sim::SensorModel& model) { return model; });
        waitedMs = 0;
        const auto start = std::chrono::steady_clock::now();
        const bool succeeded = sequence();
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        if (!succeeded)
            state.SkipWithError("the sequence failed");
        wallSeconds += elapsed.count();
        total += SensorCost(sensor, before, waitedMs);
    }
    const auto perRun = [&state](double seconds) { return seconds / static_cast<double>(state.iterations()); };
    state.counters["waits_s"] = perRun(total.WaitSeconds());
    state.counters["wire_s"] = perRun(total.WireSeconds(kBaudRate));
    state.counters["minimum_s"] = perRun(total.MinimumSeconds(kBaudRate));
    state.counters["ratio_to_minimum"] = wallSeconds / total.MinimumSeconds(kBaudRate);
}

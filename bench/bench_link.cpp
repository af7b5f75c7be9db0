#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "port_folder.h"
#include "protocol_cost.h"
#include "sensor_link.h"
#include "pty_host.h"

namespace {

constexpr uint32_t kBaudRate = 4800;
constexpr int kPort = 97;
// A firmware that has every register, so that the whole set is transferred.
constexpr int32_t kFullFirmware = 3960610;

// The replies the sensor sent to the lines it received: the model is deterministic, so a
// copy taken before the lines arrived gives them again.
uint64_t ReplyBytes(sim::SensorModel model, const std::vector<std::string>& lines)
{
    uint64_t bytes = 0;
    for (const std::string& line : lines)
        bytes += model.HandleLine(line).value_or("").size();
    return bytes;
}

using LinkSequence = bool (TSSICom::*)();

// Runs the sequence against the simulated sensor and reports its wall time and the ratio of
// that time to the minimum the protocol allows for what actually went over the wire.
void RunSequence(benchmark::State& state, LinkSequence sequence)
{
    const PrivatePortFolder ports;
    sim::SensorSettings settings;
    settings.firmwareVersion = kFullFirmware;
    sim::PtyHost sensor{settings};
    sensor.Start();
    sensor.LinkAsPort(kPort);
    TSSICom link;
    uint64_t waitedMs = 0;  // the link's waits, still slept for real
    link.SetSleep([&waitedMs](uint32_t milliseconds) {
        waitedMs += milliseconds;
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    });
    link.OpenSensorPort(kPort);
    if (!link.ReadAll()) {
        state.SkipWithError("the simulated sensor did not answer ReadAll");
        return;
    }

    double wallSeconds = 0;
    ProtocolCost total;
    for (auto _ : state) {
        sensor.ClearLog();
        const sim::SensorModel before = sensor.WithModel([](sim::SensorModel& model) { return model; });
        waitedMs = 0;
        const auto start = std::chrono::steady_clock::now();
        const bool succeeded = (link.*sequence)();
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        if (!succeeded)
            state.SkipWithError("the sequence failed");
        wallSeconds += elapsed.count();
        total += {waitedMs, sensor.ReceivedBytes().size(), ReplyBytes(before, sensor.ReceivedCommands())};
    }
    const auto perRun = [&state](double seconds) { return seconds / static_cast<double>(state.iterations()); };
    state.counters["waits_s"] = perRun(total.WaitSeconds());
    state.counters["wire_s"] = perRun(total.WireSeconds(kBaudRate));
    state.counters["minimum_s"] = perRun(total.MinimumSeconds(kBaudRate));
    state.counters["ratio_to_minimum"] = wallSeconds / total.MinimumSeconds(kBaudRate);
}

void BM_ReadAll(benchmark::State& state) { RunSequence(state, &TSSICom::ReadAll); }

void BM_WriteAll(benchmark::State& state) { RunSequence(state, &TSSICom::WriteAll); }

BENCHMARK(BM_ReadAll)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_WriteAll)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

BENCHMARK_MAIN();

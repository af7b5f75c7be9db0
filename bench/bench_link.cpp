#include <benchmark/benchmark.h>

#include <chrono>

#include "port_folder.h"
#include "sensor_link.h"
#include "sim_cost.h"

namespace {

constexpr uint32_t kBaudRate = 4800;
constexpr int kPort = 97;
// A firmware that has every register, so that the whole set is transferred.
constexpr int32_t kFullFirmware = 3960610;

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
    uint64_t waitedMs = 0;
    link.SetSleep(CountedRealSleep(waitedMs));
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
        total += SensorCost(sensor, before, waitedMs);
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

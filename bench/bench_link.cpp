#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "port_folder.h"
#include "protocol_cost.h"
#include "protocol_sleep.h"
#include "sensor_link.h"
#include "pty_host.h"

namespace {

constexpr uint32_t kBaudRate = 4800;
constexpr int kPort = 97;
// A firmware that has every register, so that the whole set is transferred.
constexpr int32_t kFullFirmware = 3960610;

// Counts the link's waits while it lives and still sleeps for real.
class CountingSleep {
public:
    CountingSleep()
    {
        TotalMs() = 0;
        real_ = SetSleepFunction(&Count);
    }
    ~CountingSleep() { SetSleepFunction(real_); }
    CountingSleep(const CountingSleep&) = delete;
    CountingSleep& operator=(const CountingSleep&) = delete;

    static uint64_t& TotalMs()
    {
        static uint64_t total = 0;
        return total;
    }

private:
    static void Count(uint32_t milliseconds)
    {
        TotalMs() += milliseconds;
        real_(milliseconds);
    }
    static inline SleepFunction real_ = nullptr;
};

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
        const CountingSleep sleep;
        const auto start = std::chrono::steady_clock::now();
        const bool succeeded = (link.*sequence)();
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        if (!succeeded)
            state.SkipWithError("the sequence failed");
        wallSeconds += elapsed.count();
        total
            += {CountingSleep::TotalMs(), sensor.ReceivedBytes().size(), ReplyBytes(before, sensor.ReceivedCommands())};
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

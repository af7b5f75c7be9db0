#include <benchmark/benchmark.h>

#include <chrono>

#include "port_folder.h"
#include "sensor_link.h"
#include "sim_cost.h"

namespace {

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

    MeasureAgainstMinimum(state, sensor, waitedMs, [&link, sequence] { return (link.*sequence)(); });
}

void BM_ReadAll(benchmark::State& state) { RunSequence(state, &TSSICom::ReadAll); }

void BM_WriteAll(benchmark::State& state) { RunSequence(state, &TSSICom::WriteAll); }

BENCHMARK(BM_ReadAll)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_WriteAll)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

BENCHMARK_MAIN();

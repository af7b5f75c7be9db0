#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli_error.h"
#include "commands.h"
#include "port_folder.h"
#include "sim_cost.h"

namespace {

// Runs one command line as ssi-tesmira-cli does, with the link's waits counted.
bool RunCli(const std::vector<std::string_view>& arguments, uint64_t& waitedMs)
{
    std::ostringstream out;
    std::istringstream in;
    try {
        cli::RunCommandLine(arguments,
            {.out = out,
                .in = in,
                .storedPort = [] { return std::optional<int>(); },
                .sleep = CountedRealSleep(waitedMs)});
        return true;
    } catch (const cli::CliError&) {
        return false;
    }
}

// `load FILE --yes` of a set saved from the same sensor: the file's checks, the set read,
// the backup, the whole-set write and the speed, scale and offset writes after it. Reports
// its wall time and the ratio of that time to the minimum the protocol allows for what
// actually went over the wire.
void BM_Load(benchmark::State& state)
{
    const PrivatePortFolder ports;
    const std::filesystem::path data = std::filesystem::path(std::getenv("XDG_CONFIG_HOME")) / "data";
    setenv("XDG_DATA_HOME", data.c_str(), 1);
    sim::SensorSettings settings;
    settings.firmwareVersion = kFullFirmware;
    sim::PtyHost sensor{settings};
    sensor.Start();
    sensor.LinkAsPort(kPort);
    const std::string port = std::to_string(kPort);
    const std::string file = (data / "bench.qor").string();
    std::filesystem::create_directories(data);
    uint64_t waitedMs = 0;
    if (!RunCli({"--port", port, "save", file}, waitedMs)) {
        state.SkipWithError("the simulated sensor's set could not be saved");
        return;
    }

    MeasureAgainstMinimum(state, sensor, waitedMs, [&port, &file, &waitedMs] {
        return RunCli({"--port", port, "load", file, "--yes"}, waitedMs);
    });
}

BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

BENCHMARK_MAIN();

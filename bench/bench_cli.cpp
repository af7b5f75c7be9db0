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

constexpr uint32_t kBaudRate = 4800;
constexpr int kPort = 97;
// A firmware that has every register, so that the whole set is transferred.
constexpr int32_t kFullFirmware = 3960610;

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

    double wallSeconds = 0;
    ProtocolCost total;
    for (auto _ : state) {
        sensor.ClearLog();
        const sim::SensorModel before = sensor.WithModel([](sim::SensorModel& model) { return model; });
        waitedMs = 0;
        const auto start = std::chrono::steady_clock::now();
        if (!RunCli({"--port", port, "load", file, "--yes"}, waitedMs))
            state.SkipWithError("the load failed");
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        wallSeconds += elapsed.count();
        total += SensorCost(sensor, before, waitedMs);
    }
    const auto perRun = [&state](double seconds) { return seconds / static_cast<double>(state.iterations()); };
    state.counters["waits_s"] = perRun(total.WaitSeconds());
    state.counters["wire_s"] = perRun(total.WireSeconds(kBaudRate));
    state.counters["minimum_s"] = perRun(total.MinimumSeconds(kBaudRate));
    state.counters["ratio_to_minimum"] = wallSeconds / total.MinimumSeconds(kBaudRate);
}

BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

BENCHMARK_MAIN();

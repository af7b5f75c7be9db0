#pragma once

// The arguments of ssi-sensor-sim, without the program name:
//   --port N [--firmware V] [--model KH] [--length MM] [--factory-number TEXT]
//   [--set D=000519]... [--reply-delay MS]
//   [--fault no-answer|garbled|short|wrong-echo [--fault-every K]] [--die-after N] | --help
// Every option but --set is given at most once. ParseCommandLine throws std::invalid_argument
// with a one-line message for a bad list; the sensor's values themselves are checked when the
// SensorModel is made from the settings.

#include <string>
#include <string_view>
#include <vector>

#include "sensor_model.h"

namespace sim {

struct CommandLine {
    bool help = false;
    int port = 0;
    SensorSettings settings;
    Faults faults;
};

CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

extern const std::string_view kUsage;

}  // namespace sim

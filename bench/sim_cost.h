#pragma once

#include <chrono>
#include <cstdint>
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

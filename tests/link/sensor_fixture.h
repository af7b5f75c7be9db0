#pragma once

#include <gtest/gtest.h>

#include "../support/port_folder.h"
#include "../support/virtual_clock.h"
#include "pty_host.h"
#include "sensor_link.h"

// The link talking to the simulated sensor over a real pseudo-terminal, with the
// protocol's waits in virtual time. Faults and registers are set on the host.
// The exact command sequences these tests expect hold only while every reply arrives
// within the link's time-out. The simulated sensor answers within 30 ms, but a busy
// machine can hold its thread back for longer than the 50 ms the sensor is given, so
// here the link waits longer; a command left unanswered costs that wait each time.
class SensorLink : public ::testing::Test {
protected:
    static constexpr uint8_t Port = 160;
    static constexpr uint32_t PatientTimeoutMs = 200;

    void Connect(const sim::SensorSettings& settings = {})
    {
        host = std::make_unique<sim::PtyHost>(settings);
        host->Start();
        host->LinkAsPort(Port);
        ASSERT_TRUE(link.OpenSensorPort(Port));
        link.SetTimeouts(PatientTimeoutMs);
    }
    void SetUp() override
    {
        clock.Attach(link);
        Connect();
    }
    void TearDown() override
    {
        link.Close();
        host->Stop();
    }

    std::vector<std::string> Sent() const { return host->ReceivedCommands(); }
    std::string Register(char letter) const { return host->Register(letter); }

    PrivatePortFolder ports;
    VirtualClock clock;
    std::unique_ptr<sim::PtyHost> host;
    TSSICom link;
};

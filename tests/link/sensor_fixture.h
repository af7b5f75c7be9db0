#pragma once

#include <gtest/gtest.h>

#include "../support/port_folder.h"
#include "../support/virtual_clock.h"
#include "pty_host.h"
#include "sensor_link.h"

// The link talking to the simulated sensor over a real pseudo-terminal, with the
// protocol's waits in virtual time. Faults and registers are set on the host.
class SensorLink : public ::testing::Test {
protected:
    static constexpr uint8_t Port = 160;

    void Connect(const sim::SensorSettings& settings = {})
    {
        host = std::make_unique<sim::PtyHost>(settings);
        host->Start();
        host->LinkAsPort(Port);
        ASSERT_TRUE(link.OpenSensorPort(Port));
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

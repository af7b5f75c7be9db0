#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../support/port_folder.h"
#include "cli_process.h"
#include "pty_host.h"
#include "wire_format.h"

inline constexpr int kPort = 97;
inline const std::string kPortArgument = std::to_string(kPort);

// The command line as a subprocess against a simulated sensor on COM 97, with the port
// folder, the window's settings and the backups in a private folder.
class CliAgainstSensor : public testing::Test {
protected:
    CliAgainstSensor()
    {
        setenv("HOME", ConfigHome().c_str(), 1);
        setenv("XDG_DATA_HOME", DataHome().c_str(), 1);
        sensor_.Start();
        sensor_.LinkAsPort(kPort);
    }

    static std::string ConfigHome() { return std::filesystem::path(PortFolder()).parent_path().parent_path().string(); }
    // Where the backups go: <data home>/QOR/backups/<factory number>.
    static std::string DataHome() { return ConfigHome() + "/data"; }

    CliRun Cli(const std::vector<std::string>& arguments, const CliLaunch& launch = {})
    {
        return RunCli(arguments, ConfigHome(), launch);
    }

    CliRun CliOnPort(std::vector<std::string> arguments, const CliLaunch& launch = {})
    {
        arguments.insert(arguments.begin(), {"--port", kPortArgument});
        return Cli(arguments, launch);
    }

    void StoreComPortSetting(const std::string& line) const
    {
        std::ofstream(ConfigHome() + "/QOR/SSI Tesmira.conf") << "[General]\n" << line << "\n";
    }

    uint32_t SensorRegister(char letter) { return static_cast<uint32_t>(HexToInt(sensor_.Register(letter))); }
    std::string SensorModelLetters() { return sensor_.Register('L').substr(0, 2); }
    std::string SensorRegisters()
    {
        std::string all;
        for (const char letter : std::string_view("ADKMZJOSNPRULFVTWi"))
            all += sensor_.Register(letter) + ' ';
        return all;
    }

    // Commands heard since the log was last cleared, and the log cleared.
    int CommandCount()
    {
        const auto count = static_cast<int>(sensor_.ReceivedCommands().size());
        sensor_.ClearLog();
        return count;
    }

    // The write commands heard: a letter and "N".
    std::vector<std::string> WritesHeard() const
    {
        std::vector<std::string> writes;
        for (const std::string& command : sensor_.ReceivedCommands())
            if (command.size() >= 2 && command[1] == 'N')
                writes.push_back(command);
        return writes;
    }

    void SetSensorFirmware(int32_t version)
    {
        sensor_.SetRegister('V', HexText(static_cast<uint32_t>(version), 6));
        sensor_.ClearLog();
    }

    PrivatePortFolder ports_;
    sim::SensorSettings settings_;
    sim::PtyHost sensor_{settings_};
};

inline size_t LineCount(const std::string& text)
{
    return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

inline void ExpectOneErrorLine(const CliRun& run, const std::string& fragment)
{
    EXPECT_EQ(LineCount(run.err), 1u) << run.err;
    EXPECT_NE(run.err.find(fragment), std::string::npos) << run.err;
}

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../support/port_folder.h"
#include "cli_process.h"
#include "pty_host.h"
#include "wire_format.h"

namespace {

constexpr int kPort = 97;
const std::string kPortArgument = std::to_string(kPort);

// The command line as a subprocess against a simulated sensor on COM 97, with the port
// folder and the window's settings in a private folder.
class CliAgainstSensor : public testing::Test {
protected:
    CliAgainstSensor()
    {
        setenv("HOME", ConfigHome().c_str(), 1);
        sensor_.Start();
        sensor_.LinkAsPort(kPort);
    }

    static std::string ConfigHome() { return std::filesystem::path(PortFolder()).parent_path().parent_path().string(); }

    CliRun Cli(const std::vector<std::string>& arguments) { return RunCli(arguments, ConfigHome()); }

    CliRun CliOnPort(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), {"--port", kPortArgument});
        return Cli(arguments);
    }

    void StoreComPortSetting(const std::string& line) const
    {
        std::ofstream(ConfigHome() + "/QOR/SSI Tesmira.conf") << "[General]\n" << line << "\n";
    }

    uint32_t SensorRegister(char letter) { return static_cast<uint32_t>(HexToInt(sensor_.Register(letter))); }
    std::string SensorModelLetters() { return sensor_.Register('L').substr(0, 2); }

    void SetSensorFirmware(int32_t version)
    {
        sensor_.SetRegister('V', HexText(static_cast<uint32_t>(version), 6));
        sensor_.ClearLog();
    }

    PrivatePortFolder ports_;
    sim::SensorSettings settings_;
    sim::PtyHost sensor_{settings_};
};

size_t LineCount(const std::string& text) { return static_cast<size_t>(std::count(text.begin(), text.end(), '\n')); }

void ExpectOneErrorLine(const CliRun& run, const std::string& fragment)
{
    EXPECT_EQ(LineCount(run.err), 1u) << run.err;
    EXPECT_NE(run.err.find(fragment), std::string::npos) << run.err;
}

TEST_F(CliAgainstSensor, ReadPrintsTheSensorsWholeSet)
{
    const CliRun run = CliOnPort({"read"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(LineCount(run.out), 38u);
    EXPECT_NE(run.out.find("Resolution = "), std::string::npos);
    EXPECT_NE(run.out.find("FirmwareVersion = " + std::to_string(settings_.firmwareVersion) + "\n"), std::string::npos);
    EXPECT_NE(run.out.find("Model = " + settings_.model + "\n"), std::string::npos);
    EXPECT_NE(run.out.find("FactoryNumber = " + settings_.factoryNumber + "\n"), std::string::npos);
    EXPECT_TRUE(run.err.empty());
}

TEST_F(CliAgainstSensor, StrictReadAsJsonIsOneObjectOfAllElements)
{
    const CliRun run = CliOnPort({"read", "--strict"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const CliRun json = Cli({"--port", kPortArgument, "--json", "read", "--strict"});
    ASSERT_EQ(json.exitCode, 0) << json.err;
    EXPECT_EQ(json.out.front(), '{');
    EXPECT_EQ(LineCount(json.out), 40u);
    EXPECT_NE(
        json.out.find("\"Model\": {\"value\": " + std::to_string(ModelValue(settings_.model[0], settings_.model[1]))
            + ", \"valid\": true, \"text\": \"" + settings_.model + "\"}"),
        std::string::npos)
        << json.out;
    EXPECT_NE(json.out.find("\"FactoryNumber\": {"), std::string::npos);
}

TEST_F(CliAgainstSensor, SetWritesTheSensorsRegisterAndGetReadsItBack)
{
    ASSERT_EQ(CliOnPort({"set", "Filter", "2"}).exitCode, 0);
    EXPECT_EQ((SensorRegister('D') >> 22) & 3u, 2u);
    const CliRun filter = CliOnPort({"get", "Filter"});
    EXPECT_EQ(filter.out, "Filter = 2\n");

    ASSERT_EQ(CliOnPort({"set", "Offset", "-5"}).exitCode, 0);
    EXPECT_EQ(SensorRegister('N'), 0xFFFFFBu);
    const CliRun offset = Cli({"--port", kPortArgument, "--json", "get", "Offset"});
    EXPECT_EQ(offset.out, "{\n  \"Offset\": {\"value\": -5, \"valid\": true}\n}\n");
}

TEST_F(CliAgainstSensor, SetOfTheTextElements)
{
    ASSERT_EQ(CliOnPort({"set", "FactoryNumber", "ab12"}).exitCode, 0);
    EXPECT_EQ(sensor_.Register('F'), "0000AB12");
    EXPECT_EQ(CliOnPort({"get", "FactoryNumber"}).out, "FactoryNumber = 0000AB12\n");

    ASSERT_EQ(CliOnPort({"set", "Model", "WB"}).exitCode, 0);
    EXPECT_EQ(SensorModelLetters(), "WB");
}

TEST_F(CliAgainstSensor, StoreCommitsOnNewFirmwareAndStoresOnOld)
{
    struct Case {
        int32_t firmware;
        std::string command;
    };
    for (const Case& c : {Case{3960101, "CN\r"}, Case{3960100, "EN\r"}}) {
        SCOPED_TRACE(c.firmware);
        SetSensorFirmware(c.firmware);
        ASSERT_EQ(CliOnPort({"store"}).exitCode, 0);
        const std::string received = sensor_.ReceivedBytes();
        EXPECT_NE(received.find(c.command), std::string::npos) << received;
        EXPECT_EQ(received.find(c.command == "CN\r" ? "EN\r" : "CN\r"), std::string::npos) << received;
    }
}

TEST_F(CliAgainstSensor, RestoreFactorySendsQnAndPrintsTheFactorySet)
{
    ASSERT_EQ(CliOnPort({"set", "BitWidth", "13"}).exitCode, 0);
    const CliRun run = CliOnPort({"restore-factory"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(sensor_.ReceivedBytes().find("QN\r"), std::string::npos);
    EXPECT_EQ(LineCount(run.out), 38u);
    EXPECT_EQ(run.out.find("BitWidth = 13\n"), std::string::npos) << run.out;
}

TEST_F(CliAgainstSensor, SilentSensorFailsWithExitCodeOne)
{
    sim::Faults dead;
    dead.dead = true;
    sensor_.SetFaults(dead);
    const CliRun get = CliOnPort({"get", "Filter"});
    EXPECT_EQ(get.exitCode, 1);
    ExpectOneErrorLine(get, "failed: no answer from the sensor");
    EXPECT_TRUE(get.out.empty());

    const CliRun read = CliOnPort({"read"});
    EXPECT_EQ(read.exitCode, 1);
    ExpectOneErrorLine(read, "ReadAll failed");
}

TEST_F(CliAgainstSensor, UnconfirmedWriteFailsWithExitCodeOne)
{
    sim::Faults dying;
    dying.commandsBeforeDeath = 1;  // the firmware version only
    sensor_.SetFaults(dying);
    const CliRun run = CliOnPort({"set", "Filter", "1"});
    EXPECT_EQ(run.exitCode, 1);
    ExpectOneErrorLine(run, "WriteFilter failed: no confirmation from the sensor");
}

TEST_F(CliAgainstSensor, BadUsageAndBadInputSendNothing)
{
    const std::vector<std::vector<std::string>> cases = {
        {"--port", kPortArgument},
        {"--port", kPortArgument, "frobnicate"},
        {"--port", kPortArgument, "get"},
        {"--port", kPortArgument, "get", "Filtre"},
        {"--port", kPortArgument, "set", "Filter", "4"},
        {"--port", kPortArgument, "set", "Offset", "-8388609"},
        {"--port", kPortArgument, "set", "FirmwareVersion", "3960105"},
        {"--port", kPortArgument, "set", "StartPoint", "0"},
        {"--port", kPortArgument, "set", "Model", "K"},
        {"--port", kPortArgument, "read", "--lenient"},
        {"--port", "300", "read"},
        {"--json", "--port", kPortArgument, "--device", "/dev/null", "read"},
    };
    for (const auto& arguments : cases) {
        SCOPED_TRACE(testing::PrintToString(arguments));
        const CliRun run = Cli(arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(LineCount(run.err), 1u) << run.err;
        EXPECT_TRUE(run.out.empty());
    }
    EXPECT_TRUE(sensor_.ReceivedBytes().empty());
}

TEST_F(CliAgainstSensor, PortThatCannotBeOpenedFailsWithExitCodeOne)
{
    const CliRun run = Cli({"--port", "98", "read"});
    EXPECT_EQ(run.exitCode, 1);
    ExpectOneErrorLine(run, "could not open port COM 98");
}

TEST_F(CliAgainstSensor, DemoModeReadsTheDemonstrationValues)
{
    const CliRun run = Cli({"--port", "0", "read"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("FirmwareVersion = 3960105\n"), std::string::npos);
    EXPECT_NE(run.out.find("FactoryNumber = 12345678\n"), std::string::npos);
    EXPECT_NE(run.out.find("Model = KH\n"), std::string::npos);
    EXPECT_EQ(Cli({"--port", "0", "set", "Filter", "3"}).exitCode, 0);
    EXPECT_TRUE(sensor_.ReceivedBytes().empty());
}

TEST_F(CliAgainstSensor, WithoutAPortTheWindowsSettingDecides)
{
    const CliRun missing = Cli({"get", "Filter"});
    EXPECT_EQ(missing.exitCode, 2);
    ExpectOneErrorLine(missing, "COM-Port");

    StoreComPortSetting("COM-Port=" + kPortArgument);
    const CliRun stored = Cli({"get", "Filter"});
    EXPECT_EQ(stored.exitCode, 0) << stored.err;
    EXPECT_NE(sensor_.ReceivedBytes().find("DA\r"), std::string::npos);
}

TEST_F(CliAgainstSensor, DeviceByPathGetsATemporaryPortEntry)
{
    const CliRun run = Cli({"--device", sensor_.DevicePath(), "get", "BitWidth"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.rfind("BitWidth = ", 0), 0u) << run.out;
    EXPECT_EQ(
        std::distance(std::filesystem::directory_iterator(PortFolder()), std::filesystem::directory_iterator()), 1)
        << "only the sensor's own COM97 stays";
}

TEST_F(CliAgainstSensor, PortsListsTheSensorsPort)
{
    const CliRun run = Cli({"ports"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("COM 97\t" + PortFolder() + "/COM97\n"), std::string::npos) << run.out;
}

}  // namespace

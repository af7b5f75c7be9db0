#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "cli_sensor_fixture.h"
#include "parameter_file_store.h"
#include "serial_port.h"

namespace {

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

TEST_F(CliAgainstSensor, SetLengthWritesTheChargepumpWhenItChangesAndTheCycleTimes)
{
    const CliRun same = CliOnPort({"set", "Length", "500"});
    ASSERT_EQ(same.exitCode, 0) << same.err;
    EXPECT_EQ(same.out, "Length = 500\nCycleTime = 1617\nSyncTiming = 956\n");
    EXPECT_EQ(SensorRegister('Z') >> 8, 1617u);

    const CliRun rounded = CliOnPort({"set", "Length", "10025"});
    ASSERT_EQ(rounded.exitCode, 0) << rounded.err;
    EXPECT_EQ(rounded.out, "Chargepump = 2\nLength = 10000\nCycleTime = 15215\nSyncTiming = 15215\n");
    EXPECT_EQ(sensor_.Register('L').substr(2), "100F");
    EXPECT_EQ(SensorRegister('J'), 2u);
    EXPECT_EQ(SensorRegister('M') >> 8, 15215u);
}

// The offset register follows resolution and filter, so that the offset in µm stays.
TEST_F(CliAgainstSensor, SetResolutionWritesScaleAndOffset)
{
    sensor_.SetRegister('A', "00000001");
    sensor_.SetRegister('N', "0003E8");  // 1000 µm
    const CliRun run = CliOnPort({"set", "Resolution", "5"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "Resolution = 5\nScale = 284359\nOffset = 200\n");
    EXPECT_EQ(SensorRegister('S'), 284359u);
    EXPECT_EQ(SensorRegister('N'), 200u);
}

TEST_F(CliAgainstSensor, SetFilterRescalesTheOffsetAndRawWritesTheFilterAlone)
{
    sensor_.SetRegister('N', "0003E8");
    const CliRun run = Cli({"--port", kPortArgument, "--json", "set", "Filter", "2"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out,
        "{\n  \"Filter\": {\"value\": 2, \"valid\": true},\n  \"Offset\": {\"value\": 4000, \"valid\": true}\n}\n");
    EXPECT_EQ(SensorRegister('N'), 4000u);

    sensor_.ClearLog();
    const CliRun raw = CliOnPort({"--raw", "set", "Filter", "0"});
    ASSERT_EQ(raw.exitCode, 0) << raw.err;
    EXPECT_EQ(raw.out, "Filter = 0\n");
    EXPECT_EQ(SensorRegister('N'), 4000u);
    EXPECT_EQ(WritesHeard().size(), 1u);
}

TEST_F(CliAgainstSensor, SetDifferentialMeasuringZeroesTheOffsetFirst)
{
    sensor_.SetRegister('N', "0000C8");  // 1000 µm at 5 µm
    const CliRun run = CliOnPort({"set", "PosDifVel", "1"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "Offset = 0\nPosDifVel = 1\nMagnetCount = 2\n");
    EXPECT_EQ(SensorRegister('K'), 0x000102u);
    EXPECT_EQ(SensorRegister('N'), 0u);
}

TEST_F(CliAgainstSensor, SetThatTheWSeriesRefusesWritesNothing)
{
    sensor_.SetRegister('L', "WH0500");
    const std::string registers = SensorRegisters();
    const CliRun run = CliOnPort({"set", "Mode", "2"});
    EXPECT_EQ(run.exitCode, 2);
    ExpectOneErrorLine(run, "invalid value '2' for Mode: not available on the W series");
    EXPECT_TRUE(run.out.empty());
    EXPECT_TRUE(WritesHeard().empty()) << testing::PrintToString(WritesHeard());
    EXPECT_EQ(SensorRegisters(), registers);
}

TEST_F(CliAgainstSensor, SetOutsideTheFieldsRangeNamesTheRange)
{
    const CliRun run = CliOnPort({"set", "BitWidth", "40"});
    EXPECT_EQ(run.exitCode, 2);
    ExpectOneErrorLine(run, "invalid value '40' for BitWidth: expected a decimal integer from 1 to 32");
    EXPECT_TRUE(sensor_.ReceivedBytes().empty());
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

// The set is backed up first: a line before the factory set, a member of the JSON object.
TEST_F(CliAgainstSensor, RestoreFactorySendsQnAndPrintsTheFactorySet)
{
    ASSERT_EQ(CliOnPort({"set", "BitWidth", "13"}).exitCode, 0);
    const CliRun run = CliOnPort({"restore-factory"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(sensor_.ReceivedBytes().find("QN\r"), std::string::npos);
    EXPECT_EQ(LineCount(run.out), 1u + 38u);
    EXPECT_EQ(run.out.find("BitWidth = 13\n"), std::string::npos) << run.out;

    const std::string backupFolder = DataHome() + "/QOR/backups/" + settings_.factoryNumber + "/";
    ASSERT_EQ(run.out.rfind("Backup: " + backupFolder, 0), 0u) << run.out;
    const std::string backup = run.out.substr(8, run.out.find('\n') - 8);
    const auto saved = ReadParameterFile(QString::fromStdString(backup));
    ASSERT_TRUE(std::holds_alternative<ParameterFileContents>(saved)) << backup;
    EXPECT_EQ(
        std::get<ParameterFileContents>(saved).values[static_cast<size_t>(TSSICom::ElementIndex("BitWidth"))], 13);

    const CliRun json = Cli({"--port", kPortArgument, "--json", "restore-factory"});
    ASSERT_EQ(json.exitCode, 0) << json.err;
    EXPECT_EQ(json.out.rfind("{\n  \"backup\": \"" + backupFolder, 0), 0u) << json.out;
    EXPECT_NE(json.out.find("\",\n  \"Resolution\": {"), std::string::npos) << json.out;
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
    ASSERT_EQ(CliOnPort({"read"}).exitCode, 0);
    sim::Faults dying;
    dying.commandsBeforeDeath = CommandCount();  // the set as read only
    sensor_.SetFaults(dying);
    const CliRun run = CliOnPort({"set", "Filter", "1"});
    EXPECT_EQ(run.exitCode, 1);
    ExpectOneErrorLine(run, "WriteFilter failed: no confirmation from the sensor");
}

// The sensor does not hear the write; the command line reads the element back.
TEST_F(CliAgainstSensor, WriteTheSensorIgnoredFailsAfterTheReadBack)
{
    struct Case {
        std::string element;
        std::string value;
        std::string ignored;
    };
    for (const Case& c : {Case{"Model", "KP", "LN"}, Case{"SecErrorValue", "1", "YN"}, Case{"Filter", "2", "DN"},
             Case{"FactoryNumber", "77", "FN"}}) {
        sensor_.SetFaults({.unanswered = {c.ignored}});
        const CliRun run = CliOnPort({"set", c.element, c.value});
        EXPECT_EQ(run.exitCode, 1) << c.element;
        ExpectOneErrorLine(run, "Write" + c.element + " failed");
    }
    sensor_.SetFaults({});
    EXPECT_EQ(SensorModelLetters(), "KH");
}

TEST_F(CliAgainstSensor, StoreFailsWhenTheSensorDiesAfterTheFirmwareQuery)
{
    sensor_.SetFaults({.commandsBeforeDeath = 1});
    const CliRun run = CliOnPort({"store"});
    EXPECT_EQ(run.exitCode, 1);
    ExpectOneErrorLine(run, "store failed: no answer from the sensor after the store");
    EXPECT_EQ(sensor_.Counts().commit, 0);
}

// The firmware version, the resolution and the first group answer; then the sensor is gone.
TEST_F(CliAgainstSensor, ReadOfASensorThatVanishesPrintsTheSetAndNamesTheGaps)
{
    sensor_.SetFaults({.commandsBeforeDeath = 18});
    const CliRun run = CliOnPort({"read"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(LineCount(run.out), 38u);
    EXPECT_NE(run.out.find("Length = 0 (invalid)\n"), std::string::npos) << run.out;
    ExpectOneErrorLine(run, "ReadAll incomplete: no valid answer for PowerfailTime, MonoflopTime");
    EXPECT_EQ(run.err.find("ProcessOptions"), std::string::npos) << "firmware 3960105 has no process options";
    EXPECT_EQ(run.err.find("Blanking"), std::string::npos) << run.err;
}

TEST_F(CliAgainstSensor, OutputThatCannotBeWrittenIsAFailure)
{
    const CliRun run = RunCli({"--port", "0", "read"}, ConfigHome(), {.stdoutPath = "/dev/full"});
    EXPECT_EQ(run.exitCode, 1);
    ExpectOneErrorLine(run, "cannot write the output: No space left on device");
}

TEST_F(CliAgainstSensor, TextFromTheSensorAndTheArgumentsCannotSteerTheTerminal)
{
    sensor_.SetRegister('F', "\x1b[2J1234");
    const CliRun get = CliOnPort({"get", "FactoryNumber"});
    EXPECT_EQ(get.out, "FactoryNumber = \\x1b[2J1234\n");
    const CliRun json = Cli({"--port", kPortArgument, "--json", "get", "FactoryNumber"});
    EXPECT_NE(json.out.find("\"text\": \"\\u001b[2J1234\""), std::string::npos) << json.out;

    const CliRun bad = CliOnPort({"get", "Fil\x1b]0;x\x07ter"});
    EXPECT_EQ(bad.exitCode, 2);
    ExpectOneErrorLine(bad, "unknown element 'Fil\\x1b]0;x\\x07ter'");
}

// A reply that arrives after its attempt has timed out must never be taken for the answer
// to a later command, whatever the sensor's delay: the values are the true ones, or the
// command fails.
class CliAgainstLateSensor : public CliAgainstSensor, public testing::WithParamInterface<int> { };

TEST_P(CliAgainstLateSensor, GivesTheTrueValuesOrAFailure)
{
    const CliRun truth = CliOnPort({"read", "--strict"});
    ASSERT_EQ(truth.exitCode, 0) << truth.err;
    const std::string registers = SensorRegisters();
    sensor_.SetReplyDelay(std::chrono::milliseconds(GetParam()));
    const CliRun read = CliOnPort({"read", "--strict"});
    EXPECT_TRUE(read.exitCode == 1 || (read.exitCode == 0 && read.out == truth.out)) << read.out << read.err;
    const CliRun model = CliOnPort({"get", "Model"});
    EXPECT_TRUE(model.exitCode == 1 || (model.exitCode == 0 && model.out == "Model = KH\n")) << model.out;
    EXPECT_EQ(SensorRegisters(), registers) << "nothing was written into the sensor";
}

INSTANTIATE_TEST_SUITE_P(ReplyDelays, CliAgainstLateSensor, testing::Range(0, 401, 50),
    [](const testing::TestParamInfo<int>& delay) { return std::to_string(delay.param) + "ms"; });

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
        {"--port", kPortArgument, "set", "BitWidth", "40"},
        {"--port", kPortArgument, "set", "Resolution", "0"},
        {"--port", kPortArgument, "set", "Mode", "1"},
        {"--port", kPortArgument, "--raw", "set", "Length", "10025"},
        {"--port", kPortArgument, "--raw", "read"},
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

TEST_F(CliAgainstSensor, DeviceByPathIsOpenedWithoutAPortEntry)
{
    const CliRun run = Cli({"--device", sensor_.DevicePath(), "get", "BitWidth"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.rfind("BitWidth = ", 0), 0u) << run.out;
    EXPECT_EQ(
        std::distance(std::filesystem::directory_iterator(PortFolder()), std::filesystem::directory_iterator()), 1)
        << "only the sensor's own COM97 stays";
}

TEST_F(CliAgainstSensor, DeviceThatIsNoSerialPortIsBadInputWithTheReason)
{
    const std::string scratch = ConfigHome();
    std::ofstream(scratch + "/plain-file") << "x";
    ASSERT_EQ(mkfifo((scratch + "/fifo").c_str(), 0600), 0);
    struct Case {
        std::string path;
        std::string reason;
    };
    for (const Case& c : {Case{scratch + "/plain-file", "not a serial device"}, Case{scratch, "not a serial device"},
             Case{"/dev/null", "not a serial device"}, Case{scratch + "/fifo", "not a serial device"},
             Case{scratch + "/missing", "no such file"}}) {
        const CliRun run = Cli({"--device", c.path, "read"});
        EXPECT_EQ(run.exitCode, 2) << c.path;
        ExpectOneErrorLine(run, "could not open " + c.path + ": " + c.reason);
    }
}

TEST_F(CliAgainstSensor, BusyPortNamesTheOtherProgram)
{
    TSerialCom holder;
    ASSERT_TRUE(holder.OpenDevice(sensor_.DevicePath(), 4800, 50));
    for (const std::string& where : {std::string("--port"), std::string("--device")}) {
        const CliRun run = Cli({where, where == "--port" ? kPortArgument : sensor_.DevicePath(), "read"});
        EXPECT_EQ(run.exitCode, 1) << where;
        ExpectOneErrorLine(run, "in use by another program");
    }
}

// Root may open a port that is held exclusively, so the reopen is tried as another user.
TEST_F(CliAgainstSensor, OrdinaryUserOpensThePortAgainAndAgain)
{
    CliLaunch launch;
    if (geteuid() == 0) {
        if (!std::filesystem::exists("/usr/bin/setpriv"))
            GTEST_SKIP() << "no setpriv to run the command line as an ordinary user";
        launch.wrapper = {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "--"};
        std::filesystem::permissions(sensor_.DevicePath(), std::filesystem::perms::all);
    }
    for (int run = 0; run < 3; ++run) {
        const CliRun get = RunCli({"--device", sensor_.DevicePath(), "get", "Filter"}, ConfigHome(), launch);
        EXPECT_EQ(get.exitCode, 0) << "run " << run << ": " << get.err;
    }
}

TEST_F(CliAgainstSensor, PortsListsTheSensorsPort)
{
    const CliRun run = Cli({"ports"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("COM 97\t" + PortFolder() + "/COM97\n"), std::string::npos) << run.out;
}

}  // namespace

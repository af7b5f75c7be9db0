#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "ansi_text.h"
#include "cli_sensor_fixture.h"
#include "parameter_file_store.h"
#include "program_version.h"

namespace {

namespace fs = std::filesystem;

class CliFiles : public CliAgainstSensor {
protected:
    std::string PathOf(const std::string& name) const { return ConfigHome() + "/" + name; }

    // The sensor's set saved by the command line.
    std::string Save(const std::string& name, const std::string& comment = "")
    {
        const std::string path = PathOf(name);
        const CliRun run = CliOnPort({"save", path, "--comment", comment});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, path + "\n");
        sensor_.ClearLog();
        return path;
    }

    static std::vector<fs::path> Backups()
    {
        std::vector<fs::path> files;
        if (fs::exists(DataHome()))
            for (const fs::directory_entry& entry : fs::recursive_directory_iterator(DataHome()))
                if (entry.is_regular_file())
                    files.push_back(entry.path());
        return files;
    }

    static ParameterFileContents Opened(const std::string& path)
    {
        auto read = ReadParameterFile(QString::fromStdString(path));
        EXPECT_TRUE(std::holds_alternative<ParameterFileContents>(read)) << path;
        return std::holds_alternative<ParameterFileContents>(read) ? std::get<ParameterFileContents>(read)
                                                                   : ParameterFileContents{};
    }

    static std::string Today()
    {
        const std::time_t now = std::time(nullptr);
        char text[11];
        std::strftime(text, sizeof text, "%Y-%m-%d", std::localtime(&now));
        return text;
    }

    static int32_t StoredValue(const ParameterFileContents& file, std::string_view name)
    {
        return file.values[static_cast<size_t>(TSSICom::ElementIndex(name))];
    }
};

std::string LastLine(const std::string& text)
{
    const size_t start = text.rfind('\n', text.size() - 2);
    return text.substr(start == std::string::npos ? 0 : start + 1, text.size() - start - 2);
}

// Every register that the whole-set write writes on this firmware.
constexpr std::string_view kWrittenRegisters = "ADKMZJOSNPRUL";

TEST_F(CliFiles, SetSavedFromOneSensorLoadsIntoAnotherThatKeepsItsFactoryNumberAndFirmware)
{
    const std::pair<char, std::string> firstSensor[] = {{'D', "82010D"}, {'K', "000002"}, {'M', "03E828"},
        {'Z', "06A440"}, {'J', "000002"}, {'O', "000030"}, {'N', "0000C8"}, {'P', "00000007"}, {'L', "KP1000"}};
    for (const auto& [letter, payload] : firstSensor)
        ASSERT_TRUE(sensor_.SetRegister(letter, payload)) << letter;
    const std::string file = Save("first.qor");

    sim::SensorSettings secondSettings;
    secondSettings.factoryNumber = "87654321";
    secondSettings.firmwareVersion = 3960106;
    sim::PtyHost second{secondSettings};
    second.Start();
    second.LinkAsPort(kPort + 1);
    const CliRun load = Cli({"--port", std::to_string(kPort + 1), "load", file, "--yes"});
    ASSERT_EQ(load.exitCode, 0) << load.err;

    for (const char letter : kWrittenRegisters)
        EXPECT_EQ(second.Register(letter), sensor_.Register(letter)) << letter;
    EXPECT_EQ(second.Register('F'), "87654321");
    EXPECT_EQ(HexToInt(second.Register('V')), 3960106);

    const std::string backup = load.out.substr(0, load.out.size() - 1);
    EXPECT_EQ(load.out, backup + "\n");
    EXPECT_EQ(fs::path(backup).parent_path(), fs::path(DataHome()) / "QOR/backups/87654321");
    const ParameterFileContents previous = Opened(backup);
    EXPECT_EQ(StoredValue(previous, "BitWidth"), 25);
    EXPECT_EQ(StoredValue(previous, "Length"), 500);
    EXPECT_EQ(StoredValue(previous, "FirmwareVersion"), 3960106);
    EXPECT_NE(Utf8FromAnsi(previous.infoText).find("Backup before loading first.qor"), std::string::npos);
}

TEST_F(CliFiles, ShowPrintsTheInformationTheDateAndTheStoredValuesWithoutASensor)
{
    const std::string path = PathOf("comment.qor");
    const CliRun save = CliOnPort({"--json", "save", path, "--comment", "Zeile 1\nGrüße"});
    ASSERT_EQ(save.exitCode, 0) << save.err;
    EXPECT_EQ(save.out, "{\n  \"file\": \"" + path + "\"\n}\n");
    sensor_.ClearLog();

    const CliRun text = Cli({"show", path});
    ASSERT_EQ(text.exitCode, 0) << text.err;
    EXPECT_EQ(text.out.rfind("QOR K-Serie SSI\nVersion: " + std::string(ProgramVersionText)
                      + "\n\nZeile 1\nGrüße\n"
                        "Date of saving: "
                      + Today() + "\nResolution = 5\nFilter = 0\n",
                  0),
        0u)
        << text.out;
    EXPECT_EQ(LineCount(text.out), 6u + 30u);
    EXPECT_NE(text.out.find("\nModel = 19272\n"), std::string::npos);
    EXPECT_EQ(LastLine(text.out), "UltrasonicSpeed = 277695");

    const CliRun json = Cli({"--json", "show", path});
    ASSERT_EQ(json.exitCode, 0) << json.err;
    EXPECT_EQ(json.out.rfind("{\n  \"info\": \"QOR K-Serie SSI\\u000aVersion: " + std::string(ProgramVersionText)
                      + "\\u000a\\u000aZeile 1\\u000d\\u000aGrüße\",\n  \"date\": \"" + Today()
                      + "\",\n  \"values\": {\n    \"Resolution\": 5,\n    \"Filter\": 0,\n",
                  0),
        0u)
        << json.out;
    EXPECT_NE(json.out.find("    \"UltrasonicSpeed\": 277695\n  }\n}\n"), std::string::npos) << json.out;
    EXPECT_TRUE(sensor_.ReceivedBytes().empty());
}

TEST_F(CliFiles, DiffNamesEveryStoredValueInWhichSensorAndFileDiffer)
{
    const std::string file = Save("set.qor");
    const CliRun same = CliOnPort({"diff", file});
    EXPECT_EQ(same.exitCode, 0) << same.err;
    EXPECT_EQ(same.out, "");

    sensor_.SetRegister('D', "820119");
    sensor_.SetRegister('L', "KH1000");
    const CliRun text = CliOnPort({"diff", file});
    EXPECT_EQ(text.exitCode, 0) << text.err;
    EXPECT_EQ(text.out, "Filter: 2 -> 0\nLength: 1000 -> 500\n");
    const CliRun json = Cli({"--port", kPortArgument, "--json", "diff", file});
    EXPECT_EQ(json.out,
        "{\n  \"differences\": {\n    \"Filter\": {\"sensor\": 2, \"file\": 0},\n"
        "    \"Length\": {\"sensor\": 1000, \"file\": 500}\n  }\n}\n");
    EXPECT_TRUE(WritesHeard().empty());
}

TEST_F(CliFiles, RejectedFilesAndLongCommentsAreBadInputAndSendNothing)
{
    TSSICom link;
    std::vector<uint8_t> image = BuildParameterFile("", {2024, 5, 1}, link.Parameter);
    RotateLeft2(image);
    image[4] = 'q';  // "qOR K-Serie SSI"
    RotateRight2(image);
    std::ofstream(PathOf("foreign.qor"), std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    std::ofstream(PathOf("short.qor"), std::ios::binary) << "abc";
    std::ofstream(PathOf("big.qor"), std::ios::binary) << std::string(MaxParameterFileSize + 1, '\0');
    struct Case {
        std::string file;
        std::string reason;
    };
    for (const Case& c : {Case{"foreign.qor", "File is not compatible"}, Case{"short.qor", "Error in File"},
             Case{"big.qor", "File is too big"}, Case{"missing.qor", "No such file or directory"}}) {
        const std::string path = PathOf(c.file);
        for (const std::vector<std::string>& command : std::vector<std::vector<std::string>>{
                 {"show", path}, {"diff", path}, {"load", path, "--yes"}, {"load", path}}) {
            SCOPED_TRACE(testing::PrintToString(command));
            const CliRun run = CliOnPort(command);
            EXPECT_EQ(run.exitCode, 2);
            ExpectOneErrorLine(run, "ssi-tesmira-cli: " + path + ": " + c.reason + "\n");
            EXPECT_TRUE(run.out.empty());
        }
    }
    for (const std::string& comment : {std::string(513, 'x'), std::string(511, 'x') + "\n"}) {
        const CliRun run = CliOnPort({"save", PathOf("long.qor"), "--comment", comment});
        EXPECT_EQ(run.exitCode, 2);
        ExpectOneErrorLine(run, "the comment has 513 characters, at most 512");
    }
    EXPECT_FALSE(fs::exists(PathOf("long.qor")));
    EXPECT_TRUE(sensor_.ReceivedBytes().empty());
}

TEST_F(CliFiles, LoadAsksAndSendsNothingUnlessTheAnswerIsYes)
{
    const std::string file = Save("set.qor", "for the line");
    sensor_.SetRegister('D', "820119");
    sensor_.ClearLog();
    struct Case {
        std::string answer;
        int exitCode;
        std::string ending;
    };
    for (const Case& c : {Case{"n\n", 0, "Really load this file? [y/N] Nothing loaded.\n"},
             Case{"", 2, "Really load this file? [y/N] "}, Case{"maybe\n", 0, "Nothing loaded.\n"}}) {
        SCOPED_TRACE(c.answer);
        const CliRun run = CliOnPort({"load", file}, {.stdinText = c.answer});
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_NE(run.out.find("for the line\nDate of saving: " + Today()
                      + "\nValues that loading changes (sensor -> file):\nFilter: 2 -> 0\n"),
            std::string::npos)
            << run.out;
        EXPECT_TRUE(run.out.ends_with(c.ending)) << run.out;
        if (c.exitCode == 2)
            ExpectOneErrorLine(run, "no answer: use --yes to load without asking");
        EXPECT_TRUE(WritesHeard().empty()) << testing::PrintToString(WritesHeard());
    }
    EXPECT_TRUE(Backups().empty());

    const CliRun yes = CliOnPort({"load", file}, {.stdinText = " YES\n"});
    EXPECT_EQ(yes.exitCode, 0) << yes.err;
    EXPECT_EQ((HexToInt(sensor_.Register('D')) >> 22) & 3, 0);
    ASSERT_EQ(Backups().size(), 1u);
    EXPECT_TRUE(yes.out.ends_with("[y/N] " + Backups().front().string() + "\n")) << yes.out;
}

// Root writes into any folder, so the command line runs without that capability.
TEST_F(CliFiles, BackupThatCannotBeWrittenStopsTheCommandBeforeAnyWrite)
{
    const std::string file = Save("set.qor");
    CliLaunch launch;
    if (geteuid() == 0) {
        if (!fs::exists("/usr/bin/setpriv"))
            GTEST_SKIP() << "no setpriv to run the command line without CAP_DAC_OVERRIDE";
        launch.wrapper = {"/usr/bin/setpriv", "--inh-caps=-dac_override", "--bounding-set=-dac_override", "--"};
    }
    const fs::path folder = fs::path(DataHome()) / "QOR/backups" / settings_.factoryNumber;
    fs::create_directories(folder);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    for (const std::vector<std::string>& command :
        std::vector<std::vector<std::string>>{{"load", file, "--yes"}, {"restore-factory"}}) {
        SCOPED_TRACE(command.front());
        const CliRun run = CliOnPort(command, launch);
        EXPECT_EQ(run.exitCode, 1);
        ExpectOneErrorLine(run, "backup failed, nothing was sent to the sensor: " + folder.string());
        EXPECT_TRUE(run.out.empty());
        EXPECT_TRUE(WritesHeard().empty()) << testing::PrintToString(WritesHeard());
        EXPECT_EQ(sensor_.Counts().factoryRestore, 0);
    }
    fs::permissions(folder, fs::perms::owner_all);
}

TEST_F(CliFiles, SensorThatStopsAnsweringDuringTheWholeSetWriteFails)
{
    const std::string file = Save("set.qor");
    ASSERT_EQ(CliOnPort({"load", file, "--yes"}).exitCode, 0);
    // The set as read and the whole-set write but for its last two elements; the writes of
    // speed, scale and offset that follow it take nine commands.
    sensor_.SetFaults({.commandsBeforeDeath = CommandCount() - 9 - 6});
    const CliRun run = CliOnPort({"load", file, "--yes"});
    EXPECT_EQ(run.exitCode, 1);
    ExpectOneErrorLine(run, "WriteAll failed: not every write was confirmed by the sensor");
    EXPECT_TRUE(run.out.empty());
    EXPECT_EQ(Backups().size(), 2u);
}

}  // namespace

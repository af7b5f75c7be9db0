#include "command_line.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Arguments = std::vector<std::string>;

TEST(CommandLine, TakesEveryOption)
{
    sim::CommandLine parsed = sim::ParseCommandLine({"--port", "97", "--firmware", "3960610", "--model", "WB",
        "--length", "12350", "--factory-number", "AB12", "--set", "D=000519", "--set", "K=000002", "--reply-delay", "0",
        "--fault", "short", "--fault-every", "3", "--die-after", "10"});
    EXPECT_EQ(parsed.port, 97);
    EXPECT_EQ(parsed.settings.firmwareVersion, 3960610);
    EXPECT_EQ(parsed.settings.model, "WB");
    EXPECT_EQ(parsed.settings.lengthMm, 12350);
    EXPECT_EQ(parsed.settings.factoryNumber, "AB12");
    EXPECT_EQ(parsed.settings.registers, (std::map<char, std::string>{{'D', "000519"}, {'K', "000002"}}));
    EXPECT_EQ(parsed.settings.replyDelay, std::chrono::milliseconds(0));
    EXPECT_EQ(parsed.faults.damage, sim::ReplyDamage::Short);
    EXPECT_EQ(parsed.faults.hitEvery, 3);
    EXPECT_EQ(parsed.faults.commandsBeforeDeath, 10);
    EXPECT_FALSE(parsed.help);
}

TEST(CommandLine, HelpNeedsNoPort) { EXPECT_TRUE(sim::ParseCommandLine({"--help"}).help); }

TEST(CommandLine, RefusesBadLists)
{
    for (const Arguments& arguments :
        {Arguments{}, Arguments{"--model", "KH"}, Arguments{"--port"}, Arguments{"--port", "0"},
            Arguments{"--port", "256"}, Arguments{"--port", "9x"}, Arguments{"--port", "5", "--set", "D000519"},
            Arguments{"--port", "5", "--reply-delay", "-1"}, Arguments{"--port", "5", "--colour", "red"},
            Arguments{"--port", "5", "--port", "6"}, Arguments{"--port", "5", "--fault", "slow"},
            Arguments{"--port", "5", "--fault", "short", "--fault", "garbled"},
            Arguments{"--port", "5", "--fault", "short", "--fault-every", "0"},
            Arguments{"--port", "5", "--fault", "short", "--fault-every", "2x"},
            Arguments{"--port", "5", "--fault-every", "2"}, Arguments{"--port", "5", "--die-after", "-1"},
            Arguments{"--port", "5", "--die-after", "3000000000"}}) {
        EXPECT_THROW(sim::ParseCommandLine(arguments), std::invalid_argument) << testing::PrintToString(arguments);
    }
}

// The fault options as the sensor shows them: its replies to the same command, sent four times.
struct FaultCase {
    Arguments options;
    std::string command;
    std::vector<std::optional<std::string>> replies;
};

void PrintTo(const FaultCase& fault, std::ostream* out) { *out << testing::PrintToString(fault.options); }

class FaultOptions : public testing::TestWithParam<FaultCase> { };

TEST_P(FaultOptions, ShapeWhatTheSensorAnswers)
{
    Arguments arguments{"--port", "5"};
    arguments.insert(arguments.end(), GetParam().options.begin(), GetParam().options.end());
    sim::CommandLine parsed = sim::ParseCommandLine(arguments);
    sim::SensorModel sensor(parsed.settings);
    sensor.SetFaults(parsed.faults);
    std::vector<std::optional<std::string>> replies;
    for (int i = 0; i < 4; ++i)
        replies.push_back(sensor.HandleLine(GetParam().command));
    EXPECT_EQ(replies, GetParam().replies);
}

const std::optional<std::string> kNone;
const std::optional<std::string> kReply = "020119\r";
const std::optional<std::string> kGarbled = "0201190";
const std::optional<std::string> kShort = "020119";
const std::optional<std::string> kLinReply = "00C800\r";
const std::optional<std::string> kWrongEcho = "00C900\r";

INSTANTIATE_TEST_SUITE_P(EveryCommand, FaultOptions,
    testing::Values(FaultCase{{"--fault", "no-answer"}, "DA", {kNone, kNone, kNone, kNone}},
        FaultCase{{"--fault", "garbled"}, "DA", {kGarbled, kGarbled, kGarbled, kGarbled}},
        FaultCase{{"--fault", "short"}, "DA", {kShort, kShort, kShort, kShort}},
        FaultCase{{"--fault", "wrong-echo"}, "XA00C800", {kWrongEcho, kWrongEcho, kWrongEcho, kWrongEcho}},
        FaultCase{{"--fault", "wrong-echo"}, "DA", {kReply, kReply, kReply, kReply}},
        FaultCase{{"--fault", "short", "--fault-every", "1"}, "DA", {kShort, kShort, kShort, kShort}}));

INSTANTIATE_TEST_SUITE_P(OneCommandInEveryK, FaultOptions,
    testing::Values(FaultCase{{"--fault", "no-answer", "--fault-every", "2"}, "DA", {kReply, kNone, kReply, kNone}},
        FaultCase{{"--fault", "garbled", "--fault-every", "3"}, "DA", {kReply, kReply, kGarbled, kReply}},
        FaultCase{{"--fault", "short", "--fault-every", "2"}, "DA", {kReply, kShort, kReply, kShort}},
        FaultCase{{"--fault-every", "2", "--fault", "wrong-echo"}, "XA00C800",
            {kLinReply, kWrongEcho, kLinReply, kWrongEcho}},
        FaultCase{{"--fault", "short", "--fault-every", "5"}, "DA", {kReply, kReply, kReply, kReply}}));

INSTANTIATE_TEST_SUITE_P(DieAfter, FaultOptions,
    testing::Values(FaultCase{{"--die-after", "0"}, "DA", {kNone, kNone, kNone, kNone}},
        FaultCase{{"--die-after", "2"}, "DA", {kReply, kReply, kNone, kNone}},
        FaultCase{
            {"--die-after", "3", "--fault", "short", "--fault-every", "2"}, "DA", {kReply, kShort, kReply, kNone}}));

}  // namespace

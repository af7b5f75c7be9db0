#include "command_line.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using Arguments = std::vector<std::string>;

TEST(CommandLine, TakesEveryOption)
{
    sim::CommandLine parsed
        = sim::ParseCommandLine({"--port", "97", "--firmware", "3960610", "--model", "WB", "--length", "12350",
            "--factory-number", "AB12", "--set", "D=000519", "--set", "K=000002", "--reply-delay", "0"});
    EXPECT_EQ(parsed.port, 97);
    EXPECT_EQ(parsed.settings.firmwareVersion, 3960610);
    EXPECT_EQ(parsed.settings.model, "WB");
    EXPECT_EQ(parsed.settings.lengthMm, 12350);
    EXPECT_EQ(parsed.settings.factoryNumber, "AB12");
    EXPECT_EQ(parsed.settings.registers, (std::map<char, std::string>{{'D', "000519"}, {'K', "000002"}}));
    EXPECT_EQ(parsed.settings.replyDelay, std::chrono::milliseconds(0));
    EXPECT_FALSE(parsed.help);
}

TEST(CommandLine, HelpNeedsNoPort) { EXPECT_TRUE(sim::ParseCommandLine({"--help"}).help); }

TEST(CommandLine, RefusesBadLists)
{
    for (const Arguments& arguments :
        {Arguments{}, Arguments{"--model", "KH"}, Arguments{"--port"}, Arguments{"--port", "0"},
            Arguments{"--port", "256"}, Arguments{"--port", "9x"}, Arguments{"--port", "5", "--set", "D000519"},
            Arguments{"--port", "5", "--reply-delay", "-1"}, Arguments{"--port", "5", "--colour", "red"}}) {
        EXPECT_THROW(sim::ParseCommandLine(arguments), std::invalid_argument) << testing::PrintToString(arguments);
    }
}

}  // namespace

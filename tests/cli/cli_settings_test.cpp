#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "../support/port_folder.h"
#include "../support/watched_fifo.h"
#include "cli_process.h"

namespace {

// The command line without a port takes the one of the window's settings, which live
// here in a private config folder.
class CliSettings : public testing::Test {
protected:
    static std::string ConfigHome() { return std::filesystem::path(PortFolder()).parent_path().parent_path().string(); }
    static std::string StoreFile() { return ConfigHome() + "/QOR/SSI Tesmira.conf"; }
    static CliRun Cli(const std::vector<std::string>& arguments) { return RunCli(arguments, ConfigHome()); }

    PrivatePortFolder ports_;
};

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

TEST_F(CliSettings, StoreThatIsAFifoIsIgnoredWithOneWarning)
{
    const WatchedFifo fifo(StoreFile());
    const CliRun run = Cli({"get", "Filter"});
    EXPECT_FALSE(fifo.WasOpened());
    EXPECT_TRUE(fifo.StillAFifo());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(Lines(run.err),
        (std::vector<std::string>{
            "ssi-tesmira-cli: warning: the settings store \"" + StoreFile() + "\" is no regular file and is ignored",
            "ssi-tesmira-cli: no port given and no COM-Port in the settings: use --port N or --device PATH"}));
}

TEST_F(CliSettings, ComPortThatIsNoNumberCountsAsNone)
{
    std::ofstream(StoreFile()) << "[General]\nCOM-Port=xyz\n";
    const CliRun run = Cli({"get", "Filter"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(Lines(run.err),
        (std::vector<std::string>{
            "ssi-tesmira-cli: no port given and no COM-Port in the settings: use --port N or --device PATH"}));
}

}  // namespace

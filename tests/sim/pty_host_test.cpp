#include "pty_host.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// The program's side of the port: raw 8N1 at a baud rate, as the link opens it.
class ProgramSide {
public:
    ProgramSide(const std::string& device, speed_t baud) : fd_(open(device.c_str(), O_RDWR | O_NOCTTY))
    {
        termios settings{};
        if (fd_ < 0 || tcgetattr(fd_, &settings) != 0)
            return;
        cfmakeraw(&settings);
        cfsetspeed(&settings, baud);
        tcsetattr(fd_, TCSANOW, &settings);
    }
    ~ProgramSide()
    {
        if (fd_ >= 0)
            close(fd_);
    }
    ProgramSide(const ProgramSide&) = delete;
    ProgramSide& operator=(const ProgramSide&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    int Descriptor() const { return fd_; }
    void Send(const std::string& text) { ASSERT_EQ(write(fd_, text.data(), text.size()), ssize_t(text.size())); }

    // What arrives until `count` bytes are in or nothing came for `gap`.
    std::string Receive(std::size_t count, std::chrono::milliseconds gap = 200ms)
    {
        std::string received;
        pollfd readable{fd_, POLLIN, 0};
        while (received.size() < count && poll(&readable, 1, int(gap.count())) == 1) {
            char c = 0;
            if (read(fd_, &c, 1) != 1)
                break;
            received += c;
        }
        return received;
    }

private:
    int fd_;
};

template <class Condition> bool Eventually(Condition condition)
{
    auto deadline = Clock::now() + 2s;
    while (!condition()) {
        if (Clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

class PtyHostTest : public testing::Test {
protected:
    void SetUp() override
    {
        configFolder_ = std::filesystem::temp_directory_path()
            / ("sim-test-" + std::to_string(getpid()) + "-"
                + testing::UnitTest::GetInstance()->current_test_info()->name());
        setenv("XDG_CONFIG_HOME", configFolder_.c_str(), 1);
        host_.Start();
    }
    void TearDown() override
    {
        host_.Stop();
        std::filesystem::remove_all(configFolder_);
    }

    std::filesystem::path configFolder_;
    sim::PtyHost host_;
};

TEST_F(PtyHostTest, AnswersAfterTheDelayAtTheWireSpeedOfTheSlave)
{
    ProgramSide program(host_.DevicePath(), B4800);
    ASSERT_TRUE(program.IsOpen());
    auto sent = Clock::now();
    program.Send("DA\r");
    EXPECT_EQ(program.Receive(7), "020119\r");
    auto received = Clock::now();

    EXPECT_GE(received - sent, 5ms + 7 * 2083us) << "5 ms delay and 7 characters of 10 bits at 4800 baud";
    ASSERT_EQ(host_.ReceivedLines().size(), 1u);
    EXPECT_EQ(host_.ReceivedLines()[0].text, "DA");
    EXPECT_GE(host_.ReceivedLines()[0].arrival, sent);
    EXPECT_LE(host_.ReceivedLines()[0].arrival, received);
}

TEST_F(PtyHostTest, LogsEveryLineAndByteInOrder)
{
    ProgramSide program(host_.DevicePath(), B4800);
    program.Send("DN800519\rBN\r\rPROG\r");
    ASSERT_TRUE(host_.WaitForLines(4, 2s));
    EXPECT_EQ(host_.ReceivedCommands(), (std::vector<std::string>{"DN800519", "BN", "", "PROG"}));
    EXPECT_EQ(host_.ReceivedBytes(), "DN800519\rBN\r\rPROG\r");
    EXPECT_EQ(host_.Register('D'), "800519");
    EXPECT_EQ(host_.Counts().bootloader, 1);

    host_.ClearLog();
    EXPECT_TRUE(host_.ReceivedCommands().empty());
    EXPECT_TRUE(host_.ReceivedBytes().empty());
}

TEST_F(PtyHostTest, WhatArrivesBeforeTheRepliesLastCharacterIsLoggedButNotHeard)
{
    host_.SetReplyDelay(200ms);
    ProgramSide program(host_.DevicePath(), B38400);
    program.Send("DA\rKA\rL");
    EXPECT_EQ(program.Receive(14, 500ms), "020119\r");
    program.Send("A\rKA\r");  // the half line before it was dropped
    EXPECT_EQ(program.Receive(14, 500ms), "000001\r");
    EXPECT_EQ(host_.ReceivedCommands(), (std::vector<std::string>{"DA", "KA", "A", "KA"}));
    EXPECT_EQ(host_.ReceivedBytes(), "DA\rKA\rLA\rKA\r");
}

TEST_F(PtyHostTest, ACommandSentTheMomentTheReplyEndsIsHeard)
{
    host_.SetReplyDelay(0ms);
    ProgramSide program(host_.DevicePath(), B230400);
    for (int exchange = 0; exchange < 200; ++exchange) {
        program.Send("DA\r");
        ASSERT_EQ(program.Receive(7), "020119\r") << "exchange " << exchange;
    }
}

TEST_F(PtyHostTest, FaultsFlippedWhileServingTakeEffectAtOnce)
{
    ProgramSide program(host_.DevicePath(), B38400);
    host_.SetFaults({.unanswered = {"LA"}});
    program.Send("LA\r");
    EXPECT_EQ(program.Receive(7, 100ms), "");
    host_.SetFaults({});
    program.Send("LA\r");
    EXPECT_EQ(program.Receive(7), "KH0500\r");
}

TEST_F(PtyHostTest, GoingFromClosedToOpenIsTheRtsPulseThatStartsTheStoredStream)
{
    {
        ProgramSide program(host_.DevicePath(), B4800);
        program.Send("DN060119\rCN\r");  // store Mode bit 0
        ASSERT_TRUE(host_.WaitForLines(2, 2s));
    }
    ProgramSide streaming(host_.DevicePath(), B4800);
    ASSERT_TRUE(Eventually([&] { return host_.Counts().portOpens == 2; }));
    EXPECT_EQ(host_.Mode(), sim::SensorMode::Stream);
    streaming.Send("DA\r");
    EXPECT_EQ(streaming.Receive(7, 100ms), "");
    {
        ProgramSide second(host_.DevicePath(), B4800);  // a second open is no pulse
    }
    for (int reopen = 0; reopen < 3; ++reopen) {
        close(dup(streaming.Descriptor()));  // keeps the slave open
        ProgramSide quick(host_.DevicePath(), B4800);
    }
    std::this_thread::sleep_for(50ms);  // lets the host see the opens
    EXPECT_EQ(host_.Counts().portOpens, 2);
}

TEST_F(PtyHostTest, ReopenImmediatelyAfterCloseIsNotMissed)
{
    for (int i = 0; i < 5; ++i) {
        ProgramSide program(host_.DevicePath(), B4800);
    }
    EXPECT_TRUE(Eventually([&] { return host_.Counts().portOpens == 5; })) << host_.Counts().portOpens;
}

TEST_F(PtyHostTest, UnplugFailsTheProgramsPortAndReplugPowersTheSensorUp)
{
    std::filesystem::path link = host_.LinkAsPort(197);
    EXPECT_EQ(link, configFolder_ / "QOR" / "ports" / "COM197");
    EXPECT_EQ(std::filesystem::read_symlink(link), host_.DevicePath());
    std::string firstDevice = host_.DevicePath();

    ProgramSide program(link, B38400);
    program.Send("DN800519\rDA\r");
    EXPECT_EQ(program.Receive(7), "800519\r");

    host_.Unplug();
    pollfd hangUp{program.Descriptor(), POLLIN, 0};
    ASSERT_EQ(poll(&hangUp, 1, 1000), 1);
    EXPECT_NE(hangUp.revents & (POLLHUP | POLLERR), 0);
    char byte = 0;
    EXPECT_LE(read(program.Descriptor(), &byte, 1), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
    EXPECT_TRUE(host_.DevicePath().empty());
    EXPECT_FALSE(ProgramSide(firstDevice, B4800).IsOpen());

    host_.Replug();
    ASSERT_FALSE(host_.DevicePath().empty());
    EXPECT_EQ(std::filesystem::read_symlink(link), host_.DevicePath());
    ProgramSide replugged(link, B38400);
    replugged.Send("DA\r");
    EXPECT_EQ(replugged.Receive(7), "020119\r") << "the write was never stored";
}

TEST_F(PtyHostTest, StopRemovesThePortLink)
{
    std::filesystem::path link = host_.LinkAsPort(198);
    host_.Stop();
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

}  // namespace

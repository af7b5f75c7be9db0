#include <gtest/gtest.h>

#include <thread>

#include "../support/virtual_clock.h"
#include "sensor_link.h"

// Port 0 is demo mode: every transaction succeeds at once, nothing touches a port.
class DemoMode : public ::testing::Test {
protected:
    void SetUp() override
    {
        clock.Attach(link);
        link.LoadDemoDefaults();
        link.OpenSensorPort(0);
    }
    VirtualClock clock;
    TSSICom link;
};

TEST_F(DemoMode, TransactionsSucceedAndLeaveTheReplyAlone)
{
    EXPECT_FALSE(link.IsOpen());
    EXPECT_EQ(link.PortNumber(), 0);
    std::string reply = "kept";
    EXPECT_TRUE(link.SendCommand("DA"));
    EXPECT_TRUE(link.ReceiveReply(reply, 7));
    EXPECT_EQ(reply, "kept");
    const uint8_t byte = 0x55;
    EXPECT_TRUE(link.WriteRaw(&byte, 1));
    EXPECT_TRUE(link.EnterBootloader());
    EXPECT_TRUE(clock.Waits().empty());
}

TEST_F(DemoMode, ReadsKeepValuesAndBecomeValid)
{
    EXPECT_TRUE(link.ReadBitWidth());
    EXPECT_EQ(link.Parameter.BitWidth.Value, 25);
    EXPECT_EQ(link.Parameter.BitWidth.Valid, 1);
    EXPECT_TRUE(link.ReadLinValue(200));
    EXPECT_EQ(link.Parameter.LinValue.Valid, 1);
    EXPECT_TRUE(clock.Waits().empty());
}

TEST_F(DemoMode, EveryWriteSucceedsInOneAttempt)
{
    link.Parameter.Filter.Value = 2;
    EXPECT_TRUE(link.WriteFilter());
    EXPECT_EQ(link.Parameter.Filter.Value, 2);
    EXPECT_EQ(link.Parameter.Filter.Valid, 1);
    link.Parameter.Offset.Value = -5;
    EXPECT_TRUE(link.WriteOffset());
    EXPECT_EQ(link.Parameter.Offset.Value, -5);
    link.Parameter.FactoryNumber.Reply = "ab12";
    EXPECT_TRUE(link.WriteFactoryNumber());
    EXPECT_EQ(link.Parameter.FactoryNumber.Reply, "0000AB12");
    link.Parameter.Model.Value = 'W' * 256 + 'B';
    EXPECT_TRUE(link.WriteModel());
    EXPECT_TRUE(link.WriteStartPoint("00000000"));
    EXPECT_TRUE(link.WriteSecErrorValue());
    link.Parameter.LinValue.Value = 0x107;
    EXPECT_TRUE(link.WriteLinValue(501));
    EXPECT_EQ(link.Parameter.LinValue.Value, 7);
    // No retries: only the fixed waits after a range-point action, a second-error switch
    // and a linearization byte remain.
    EXPECT_EQ(clock.Waits(), (std::vector<uint32_t>{250, 100, 100}));
}

TEST_F(DemoMode, RegistersWithoutShortCutParseTheTextTheyWrote)
{
    link.Parameter.Blanking.Value = 0x1234;
    EXPECT_TRUE(link.WriteBlanking());
    EXPECT_EQ(link.Parameter.Blanking.Value, 0x1234);
    EXPECT_EQ(link.Parameter.Blanking.Reply, "00001234");
    link.Parameter.LinStartValue.Value = -2;
    EXPECT_TRUE(link.WriteLinStartValue());
    EXPECT_EQ(link.Parameter.LinStartValue.Reply, "FFFFFE");
    EXPECT_EQ(link.Parameter.LinStartValue.Value, -2);
}

TEST_F(DemoMode, WholeSetTransfersSucceedWithoutRetries)
{
    EXPECT_TRUE(link.ReadAll());
    EXPECT_TRUE(link.ReadAllStrict());
    EXPECT_TRUE(link.WriteAll());
    EXPECT_EQ(link.Parameter.BitWidth.Value, 25);
    EXPECT_EQ(link.Parameter.EndPoint.Value, 0x1FFFFFF);
    // The start-value read has no demo short-cut; the second-error switch always waits.
    EXPECT_EQ(clock.Waits(), (std::vector<uint32_t>{25, 100}));
}

TEST_F(DemoMode, WakeUpAndCheckPortFailButWaitsStillPass)
{
    EXPECT_FALSE(link.WakeUp());
    std::vector<uint32_t> expected{100};
    expected.insert(expected.end(), 35, 20);
    EXPECT_EQ(clock.Waits(), expected);
    EXPECT_FALSE(link.CheckPort());
}

TEST_F(DemoMode, EepromCommandsClearChangedOfTheirElements)
{
    for (int index = 0; index < TSSICom::ParameterStruct::Count; ++index)
        link.Parameter[index].Changed = 1;
    EXPECT_TRUE(link.StoreEeprom());
    int stillChanged = 0;
    for (int index = 0; index < TSSICom::ParameterStruct::Count; ++index)
        stillChanged += link.Parameter[index].Changed;
    EXPECT_EQ(stillChanged, 38 - 29);
    EXPECT_EQ(link.Parameter.ProcessOptions.Changed, 1);

    EXPECT_TRUE(link.CommitEeprom());
    EXPECT_EQ(link.Parameter.ProcessOptions.Changed, 0);
    EXPECT_EQ(link.Parameter.SecErrorValue.Changed, 0);
    EXPECT_EQ(link.Parameter.StartPoint.Changed, 1);
    EXPECT_EQ(clock.Waits(), (std::vector<uint32_t>{1500, 1500}));
}

// Each link sleeps through its own clock, so links on several threads keep their own waits.
TEST(LinkClocks, TwoLinksAtOnceKeepTheirOwnWaits)
{
    VirtualClock clocks[2];
    TSSICom links[2];
    std::vector<std::thread> threads;
    for (int index = 0; index < 2; ++index) {
        clocks[index].Attach(links[index]);
        threads.emplace_back([&links, index] {
            for (int round = 0; round < 20; ++round)
                index == 0 ? static_cast<void>(links[0].WakeUp()) : links[1].Sleep(7);
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    std::vector<uint32_t> burst{100};
    burst.insert(burst.end(), 35, 20);
    std::vector<uint32_t> bursts;
    for (int round = 0; round < 20; ++round)
        bursts.insert(bursts.end(), burst.begin(), burst.end());
    EXPECT_EQ(clocks[0].Waits(), bursts);
    EXPECT_EQ(clocks[1].Waits(), std::vector<uint32_t>(20, 7));
}

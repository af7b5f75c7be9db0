#include <algorithm>

#include "sensor_fixture.h"

using Commands = std::vector<std::string>;

TEST_F(SensorLink, QueryReadsTheReplyWithoutItsCr)
{
    host->SetRegister('D', "000519");
    ASSERT_TRUE(link.SendCommand("DA"));
    link.Sleep(25);
    std::string reply;
    EXPECT_TRUE(link.ReceiveReply(reply, 7));
    EXPECT_EQ(reply, "000519");
    EXPECT_EQ(host->ReceivedBytes(), "DA\r");
}

TEST_F(SensorLink, DamagedRepliesFailEveryAttempt)
{
    for (sim::ReplyDamage damage :
        {sim::ReplyDamage::NoFinalCr, sim::ReplyDamage::NulInside, sim::ReplyDamage::Short}) {
        host->ClearLog();
        host->SetFaults({.damage = damage});
        link.Parameter.BitWidth.Value = 17;
        EXPECT_FALSE(link.ReadBitWidth());
        EXPECT_EQ(link.Parameter.BitWidth.Valid, 0);
        EXPECT_EQ(link.Parameter.BitWidth.Value, 17);
        EXPECT_EQ(Sent(), Commands(5, "DA"));
    }
    host->SetFaults({});
    EXPECT_TRUE(link.ReadBitWidth());
    EXPECT_EQ(link.Parameter.BitWidth.Valid, 1);
}

TEST_F(SensorLink, QueryWaitsTwentyFiveMsBetweenCommandAndReply)
{
    ASSERT_TRUE(link.ReadFilter());
    // Purge, the rest of the command time, then the wait for the reply.
    EXPECT_EQ(clock.Waits(), (std::vector<uint32_t>{10, 15, 25}));
    clock.Clear();
    ASSERT_TRUE(link.ReadOperatingTime());
    EXPECT_EQ(clock.Waits(), (std::vector<uint32_t>{10, 15}));
}

TEST_F(SensorLink, WakeUpSendsThirtyFivePacketsAfterOnePulse)
{
    EXPECT_TRUE(link.WakeUp());
    std::string burst;
    for (int packet = 0; packet < 35; ++packet)
        burst += "PROG\r";
    ASSERT_TRUE(host->WaitForLines(35, std::chrono::seconds(2)));
    EXPECT_EQ(host->ReceivedBytes(), burst);
    std::vector<uint32_t> waits{100, 10};
    waits.insert(waits.end(), 35, 20);
    EXPECT_EQ(clock.Waits(), waits);
}

TEST_F(SensorLink, EnterBootloaderSendsBnAndTwoCarriageReturns)
{
    EXPECT_TRUE(link.EnterBootloader());
    ASSERT_TRUE(host->WaitForLines(1, std::chrono::seconds(1)));
    EXPECT_EQ(host->ReceivedBytes(), std::string("BN\r\r"));
}

TEST_F(SensorLink, WriteRawPutsTheBytesOnTheWire)
{
    const uint8_t record[] = {':', '0', '0', '\r'};
    EXPECT_TRUE(link.WriteRaw(record, sizeof record));
    ASSERT_TRUE(host->WaitForLines(1, std::chrono::seconds(1)));
    EXPECT_EQ(host->ReceivedBytes(), ":00\r");
}

TEST_F(SensorLink, CheckPortReopensAVanishedAdapter)
{
    EXPECT_TRUE(link.CheckPort());
    host->Unplug();
    EXPECT_FALSE(link.CheckPort());
    EXPECT_FALSE(link.IsOpen());
    EXPECT_EQ(link.PortNumber(), Port);
    EXPECT_FALSE(link.CheckPort());

    host->Replug();
    host->LinkAsPort(Port);
    EXPECT_TRUE(link.CheckPort());
    EXPECT_TRUE(link.IsOpen());
    EXPECT_TRUE(link.ReadFirmwareVersion());
}

TEST_F(SensorLink, ReadingAnElementTakesItsFieldOutOfTheRegister)
{
    host->SetRegister('D', "C2AB19");
    host->SetRegister('N', "FFFFFB");
    host->SetRegister('U', "277695");
    host->SetRegister('F', "0000AB12");
    ASSERT_TRUE(link.ReadFilter());
    ASSERT_TRUE(link.ReadSyncStart());
    ASSERT_TRUE(link.ReadOutputCode());
    ASSERT_TRUE(link.ReadIndicationCounter());
    ASSERT_TRUE(link.ReadBitWidth());
    ASSERT_TRUE(link.ReadOffset());
    ASSERT_TRUE(link.ReadUltrasonicSpeed());
    ASSERT_TRUE(link.ReadFactoryNumber());
    ASSERT_TRUE(link.ReadFirmwareVersion());
    const TSSICom::ParameterStruct& p = link.Parameter;
    EXPECT_EQ(p.Filter.Value, 3);
    EXPECT_EQ(p.SyncStart.Value, 0);
    EXPECT_EQ(p.OutputCode.Value, 1);
    EXPECT_EQ(p.IndicationCounter.Value, 0xAB);
    EXPECT_EQ(p.BitWidth.Value, 0x19);
    EXPECT_EQ(p.Offset.Value, -5);
    EXPECT_EQ(p.UltrasonicSpeed.Value, 277695);
    EXPECT_EQ(p.FactoryNumber.Reply, "0000AB12");
    EXPECT_EQ(p.FactoryNumber.Value, -1);
    EXPECT_EQ(p.FirmwareVersion.Value, 3960105);
}

TEST_F(SensorLink, LengthAndModelComeFromRegisterL)
{
    host->SetRegister('L', "KH123C");
    ASSERT_TRUE(link.ReadLength());
    ASSERT_TRUE(link.ReadModel());
    EXPECT_EQ(link.Parameter.Length.Value, 12350);
    EXPECT_EQ(link.Parameter.Model.Value, 'K' * 256 + 'H');
    host->SetRegister('L', "WB0500");
    ASSERT_TRUE(link.ReadLength());
    EXPECT_EQ(link.Parameter.Length.Value, 500);
}

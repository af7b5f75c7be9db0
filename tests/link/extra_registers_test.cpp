#include <algorithm>

#include "sensor_fixture.h"

using Commands = std::vector<std::string>;

TEST_F(SensorLink, LinearizationByteIsReadWithItsAddressEcho)
{
    host->WithModel([](sim::SensorModel& sensor) { sensor.Registers(sim::Bank::Working).linMemory[200] = 42; });
    EXPECT_TRUE(link.ReadLinValue(200));
    EXPECT_EQ(Sent(), Commands{"XA00C800"});
    EXPECT_EQ(link.Parameter.LinAddress.Value, 200);
    EXPECT_EQ(link.Parameter.LinValue.Value, 42);
    EXPECT_EQ(link.LinTable[0], 42);

    host->ClearLog();
    host->SetFaults({.wrongLinAddressEcho = true});
    link.LinTable[1] = 9;
    EXPECT_FALSE(link.ReadLinValue(201));
    EXPECT_EQ(Sent(), Commands{"XA00C900"});  // no further attempt
    EXPECT_EQ(link.LinTable[1], 9);
}

TEST_F(SensorLink, ByteBeyondTheMirroredRangeIsReadButNotMirrored)
{
    host->WithModel([](sim::SensorModel& sensor) { sensor.Registers(sim::Bank::Working).linMemory[511] = 5; });
    const std::array<uint8_t, TSSICom::LinTableSize> before = link.LinTable;
    EXPECT_TRUE(link.ReadLinValue(511));
    EXPECT_EQ(link.Parameter.LinValue.Value, 5);
    EXPECT_EQ(link.LinTable, before);
}

TEST_F(SensorLink, LinearizationWritesAreVerified)
{
    link.Parameter.LinValue.Value = 7;
    EXPECT_TRUE(link.WriteLinValue(501));
    EXPECT_EQ(Sent(), (Commands{"XN01F50007", "XA01F500"}));
    EXPECT_EQ(link.LinTable[301], 7);

    host->ClearLog();
    link.Parameter.LinStartValue.Value = -2;
    EXPECT_TRUE(link.WriteLinStartValue());
    EXPECT_EQ(Sent(), (Commands{"XN33FFFFFE", "XA01F600"}));
    EXPECT_EQ(link.Parameter.LinStartValue.Value, -2);
}

TEST_F(SensorLink, RangePointActionNeedsTheAcknowledgement)
{
    EXPECT_TRUE(link.WriteStartPoint("40000000"));
    EXPECT_EQ(Sent(), Commands{"YN40000000"});
    const std::vector<uint32_t> waits = clock.Waits();
    EXPECT_NE(std::find(waits.begin(), waits.end(), 250u), waits.end());
    EXPECT_EQ(link.Parameter.StartPoint.Valid, 1);

    host->ClearLog();
    host->SetMagnet(std::nullopt);  // the sensor answers 15
    EXPECT_FALSE(link.WriteEndPoint("80000000"));
    EXPECT_EQ(Sent(), Commands(5, "YN80000000"));
    EXPECT_EQ(link.Parameter.EndPoint.Valid, 0);
}

TEST_F(SensorLink, RangePointsAndSecondErrorValueAreReadBySelector)
{
    host->SetMagnet(0x1234);
    ASSERT_TRUE(link.WriteStartPoint("00000000"));
    ASSERT_TRUE(link.ReadStartPoint());
    ASSERT_TRUE(link.ReadEndPoint());
    EXPECT_EQ(link.Parameter.StartPoint.Value, 0x1234);
    EXPECT_EQ(link.Parameter.EndPoint.Value, 0x1FFFFFF);

    host->ClearLog();
    link.Parameter.SecErrorValue.Value = 1;
    EXPECT_TRUE(link.WriteSecErrorValue());
    EXPECT_EQ(Sent(), (Commands{"YN30000000", "YA30000000"}));
    EXPECT_EQ(link.Parameter.SecErrorValue.Value, 1);
    link.Parameter.SecErrorValue.Value = 0;
    EXPECT_TRUE(link.WriteSecErrorValue());
    EXPECT_EQ(link.Parameter.SecErrorValue.Value, 0);
}

TEST_F(SensorLink, BlankingExistsOnlyOnNewerFirmware)
{
    EXPECT_FALSE(link.ReadBlanking());
    EXPECT_EQ(Sent(), Commands(6, "WA"));

    TearDown();
    Connect({.firmwareVersion = 3960610});
    link.Parameter.InitDelay.Value = 0x20;
    EXPECT_TRUE(link.WriteInitDelay());
    EXPECT_EQ(Sent(), (Commands{"iA", "iN00000020", "iA"}));
    EXPECT_EQ(link.Parameter.InitDelay.Value, 0x20);
}

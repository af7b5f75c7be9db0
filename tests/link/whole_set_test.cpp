#include <algorithm>

#include "sensor_fixture.h"
#include "wire_format.h"

using Commands = std::vector<std::string>;

namespace {

int CountOf(const Commands& commands, const std::string& command)
{
    return static_cast<int>(std::count(commands.begin(), commands.end(), command));
}

}  // namespace

TEST_F(SensorLink, ReadAllFillsTheSetFromTheSensor)
{
    host->SetRegister('D', "C2AB19");
    host->WithModel([](sim::SensorModel& sensor) { sensor.Registers(sim::Bank::Working).linMemory[200] = 0x2A; });
    ASSERT_TRUE(link.ReadAll());
    const TSSICom::ParameterStruct& p = link.Parameter;
    EXPECT_EQ(p.FirmwareVersion.Value, 3960105);
    EXPECT_EQ(p.Filter.Value, 3);
    EXPECT_EQ(p.BitWidth.Value, 0x19);
    EXPECT_EQ(p.Length.Value, 500);
    EXPECT_EQ(ModelLetters(p.Model.Value), "KH");
    EXPECT_EQ(p.FactoryNumber.Reply, "12345678");
    EXPECT_EQ(p.FactoryNumber.Value, 12345678);
    EXPECT_EQ(p.EndPoint.Value, 0x1FFFFFF);
    EXPECT_EQ(link.LinTable[0], 0x2A);
    EXPECT_EQ(p.Filter.Valid, 1);
    EXPECT_EQ(p.ProcessOptions.Valid, 0);  // a six-digit register R holds no options
    const Commands sent = Sent();
    EXPECT_EQ(sent.front(), "VA");
    EXPECT_EQ(sent.back(), "DA");  // the slow average filter comes last
    EXPECT_EQ(CountOf(sent, "XA01F600"), 1);
    EXPECT_EQ(CountOf(sent, "WA"), 0);
}

TEST_F(SensorLink, SecondGroupCountsOnlyInTheStrictRead)
{
    host->SetFaults({.unanswered = {"LA"}});
    link.Parameter.Length.Value = 777;
    link.Parameter.Length.Valid = 1;
    EXPECT_TRUE(link.ReadAll());
    EXPECT_EQ(link.Parameter.Length.Valid, 0);
    EXPECT_EQ(link.Parameter.Model.Valid, 0);

    link.Parameter.BitWidth.Value = 3;
    link.Parameter.BitWidth.Valid = 0;
    link.Parameter.BitWidth.Reply = "before";
    const TSSICom::ParameterStruct before = link.Parameter;
    host->ClearLog();
    EXPECT_FALSE(link.ReadAllStrict());
    EXPECT_EQ(link.Parameter.BitWidth.Value, 3);
    EXPECT_EQ(link.Parameter.BitWidth.Valid, 0);
    EXPECT_EQ(link.Parameter.BitWidth.Reply, "before");
    EXPECT_EQ(link.Parameter.FirmwareVersion.Valid, before.FirmwareVersion.Valid);
    const Commands sent = Sent();
    EXPECT_EQ(CountOf(sent, "XA01F600"), 0);
    EXPECT_EQ(CountOf(sent, "XA00C800"), 1);
}

TEST_F(SensorLink, FailedCountedReadPutsTheSetBackButEveryReadRuns)
{
    host->SetFaults({.unanswered = {"NA"}});
    link.Parameter.Offset.Value = 99;
    EXPECT_FALSE(link.ReadAll());
    EXPECT_EQ(link.Parameter.Offset.Value, 99);
    EXPECT_EQ(link.Parameter.BitWidth.Valid, 0);
    EXPECT_EQ(CountOf(Sent(), "XA00C800"), 1);
}

TEST_F(SensorLink, ReadAllStopsWhenTheFirmwareVersionDoesNotAnswer)
{
    host->SetFaults({.dead = true});
    link.Parameter.FirmwareVersion.Valid = 1;
    EXPECT_FALSE(link.ReadAll());
    EXPECT_EQ(Sent(), Commands(5, "VA"));
    EXPECT_EQ(link.Parameter.FirmwareVersion.Valid, 0);
}

TEST_F(SensorLink, ZeroResolutionIsRepairedToOne)
{
    host->SetRegister('A', "00000000");
    EXPECT_TRUE(link.ReadAll());
    EXPECT_EQ(CountOf(Sent(), "AN00000001"), 1);
    EXPECT_EQ(link.Parameter.Resolution.Value, 1);
    EXPECT_EQ(Register('A'), "00000001");
}

TEST_F(SensorLink, UnansweredResolutionIsNotOverwritten)
{
    host->SetFaults({.unanswered = {"AA"}});
    EXPECT_FALSE(link.ReadAll());
    EXPECT_EQ(CountOf(Sent(), "AN00000001"), 0);
    EXPECT_EQ(Register('A'), "00000005");
}

// The elements a read-all reads on each firmware: no process options outside family
// 39606, no blanking registers before 3960610, and the strict read skips two.
TEST(ElementsOfReadAll, FollowTheFirmware)
{
    TSSICom link;
    const auto reads = [&link](int32_t firmware, bool strict, std::string_view element) {
        link.Parameter.FirmwareVersion.Value = firmware;
        const std::vector<int> elements = link.ElementsOfReadAll(strict);
        return std::find(elements.begin(), elements.end(), TSSICom::ElementIndex(element)) != elements.end();
    };
    struct Case {
        int32_t firmware;
        bool strict;
        std::string_view element;
        bool read;
    };
    for (const Case& c : {Case{3960105, false, "FirmwareVersion", true}, Case{3960105, false, "Resolution", true},
             Case{3960105, false, "LinValue", true}, Case{3960105, false, "ProcessOptions", false},
             Case{3960601, false, "ProcessOptions", true}, Case{3960609, false, "Blanking", false},
             Case{3960610, true, "InitDelay", true}, Case{3960105, false, "SlowAvarageFilter", true},
             Case{3960105, true, "SlowAvarageFilter", false}, Case{3960105, true, "LinStartValue", false},
             Case{3960610, false, "OperatingTime", false}, Case{3960610, false, "SSISampleTime", false},
             Case{3960610, false, "LinAddress", false}}) {
        EXPECT_EQ(reads(c.firmware, c.strict, c.element), c.read) << c.firmware << ' ' << c.strict << ' ' << c.element;
    }
}

TEST_F(SensorLink, WriteAllWritesTheSetBack)
{
    ASSERT_TRUE(link.ReadAll());
    link.Parameter.BitWidth.Value = 24;
    link.Parameter.Offset.Value = -100;
    link.Parameter.Length.Value = 12350;
    host->ClearLog();
    EXPECT_TRUE(link.WriteAll());
    EXPECT_EQ(Register('D').substr(4), "18");
    EXPECT_EQ(Register('N'), "FFFF9C");
    EXPECT_EQ(Register('L'), "KH123C");
    const Commands sent = Sent();
    EXPECT_EQ(CountOf(sent, "FN12345678"), 0);
    EXPECT_EQ(CountOf(sent, "WA"), 0);
    EXPECT_EQ(CountOf(sent, "RA"), 2);  // only the powerfail time lives in a six-digit R
}

TEST_F(SensorLink, NewestFirmwareReadsAndWritesItsExtraRegisters)
{
    TearDown();
    Connect({.firmwareVersion = 3960610, .registers = {{'W', "00000010"}, {'i', "00000003"}}});
    ASSERT_TRUE(link.ReadAllStrict());
    EXPECT_EQ(link.Parameter.Blanking.Value, 0x10);
    EXPECT_EQ(link.Parameter.InitDelay.Value, 3);
    EXPECT_EQ(link.Parameter.ProcessOptions.Valid, 1);

    host->ClearLog();
    link.Parameter.Blanking.Value = 0x20;
    EXPECT_TRUE(link.WriteAll());
    EXPECT_EQ(Register('W'), "00000020");
    const Commands sent = Sent();
    EXPECT_EQ(CountOf(sent, "WN00000020"), 1);
    // Process options are written before and after the registers that depend on them.
    EXPECT_EQ(std::count_if(sent.begin(), sent.end(), [](const std::string& c) { return c.rfind("RN", 0) == 0; }), 3);
}

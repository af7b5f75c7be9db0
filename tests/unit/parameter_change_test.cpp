#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editing_rules.h"
#include "parameter_change.h"
#include "wire_format.h"

namespace {

using Names = std::vector<std::string>;

// The demonstration set: KH, 500 mm, 5 µm, no filter, firmware 3960105.
class ParameterChangeTest : public testing::Test {
protected:
    ParameterChangeTest()
    {
        link_.LoadDemoDefaults();
        set().Model.Reply = "KH0500";
    }

    TSSICom::ParameterStruct& set() { return link_.Parameter; }

    ParameterChange Apply(std::string_view element, int32_t value, bool halfMicron = false)
    {
        return ApplyParameterRequest(set(), {TSSICom::ElementIndex(element), value, halfMicron});
    }

    Names Written(std::string_view element, int32_t value, bool halfMicron = false)
    {
        const ParameterChange change = Apply(element, value, halfMicron);
        EXPECT_EQ(change.refusal, "") << element;
        Names names;
        for (const int index : change.writes)
            names.emplace_back(TSSICom::ElementName(index));
        return names;
    }

    TSSICom link_;
};

}  // namespace

TEST(RequestRefusal, FieldRangesAndControlItems)
{
    EXPECT_EQ(RequestRefusal("BitWidth", "33"), "expected a decimal integer from 1 to 32");
    EXPECT_EQ(RequestRefusal("Resolution", "0,5"), "");
    EXPECT_EQ(RequestRefusal("ErrorValue", "2147483648"), "expected a decimal 32-bit integer");
    EXPECT_EQ(RequestRefusal("Mode", "1"), "expected one of 0, 2");
    EXPECT_EQ(RequestRefusal("PosDifVel", "3"), "expected one of 0, 1, 2");
    EXPECT_EQ(RequestRefusal("Chargepump", "7"), "");  // no rule of its own
}

TEST_F(ParameterChangeTest, HalfMicronResolutionOnlyForTheKSeries)
{
    set().Offset.Value = 200;  // 1000 µm
    EXPECT_EQ(Written("Resolution", 0, true), (Names{"Resolution", "Scale", "Offset"}));
    EXPECT_EQ(set().Resolution.Value, 1);
    EXPECT_EQ(set().Scale.Value, HalfMicronScale(277695));
    EXPECT_EQ(set().Offset.Value, 2000);

    set().Model.Reply = "WB0500";
    const TSSICom::ParameterStruct before = set();
    EXPECT_NE(Apply("Resolution", 0, true).refusal, "");
    EXPECT_EQ(set().Scale.Value, before.Scale.Value);
}

// Family 39604 keeps the offset in µm, and without process options it always linearizes.
TEST_F(ParameterChangeTest, ResolutionOnFamily39604LeavesTheOffset)
{
    set().FirmwareVersion.Value = 3960420;
    EXPECT_EQ(Written("Resolution", 1), (Names{"Resolution", "Scale", "CycleTime", "SyncTiming"}));
    EXPECT_EQ(set().SyncTiming.Value, 500000 / 668 + 768);
}

TEST_F(ParameterChangeTest, DirectionMirrorsTheOffsetWhenItChanges)
{
    set().Length.Value = 1000;
    EXPECT_EQ(Written("Direction", 1), (Names{"Offset", "Direction"}));
    EXPECT_EQ(set().Offset.Value, 1114500 / 5);
    EXPECT_EQ(Written("Direction", 1), (Names{"Direction"}));
    EXPECT_EQ(set().Offset.Value, 1114500 / 5);

    set().Model.Value = ModelValue('W', 'B');
    EXPECT_EQ(Written("Direction", 0), (Names{"Direction"}));
}

TEST_F(ParameterChangeTest, VelocityZeroesTheFilterOnLate39606Only)
{
    set().Filter.Value = 1;
    set().Offset.Value = 1000;
    set().FirmwareVersion.Value = 3960606;
    EXPECT_EQ(Written("PosDifVel", 2), (Names{"PosDifVel", "MagnetCount"}));

    set().PosDifVel.Value = 0;
    set().FirmwareVersion.Value = 3960607;
    EXPECT_EQ(Written("PosDifVel", 2), (Names{"PosDifVel", "MagnetCount", "Filter", "Offset"}));
    EXPECT_EQ(set().Offset.Value, 500);
}

TEST_F(ParameterChangeTest, DifferentialWithLinearizationRecomputesTheCycleTimes)
{
    set().Resolution.Value = 1;
    set().Length.Value = 800;
    set().ProcessOptions = {.Value = LinearizationBit, .Valid = 1};
    EXPECT_EQ(Written("PosDifVel", 1), (Names{"CycleTime", "SyncTiming", "PosDifVel", "MagnetCount"}));
    EXPECT_EQ(set().CycleTime.Value, 800000 / 650 + 1380);  // two magnets
    EXPECT_EQ(set().SyncTiming.Value, 800000 / 668 + 1334);
}

TEST_F(ParameterChangeTest, LinearizationBitRecomputesTheCycleTimesBeforeTheOptions)
{
    set().Resolution.Value = 1;
    set().Length.Value = 400;
    set().ProcessOptions = {.Value = ExtrapolationBit, .Valid = 1};
    EXPECT_EQ(Written("ProcessOptions", ExtrapolationBit | LinearizationBit),
        (Names{"CycleTime", "SyncTiming", "ProcessOptions"}));
    EXPECT_EQ(set().CycleTime.Value, 1435);
    EXPECT_EQ(set().SyncTiming.Value, 1366);
    EXPECT_EQ(Written("ProcessOptions", LinearizationBit), (Names{"ProcessOptions"}));
}

TEST_F(ParameterChangeTest, TemperatureForcesTwentyFourBitsOnLate39606)
{
    set().FirmwareVersion.Value = 3960607;
    EXPECT_EQ(Written("FrameOptions", TemperatureBit), (Names{"FrameOptions", "BitWidth"}));
    EXPECT_EQ(set().BitWidth.Value, 24);
    set().FirmwareVersion.Value = 3960606;
    EXPECT_EQ(Written("FrameOptions", TemperatureBit), (Names{"FrameOptions"}));
}

TEST_F(ParameterChangeTest, ShortLengthFirmwareStoresTheLengthOnly)
{
    set().FirmwareVersion.Value = 6250001;
    EXPECT_EQ(Written("Length", 800), (Names{"Length"}));
    EXPECT_NE(Apply("Length", 1200).refusal, "");
    EXPECT_EQ(set().Length.Value, 800);
}

TEST_F(ParameterChangeTest, WbfLengthSelectsTheStageCode)
{
    set().Model.Value = ModelValue('W', 'B');
    EXPECT_EQ(Written("Length", 20), (Names{"Length", "CycleTime", "SyncTiming"}));
    EXPECT_EQ(Written("Length", 1601), (Names{"Chargepump", "Length", "CycleTime", "SyncTiming"}));
    EXPECT_EQ(set().Chargepump.Value, 0xE0);
}

TEST_F(ParameterChangeTest, WSeriesRefusalLeavesTheSet)
{
    set().Model.Value = ModelValue('W', 'P');
    EXPECT_EQ(Apply("IndicationCounter", 2).refusal, "not available on the W series");
    EXPECT_EQ(set().IndicationCounter.Value, 1);
    EXPECT_EQ(Written("IndicationCounter", 1), (Names{"IndicationCounter"}));
}

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "presentation.h"
#include "wire_format.h"

namespace {

int32_t Model(const char* letters) { return ModelValue(letters[0], letters[1]); }

}  // namespace

TEST(Firmware, VersionReplyShownWithDashes)
{
    EXPECT_EQ(FirmwareVersionText("3C6D29"), "396-01-05");
    EXPECT_EQ(FirmwareVersionText("3C6D28"), "396-01-04");
    EXPECT_EQ(FirmwareVersionText("3C6F1E"), "396-06-06");
    EXPECT_EQ(FirmwareVersionText("3E8"), "100-0");
    EXPECT_EQ(FirmwareVersionText(""), "0");
}

TEST(Model, CodeSensorTypeAndRadioIndexByLetters)
{
    struct Case {
        int32_t model;
        const char* code;
        const char* type;
        int index;
    };
    const Case cases[] = {
        {Model("KH"), "KH", "K-Series SSI (KH)", 0},
        {Model("KP"), "KP", "K-Series SSI (KP)", 1},
        {Model("PA"), "KP", "K-Series SSI (KP)", 1},
        {Model("WH"), "WH", "W-Series SSI (WH)", 2},
        {Model("WP"), "WP", "W-Series SSI (WP)", 3},
        {Model("KD"), "KD", "K-Series SSI (KD)", 4},
        {Model("KF"), "KF", "K-Series SSI (KF)", 5},
        {Model("KA"), "KA", "K-Series SSI (KA)", 6},
        {Model("WB"), "WBF", "W-Series SSI (WBF)", -1},
        {Model("VP"), "VP", "V-Series SSI (VP)", -1},
        {Model("KX"), "", "QOR Sensors SSI", -1},
        {0, "", "QOR Sensors SSI", -1},
        {Model("KH") + 0x10000, "", "QOR Sensors SSI", -1},
    };
    for (const Case& c : cases) {
        const ModelInfo info = ModelFor(c.model);
        EXPECT_EQ(info.modelCode, c.code) << c.model;
        EXPECT_EQ(info.sensorType, c.type) << c.model;
        EXPECT_EQ(info.radioIndex, c.index) << c.model;
    }
    EXPECT_TRUE(IsWbf(ModelFor(Model("WB")).modelCode));
    EXPECT_EQ(SeriesLetter(Model("VP")), 'V');
    EXPECT_FALSE(SiemensUsable(Model("VP")));
    EXPECT_TRUE(SiemensUsable(Model("WB")));
}

TEST(Model, MeasuringIndexes)
{
    EXPECT_EQ(PosDifVelIndex(2), 2);
    EXPECT_EQ(PosDifVelIndex(3), NoSelection);
}

TEST(FrameOptions, ParityAndTemperatureBitsByFamilyAndSeries)
{
    const FrameOptionsView v = FrameOptionsFor(Model("VP"), 3960606, 3);
    EXPECT_FALSE(v.siemensEnabled);
    EXPECT_FALSE(v.siemensChecked);
    EXPECT_FALSE(v.temperatureChecked);

    const FrameOptionsView early = FrameOptionsFor(Model("KH"), 3960105, 3);
    EXPECT_TRUE(early.siemensEnabled);
    EXPECT_EQ(early.siemensChecked, false);  // family 39601 checks the whole value against 1
    EXPECT_FALSE(early.temperatureChecked);
    EXPECT_EQ(FrameOptionsFor(Model("KH"), 3960105, 1).siemensChecked, true);

    const FrameOptionsView late = FrameOptionsFor(Model("KH"), 3960606, 2);
    EXPECT_EQ(late.siemensChecked, false);
    EXPECT_EQ(late.temperatureChecked, true);
}

TEST(InfoLabels, LengthSpeedAndCycleTime)
{
    EXPECT_EQ(LengthText(1000), "1000mm");
    EXPECT_EQ(UltrasonicSpeedText(283000), "283000 cm/s");

    const CycleTimeDisplay async = CycleTimeDisplayFor({.mode = 0,
        .frameOptions = 1,
        .outputCode = 0,
        .magnetCount = 2,
        .jitterWindow = 50,
        .syncTiming = 8000,
        .cycleTime = 4001,
        .tempCompChecked = true});
    EXPECT_EQ(async.syncPeriodOffset, 83);
    EXPECT_EQ(async.text, "1000µs");

    const CycleTimeDisplay everyAllowance = CycleTimeDisplayFor({.mode = 2,
        .frameOptions = 1,
        .outputCode = 0,
        .magnetCount = 2,
        .jitterWindow = 50,
        .syncTiming = 4000,
        .tempCompChecked = true});
    EXPECT_EQ(everyAllowance.syncPeriodOffset, 158);  // 50 + 33 + 14 - 3 + 1 + 63
    EXPECT_EQ(everyAllowance.text, "1158µs");

    const CycleTimeDisplay none = CycleTimeDisplayFor(
        {.mode = 2, .frameOptions = 2, .outputCode = 1, .magnetCount = 1, .jitterWindow = 0, .syncTiming = 403});
    EXPECT_EQ(none.syncPeriodOffset, 33);
    EXPECT_EQ(none.text, "133µs");

    EXPECT_EQ(Pick(CycleTimeCaptionFor(2), 0), "Min. SSI period:");
    EXPECT_EQ(Pick(CycleTimeCaptionFor(0), 1), "Zykluszeit:");
}

TEST(ProcessOptions, BitsOfAValidElement)
{
    const ProcessOptionsView all = ProcessOptionsFor(true, 0x0F, 3960606);
    EXPECT_TRUE(all.enabled && all.linearisierung && all.extrapolation && all.extrapolForwardEnabled);
    EXPECT_EQ(all.extrapolForward, true);
    EXPECT_EQ(all.tempComp, true);
    EXPECT_TRUE(all.disableMode);

    const ProcessOptionsView noExtrapolation = ProcessOptionsFor(true, 0x0D, 3960606);
    EXPECT_TRUE(noExtrapolation.linearisierung);
    EXPECT_FALSE(noExtrapolation.extrapolation || noExtrapolation.extrapolForwardEnabled);
    EXPECT_EQ(noExtrapolation.extrapolForward, false);  // bit 3 counts only with extrapolation
    EXPECT_FALSE(noExtrapolation.disableMode);

    EXPECT_EQ(ProcessOptionsFor(true, 0x02, 3960606).extrapolForward, false);
}

TEST(ProcessOptions, InvalidElementFollowsTheFamily)
{
    const ProcessOptionsView linearizing = ProcessOptionsFor(false, 0x0F, 3960405);
    EXPECT_FALSE(linearizing.enabled || linearizing.extrapolForwardEnabled || linearizing.disableMode);
    EXPECT_TRUE(linearizing.linearisierung);
    EXPECT_FALSE(linearizing.extrapolation);
    EXPECT_FALSE(linearizing.extrapolForward);
    EXPECT_FALSE(linearizing.tempComp);

    const ProcessOptionsView extrapolating = ProcessOptionsFor(false, 0, 3960202);
    EXPECT_FALSE(extrapolating.linearisierung);
    EXPECT_TRUE(extrapolating.extrapolation);
}

TEST(Mode, LockedToSynchronousOnVSeriesOrWithExtrapolation)
{
    struct Case {
        const char* model;
        bool extrapolation;
        int32_t mode;
        bool enabled;
        int index;
    };
    const Case cases[] = {
        {"VP", false, 0, false, 1},
        {"KH", true, 0, false, 1},
        {"KH", false, 2, true, 1},
        {"KH", false, 0, true, 0},
        {"KH", false, 1, true, 0},
    };
    for (const Case& c : cases) {
        const ModeView view = ModeFor(Model(c.model), c.extrapolation, c.mode);
        EXPECT_EQ(view.enabled, c.enabled) << c.model << ' ' << c.mode;
        EXPECT_EQ(view.index, c.index) << c.model << ' ' << c.mode;
    }
}

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "presentation.h"
#include "wire_format.h"

namespace {

int32_t Model(const char* letters) { return ModelValue(letters[0], letters[1]); }

}  // namespace

TEST(Firmware, PageUsableOnFamily39606AndLate39602)
{
    EXPECT_TRUE(FirmwarePageUsable(3960600));
    EXPECT_TRUE(FirmwarePageUsable(3960203));
    EXPECT_FALSE(FirmwarePageUsable(3960202));
    EXPECT_FALSE(FirmwarePageUsable(3960105));
}

TEST(Firmware, VersionReplyShownWithDashes)
{
    EXPECT_EQ(FirmwareVersionText("3C6D29"), "396-01-05");
    EXPECT_EQ(FirmwareVersionText("3C6D28"), "396-01-04");
    EXPECT_EQ(FirmwareVersionText("3C6F1E"), "396-06-06");
    EXPECT_EQ(FirmwareVersionText("3E8"), "100-0");
    EXPECT_EQ(FirmwareVersionText(""), "0");
}

TEST(Corrections, BitWidthLockedWithTemperatureAboveThresholdAndCorrectedUnless24)
{
    struct Case {
        int32_t firmware, frameOptions, bitWidth;
        bool locked, correct;
    };
    const Case cases[] = {
        {3960607, 0x02, 20, true, true},
        {3960607, 0x03, 24, true, false},
        {3960606, 0x02, 20, false, false},
        {3960607, 0x01, 20, false, false},
        {3960507, 0x02, 20, false, false},
    };
    for (const Case& c : cases) {
        const CorrectionRule rule = BitWidthRule(c.firmware, c.frameOptions, c.bitWidth);
        EXPECT_EQ(rule.locked, c.locked) << c.firmware << ' ' << c.frameOptions << ' ' << c.bitWidth;
        EXPECT_EQ(rule.correct, c.correct) << c.firmware << ' ' << c.frameOptions << ' ' << c.bitWidth;
    }
}

TEST(Corrections, FilterLockedInVelocityModeAndCorrectedUnlessZero)
{
    struct Case {
        int32_t firmware, posDifVel, filter;
        bool locked, correct;
    };
    const Case cases[] = {
        {3960607, 2, 2, true, true},
        {3960607, 2, 0, true, false},
        {3960606, 2, 2, false, false},
        {3960607, 1, 2, false, false},
    };
    for (const Case& c : cases) {
        const CorrectionRule rule = FilterRule(c.firmware, c.posDifVel, c.filter);
        EXPECT_EQ(rule.locked, c.locked) << c.firmware << ' ' << c.posDifVel;
        EXPECT_EQ(rule.correct, c.correct) << c.firmware << ' ' << c.posDifVel << ' ' << c.filter;
    }
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

TEST(LinearizationPage, FactorChoosesTheCheckBoxTexts)
{
    for (int32_t internal : {1, 3, 9})
        EXPECT_EQ(Pick(LinearisierungTexts(internal).caption, 0), "internal linearization") << internal;
    for (int32_t reflection : {0, 10, 255, -1})
        EXPECT_EQ(Pick(LinearisierungTexts(reflection).caption, 1), "Reflexion ausschließen") << reflection;
    EXPECT_EQ(Pick(LinearisierungTexts(0).hint, 0),
        "For exclude the reflection of returned wave!\nAttention: The cycle time will be changed.");
    EXPECT_FALSE(Pick(LinearisierungTexts(3).hint, 2));
}

TEST(LinearizationPage, AddressAndStartValueColour)
{
    EXPECT_EQ(LinAddressFrom("300"), 300);
    EXPECT_EQ(LinAddressFrom(""), 200);
    EXPECT_EQ(LinAddressFrom("2x"), 200);
    EXPECT_EQ(LinStartValueColour(true, false), FieldColour::Changed);
    EXPECT_EQ(LinStartValueColour(false, true), FieldColour::White);
    EXPECT_EQ(LinStartValueColour(false, false), FieldColour::ButtonFace);
}

TEST(RangePoints, NumberWithAPointBeforeTheLastThreeDigits)
{
    const std::pair<int64_t, const char*> cases[] = {
        {12345, "12.345 mm"},
        {-1500, "-1.500 mm"},
        {500, ".500 mm"},
        {-500, "-.500 mm"},
        {5, ".005 mm"},
        {-5, "-.005 mm"},
        {0, ".000 mm"},
        {1000, "1.000 mm"},
        {33554431000LL, "33554431.000 mm"},
    };
    for (const auto& [number, text] : cases)
        EXPECT_EQ(RangePointNumberText(number), text) << number;
}

TEST(RangePoints, OffsetPlusValueScaledUnlessInternalLinearization)
{
    EXPECT_EQ(RangePointText(2000, UndefinedStartPoint, "100", false, 5, 0), "10.100 mm");
    EXPECT_EQ(RangePointText(2000, UndefinedStartPoint, "100", true, 5, 0), "2.100 mm");
    EXPECT_EQ(RangePointText(2000, UndefinedStartPoint, "-100", true, 5, 2), "1.900 mm");
    EXPECT_EQ(RangePointText(2000, UndefinedStartPoint, "abc", true, 5, 0), "2.000 mm");
    EXPECT_EQ(RangePointNumber(UndefinedEndPoint - 1, "0", false, 1000), 33554430000LL);
}

TEST(RangePoints, UndefinedMarkersByLanguage)
{
    EXPECT_EQ(RangePointText(UndefinedStartPoint, UndefinedStartPoint, "100", false, 5, 0), "not defined");
    EXPECT_EQ(RangePointText(UndefinedEndPoint, UndefinedEndPoint, "100", false, 5, 1), "nicht definiert");
    EXPECT_EQ(RangePointText(UndefinedEndPoint, UndefinedEndPoint, "100", false, 5, 2), "");
    EXPECT_EQ(RangePointText(0, UndefinedEndPoint, "100", false, 5, 0), ".100 mm");
}

TEST(RangePoints, StartMustLieBelowEndSigned)
{
    EXPECT_TRUE(RangeIsValid(UndefinedStartPoint, UndefinedEndPoint));
    EXPECT_FALSE(RangeIsValid(1000, 1000));
    EXPECT_FALSE(RangeIsValid(2000, 1000));
    EXPECT_TRUE(RangeIsValid(-5, 3));
}

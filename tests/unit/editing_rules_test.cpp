#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "editing_rules.h"
#include "wire_format.h"

namespace {

int32_t Model(const char* letters) { return ModelValue(letters[0], letters[1]); }

const FieldRule& Rule(std::string_view name)
{
    const FieldRule* rule = FieldRuleOf(name);
    EXPECT_NE(rule, nullptr) << name;
    return *rule;
}

}  // namespace

TEST(Conversions, StrictLenientAnd64Bit)
{
    EXPECT_EQ(StrictInteger(" -12"), -12);
    EXPECT_EQ(StrictInteger("+7"), 7);
    EXPECT_EQ(StrictInteger("2147483648"), std::nullopt);
    EXPECT_EQ(StrictInteger("12a"), std::nullopt);
    EXPECT_EQ(StrictInteger(""), std::nullopt);
    EXPECT_EQ(LenientInteger("abc"), 0);
    EXPECT_EQ(LenientInteger("-2147483648"), INT32_MIN);

    EXPECT_EQ(Integer64(" 2147483648"), 2147483648);
    EXPECT_EQ(Integer64("-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(Integer64("9223372036854775807"), INT64_MAX);
    EXPECT_EQ(Integer64("9223372036854775808"), std::nullopt);
    EXPECT_EQ(Integer64("-"), std::nullopt);
    EXPECT_EQ(Integer64("1 "), std::nullopt);
}

TEST(FieldRules, FoundByControlOrElement)
{
    EXPECT_STREQ(Rule("ErrorCount").element, "IndicationCounter");
    EXPECT_STREQ(Rule("InitDelay").field, "IgnoreSsiClkNum");
    EXPECT_STREQ(Rule("UARTCounter").field, "UARTWrites");
    EXPECT_EQ(FieldRuleOf("FactoryNumber"), nullptr);
    EXPECT_EQ(FieldRuleOf("Filter"), nullptr);
}

// What each handler writes on a change, and what its exit check says, for the same text.
TEST(FieldRules, ChangeAndExitOfEachKindOfField)
{
    struct Case {
        const char* field;
        const char* text;
        std::optional<int32_t> written;
        bool exitAccepts;
    };
    const Case cases[] = {
        {"BitWidth", "4", 4, true},
        {"BitWidth", "40", std::nullopt, false},
        {"BitWidth", "abc", std::nullopt, false},  // lenient: 0 is out of range
        {"PowerFail", "", 0, true},                // lenient: empty writes 0
        {"MonoflopTime", "101", std::nullopt, false},
        {"ErrorValue", "2147483601", 2147483601, false},
        {"ErrorValue", "2147483648", std::nullopt, false},
        {"ErrorValue", "-2147483600", -2147483600, true},
        {"ErrorValue", "2147483600", 2147483600, true},
        {"ErrorValue", "x", std::nullopt, false},
        {"Resolution", "0", std::nullopt, false},
        {"Resolution", "1000000", 1000000, true},
        {"Resolution", "0.5", std::nullopt, true},
        {"Resolution", "0,5", std::nullopt, false},
        {"Offset", "x", 0, false},  // lenient on change, strict on exit
        {"Length", "0", 0, false},
        {"Length", "2147483646", 2147483646, true},
        {"UltrasonicSpeed", "-1", -1, false},
        {"CycleTime", "-5", -5, true},
        {"Blanking", "abc", std::nullopt, true},  // strict on change, lenient 0..255 on exit
        {"IgnoreSsiClkNum", "256", 256, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChangeValue(Rule(c.field), c.text), c.written) << c.field << " '" << c.text << "'";
        EXPECT_EQ(ExitAccepts(Rule(c.field), c.text), c.exitAccepts) << c.field << " '" << c.text << "'";
    }
    EXPECT_TRUE(IsHalfMicronEntry("0,5"));
    EXPECT_FALSE(IsHalfMicronEntry("0.50"));
}

TEST(FieldRules, ShortLengthsAndFactoryNumbers)
{
    EXPECT_TRUE(ShortLengthAccepts(1000));
    EXPECT_FALSE(ShortLengthAccepts(1001));
    EXPECT_FALSE(ShortLengthAccepts(-1));  // compared unsigned
    EXPECT_TRUE(IsFactoryNumber("ab12"));
    EXPECT_TRUE(IsFactoryNumber("FFFFFFFF"));
    EXPECT_FALSE(IsFactoryNumber("123456789"));
    EXPECT_FALSE(IsFactoryNumber(""));
    EXPECT_FALSE(IsFactoryNumber("12G4"));
}

TEST(WSeries, ModelsAndRefusedValues)
{
    EXPECT_TRUE(IsWSeriesModel(Model("WH")));
    EXPECT_TRUE(IsWSeriesModel(Model("WP")));
    EXPECT_FALSE(IsWSeriesModel(Model("WB")));
    EXPECT_TRUE(IsWSeriesModelIndex(3));
    EXPECT_FALSE(IsWSeriesModelIndex(4));

    const std::pair<const char*, int32_t> refused[] = {{"Mode", 2}, {"SyncStart", 1}, {"IndicationCounter", 2},
        {"SecErrorValue", 1}, {"Filter", 3}, {"Direction", 1}, {"PosDifVel", 2}, {"SlowAvarageFilter", 1},
        {"FrameOptions", 1}, {"FrameOptions", 2}, {"ProcessOptions", 1}, {"ProcessOptions", 4}, {"ProcessOptions", 8}};
    for (const auto& [element, value] : refused)
        EXPECT_TRUE(WSeriesRefuses(element, value)) << element << ' ' << value;
    const std::pair<const char*, int32_t> taken[] = {{"Mode", 0}, {"IndicationCounter", 1}, {"Filter", 0},
        {"FrameOptions", 4}, {"ProcessOptions", ExtrapolationBit}, {"BitWidth", 32}, {"Resolution", 1}};
    for (const auto& [element, value] : taken)
        EXPECT_FALSE(WSeriesRefuses(element, value)) << element << ' ' << value;
}

TEST(Firmware, OffsetLockedLate39606AndHalfMicron)
{
    EXPECT_FALSE(IsEarly39604Firmware(3960399));
    EXPECT_TRUE(IsEarly39604Firmware(3960400));
    EXPECT_TRUE(IsEarly39604Firmware(3960415));
    EXPECT_FALSE(IsEarly39604Firmware(3960416));
    EXPECT_TRUE(IsLate39606(3960607));
    EXPECT_FALSE(IsLate39606(3960606));
    EXPECT_TRUE(HalfMicronQualifies(3960105, "KH0500"));
    EXPECT_FALSE(HalfMicronQualifies(3970105, "KH0500"));
    EXPECT_FALSE(HalfMicronQualifies(3960105, "WH0500"));
    EXPECT_FALSE(HalfMicronQualifies(3960105, ""));
}

TEST(Offset, ScaledByResolutionAndFilterUnlessEarly39604)
{
    struct Case {
        int32_t firmware, offset, resolution, filter, scale, shown;
    };
    const Case cases[] = {
        {3960105, 100, 5, 2, 0x100000, 125}, {3960405, 100, 5, 2, 0x100000, 100}, {3960415, 100, 5, 2, 0x100000, 100},
        {3960416, 100, 5, 2, 0x100000, 125}, {3960105, -3, 1, 1, 0, -1},          // truncated towards zero
        {3960105, 100, 5, 2, 0x1F0000, 125}, {3960105, 100, 5, 2, 0x1F0001, 62},  // 0.5 µm positions
        {3960105, -100, 5, 2, 0x1F0001, -63},                                     // arithmetic shift
        {3960405, 100, 5, 2, -1, 50},                                             // the scale compares unsigned
        {3960105, 0x10000, 0x10000, 0, 0, 0},                                     // 32-bit product
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShownOffset(c.firmware, c.offset, c.resolution, c.filter, c.scale), c.shown)
            << c.firmware << ' ' << c.offset << ' ' << c.filter << ' ' << c.scale;
}

TEST(Offset, RegisterFromMicronsAndAfterAFilterChange)
{
    EXPECT_EQ(OffsetRegister(1000, 2, 5, false), 800);
    EXPECT_EQ(OffsetRegister(1000, 2, 5, true), 1600);
    EXPECT_EQ(OffsetRegister(-7, 0, 2, false), -3);                 // truncated towards zero
    EXPECT_EQ(OffsetRegister(0x40000000, 1, 1, false), INT32_MIN);  // 32-bit product
    EXPECT_EQ(OffsetRegister(123, 3, 0, false), 123);               // no resolution: left as it is

    // Grade 2 to grade 8 and back to no filter.
    EXPECT_EQ(RescaledOffset(1000, 3, 1), 4000);
    EXPECT_EQ(RescaledOffset(4000, 0, 3), 500);
    EXPECT_EQ(RescaledOffset(-3, 0, 1), -1);
}

TEST(Scale, FromResolutionSpeedAndTheHalfMicronProcedure)
{
    EXPECT_EQ(ScaleForResolution(282000, 1), 1443840);
    EXPECT_EQ(ScaleForResolution(282000, 5), 288768);
    EXPECT_EQ(HalfMicronScale(282000), 2887680);
    EXPECT_TRUE(IsHalfMicronScale(HalfMicronScale(282000)));
    EXPECT_FALSE(IsHalfMicronScale(0x1F0000));
    EXPECT_EQ(ScaleForResolution(282000, 0), 0);

    EXPECT_EQ(ScaleForSpeed(282000, 1), 1443840);
    EXPECT_EQ(ScaleForSpeed(282000, 5), 288768);
    EXPECT_EQ(ScaleForSpeed(282000, 0), std::nullopt);
    EXPECT_EQ(ScaleForSpeed(9000000, 1), 3130327);  // u × 512 wraps at 32 bits
}

TEST(Direction, MirrorOffsetByModelAndLength)
{
    EXPECT_EQ(MirrorOffset("0", 1000, Model("KH")), "1114500");
    EXPECT_EQ(MirrorOffset("1114500", 1000, Model("KH")), "0");
    EXPECT_EQ(MirrorBase(5000, Model("KH")), 5114500);
    EXPECT_EQ(MirrorBase(6000, Model("KH")), 6117000);
    EXPECT_EQ(MirrorBase(1000, Model("KP")), 1094000);
    EXPECT_EQ(MirrorBase(1000, Model("PA")), 1094000);
    EXPECT_EQ(MirrorBase(1000, Model("WH")), std::nullopt);
    EXPECT_EQ(MirrorOffset("25", 1000, Model("WB")), "25");
    EXPECT_EQ(MirrorOffset("abc", 1000, Model("KP")), "1094000");  // lenient
}

TEST(Length, FiftyMillimetreSteps)
{
    EXPECT_EQ(FiftyMillimetreLength(10025), 10000);
    EXPECT_EQ(FiftyMillimetreLength(10050), std::nullopt);
    EXPECT_EQ(FiftyMillimetreLength(10000), std::nullopt);
    EXPECT_EQ(FiftyMillimetreLength(9999), std::nullopt);
}

TEST(Length, ChargepumpSuggestionCodeAndItem)
{
    const std::pair<int32_t, std::optional<int>> wbf[]
        = {{24, std::nullopt}, {25, 0}, {149, 0}, {150, 1}, {349, 1}, {350, 2}, {549, 2}, {550, 3}, {799, 3}, {800, 4},
            {1099, 4}, {1100, 5}, {1449, 5}, {1450, 6}, {1600, 6}, {1601, 7}};
    for (const auto& [length, item] : wbf)
        EXPECT_EQ(ChargepumpSuggestion(length, true), item) << length;
    const std::pair<int32_t, std::optional<int>> other[] = {{20, 0}, {344, 0}, {345, 1}, {1669, 1}, {1670, 2}};
    for (const auto& [length, item] : other)
        EXPECT_EQ(ChargepumpSuggestion(length, false), item) << length;

    EXPECT_EQ(ChargepumpCode(7, true), 0xE0);
    EXPECT_EQ(ChargepumpCode(1, true), 0x80);
    EXPECT_EQ(ChargepumpCode(2, false), 2);

    const std::pair<int32_t, std::optional<int>> wbfCodes[] = {{0, 0}, {32, 4}, {64, 2}, {96, 6}, {128, 1}, {160, 5},
        {192, 3}, {224, 7}, {1, std::nullopt}, {2, std::nullopt}, {256, std::nullopt}};
    for (const auto& [code, item] : wbfCodes)
        EXPECT_EQ(ChargepumpItem(code, true), item) << code;
    const std::pair<int32_t, std::optional<int>> codes[]
        = {{0, 0}, {1, 1}, {2, 2}, {3, std::nullopt}, {32, std::nullopt}, {-1, std::nullopt}};
    for (const auto& [code, item] : codes)
        EXPECT_EQ(ChargepumpItem(code, false), item) << code;
}

TEST(Length, CycleTimes)
{
    struct Case {
        int32_t length, magnetCount, resolution;
        bool linearization;
        int32_t cycleTime, syncTiming;
    };
    const Case cases[] = {
        {500, 1, 5, false, 1617, 956},
        {1000, 1, 5, false, 1705, 1705},
        {2000, 1, 5, false, 3202, 3202},
        {400, 1, 1, true, 1435, 1366},
        {500, 1, 1, true, 1617, 1516},  // the linearization formula stops at 483 mm
        {891, 2, 1, true, 891000 / 650 + 1380, 891000 / 668 + 1334},
        {892, 2, 1, true, 892000 / 343 + 160, 892000 / 668 + 1334},
        {614, 1, 5, true, 614000 / 650 + 1000, 614000 / 668 + 948},
        {615, 1, 5, true, 615000 / 343 + 160, 615000 / 668 + 948},
        {1, 1, 5, false, 326, 209},
        {25, 1, 5, false, 466, 245},
        {50, 1, 5, false, 612, 282},
        {100, 1, 5, false, 903, 357},
        {101, 1, 5, false, 101000 / 343 + 160, 101000 / 668 + 208},
        {600, 1, 5, false, 600000 / 343 + 160, 600000 / 668 + 208},
        {601, 1, 5, false, 601000 / 668 + 208, 601000 / 668 + 208},
    };
    for (const Case& c : cases) {
        const CycleTimes times = LengthCycleRule(c.length, c.magnetCount, c.resolution, c.linearization);
        EXPECT_EQ(times.cycleTime, c.cycleTime) << c.length << " m" << c.magnetCount << " r" << c.resolution;
        EXPECT_EQ(times.syncTiming, c.syncTiming) << c.length << " m" << c.magnetCount << " r" << c.resolution;
    }
}

TEST(Model, CodesOfTheItemsAndBack)
{
    EXPECT_EQ(ModelCodeForItem(1, 3960102), Model("PA"));
    EXPECT_EQ(ModelCodeForItem(3, 3960102), Model("KH"));
    EXPECT_EQ(ModelCodeForItem(1, 3960103), Model("KP"));
    EXPECT_EQ(ModelCodeForItem(6, 3960606), Model("KA"));

    const std::pair<const char*, std::optional<int>> items[] = {{"KH", 0}, {"KP", 1}, {"PA", 1}, {"WH", 2}, {"WP", 3},
        {"KD", 4}, {"KF", 5}, {"KA", 6}, {"WB", std::nullopt}, {"VP", std::nullopt}};
    for (const auto& [letters, item] : items)
        EXPECT_EQ(ModelItem(Model(letters)), item) << letters;
}

TEST(Model, KSerieButtonOnFamily39606)
{
    EXPECT_EQ(KSerieModel(3960105, 0), std::nullopt);

    const std::optional<KSerieResult> profile = KSerieModel(3960605, 3);
    ASSERT_TRUE(profile);
    EXPECT_EQ(profile->model, Model("CP"));
    EXPECT_EQ(profile->item, 1);

    const std::optional<KSerieResult> rod = KSerieModel(3960607, 4);
    ASSERT_TRUE(rod);
    EXPECT_EQ(rod->model, Model("AH"));
    EXPECT_EQ(rod->item, 0);

    const std::optional<KSerieResult> none = KSerieModel(3960606, -1);
    ASSERT_TRUE(none);
    EXPECT_EQ(none->model, 'A' << 8);
    EXPECT_EQ(none->item, std::nullopt);
}

TEST(OptionBits, SiemensSecondErrorValueAndMagnets)
{
    EXPECT_EQ(FrameOptionsForSiemens(2, true, 3960606), 3);
    EXPECT_EQ(FrameOptionsForSiemens(3, false, 3960606), 2);
    EXPECT_EQ(FrameOptionsForSiemens(2, true, 3960105), 1);  // clears the temperature bit
    EXPECT_EQ(FrameOptionsForSiemens(3, false, 3960105), 0);
    EXPECT_EQ(WithBit(0x0F, TempCompBit, false), 0x0B);
    EXPECT_EQ(SecondErrorValueFor(true), 1);
    EXPECT_FALSE(SecondErrorValueActive(SecondErrorValueFor(false)));
    EXPECT_EQ(MagnetCountFor(1), 2);
    EXPECT_EQ(MagnetCountFor(2), 1);
}

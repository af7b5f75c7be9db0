#include <gtest/gtest.h>

#include <utility>

#include "firmware_rules.h"
#include "linearization_rules.h"
#include "range_points.h"

TEST(Firmware, PageUsableOnFamily39606AndLate39602)
{
    EXPECT_TRUE(FirmwarePageUsable(3960600));
    EXPECT_TRUE(FirmwarePageUsable(3960203));
    EXPECT_FALSE(FirmwarePageUsable(3960202));
    EXPECT_FALSE(FirmwarePageUsable(3960105));
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

#include <gtest/gtest.h>

#include "wire_format.h"

TEST(HexToInt, ReadsDigitsOfEitherCaseAndCountsOthersAsZero)
{
    struct Case {
        const char* text;
        int32_t expected;
    };
    const Case cases[] = {
        {"3C6D28", 3960104},
        {"3c6d28", 3960104},
        {"", 0},
        {"1 2", 0x102},
        {"FFFFFFFF", -1},
        {"000519", 0x519},
        {"1\r", 0x10},
        {"-5", 5},
        {"g1", 0x01},
        {"100000000", 0},
        {"A00000001", 1},
        {"7FFFFFFF", 0x7FFFFFFF},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HexToInt(c.text), c.expected) << '"' << c.text << '"';
}

TEST(ParseHex, AcceptsOnlyOneToEightHexDigits)
{
    int32_t value = 7;
    EXPECT_TRUE(ParseHex("00c82a", value));
    EXPECT_EQ(value, 0xC82A);
    EXPECT_TRUE(ParseHex("FFFFFFFF", value));
    EXPECT_EQ(value, -1);
    for (const char* bad : {"", "12 4", "0x12", "123456789", "06\r"}) {
        value = 7;
        EXPECT_FALSE(ParseHex(bad, value)) << bad;
        EXPECT_EQ(value, 7);
    }
}

TEST(DecimalParsing, StrictAndLeadingDigits)
{
    int32_t value = 0;
    EXPECT_TRUE(ParseDecimal("00000005", value));
    EXPECT_EQ(value, 5);
    EXPECT_TRUE(ParseDecimal(" -12", value));
    EXPECT_EQ(value, -12);
    EXPECT_FALSE(ParseDecimal("0000AB12", value));
    EXPECT_FALSE(ParseDecimal("", value));
    EXPECT_FALSE(ParseDecimal("99999999999", value));

    EXPECT_EQ(LeadingDecimal("277695"), 277695);
    EXPECT_EQ(LeadingDecimal("  +12x4"), 12);
    EXPECT_EQ(LeadingDecimal("-3"), -3);
    EXPECT_EQ(LeadingDecimal("abc"), 0);
}

TEST(TextOfNumbers, UpperCaseWithLeadingZeros)
{
    EXPECT_EQ(HexText(0x800519, 6), "800519");
    EXPECT_EQ(HexText(0xab, 6), "0000AB");
    EXPECT_EQ(HexText(0xFFFFFFFB, 6), "FFFFFFFB");
    EXPECT_EQ(DecimalText(5, 8), "00000005");
    EXPECT_EQ(DecimalText(1234567, 6), "1234567");
}

TEST(RegisterFields, ExtractComposeAndSignExtend)
{
    // Filter in bits 22-23 of register D.
    EXPECT_EQ(ExtractField(0xC00519, 0xC00000, 22), 3u);
    EXPECT_EQ(ComposeField(0x000519, 2, 0xC00000, 22), 0x800519u);
    EXPECT_EQ(ComposeField(0xFFFFFF, 0, 0xFF00, 8), 0xFF00FFu);
    // The new value is not masked: the caller keeps it within the field.
    EXPECT_EQ(ComposeField(0, 0x1FF, 0xFF, 0), 0x1FFu);

    EXPECT_EQ(SignExtend24(0xFFFFFB), -5);
    EXPECT_EQ(SignExtend24(0x7FFFFF), 0x7FFFFF);
    EXPECT_EQ(SignExtend24(0x800000), -0x800000);
    EXPECT_TRUE(FitsSigned24(-0x800000));
    EXPECT_FALSE(FitsSigned24(0x800000));
}

TEST(LengthCode, DecodesAndEncodesBothRanges)
{
    struct Case {
        const char* code;
        int32_t length;
    };
    for (const Case& c : {Case{"0500", 500}, Case{"123C", 12350}, Case{"123c", 12350}, Case{"123F", 12300},
             Case{"9999", 9999}, Case{"65XY", 0}, Case{"0000", 0}})
        EXPECT_EQ(DecodeLength(c.code), c.length) << c.code;

    for (const Case& c : {Case{"0500", 500}, Case{"0001", 1}, Case{"9999", 9999}, Case{"123C", 12350},
             Case{"123F", 12300}, Case{"100F", 10000}, Case{"655F", 65500}})
        EXPECT_EQ(EncodeLength(c.length), c.code) << c.length;
}

TEST(ModelAndFirmware, LettersAndFamily)
{
    EXPECT_EQ(ModelValue('K', 'H'), 'K' * 256 + 'H');
    EXPECT_EQ(ModelLetters(ModelValue('W', 'B')), "WB");
    EXPECT_EQ(FirmwareFamily(3960105), 39601);
    EXPECT_EQ(FirmwareFamily(3960610), 39606);
    EXPECT_EQ(FirmwareFamily(0), 0);
    EXPECT_FALSE(HasCommitCommand(3960100));
    EXPECT_TRUE(HasCommitCommand(3960101));
}

TEST(ModelAndFirmware, Family39606TestDividesByHundredAndComparesWithTheThreshold)
{
    EXPECT_TRUE(PassesFamily39606Test(3960607, 3960606));
    EXPECT_FALSE(PassesFamily39606Test(3960606, 3960606));
    EXPECT_FALSE(PassesFamily39606Test(3960707, 3960606));
    EXPECT_FALSE(PassesFamily39606Test(39606070, 3960606));  // f5 is 39606, the test is not
    EXPECT_FALSE(PassesFamily39606Test(3960609, 3960609));
    EXPECT_TRUE(PassesFamily39606Test(3960610, 3960609));
}

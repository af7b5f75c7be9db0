#include <gtest/gtest.h>

#include "catalogue.h"
#include "page_rules.h"

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

TEST(LinearisierungCaption, FactorChoosesTheCheckBoxTexts)
{
    for (int32_t internal : {1, 3, 9})
        EXPECT_EQ(Pick(LinearisierungTexts(internal).caption, 0), "internal linearization") << internal;
    for (int32_t reflection : {0, 10, 255, -1})
        EXPECT_EQ(Pick(LinearisierungTexts(reflection).caption, 1), "Reflexion ausschließen") << reflection;
    EXPECT_EQ(Pick(LinearisierungTexts(0).hint, 0),
        "For exclude the reflection of returned wave!\nAttention: The cycle time will be changed.");
    EXPECT_FALSE(Pick(LinearisierungTexts(3).hint, 2));
}

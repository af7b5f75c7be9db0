#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "session_rules.h"
#include "texts.h"
#include "range_points.h"

TEST(Settings, OnlyTheLowByteOfAStoredIntegerCounts)
{
    EXPECT_EQ(LowByte(259), 3);
    EXPECT_EQ(LowByte(3), 3);
    EXPECT_EQ(LowByte(255), 255);
    EXPECT_EQ(LowByte(256), 0);
    EXPECT_EQ(LowByte(-1), 255);
}

TEST(AccessLevel, ExactCodesOnly)
{
    EXPECT_EQ(AccessLevelFor("738164209355"), AccessLevel::Factory);
    EXPECT_EQ(AccessLevelFor("5820463917284630"), AccessLevel::Developer);
    for (const char* other :
        {"", "738164209355 ", " 738164209355", "73816420935", "5820463917284630x", "582046391728463"})
        EXPECT_EQ(AccessLevelFor(other), AccessLevel::None) << '"' << other << '"';
}

TEST(AccessLevel, DeveloperShowsMoreThanFactoryAndTheLevelsDoNotAccumulate)
{
    const AccessEffects none = AccessEffectsFor(AccessLevel::None);
    EXPECT_FALSE(none.showProtectedPages);
    EXPECT_FALSE(none.showFirmwarePage);
    EXPECT_TRUE(none.shownControls.empty());

    const AccessEffects factory = AccessEffectsFor(AccessLevel::Factory);
    EXPECT_TRUE(factory.showProtectedPages && factory.showFirmwarePage);
    EXPECT_FALSE(factory.developerAccess);
    EXPECT_FALSE(factory.factorLabelEditable);
    ASSERT_EQ(factory.shownControls.size(), 1U);
    EXPECT_STREQ(factory.shownControls[0], "SlowAvarageFilter");

    const AccessEffects developer = AccessEffectsFor(AccessLevel::Developer);
    EXPECT_TRUE(developer.developerAccess && developer.factorLabelEditable && developer.showFirmwarePage);
    const std::set<std::string> shown(developer.shownControls.begin(), developer.shownControls.end());
    EXPECT_EQ(shown,
        (std::set<std::string>{"SSI_Start_CheckBox", "OpTimeYears", "OpTimeMonth", "OpTimeDays", "OpTimeHours",
            "OpTimeMinutes", "Label7", "TempComp", "K_SERIE", "SlowAvarageFilter", "SSI_Abstand"}));
}

TEST(PortSelection, ItemTextsAndTheirPortNumbers)
{
    EXPECT_EQ(PortItemText(3), "COM 3");
    EXPECT_EQ(PortItemText(100), "COM 100");
    struct Case {
        const char* item;
        int port;
    };
    const Case cases[] = {
        {"Demo", 0},
        {"COM 3", 3},
        {"COM 100", 100},
        {"COM x", 255},
        {"", 255},
        {"demo", 255},
        {"COM ", 255},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PortFromItemText(c.item), c.port) << c.item;
}

TEST(StatusDisplay, KindsOneToFourInBothLanguages)
{
    struct Case {
        int kind;
        uint8_t language;
        const char* expected;
    };
    const Case cases[] = {
        {1, 0, "SSI-Sensor found on COM-Port 3"},
        {1, 1, "SSI-Sensor gefunden an COM-Port 3"},
        {2, 0, "Communication established on COM-Port 3"},
        {2, 1, "Verbindung hergestellt an COM-Port 3"},
        {3, 0, "EEPROM-Update: Click Update to save new parameters"},
        {3, 1, "EEPROM-Update: Wählen Sie \"Update\" um Parameter zu speichern"},
        {4, 0, "COM17: SSI-Sensor not connected..."},
        {4, 1, "COM17: SSI-Sensor nicht gefunden..."},
    };
    for (const Case& c : cases) {
        // Kinds 3 and 4 ignore the text argument; kind 4 names the port in use.
        const auto update = UpdateStatus(c.kind, c.kind <= 2 ? "3" : "0", c.language, 17, "old");
        ASSERT_TRUE(update) << c.kind;
        EXPECT_EQ(update->text, c.expected);
        EXPECT_FALSE(update->toggleLed);
    }
    EXPECT_EQ(UpdateStatus(4, "0", 0, 255, "")->text, "COM255: SSI-Sensor not connected...");
}

TEST(StatusDisplay, UnknownLanguageOrKindLeavesTheTextAlone)
{
    for (int kind = 1; kind <= 5; ++kind)
        EXPECT_FALSE(UpdateStatus(kind, "", 2, 3, "old")) << kind;
    for (int kind : {0, 6, -1})
        EXPECT_FALSE(UpdateStatus(kind, "", 0, 3, "old")) << kind;
}

TEST(StatusDisplay, DemoMarqueeTurnsOnceAroundIn54TicksAndBlinksEvery18)
{
    auto update = UpdateStatus(5, "", 1, 0, "Verbindung hergestellt an COM-Port 0");
    ASSERT_TRUE(update);
    EXPECT_EQ(update->text, texts::DemoMarquee);
    std::string shown = update->text;
    std::vector<int> blinks;
    for (int tick = 1; tick <= 54; ++tick) {
        update = UpdateStatus(5, "1", 0, 0, shown);
        ASSERT_TRUE(update);
        shown = update->text;
        if (update->toggleLed)
            blinks.push_back(tick);
        if (tick == 1) {
            EXPECT_EQ(shown, " DEMO              DEMO              DEMO             ");
        }
    }
    EXPECT_EQ(blinks, (std::vector<int>{18, 36, 54}));
    EXPECT_EQ(shown, texts::DemoMarquee);
    EXPECT_EQ(shown.substr(0, 4), "DEMO");
}

TEST(StatusDisplay, RotationMovesWholeCharacters)
{
    EXPECT_EQ(UpdateStatus(5, "1", 0, 0, "abä")->text, "äab");
    EXPECT_EQ(UpdateStatus(5, "1", 0, 0, "xD")->text, "Dx");
    EXPECT_TRUE(UpdateStatus(5, "1", 0, 0, "xD")->toggleLed);
    const auto empty = UpdateStatus(5, "1", 0, 0, "");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->text, "");
    EXPECT_FALSE(empty->toggleLed);
}

TEST(StatusDisplay, DemoBlinkTurnsYellowGreenAndAnythingElseYellow)
{
    EXPECT_EQ(ToggledLed(LedColour::Yellow), LedColour::Green);
    EXPECT_EQ(ToggledLed(LedColour::Green), LedColour::Yellow);
    EXPECT_EQ(ToggledLed(LedColour::Red), LedColour::Yellow);
    const Rgb green = RgbOf(LedColour::Green);
    EXPECT_EQ(green.red, 0);
    EXPECT_EQ(green.green, 128);
    EXPECT_EQ(green.blue, 0);
}

TEST(OperatingTime, YearsMonthsDaysHoursMinutes)
{
    struct Case {
        uint32_t operatingTime;
        OperatingTimeDisplay expected;
    };
    const Case cases[] = {
        {0, {0, 0, 0, 0, 0}}, {1, {0, 0, 0, 0, 3}}, {481, {0, 0, 1, 0, 3}},  // 1443 minutes
        {175200, {1, 0, 0, 0, 0}},                                           // 525600 minutes
        {174000, {1, 0, 2, 12, 0}},                                          // month 12 reads as the next year
        {172800, {1, 0, 0, 0, 0}},                                     // 518400 minutes: the first minute of month 12
        {172799, {0, 11, 29, 23, 57}}, {0x55555556, {0, 0, 0, 0, 2}},  // the minutes wrap at 32 bits
    };
    for (const Case& c : cases) {
        const OperatingTimeDisplay shown = OperatingTimeFor(c.operatingTime);
        EXPECT_EQ(shown.years, c.expected.years) << c.operatingTime;
        EXPECT_EQ(shown.months, c.expected.months) << c.operatingTime;
        EXPECT_EQ(shown.days, c.expected.days) << c.operatingTime;
        EXPECT_EQ(shown.hours, c.expected.hours) << c.operatingTime;
        EXPECT_EQ(shown.minutes, c.expected.minutes) << c.operatingTime;
    }
}

TEST(Supervision, MissedPollsSaturateAndTheWarningBelongsToTheFourthMiss)
{
    EXPECT_EQ(NextMissedPolls(0), 1U);
    EXPECT_EQ(NextMissedPolls(3), 4U);
    EXPECT_EQ(NextMissedPolls(65534), 65535U);
    EXPECT_EQ(NextMissedPolls(65535), 65535U);
    EXPECT_EQ(NextMissedPolls(4000000000U), 65535U);

    EXPECT_TRUE(DisconnectWarningDue(4, true));
    EXPECT_FALSE(DisconnectWarningDue(4, false));
    for (uint32_t other : {3U, 5U, 65535U})
        EXPECT_FALSE(DisconnectWarningDue(other, true)) << other;
}

TEST(Supervision, ControlsAtSessionStartAndWithoutSensor)
{
    const SupervisionControls oldSensor = SessionStartControls(3960100, false);
    EXPECT_TRUE(oldSensor.parameterPageEnabled && oldSensor.fileAndTestItemsEnabled);
    EXPECT_FALSE(oldSensor.restoreFactoryEnabled);
    EXPECT_FALSE(oldSensor.firmwareUpdateVisible);
    EXPECT_FALSE(oldSensor.selComPortVisible);
    EXPECT_TRUE(SessionStartControls(3960101, false).restoreFactoryEnabled);
    EXPECT_TRUE(SessionStartControls(3960101, true).selComPortVisible);

    const SupervisionControls missing = SensorMissingControls();
    EXPECT_FALSE(missing.parameterPageEnabled || missing.restoreFactoryEnabled || missing.fileAndTestItemsEnabled);
    EXPECT_TRUE(missing.firmwareUpdateVisible && missing.selComPortVisible);
}

TEST(SensorUpdate, StoreCommandByFirmware)
{
    EXPECT_FALSE(IsNewFirmware(3960100));
    EXPECT_TRUE(IsNewFirmware(3960101));
}

TEST(SensorUpdate, ResolutionWarningNeedsAChangeARawRangeFirmwareAndATaughtRange)
{
    struct Case {
        int32_t firmware;
        bool resolutionChanged;
        int32_t start, end;
        bool expected;
    };
    const Case cases[] = {
        {3960107, true, 1000, UndefinedEndPoint, true},
        {3960107, true, UndefinedStartPoint, 5000, true},
        {3960601, true, 1000, 5000, true},
        {3960699, true, 1000, 5000, true},
        {3960107, true, UndefinedStartPoint, UndefinedEndPoint, false},
        {3960107, false, 1000, 5000, false},
        {3960108, true, 1000, 5000, false},
        {3960405, true, 1000, 5000, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ResolutionWarningDue(c.firmware, c.resolutionChanged, c.start, c.end), c.expected)
            << c.firmware << ' ' << c.start << ' ' << c.end;
}

TEST(SensorUpdate, ReadFactoryColoursThirtyOneDistinctControls)
{
    const auto controls = FactoryColouredControls();
    EXPECT_EQ(controls.size(), 31U);
    EXPECT_EQ(std::set<std::string>(controls.begin(), controls.end()).size(), 31U);
}

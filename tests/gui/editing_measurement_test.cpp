#include <QRadioButton>

#include "editing_fixture.h"
#include "editing_rules.h"

namespace {

constexpr const char* VelocityNote
    = "Attention: Filter setting does not have\nany effect in velocity mode.\nIt will be zeroed automatically";
constexpr const char* NotForThisSensor = "Not available for this Sensor type!\nAvailable only for K Series!";

}  // namespace

// The offset register is kept in filter units: it follows the filter.
TEST_F(EditingWindow, FilterRescalesTheOffsetRegister)
{
    Start({.registers = {{'D', "420119"}, {'A', "00000001"}, {'N', "0003E8"}}});
    Click(Ui().Measurement->FilterS->button(3));
    EXPECT_EQ(Writes(), (std::vector<std::string>{"DNC20119", "NN000FA0"}));
    Click(Ui().Measurement->FilterS->button(0));
    EXPECT_EQ(host->Register('N'), "0001F4");
    EXPECT_EQ(host->Register('D'), "020119");
}

TEST_F(EditingWindow, DirectionMirrorsTheOffsetAtTheSensorsEnd)
{
    struct Case {
        int32_t length;
        const char* mirrored;
    };
    for (const Case& c : {Case{1000, "1114500"}, Case{6000, "6117000"}}) {
        SCOPED_TRACE(c.length);
        Start({.lengthMm = c.length});
        Click(Ui().Measurement->Direction->button(1));
        EXPECT_EQ(Ui().Measurement->Offset->text(), c.mirrored);
        EXPECT_EQ(Session().Parameter().Offset.Value, LenientInteger(c.mirrored) / 5);
        EXPECT_EQ(WritesOf('D').size(), 1u);
        Click(Ui().Measurement->Direction->button(0));
        EXPECT_EQ(Ui().Measurement->Offset->text(), "0");
        EXPECT_EQ(host->Register('N'), "000000");
        form.reset();
        host->Stop();
    }
}

TEST_F(EditingWindow, DifferentialMeasuringSetsTheOffsetToZeroWithAWarning)
{
    Start({.registers = {{'N', "000005"}}});
    ASSERT_EQ(Ui().Measurement->Offset->text(), "25");
    Click(Ui().Measurement->PosDifVel->button(1));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].caption, "Warning");
    EXPECT_EQ(dialogs.shown[0].text, "Attention: Offset must be zero!\nOutput value = Differential + Offset");
    EXPECT_EQ(Ui().Measurement->Offset->text(), "0");
    EXPECT_EQ(host->Register('N'), "000000");
    EXPECT_EQ(host->Register('K'), "000102");

    Click(Ui().Measurement->PosDifVel->button(0));
    Click(Ui().Measurement->PosDifVel->button(1));
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST_F(EditingWindow, VelocityModeLocksTheFilterOnNewerFirmware)
{
    for (const int32_t firmware : {3960607, 3960606}) {
        SCOPED_TRACE(firmware);
        const bool newer = firmware == 3960607;
        Start({.firmwareVersion = firmware, .registers = {{'D', "420119"}}});
        Click(Ui().Measurement->PosDifVel->button(2));
        EXPECT_EQ(MessageTexts(), newer ? std::vector<QString>{VelocityNote} : std::vector<QString>{});
        EXPECT_EQ(Ui().Measurement->FilterS->itemIndex(), newer ? 0 : 1);
        EXPECT_EQ(Ui().Measurement->FilterS->isEnabled(), !newer);
        Click(Ui().Measurement->PosDifVel->button(0));
        EXPECT_TRUE(Ui().Measurement->FilterS->isEnabled());
        form.reset();
        host->Stop();
    }
}

// "0,5" becomes "0.5" and runs the 0.5 µm procedure twice: from the changed text and after it.
TEST_F(EditingWindow, HalfMicronResolutionOnAQualifyingSensor)
{
    Start();
    Type(Ui().Measurement->Resolution, "0,5");
    EXPECT_EQ(Ui().Measurement->Resolution->text(), "0.5");
    EXPECT_EQ(Session().Parameter().Resolution.Value, 1);
    EXPECT_TRUE(IsHalfMicronScale(Session().Parameter().Scale.Value));
    EXPECT_EQ(host->Register('A'), "00000001");
    EXPECT_EQ(WritesOf('S').size(), 2u);
    EXPECT_TRUE(dialogs.shown.empty());

    Leave(Ui().Measurement->Resolution, Ui().Measurement->Offset);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(EditingWindow, HalfMicronResolutionIsRefusedOnOtherSensors)
{
    Start({.model = "WH"});
    Type(Ui().Measurement->Resolution, "0,5");
    EXPECT_EQ(Ui().Measurement->Resolution->text(), "0.5");
    EXPECT_EQ(MessageTexts(), (std::vector<QString>{NotForThisSensor, NotForThisSensor}));
    EXPECT_EQ(dialogs.shown[0].caption, "ERROR");
    EXPECT_TRUE(Writes().empty());

    Type(Ui().Measurement->Resolution, "0.50");
    Leave(Ui().Measurement->Resolution, Ui().Measurement->Offset);
    EXPECT_EQ(MessageTexts().back(), "Please enter a valid resolution value in µm:\n0.5, 1, 2, 3, ...");
}

TEST_F(EditingWindow, OffsetIsLockedWhereTheFirmwareKeepsItInMicrometres)
{
    Start({.firmwareVersion = 3960405, .registers = {{'N', "00000C"}}});
    TypeAtEnd(Ui().Measurement->Offset, "7");
    EXPECT_EQ(Ui().Measurement->Offset->text(), "12");
    EXPECT_TRUE(Writes().empty());
}

TEST_F(EditingWindow, TemperatureForcesBitWidth24OnNewerFirmware)
{
    Start({.firmwareVersion = 3960607});
    QCheckBox* temperature = Ui().Measurement2->Temperature;
    Click(temperature);
    EXPECT_EQ(MessageTexts(),
        (std::vector<QString>{"Attention: Temperature measurement only possible\nwith a data "
                              "width of 24 bits.\nIt will be set automatically to 24 bits."}));
    EXPECT_EQ(host->Register('K'), "020001");
    EXPECT_EQ(host->Register('D'), "020118");
    EXPECT_EQ(Ui().SSISettings->BitWidth->text(), "24");
    EXPECT_FALSE(Ui().SSISettings->BitWidth->isEnabled());

    Click(temperature);
    EXPECT_TRUE(Ui().SSISettings->BitWidth->isEnabled());
    EXPECT_EQ(Ui().SSISettings->BitWidth->text(), "24");
}

// Older families know only the whole value: the parity bit clears the temperature bit.
TEST_F(EditingWindow, ParityBitOnAnOlderFamilyReplacesTheFrameOptions)
{
    Start({.registers = {{'K', "020001"}}});
    Click(Ui().Measurement2->Siemens);
    EXPECT_EQ(WritesOf('K'), (std::vector<std::string>{"KN010001"}));
    EXPECT_EQ(ControlColour(Ui().Measurement2->Siemens), ChangedColour);
}

// Extrapolation needs the synchronous start; switching it off leaves the start to the user.
TEST_F(EditingWindow, ExtrapolationSetsTheSynchronousStart)
{
    Start({.firmwareVersion = 3960607});
    QCheckBox* extrapolation = Ui().Measurement2->Extrapolation;
    Click(extrapolation);
    EXPECT_EQ(Ui().SSISettings->Mode->itemIndex(), 1);
    EXPECT_FALSE(Ui().SSISettings->Mode->isEnabled());
    EXPECT_TRUE(Ui().Measurement2->ExtrapolForward->isEnabled());
    EXPECT_EQ(host->Register('D'), "0A0119");
    EXPECT_EQ(Session().Parameter().ProcessOptions.Value & ExtrapolationBit, ExtrapolationBit);

    Click(extrapolation);
    EXPECT_EQ(MessageTexts(),
        (std::vector<QString>{"Check 'Start of measurement': sync. / async.\nAfter disable this "
                              "parameter will synchronous\nmode be activated!"}));
    EXPECT_TRUE(Ui().SSISettings->Mode->isEnabled());
    EXPECT_EQ(Ui().SSISettings->Mode->itemIndex(), 1);
    EXPECT_FALSE(Ui().Measurement2->ExtrapolForward->isEnabled());
}

TEST_F(EditingWindow, InternalLinearizationRecomputesTheCycleTimes)
{
    Start({.firmwareVersion = 3960607, .lengthMm = 400, .registers = {{'A', "00000001"}}});
    Click(Ui().Measurement2->Linearisierung);
    EXPECT_EQ(Ui().ExpertSettings->CycleTime->text(), "1435");
    EXPECT_EQ(Ui().ExpertSettings->SyncTiming->text(), "1366");
    EXPECT_EQ(Session().Parameter().ProcessOptions.Value & LinearizationBit, LinearizationBit);
    EXPECT_EQ(Writes().back().substr(0, 2), "RN");
}

// A resolution the sensor does not take is answered by writing the previous resolution,
// scale and offset back; only when that fails too is it a communication error.
TEST_F(EditingWindow, RefusedResolutionWritesThePreviousValuesBack)
{
    struct Case {
        const char* model;
        std::vector<std::string> unheard;
        std::vector<QString> messages;
        bool sessionGoesOn;
    };
    const QString WSeriesResolution = "Resolution must be greater than 10µm (W Series)!\nFor K Serie SSI up to 1µm";
    for (const Case& c : {Case{"WH", {"AN00000003"}, {WSeriesResolution}, true}, Case{"KH", {"AN00000003"}, {}, true},
             Case{"KH", {"AA"}, {"Communication Error"}, false}}) {
        SCOPED_TRACE(c.model + (" without " + c.unheard[0]));
        Start({.model = c.model});
        host->SetFaults({.unanswered = c.unheard});
        Type(Ui().Measurement->Resolution, "3");
        EXPECT_EQ(MessageTexts(), c.messages);
        EXPECT_EQ(host->Register('A'), "00000005");
        EXPECT_EQ(host->Register('S'), "0456C7");
        EXPECT_EQ(Session().Parameter().Resolution.Value, 5);
        EXPECT_EQ(Session().SessionActive(), c.sessionGoesOn);
        EXPECT_EQ(Ui().EEPROMUpdateButton->isEnabled(), c.sessionGoesOn);
        if (c.sessionGoesOn) {
            const std::vector<std::string> writes = Writes();
            ASSERT_GE(writes.size(), 3u);
            EXPECT_EQ(std::vector<std::string>(writes.end() - 3, writes.end()),
                (std::vector<std::string>{"AN00000005", "SN0456C7", "NN000000"}));
            EXPECT_EQ(Ui().ExpertSettings->Scale->text(), "284359");
        }
        form.reset();
        host->Stop();
    }
}

// On a W-series sensor extrapolation shows the synchronous start without writing it; the
// real extrapolation it enables is then refused.
TEST_F(EditingWindow, WSeriesExtrapolationLeavesTheModeUnwritten)
{
    Start({.firmwareVersion = 3960607, .model = "WP"});
    Click(Ui().Measurement2->Extrapolation);
    EXPECT_EQ(Ui().SSISettings->Mode->itemIndex(), 1);
    EXPECT_FALSE(Ui().SSISettings->ControlSettings->isChecked());
    EXPECT_EQ(Session().Parameter().Mode.Value, 0);
    EXPECT_EQ(Writes(), (std::vector<std::string>{"RN00000201"}));
    EXPECT_TRUE(dialogs.shown.empty());

    QCheckBox* forward = Ui().Measurement2->ExtrapolForward;
    ASSERT_TRUE(forward->isEnabled());
    Click(forward);
    EXPECT_EQ(MessageTexts(), (std::vector<QString>{"At W Series not available!"}));
    EXPECT_FALSE(forward->isChecked());
    EXPECT_EQ(Session().Parameter().ProcessOptions.Value & RealExtrapolationBit, 0);
    EXPECT_EQ(Writes().size(), 1u);
}

// The offset register holds the offset in resolution and filter units, doubled while
// positions are in 0.5 µm units.
TEST_F(EditingWindow, OffsetIsWrittenInResolutionAndFilterUnits)
{
    struct Case {
        const char* name;
        std::map<char, std::string> registers;
        const char* write;
    };
    for (const Case& c : {Case{"5 µm", {}, "NN000014"}, Case{"5 µm, grade 4", {{'D', "820119"}}, "NN000050"},
             Case{"0.5 µm", {{'A', "00000001"}, {'S', "2C1000"}}, "NN0000C8"}}) {
        SCOPED_TRACE(c.name);
        Start({.registers = c.registers});
        Type(Ui().Measurement->Offset, "100");
        EXPECT_EQ(Writes().back(), c.write);
        EXPECT_EQ(host->Register('N'), std::string(c.write + 2));
        EXPECT_EQ(ControlColour(Ui().Measurement->Offset), ChangedColour);
        form.reset();
        host->Stop();
    }
}

// A new resolution brings its scale and the offset, recomputed from the offset in µm.
TEST_F(EditingWindow, ResolutionWritesScaleAndOffsetWithIt)
{
    Start({.registers = {{'N', "000014"}}});
    ASSERT_EQ(Ui().Measurement->Offset->text(), "100");
    Type(Ui().Measurement->Resolution, "2");
    EXPECT_EQ(Writes(), (std::vector<std::string>{"AN00000002", "SN0AD8F3", "NN000032"}));
    EXPECT_EQ(Ui().ExpertSettings->Scale->text(), "710899");
    EXPECT_EQ(ControlColour(Ui().Measurement->Resolution), ChangedColour);
    EXPECT_TRUE(Ui().EEPROMUpdateButton->isEnabled());
}

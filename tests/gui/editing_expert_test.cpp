#include <QRadioButton>

#include "editing_fixture.h"

namespace {

// Register Z holds the cycle time above the UART counter (50), M the sync timing above
// the jitter window (50).
std::string CycleRegister(int32_t cycleTime)
{
    return QString("%1").arg((cycleTime << 8) | 0x32, 6, 16, QChar('0')).toUpper().toStdString();
}

}  // namespace

// A length selects the charge pump and the cycle times.
TEST_F(EditingWindow, LengthSetsChargepumpAndCycleTimes)
{
    struct Case {
        const char* length;
        bool linearization;
        int chargepumpItem;
        int32_t cycleTime, syncTiming;
    };
    for (const Case& c : {Case{"500", false, 1, 1617, 956}, Case{"1000", false, 1, 1705, 1705},
             Case{"2000", false, 2, 3202, 3202}, Case{"400", true, 1, 1435, 1366}, Case{"500", true, 1, 1617, 1516}}) {
        SCOPED_TRACE(std::string(c.length) + (c.linearization ? " linearized" : ""));
        if (c.linearization)
            Start({.firmwareVersion = 3960607, .registers = {{'A', "00000001"}, {'R', "00000101"}}});
        else
            Start();
        ASSERT_EQ(Ui().Measurement2->Linearisierung->isChecked(), c.linearization);
        Type(Ui().ExpertSettings->Length, c.length);
        EXPECT_EQ(Ui().ExpertSettings->ChargepumpStages->itemIndex(), c.chargepumpItem);
        EXPECT_EQ(Ui().ExpertSettings->CycleTime->text(), QString::number(c.cycleTime));
        EXPECT_EQ(Ui().ExpertSettings->SyncTiming->text(), QString::number(c.syncTiming));
        EXPECT_EQ(host->Register('Z'), CycleRegister(c.cycleTime));
        EXPECT_EQ(host->Register('M'), CycleRegister(c.syncTiming));
        EXPECT_EQ(ControlColour(Ui().ExpertSettings->CycleTime), ChangedColour);
        EXPECT_TRUE(dialogs.shown.empty());
        form.reset();
        host->Stop();
    }
}

TEST_F(EditingWindow, LengthsAbove10000MmGoInFiftyMillimetreSteps)
{
    Start();
    TLabeledEdit* length = Ui().ExpertSettings->Length;
    Type(length, "10025");
    EXPECT_EQ(MessageTexts(), (std::vector<QString>{"For length greater 10.000 mm only in 50mm steps!"}));
    EXPECT_EQ(length->text(), "10000");
    EXPECT_EQ(Session().Parameter().Length.Value, 10000);
    EXPECT_EQ(host->Register('L'), "KH100F");

    dialogs.shown.clear();
    Type(length, "10050");
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(host->Register('L'), "KH100C");
}

TEST_F(EditingWindow, WbfLengthsSelectTheEightStageChargepump)
{
    Start({.model = "WB"});
    TRadioGroup* chargepump = Ui().ExpertSettings->ChargepumpStages;
    const int before = chargepump->itemIndex();
    Type(Ui().ExpertSettings->Length, "20");
    EXPECT_EQ(chargepump->itemIndex(), before);
    EXPECT_TRUE(WritesOf('J').empty());

    Type(Ui().ExpertSettings->Length, "1601");
    EXPECT_EQ(chargepump->itemIndex(), 7);
    EXPECT_EQ(host->Register('J'), "0000E0");
}

// These sensors only store the length; one above 1000 mm restarts the session.
TEST_F(EditingWindow, ShortLengthFirmwareStoresTheLengthOnly)
{
    Start({.firmwareVersion = 6250001});
    TLabeledEdit* length = Ui().ExpertSettings->Length;
    Type(length, "800");
    EXPECT_EQ(Session().Parameter().Length.Value, 800);
    EXPECT_EQ(ControlColour(length), ChangedColour);
    EXPECT_TRUE(Writes().empty());
    EXPECT_TRUE(Session().SessionActive());

    Type(length, "1200");
    EXPECT_EQ(MessageTexts(), (std::vector<QString>{"Please enter a valid length (1...1000)"}));
    EXPECT_EQ(Session().Parameter().Length.Value, 1000);
    EXPECT_FALSE(Session().SessionActive());
    EXPECT_TRUE(Writes().empty());
}

TEST_F(EditingWindow, UltrasonicSpeedWritesTheScaleAndTheOffsetAgain)
{
    Start({.registers = {{'A', "00000001"}}});
    Type(Ui().ExpertSettings->UltrasonicSpeed, "282000");
    EXPECT_EQ(host->Register('U'), "282000");
    EXPECT_EQ(host->Register('S'), "160800");
    EXPECT_EQ(Ui().ExpertSettings->Scale->text(), "1443840");
    EXPECT_FALSE(WritesOf('N').empty());
    EXPECT_EQ(ControlColour(Ui().Measurement->Offset), WindowColour);
}

// The sensor holds 1 to 8 hexadecimal digits; other text is not written and is reported.
TEST_F(EditingWindow, FactoryNumberIsWrittenAsTheSensorHoldsIt)
{
    Start();
    TLabeledEdit* factoryNumber = Ui().ExpertSettings->FactoryNumber;
    Type(factoryNumber, "ab12");
    EXPECT_EQ(WritesOf('F').back(), "FN0000AB12");
    EXPECT_EQ(host->Register('F'), "0000AB12");

    Type(factoryNumber, "123456789");
    EXPECT_EQ(host->Register('F'), "12345678");
    Leave(factoryNumber, Ui().ExpertSettings->Length);
    EXPECT_EQ(MessageTexts(), (std::vector<QString>{"Please enter a valid factory number"}));
    EXPECT_TRUE(FocusIn(factoryNumber));
    EXPECT_EQ(Session().MissedPolls(), 65535u);
}

TEST_F(EditingWindow, FactoryNumberIsCheckedWhenTheFocusLeavesThePages)
{
    Start();
    Type(Ui().ExpertSettings->CycleTime, "1700");
    Ui().ExpertSettings->FactoryNumber->setText("12g4");
    Ui().EEPROMUpdateButton->setFocus();
    EXPECT_EQ(MessageTexts(), (std::vector<QString>{"Please enter a valid factory number"}));
}

// "abc" passes the exit check as 0 but is never written.
TEST_F(EditingWindow, BlankingAcceptsTextOnExitButNeverWritesIt)
{
    Start({.firmwareVersion = 3960610});
    TLabeledEdit* blanking = Ui().ExpertSettings->Blanking;
    Type(blanking, "abc");
    Leave(blanking, Ui().ExpertSettings->Length);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(WritesOf('W').empty());

    Type(blanking, "300");
    Leave(blanking, Ui().ExpertSettings->Length);
    EXPECT_EQ(MessageTexts(), (std::vector<QString>{"Please enter a valid Blanking time (0..255)"}));
    EXPECT_EQ(host->Register('W'), "0000012C");
}

TEST_F(EditingWindow, OldFirmwareKnowsOnlyTwoModelCodes)
{
    Start({.firmwareVersion = 3960102});
    Click(Ui().ExpertSettings->Model->button(1));
    // The model write is not read back: the sensor may still be taking it.
    EXPECT_TRUE(Eventually([&] { return host->Register('L').substr(0, 2) == "PA"; }));
    form->View().RefreshParameterView();
    EXPECT_EQ(Ui().ExpertSettings->Model->itemIndex(), 1);
}

// The developer's button writes letters the sensor does not take as a model: the
// session ends and the sensor is read again.
TEST_F(EditingWindow, KSerieButtonWritesTheFamilyLettersAndEndsTheSession)
{
    Start({.firmwareVersion = 3960607});
    Click(Ui().ExpertSettings->K_SERIE);
    EXPECT_TRUE(Eventually([&] { return host->Register('L').substr(0, 2) == "AH"; }));
    EXPECT_EQ(MessageTexts(), (std::vector<QString>{"Communication Error"}));
    EXPECT_FALSE(Session().SessionActive());
    EXPECT_EQ(Ui().ExpertSettings->Model->itemIndex(), 0);
}

// A model that cannot be written: the group shows the element again (below firmware
// 3960103 item 4 writes "KH"), loses its mark, and the session ends.
TEST_F(EditingWindow, FailedModelWriteEndsTheSession)
{
    for (const auto& [firmware, shownItem] : {std::pair{3960105, 4}, std::pair{3960102, 0}}) {
        SCOPED_TRACE(firmware);
        Start({.firmwareVersion = firmware});
        host->SetFaults({.unanswered = {"LA"}});
        Click(Ui().ExpertSettings->Model->button(4));
        EXPECT_EQ(MessageTexts(), (std::vector<QString>{"Communication Error"}));
        EXPECT_EQ(Ui().ExpertSettings->Model->itemIndex(), shownItem);
        EXPECT_EQ(ControlColour(Ui().ExpertSettings->Model), ButtonFaceColour());
        EXPECT_EQ(Session().Parameter().Model.Changed, 0);
        EXPECT_FALSE(Session().SessionActive());
        EXPECT_FALSE(Ui().EEPROMUpdateButton->isEnabled());
        EXPECT_TRUE(Writes().empty());
        form.reset();
        host->Stop();
    }
}

// Without a resolution there is no scale to derive: speed and the unchanged scale are
// written, and leaving the field keeps the scale shown. (Reading the set repairs a
// resolution of 0, so the set is given one afterwards.)
TEST_F(EditingWindow, UltrasonicSpeedWithoutResolutionKeepsTheScale)
{
    Start();
    Session().Parameter().Resolution.Value = 0;
    TLabeledEdit* speed = Ui().ExpertSettings->UltrasonicSpeed;
    Type(speed, "282000");
    EXPECT_EQ(host->Register('U'), "282000");
    EXPECT_EQ(host->Register('S'), "0456C7");
    Leave(speed, Ui().ExpertSettings->Length);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(Ui().ExpertSettings->Scale->text(), "284359");
    EXPECT_TRUE(Session().SessionActive());
}

// The eight-stage pump keeps the stage number's bits in reverse order at the top of the register.
TEST_F(EditingWindow, WbfChargepumpStagesAreWrittenBitReversed)
{
    Start({.model = "WB"});
    for (const auto& [item, write] : {std::pair{1, "JN000080"}, std::pair{4, "JN000020"}, std::pair{6, "JN000060"}}) {
        SCOPED_TRACE(item);
        host->ClearLog();
        Click(Ui().ExpertSettings->ChargepumpStages->button(item));
        EXPECT_EQ(Writes(), std::vector<std::string>{write});
    }
}

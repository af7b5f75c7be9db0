#include <QRadioButton>

#include "editing_fixture.h"

namespace {

const sim::SensorSettings WSeriesSensor{.model = "WH"};

}  // namespace

// Each keystroke that leaves a valid bit width writes it; leaving the field checks the rest.
TEST_F(EditingWindow, BitWidthFortyWritesFourThenComplainsOnExit)
{
    Start();
    TLabeledEdit* bitWidth = Ui().SSISettings->BitWidth;
    Type(bitWidth, "40");
    EXPECT_EQ(WritesOf('D'), (std::vector<std::string>{"DN020104"}));
    EXPECT_EQ(ControlColour(bitWidth), ChangedColour);
    EXPECT_TRUE(Ui().EEPROMUpdateButton->isEnabled());

    Leave(bitWidth, Ui().SSISettings->UARTWrites);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].caption, "Parameter out of range");
    EXPECT_EQ(dialogs.shown[0].text, "Please enter a valid bit width (1..32)");
    EXPECT_TRUE(FocusIn(bitWidth));
    EXPECT_EQ(Session().MissedPolls(), 65535u);

    Type(bitWidth, "24");
    Leave(bitWidth, Ui().SSISettings->UARTWrites);
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(Session().MissedPolls(), 0u);
}

// Language code 2 shows no message, but the field still keeps the focus.
TEST_F(EditingWindow, RejectedExitWithoutALanguageStillKeepsTheFocus)
{
    Start({}, 2);
    TLabeledEdit* monoflop = Ui().SSISettings->MonoflopTime;
    Type(monoflop, "101");
    Leave(monoflop, Ui().SSISettings->BitWidth);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(FocusIn(monoflop));
    EXPECT_EQ(Session().MissedPolls(), 65535u);
}

TEST_F(EditingWindow, JitterWindowIsNotCheckedOnFirmwareAbove6250000)
{
    Start({.firmwareVersion = 6250001});
    TLabeledEdit* jitter = Ui().SSISettings->JitterWindow;
    jitter->setText("0");
    Leave(jitter, Ui().SSISettings->BitWidth);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(EditingWindow, ClearingPowerFailSwitchesTheDetectionOffWithAWarning)
{
    Start();
    TLabeledEdit* powerFail = Ui().ErrorIndication->PowerFail;
    ShowPageOf(powerFail);
    powerFail->setFocus();
    powerFail->edit()->selectAll();
    QTest::keyClick(powerFail->edit(), Qt::Key_Backspace);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].caption, "Powerfail");
    EXPECT_EQ(dialogs.shown[0].text, "This will disable the low level voltage detecting!");
    EXPECT_TRUE(FocusIn(powerFail));
    EXPECT_EQ(WritesOf('R').size(), 1u);
    EXPECT_EQ(Session().Parameter().PowerfailTime.Value, 0);
    EXPECT_EQ(host->Register('R').substr(4), "00");
}

// The change handler writes any 32-bit value; the exit check takes a narrower range.
TEST_F(EditingWindow, ErrorValueLimits)
{
    struct Case {
        const char* text;
        int32_t written;
        bool accepted;
    };
    Start();
    TLabeledEdit* errorValue = Ui().ErrorIndication->ErrorValue;
    for (const Case& c : {Case{"2147483601", 2147483601, false}, Case{"2147483648", 214748364, false},
             Case{"-2147483600", -2147483600, true}, Case{"2147483600", 2147483600, true}}) {
        SCOPED_TRACE(c.text);
        dialogs.shown.clear();
        Type(errorValue, c.text);
        EXPECT_EQ(Session().Parameter().ErrorValue.Value, c.written);
        Leave(errorValue, Ui().ErrorIndication->ErrorCount);
        const std::vector<QString> expected
            = c.accepted ? std::vector<QString>{} : std::vector<QString>{"Please enter a valid error value"};
        EXPECT_EQ(MessageTexts(), expected);
    }
}

TEST_F(EditingWindow, WSeriesRefusesTheSynchronousModeAndTheNextGuardedClickWorks)
{
    Start(WSeriesSensor);
    Click(Ui().SSISettings->Mode->button(1));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].caption, "Error");
    EXPECT_EQ(dialogs.shown[0].text, "At W Series not available!");
    EXPECT_EQ(Ui().SSISettings->Mode->itemIndex(), 0);
    EXPECT_EQ(Session().Parameter().Mode.Value, 0);
    EXPECT_FALSE(Ui().SSISettings->ControlSettings->isChecked());
    EXPECT_TRUE(Writes().empty());

    Click(Ui().ExpertSettings->Model->button(3));
    EXPECT_TRUE(Eventually([&] { return host->Register('L').substr(0, 2) == "WP"; }));
}

TEST_F(EditingWindow, WSeriesKeepsTheErrorCounterAtOne)
{
    Start({.model = "WP"}, 1);
    TLabeledEdit* errorCount = Ui().ErrorIndication->ErrorCount;
    TypeAtEnd(errorCount, "5");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Bei W Serie SSI nicht verfügbar!");
    EXPECT_EQ(errorCount->text(), "1");
    EXPECT_FALSE(Ui().SSISettings->ControlSettings->isChecked());
    EXPECT_TRUE(Writes().empty());
}

// Checked means active: the sensor gets "switch on", and the range points are read again.
TEST_F(EditingWindow, SecondErrorValueCheckedSwitchesItOn)
{
    Start();
    QCheckBox* box = Ui().ErrorIndication->ErrorValue2;
    ASSERT_FALSE(box->isChecked());
    Click(box);
    EXPECT_EQ(WritesOf('Y'), (std::vector<std::string>{"YN30000000"}));
    EXPECT_EQ(Session().Parameter().SecErrorValue.Value, 1);
    EXPECT_GT(CountSent("YA00000000"), 0);
    EXPECT_EQ(ControlColour(box), ChangedColour);

    host->ClearLog();
    Click(box);
    EXPECT_EQ(WritesOf('Y'), (std::vector<std::string>{"YN20000000"}));
    form->View().RefreshParameterView();
    EXPECT_FALSE(box->isChecked());
}

TEST_F(EditingWindow, FailedWriteEndsTheSession)
{
    Start();
    host->SetFaults({.dead = true});
    Type(Ui().SSISettings->BitWidth, "7");
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown.back().text, "Communication Error");
    EXPECT_FALSE(Session().SessionActive());
    EXPECT_FALSE(Ui().EEPROMUpdateButton->isEnabled());
    EXPECT_EQ(ControlColour(Ui().SSISettings->BitWidth), ChangedColour);
    EXPECT_EQ(Session().Parameter().BitWidth.Value, 7);
}

TEST_F(EditingWindow, FillingTheViewWritesNothing)
{
    Start({.registers = {{'D', "C20119"}, {'K', "030201"}}});
    form->View().RefreshParameterView();
    EXPECT_TRUE(Writes().empty());
    EXPECT_TRUE(dialogs.shown.empty());
}

// A sensor that reports the second error value active shows the box checked; unchecking
// switches it off.
TEST_F(EditingWindow, SecondErrorValueReportedActiveIsShownChecked)
{
    Start({.secondErrorValue = true});
    QCheckBox* box = Ui().ErrorIndication->ErrorValue2;
    EXPECT_TRUE(box->isChecked());
    Click(box);
    EXPECT_EQ(WritesOf('Y'), (std::vector<std::string>{"YN20000000"}));
    EXPECT_EQ(Session().Parameter().SecErrorValue.Value, 0);
}

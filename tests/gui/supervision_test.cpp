#include "disconnect_warning_form.h"
#include "main_form_fixture.h"
#include "ui_disconnect_warning_form.h"

TEST_F(MainWindow, SessionStartReadsTheSensorAndFillsThePages)
{
    StartWithSensor({.registers = {{'N', "000014"}}});
    EXPECT_EQ(Led(), Red);
    EXPECT_EQ(Status(), "Trying to detect SSI-Sensor");
    EXPECT_FALSE(Ui().ParameterPage->isEnabled());

    Tick();
    EXPECT_TRUE(Session().SessionActive());
    EXPECT_EQ(Led(), Green);
    EXPECT_EQ(Status(), "Communication established on COM-Port 97");
    EXPECT_TRUE(Ui().ParameterPage->isEnabled());
    EXPECT_FALSE(Ui().SelComPort->isVisible());
    EXPECT_TRUE(Ui().FileOpenItem->isEnabled());
    EXPECT_TRUE(Ui().RestoreFactorySettings1->isEnabled());
    EXPECT_FALSE(Ui().FirmwareUpdate->isVisible());
    EXPECT_EQ(Ui().SSISettings->BitWidth->text(), "25");
    EXPECT_EQ(Ui().SSISettings->CodingGroup->itemIndex(), 1);
    EXPECT_EQ(Ui().Measurement->Resolution->text(), "5");
    EXPECT_EQ(Ui().Measurement->Offset->text(), "100");  // 20 µm steps of 5 µm
    EXPECT_EQ(Ui().InfoLabel1->text(), "K-Series SSI (KH)");
    EXPECT_EQ(Ui().InfoLabel2->text(), "500mm");
    EXPECT_EQ(Ui().InfoLabel3->text(), "12345678");
    EXPECT_EQ(Ui().InfoLabel6->text(), "396-01-05");
    EXPECT_EQ(Ui().Measurement2->StartPoint->text(), "not defined");
    EXPECT_EQ(Ui().Measurement2->EndPoint->text(), "not defined");
    EXPECT_EQ(Ui().ExpertSettings->Model->itemIndex(), 0);
    EXPECT_EQ(CountSent("VA"), 1);

    host->ClearLog();
    Tick();
    EXPECT_EQ(Sent(), (std::vector<std::string>{"FA", "TA"}));
}

TEST_F(MainWindow, FailedReadAllLeavesTheFoundStatusAndTriesAgain)
{
    StartWithSensor();
    host->SetFaults({.unanswered = {"NA"}});
    Tick();
    EXPECT_FALSE(Session().SessionActive());
    EXPECT_EQ(Led(), Yellow);
    EXPECT_EQ(Status(), "SSI-Sensor found on COM-Port 97");
    EXPECT_EQ(Session().LastFactoryNumber(), "XXXXXXXX");

    host->SetFaults({});
    Tick();
    EXPECT_TRUE(Session().SessionActive());
    EXPECT_EQ(Led(), Green);
}

TEST_F(MainWindow, UnpluggedSensorWithoutEditsShowsRedAndNoWarning)
{
    StartWithSensor();
    Tick();
    host->Unplug();
    Tick(8);
    EXPECT_EQ(dialogs.FormsShown<TDisconnectWarningForm>(), 0);
    EXPECT_FALSE(Session().SessionActive());
    EXPECT_EQ(Led(), Red);
    EXPECT_EQ(Status(), "COM97: SSI-Sensor not connected...");
    EXPECT_FALSE(Ui().ParameterPage->isEnabled());
    EXPECT_TRUE(Ui().FirmwareUpdate->isVisible());
    EXPECT_FALSE(Ui().FileSaveAsItem->isEnabled());
    EXPECT_EQ(Session().MissedPolls(), 8u);
    EXPECT_EQ(form->Timer1->interval(), 600);
}

TEST_F(MainWindow, UnpluggedSensorWithEditsWarnsOnceOnTheFourthMiss)
{
    StartWithSensor();
    Tick();
    Session().MarkUnsaved();
    host->Unplug();
    std::vector<uint32_t> missedWhenShown;
    QString label;
    AnswerForm<TDisconnectWarningForm>(dialogs, [&](TDisconnectWarningForm& dialog) {
        missedWhenShown.push_back(Session().MissedPolls());
        label = dialog.Controls()->Label->text();
        dialog.done(DialogAbort);
    });
    Tick(3);
    EXPECT_EQ(dialogs.FormsShown<TDisconnectWarningForm>(), 0);
    Tick();
    EXPECT_EQ(dialogs.FormsShown<TDisconnectWarningForm>(), 1);
    EXPECT_EQ(missedWhenShown, std::vector<uint32_t>{4});
    EXPECT_EQ(Status(), "EEPROM-Update: Click Update to save new parameters");
    EXPECT_EQ(label,
        "The sensor has been disconnected, but your settings have not been downloaded.\n\n"
        "To update, connect the sensor and press the \"Update\"-Button.");
    Tick(6);
    EXPECT_EQ(dialogs.FormsShown<TDisconnectWarningForm>(), 1);
    EXPECT_TRUE(Session().UnsavedChanges());
}

TEST_F(MainWindow, RejectedEntryKeepsTheWarningAway)
{
    StartWithSensor();
    Tick();
    Session().MarkUnsaved();
    Session().SetMissedPolls(65535);
    host->Unplug();
    Tick(5);
    EXPECT_EQ(dialogs.FormsShown<TDisconnectWarningForm>(), 0);
    EXPECT_EQ(Session().MissedPolls(), 65535u);
}

TEST_F(MainWindow, UpdateInTheWarningCommitsTheEditsOnceTheSensorIsBack)
{
    StartWithSensor();
    Tick();
    Session().Parameter().BitWidth.Value = 24;
    Session().MarkUnsaved();
    host->Unplug();
    Tick(3);
    AnswerForm<TDisconnectWarningForm>(dialogs, [&](TDisconnectWarningForm& dialog) {
        dialog.UpdateButtonClick();  // the sensor is still away
        EXPECT_EQ(MessageTexts().back(), "Sensor not connected!\n");
        EXPECT_TRUE(dialog.isVisible());
        host->Replug();
        host->LinkAsPort(Port);
        Session().Call(&TSSICom::CheckPort);
        dialog.UpdateButtonClick();
    });
    Tick();
    EXPECT_EQ(dialogs.FormsShown<TDisconnectWarningForm>(), 1);
    EXPECT_EQ(host->Counts().commit, 1);
    EXPECT_EQ(host->Register('D', sim::Bank::Eeprom).substr(4), "18");
    EXPECT_FALSE(Session().UnsavedChanges());
    EXPECT_FALSE(Ui().EEPROMUpdateButton->isEnabled());
    EXPECT_EQ(Led(), Green);
    EXPECT_EQ(Status(), "Communication established on COM-Port 97");
    EXPECT_FALSE(Session().SessionActive());
}

TEST_F(MainWindow, WarningCommitsOldFirmwareWithItsOwnStore)
{
    StartWithSensor({.firmwareVersion = 3960100});
    Tick();
    Session().MarkUnsaved();
    host->SetFaults({.dead = true});
    Tick(3);
    AnswerForm<TDisconnectWarningForm>(dialogs, [&](TDisconnectWarningForm& dialog) {
        host->SetFaults({});
        dialog.UpdateButtonClick();
    });
    Tick();
    EXPECT_EQ(dialogs.FormsShown<TDisconnectWarningForm>(), 1);
    EXPECT_EQ(host->Counts().store, 1);
    EXPECT_EQ(host->Counts().commit, 0);
}

TEST_F(MainWindow, SameSensorBackGetsItsPendingEditsAgain)
{
    StartWithSensor();
    Tick();
    Session().Parameter().BitWidth.Value = 24;
    Session().Call(&TSSICom::WriteBitWidth);
    Session().MarkUnsaved();
    host->Unplug();
    Tick();
    host->Replug();  // powers up with the EEPROM's bit width 25
    host->LinkAsPort(Port);
    host->ClearLog();
    Tick();
    EXPECT_TRUE(Session().SessionActive());
    EXPECT_EQ(CountSent("VA"), 0);  // not read again
    EXPECT_EQ(host->Register('D').substr(4), "18");
    EXPECT_TRUE(Ui().EEPROMUpdateButton->isEnabled());
}

TEST_F(MainWindow, DemoModeScrollsAndBlinks)
{
    StoreSettings(0, 0);
    StartWindow();
    Tick();
    const QString marquee = "DEMO              DEMO              DEMO              ";
    EXPECT_EQ(Status(), marquee);
    EXPECT_EQ(Led(), Green);
    EXPECT_TRUE(Ui().SelComPort->isVisible());
    int toggles = 0;
    QColor previous = Led();
    for (int tick = 1; tick <= 54; ++tick) {
        Tick();
        toggles += Led() != previous;
        previous = Led();
    }
    EXPECT_EQ(Status(), marquee);
    EXPECT_EQ(toggles, 3);
    Tick();
    EXPECT_EQ(Status(), marquee.right(1) + marquee.left(53));
}

TEST_F(MainWindow, OperatingTimeIsShownInYearsToMinutes)
{
    StartWithSensor({.registers = {{'T', "0002A7B0"}}}, 0, "5820463917284630");
    Tick();
    EXPECT_EQ(Ui().ErrorIndication->OpTimeYears->text(), "1");
    EXPECT_EQ(Ui().ErrorIndication->OpTimeMonth->text(), "0");
    EXPECT_EQ(Ui().ErrorIndication->OpTimeDays->text(), "2");
    EXPECT_EQ(Ui().ErrorIndication->OpTimeHours->text(), "12");
    EXPECT_EQ(Ui().ErrorIndication->OpTimeMinutes->text(), "0");
}

TEST_F(MainWindow, LanguageSwitchRestartsTheSessionWithoutReading)
{
    StartWithSensor();
    Tick();
    host->ClearLog();
    form->Deutsch1Click();
    EXPECT_FALSE(Session().SessionActive());
    EXPECT_TRUE(Ui().Deutsch1->isChecked());
    EXPECT_FALSE(Ui().English1->isChecked());
    EXPECT_EQ(Ui().FileMenu->title(), "D&atei");
    EXPECT_EQ(Ui().Language1->title(), "Sprache");
    EXPECT_EQ(Ui().HelpMenu->title(), "Hilfe");
    EXPECT_EQ(QSettings("QOR", "SSI Tesmira").value("Language").toInt(), 1);
    Tick();
    EXPECT_EQ(Status(), "Verbindung hergestellt an COM-Port 97");
    EXPECT_EQ(CountSent("VA"), 0);
    EXPECT_EQ(Ui().Measurement->FilterS->items().front(), "kein Filter");
}

// The warning's Update, with the sensor back: what it sends, the message it gives, and
// whether the edits are still pending afterwards.
class DisconnectWarningUpdate : public MainWindow {
protected:
    struct Outcome {
        std::vector<std::string> sent;
        QString message;
        bool stillOpen = false;
    };
    // Leaves the sensor with pending edits, lets the warning come up and, with the sensor
    // back, prepares it and presses Update once.
    Outcome UpdateWithTheSensorBack(const std::function<void()>& prepare)
    {
        StartWithSensor();
        Tick();
        Session().Parameter().BitWidth.Value = 24;
        Session().MarkUnsaved();
        host->Unplug();
        Tick(3);
        Outcome outcome;
        AnswerForm<TDisconnectWarningForm>(dialogs, [&](TDisconnectWarningForm& dialog) {
            host->Replug();
            host->LinkAsPort(Port);
            Session().Call(&TSSICom::CheckPort);
            prepare();
            host->ClearLog();
            dialog.UpdateButtonClick();
            outcome.sent = Sent();
            outcome.message = dialogs.shown.empty() ? QString() : dialogs.shown.back().text;
            outcome.stillOpen = dialog.isVisible();
            dialog.done(DialogAbort);
        });
        Tick();
        EXPECT_EQ(dialogs.FormsShown<TDisconnectWarningForm>(), 1);
        return outcome;
    }
    static bool WritesAnything(const std::vector<std::string>& sent)
    {
        return std::any_of(sent.begin(), sent.end(), [](const std::string& line) {
            return line.size() >= 2 && line[1] == 'N';  // DN..., CN, EN, ...
        });
    }
};

TEST_F(DisconnectWarningUpdate, AnotherSensorGetsNothingWritten)
{
    const Outcome outcome = UpdateWithTheSensorBack([&] { host->SetRegister('F', "87654321"); });
    EXPECT_FALSE(WritesAnything(outcome.sent));
    EXPECT_EQ(outcome.message,
        "Another sensor is connected (factory number 87654321).\n\n"
        "The settings belong to the sensor 12345678 and have not been downloaded.");
    EXPECT_TRUE(outcome.stillOpen);
    EXPECT_EQ(host->Register('D').substr(4), "19");
    EXPECT_TRUE(Session().UnsavedChanges());
}

TEST_F(DisconnectWarningUpdate, FailedWriteIsReportedAndNothingCommitted)
{
    const Outcome outcome = UpdateWithTheSensorBack([&] { host->SetFaults({.unanswered = {"DN"}}); });
    EXPECT_TRUE(WritesAnything(outcome.sent));
    EXPECT_EQ(host->Counts().commit, 0);
    EXPECT_EQ(outcome.message,
        "The settings could not be downloaded to the sensor.\n\nThey are kept: press \"Update\" to try again.");
    EXPECT_TRUE(outcome.stillOpen);
    EXPECT_TRUE(Session().UnsavedChanges());
    EXPECT_TRUE(Ui().EEPROMUpdateButton->isEnabled());
}

TEST_F(MainWindow, LanguageSwitchWithoutSensorRewordsTheSetShown)
{
    StartWithSensor({.linBytes = {{501, 3}}}, 0, "738164209355");
    Tick();
    EXPECT_EQ(Ui().Measurement2->StartPoint->text(), "not defined");
    EXPECT_EQ(Ui().Measurement2->Linearisierung->text(), "internal linearization");
    host->Unplug();
    Tick();
    form->Deutsch1Click();
    EXPECT_EQ(Ui().Measurement2->StartPoint->text(), "nicht definiert");
    EXPECT_EQ(Ui().Measurement2->EndPoint->text(), "nicht definiert");
    EXPECT_EQ(Ui().Measurement2->Linearisierung->text(), "interne Linearisierung");
    EXPECT_EQ(Ui().Label5->text(), "Zykluszeit:");
}

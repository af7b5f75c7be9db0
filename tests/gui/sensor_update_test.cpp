#include "main_form_fixture.h"

TEST_F(MainWindow, OldFirmwareStoresWithEnAndOnCloseWithoutAsking)
{
    StartWithSensor({.firmwareVersion = 3960100});
    Tick();
    Session().MarkUnsaved();
    Ui().EEPROMUpdateButton->click();
    EXPECT_TRUE(Eventually([&] { return host->Counts().store == 1; }));
    EXPECT_EQ(host->Counts().commit, 0);
    EXPECT_FALSE(Ui().EEPROMUpdateButton->isEnabled());
    EXPECT_GE(host->Counts().wakeUp, 35);

    form->close();
    EXPECT_TRUE(Eventually([&] { return host->Counts().store == 2; }));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(MainWindow, StoreThatCannotBeSentIsACommunicationError)
{
    StartWithSensor({.firmwareVersion = 3960101});
    Tick();
    Session().MarkUnsaved();
    host->Unplug();
    Ui().EEPROMUpdateButton->click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Communication Error");
    EXPECT_TRUE(Session().UnsavedChanges());
    EXPECT_FALSE(Session().SessionActive());
}

TEST_F(MainWindow, CloseAsksBeforeCommittingOnNewFirmware)
{
    for (const auto& [answer, commits] : {std::pair{DialogAnswer::No, 0}, std::pair{DialogAnswer::Yes, 1}}) {
        StartWithSensor({.firmwareVersion = 3960101});
        Tick();
        Session().MarkUnsaved();
        dialogs.answers.push_back(answer);
        form->close();
        Eventually([&] { return host->Counts().commit == commits; });
        ASSERT_FALSE(dialogs.shown.empty());
        EXPECT_EQ(dialogs.shown.back().caption, "EEPROM update");
        EXPECT_EQ(dialogs.shown.back().text, "The changed parameters haven't been saved. Should they be saved now?");
        EXPECT_EQ(host->Counts().commit, commits);
        EXPECT_GE(CountSent("DN020119"), 1);  // the mode is written once more
        form.reset();
        host->Stop();
    }
}

TEST_F(MainWindow, ChangedResolutionWarnsAboutATaughtRange)
{
    for (const auto& [startPoint, warned] : {std::pair{2000u, true}, std::pair{0u, false}}) {
        StartWithSensor({.firmwareVersion = 3960107, .startPoint = startPoint});
        Tick();
        Session().Parameter().Resolution.Changed = 1;
        Session().MarkUnsaved();
        dialogs.shown.clear();
        Ui().EEPROMUpdateButton->click();
        ASSERT_EQ(dialogs.shown.size(), warned ? 1u : 0u);
        if (warned) {
            EXPECT_EQ(dialogs.shown[0].caption, "Resolution changed!");
        }
        EXPECT_EQ(host->Counts().commit, 1);
        EXPECT_EQ(Session().Parameter().Resolution.Changed, 0);
        form.reset();
        host->Stop();
    }
}

TEST_F(MainWindow, ReadFactorySettingsInDemoColoursEveryControl)
{
    StoreSettings(0, 0, "738164209355");
    StartWindow();
    Session().Call(&TSSICom::LoadDemoDefaults);
    Tick();
    Session().Parameter().BitWidth.Value = 13;
    Ui().ExpertSettings2->ReadFactoryButton->click();
    EXPECT_EQ(Ui().SSISettings->BitWidth->text(), "25");
    EXPECT_EQ(ControlColour(Ui().SSISettings->BitWidth), ChangedColour);
    EXPECT_EQ(ControlColour(Ui().Measurement->FilterS), ChangedColour);
    EXPECT_EQ(ControlColour(Ui().Measurement2->IgnoreSsiClkNum), ChangedColour);
    EXPECT_TRUE(Ui().EEPROMUpdateButton->isEnabled());
}

TEST_F(MainWindow, RestoreFactorySettingsReadsAndCommits)
{
    StartWithSensor({.firmwareVersion = 3960105});
    Tick();
    host->SetRegister('D', "020110", sim::Bank::Factory);
    dialogs.answers.push_back(DialogAnswer::Yes);
    Ui().RestoreFactorySettings1->trigger();
    EXPECT_EQ(dialogs.shown.front().caption, "Overwrite User Settings?");
    EXPECT_EQ(host->Counts().factoryRestore, 1);
    EXPECT_EQ(host->Counts().commit, 1);
    EXPECT_EQ(Ui().SSISettings->BitWidth->text(), "16");
    EXPECT_EQ(ControlColour(Ui().SSISettings->BitWidth), WindowColour);
    EXPECT_FALSE(Ui().EEPROMUpdateButton->isEnabled());

    dialogs.answers.push_back(DialogAnswer::No);
    Ui().RestoreFactorySettings1->trigger();
    EXPECT_EQ(host->Counts().factoryRestore, 1);
}

TEST_F(MainWindow, ClosingBeforeTheSensorWasReadSendsNothing)
{
    StartWithSensor();
    form->close();
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(host->Counts().store, 0);
}

TEST_F(MainWindow, UpdateWithoutSessionIsIgnored)
{
    StartWithSensor();
    form->Update().EEPROMUpdateButtonClick();
    form->Update().ReadFactoryButtonClick();
    EXPECT_EQ(host->Counts().commit + host->Counts().factoryRestore, 0);
}

// Any failed firmware read clears its Valid flag; the set read before still stands.
TEST_F(MainWindow, CloseAsksAlsoAfterAFailedFirmwareRead)
{
    StartWithSensor({.firmwareVersion = 3960101});
    Tick();
    Session().MarkUnsaved();
    host->SetFaults({.unanswered = {"VA"}});
    EXPECT_FALSE(Session().Call(&TSSICom::ReadFirmwareVersion));
    host->SetFaults({});
    form->close();
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown.back().caption, "EEPROM update");
    EXPECT_TRUE(Eventually([&] { return host->Counts().commit == 1; }));
}

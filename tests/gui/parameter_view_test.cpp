#include "main_form_fixture.h"

TEST_F(MainWindow, TemperatureBitForcesBitWidth24OnNewFirmware)
{
    StartWithSensor({.firmwareVersion = 3960607, .registers = {{'D', "020114"}, {'K', "020001"}}});
    Tick();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].caption, "Info");
    EXPECT_EQ(dialogs.shown[0].text,
        "Number of data bits will be automatically\ncorrected to 24 because temperature bit is set");
    EXPECT_EQ(Ui().SSISettings->BitWidth->text(), "24");
    EXPECT_FALSE(Ui().SSISettings->BitWidth->isEnabled());
    EXPECT_EQ(ControlColour(Ui().SSISettings->BitWidth), ChangedColour);
    EXPECT_TRUE(Ui().EEPROMUpdateButton->isEnabled());
    EXPECT_EQ(host->Register('D'), "020118");

    form->View().RefreshParameterView();
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST_F(MainWindow, NoCorrectionUpToFirmware3960606)
{
    StartWithSensor({.firmwareVersion = 3960606, .registers = {{'D', "020114"}, {'K', "020001"}}});
    Tick();
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(Ui().SSISettings->BitWidth->text(), "20");
    EXPECT_TRUE(Ui().SSISettings->BitWidth->isEnabled());
}

TEST_F(MainWindow, VelocityModeForcesTheFilterOff)
{
    StartWithSensor({.firmwareVersion = 3960607, .registers = {{'D', "820119"}, {'K', "000201"}}}, 1);
    Tick();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text,
        "Die Filtereinstellung wird\nautomatisch zu 0 korrigiert, da der\nGeschwindigkeitsmodus aktiv ist");
    EXPECT_EQ(Ui().Measurement->FilterS->itemIndex(), 0);
    EXPECT_FALSE(Ui().Measurement->FilterS->isEnabled());
    EXPECT_EQ(host->Register('D'), "020119");
}

TEST_F(MainWindow, FailedCorrectionEndsTheSession)
{
    StartWithSensor({.firmwareVersion = 3960607, .registers = {{'D', "020114"}, {'K', "020001"}}});
    host->SetFaults({.unanswered = {"DN"}});
    Tick();
    EXPECT_EQ(MessageTexts().back(), "Communication Error");
    EXPECT_FALSE(Session().SessionActive());
    EXPECT_FALSE(Ui().EEPROMUpdateButton->isEnabled());
}

TEST_F(MainWindow, ModelLettersDecideCodeTypeAndGroups)
{
    struct Case {
        const char* letters;
        const char* code;
        const char* type;
        int modelIndex;
        int chargepumpItems;
    };
    for (const Case& c : {Case{"PA", "KP", "K-Series SSI (KP)", 1, 3}, Case{"WB", "WBF", "W-Series SSI (WBF)", -1, 8},
             Case{"VP", "VP", "V-Series SSI (VP)", -1, 3}, Case{"ZZ", "", "QOR Sensors SSI", -1, 3}}) {
        SCOPED_TRACE(c.letters);
        StartWithSensor({.model = c.letters}, 0, "5820463917284630");
        Tick();
        EXPECT_EQ(Session().ModelCode(), c.code);
        EXPECT_EQ(Ui().InfoLabel1->text(), c.type);
        EXPECT_EQ(Ui().ExpertSettings->Model->itemIndex(), c.modelIndex);
        EXPECT_EQ(Ui().ExpertSettings->ChargepumpStages->items().size(), c.chargepumpItems);
        const bool wbf = c.chargepumpItems == 8;
        EXPECT_EQ(Ui().ExpertSettings->ChargepumpStages->height(), wbf ? 180 : 84);
        EXPECT_EQ(Ui().ExpertSettings->Model->isVisibleTo(Ui().ExpertSettings), !wbf);
        EXPECT_EQ(Ui().ExpertSettings->K_SERIE->isVisibleTo(Ui().ExpertSettings), !wbf);
        form.reset();
        host->Stop();
    }
}

TEST_F(MainWindow, OffsetIsShownInMicrometresByFirmware)
{
    for (const auto& [firmware, shown] : {std::pair{3960105, "125"}, std::pair{3960405, "100"}}) {
        SCOPED_TRACE(firmware);
        StartWithSensor({.firmwareVersion = firmware, .registers = {{'N', "000064"}, {'D', "820119"}}});
        Tick();
        EXPECT_EQ(Ui().Measurement->Offset->text(), shown);
        form.reset();
        host->Stop();
    }
}

TEST_F(MainWindow, RangePointsAreShownAndChecked)
{
    StartWithSensor({.registers = {{'N', "000014"}}, .startPoint = 2000});
    Tick();
    EXPECT_EQ(Ui().Measurement2->StartPoint->text(), "10.100 mm");
    EXPECT_EQ(Ui().Measurement2->EndPoint->text(), "not defined");
    EXPECT_TRUE(form->SensorTest().ShowRangePoints());

    host->WithModel([](sim::SensorModel& sensor) {
        sensor.Registers(sim::Bank::Working).startPoint = 1000;
        sensor.Registers(sim::Bank::Working).endPoint = 1000;
    });
    EXPECT_FALSE(form->SensorTest().ShowRangePoints());
    EXPECT_EQ(dialogs.shown.back().caption, "Measurement range error");

    host->SetFaults({.unanswered = {"YA"}});
    EXPECT_FALSE(form->SensorTest().ShowRangePoints());
    EXPECT_EQ(dialogs.shown.back().text, "Can't read the startpoint!");
    EXPECT_EQ(Session().Parameter().StartPoint.Valid, 0);
}

TEST_F(MainWindow, LinearizationFactorNamesTheCheckBox)
{
    for (const auto& [factor, caption] : {std::pair{0, "exclude reflection"}, std::pair{3, "internal linearization"}}) {
        SCOPED_TRACE(factor);
        StartWithSensor({.linBytes = {{200, 7}, {501, static_cast<uint8_t>(factor)}}}, 0, "738164209355");
        Tick();
        EXPECT_EQ(Ui().Measurement2->Linearisierung->text(), caption);
        EXPECT_EQ(Ui().LinPage->AdresLabel->text(), "200");
        EXPECT_EQ(Ui().LinPage->ValueLabel->text(), "7");
        EXPECT_EQ(Ui().LinPage->FactorLabel->text(), QString::number(factor));
        EXPECT_FALSE(Ui().LinPage->WriteLinValue->isEnabled());
        form.reset();
        host->Stop();
    }
}

// The correction is written before the pages are filled; its message comes once the page
// shows the value it talks about.
TEST_F(MainWindow, CorrectionMessageComesWithTheCorrectedValueOnScreen)
{
    struct Watching : ScriptedDialogService {
        std::function<void()> onMessage;
        DialogAnswer Message(QWidget* parent, const QString& caption, const QString& text, DialogButtons buttons,
            DialogIcon icon, const QStringList& buttonTexts) override
        {
            onMessage();
            return ScriptedDialogService::Message(parent, caption, text, buttons, icon, buttonTexts);
        }
    } watching;
    QString shownWithMessage;
    watching.onMessage = [&] { shownWithMessage = Ui().SSISettings->BitWidth->text(); };
    windowDialogs = &watching;
    StartWithSensor({.firmwareVersion = 3960607, .registers = {{'D', "020114"}, {'K', "020001"}}});
    Tick();
    ASSERT_EQ(watching.shown.size(), 1u);
    EXPECT_EQ(shownWithMessage, "24");
    const std::vector<std::string> sent = Sent();
    const auto write = std::find(sent.begin(), sent.end(), "DN020118");
    const auto lastLinearizationRead = std::find_if(sent.rbegin(), sent.rend(), [](const std::string& line) {
        return line.rfind("XA", 0) == 0;
    }).base();
    EXPECT_LT(write, lastLinearizationRead);  // the correction goes out before the page's reads
    form.reset();                             // while watching is still there
}

#include <QListWidget>
#include <QTest>

#include "about_form.h"
#include "com_port_select_form.h"
#include "language_select.h"
#include "main_form_fixture.h"
#include "ui_about_form.h"
#include "ui_com_port_select_form.h"

namespace {

QStringList Items(const QListWidget& list)
{
    QStringList items;
    for (int row = 0; row < list.count(); ++row)
        items << list.item(row)->text();
    return items;
}

}  // namespace

TEST_F(MainWindow, FirstStartAsksLanguageThenPortAndRemembersBoth)
{
    AttachSensor();
    std::vector<std::string> order;
    QStringList portItems;
    AnswerForm<TLanguageSelect>(dialogs, [&](TLanguageSelect& dialog) {
        order.push_back("language");
        dialog.DeutschbuttonClick();
    });
    AnswerForm<TComPortSelectForm>(dialogs, [&](TComPortSelectForm& dialog) {
        order.push_back("port");
        portItems = Items(*dialog.Controls()->ComListe);
        EXPECT_EQ(dialog.Controls()->Connect->text(), "&Verbinden");
        dialog.Controls()->ComListe->setCurrentRow(static_cast<int>(portItems.indexOf("COM 97")));
        dialog.ComListeClick();
        dialog.accept();
    });
    StartWindow();

    EXPECT_EQ(order, (std::vector<std::string>{"language", "port"}));
    ASSERT_FALSE(portItems.isEmpty());
    EXPECT_EQ(portItems.front(), "Demo");
    EXPECT_TRUE(portItems.contains("COM 97"));
    QStringList ports = portItems.mid(1);
    QStringList sorted = ports;
    std::sort(sorted.begin(), sorted.end(),
        [](const QString& a, const QString& b) { return a.mid(4).toInt() < b.mid(4).toInt(); });
    EXPECT_EQ(ports, sorted);

    QSettings store("QOR", "SSI Tesmira");
    EXPECT_EQ(store.value("Language").toInt(), 1);
    EXPECT_EQ(store.value("COM-Port").toInt(), Port);
    EXPECT_EQ(Session().LanguageCode(), 1);
    EXPECT_EQ(Session().Link().PortNumber(), Port);
    EXPECT_EQ(form->windowTitle(), "QOR SSI-Tesmira 5.3.10");
    EXPECT_TRUE(form->isVisible());
}

TEST_F(MainWindow, DemoChosenLoadsDemoValuesAndStoresNoPort)
{
    StoreSettings(0, std::nullopt);
    AnswerForm<TComPortSelectForm>(dialogs, [](TComPortSelectForm& dialog) {
        dialog.Controls()->ComListe->setCurrentRow(0);
        dialog.ComListeClick();
        dialog.accept();
    });
    StartWindow();
    EXPECT_EQ(Session().ComPortNumber(), 0);
    EXPECT_TRUE(Session().Link().IsDemo());
    EXPECT_EQ(Session().Parameter().BitWidth.Value, 25);
    EXPECT_FALSE(QSettings("QOR", "SSI Tesmira").contains("COM-Port"));

    Tick();
    EXPECT_TRUE(Session().SessionActive());
    EXPECT_EQ(Ui().SSISettings->BitWidth->text(), "25");
    EXPECT_TRUE(Ui().SelComPort->isVisible());
    EXPECT_EQ(Status().size(), 54);
}

TEST_F(MainWindow, QuitInThePortDialogEndsTheProgram)
{
    StoreSettings(0, std::nullopt);
    AnswerForm<TComPortSelectForm>(dialogs, [](TComPortSelectForm& dialog) { dialog.done(DialogAbort); });
    StartWindow();
    EXPECT_TRUE(form->TerminationRequested());
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(QSettings("QOR", "SSI Tesmira").contains("COM-Port"));
}

TEST_F(MainWindow, StoredPortIsOpenedWithoutDialogAndItsLowByteCounts)
{
    AttachSensor();
    StoreSettings(0, 256 + Port);
    StartWindow();
    EXPECT_EQ(dialogs.FormsShown<TComPortSelectForm>(), 0);
    EXPECT_EQ(Session().ComPortNumber(), Port);
    EXPECT_TRUE(Session().Link().IsOpen());
}

TEST_F(MainWindow, StoredPortThatIsMissingOrNoNumberBringsUpTheDialog)
{
    for (const QVariant& stored : {QVariant(Port), QVariant("xyz")}) {
        SCOPED_TRACE(stored.toString().toStdString());
        StoreSettings(0, std::nullopt);
        QSettings("QOR", "SSI Tesmira").setValue("COM-Port", stored);
        dialogs.shownForms.clear();
        AnswerForm<TComPortSelectForm>(dialogs, [](TComPortSelectForm& dialog) {
            dialog.Controls()->ComListe->setCurrentRow(0);
            dialog.ComListeClick();
            dialog.accept();
        });
        StartWindow();
        EXPECT_EQ(dialogs.FormsShown<TComPortSelectForm>(), 1);
        EXPECT_EQ(Session().ComPortNumber(), 0);
        form.reset();
    }
}

TEST_F(MainWindow, AccessLevelsShowTheirControls)
{
    struct Case {
        QString key;
        bool expertPages, firmwarePage, slowAverage, operatingTime, factorEditable, developer;
    };
    for (const Case& c : {Case{"", false, false, false, false, false, false},
             Case{"738164209355", true, true, true, false, false, false},
             Case{"738164209355 ", false, false, false, false, false, false},
             Case{"5820463917284630", true, true, true, true, true, true}}) {
        SCOPED_TRACE(c.key.toStdString());
        QSettings("QOR", "SSI Tesmira").clear();
        StoreSettings(0, 0, c.key);
        StartWindow();
        const QTabWidget& pages = *Ui().ParameterPage;
        EXPECT_EQ(pages.isTabVisible(pages.indexOf(Ui().ExpertSettings)), c.expertPages);
        EXPECT_EQ(pages.isTabVisible(pages.indexOf(Ui().LinPage)), c.expertPages);
        EXPECT_EQ(pages.isTabVisible(pages.indexOf(Ui().Firmware)), c.firmwarePage);
        EXPECT_EQ(Ui().Measurement->SlowAvarageFilter->isVisibleTo(Ui().Measurement), c.slowAverage);
        EXPECT_EQ(Ui().ErrorIndication->OpTimeYears->isVisibleTo(Ui().ErrorIndication), c.operatingTime);
        EXPECT_EQ(Ui().LinPage->FactorLabel->isReadOnly(), !c.factorEditable);
        EXPECT_EQ(Session().DeveloperAccess(), c.developer);
        form.reset();
    }
}

TEST_F(MainWindow, AboutShowsTheBuild)
{
    StoreSettings(0, 0);
    StartWindow();
    QString closeLabel;
    AnswerForm<TAboutForm>(dialogs, [&](TAboutForm& dialog) {
        closeLabel = dialog.Controls()->CloseLabel->text();
        dialog.accept();
    });
    form->HelpAbout();
    EXPECT_EQ(closeLabel, "Build: 5.3.10.0");
}

TEST_F(MainWindow, PortDialogFromTheRunningWindowClosesOnQuitAndKeepsTheSession)
{
    StartWithSensor();
    Tick();
    for (const bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "Escape" : "Quit");
        dialogs.shownForms.clear();
        AnswerForm<TComPortSelectForm>(dialogs, [&](TComPortSelectForm& dialog) {
            EXPECT_FALSE(dialog.Controls()->Connect->isEnabled());
            if (escape)
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else
                dialog.Controls()->Quit->click();
        });
        form->SelComPortClick();
        EXPECT_EQ(dialogs.FormsShown<TComPortSelectForm>(), 1);
        EXPECT_FALSE(form->TerminationRequested());
        EXPECT_TRUE(Session().SessionActive());
        EXPECT_EQ(Session().ComPortNumber(), Port);
        host->ClearLog();
        Tick();
        EXPECT_EQ(Sent(), (std::vector<std::string>{"FA", "TA"}));
    }
}

TEST_F(MainWindow, ConnectWaitsUntilAPortIsChosen)
{
    TComPortSelectForm dialog;
    EXPECT_FALSE(dialog.Controls()->Connect->isEnabled());
    dialog.Controls()->ComListe->setCurrentRow(0);
    EXPECT_TRUE(dialog.Controls()->Connect->isEnabled());
    EXPECT_EQ(dialog.Selection(), 0);
}

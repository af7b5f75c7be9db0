#include <QListWidget>

#include "../support/read_only_folder.h"
#include "../support/watched_fifo.h"
#include "com_port_select_form.h"
#include "language_select.h"
#include "main_form_fixture.h"
#include "settings_store.h"
#include "ui_com_port_select_form.h"

namespace {

std::filesystem::path StoreFile() { return SettingsStore().Location().toStdString(); }

// Answers the port dialog with the simulated sensor's port.
void ChooseSensorPort(TComPortSelectForm& dialog)
{
    QListWidget& list = *dialog.Controls()->ComListe;
    list.setCurrentItem(list.findItems("COM 97", Qt::MatchExactly).value(0));
    dialog.ComListeClick();
    dialog.accept();
}

}  // namespace

TEST_F(MainWindow, StoreThatIsAFifoIsLeftAloneAndTheWindowStartsWithOneWarning)
{
    AttachSensor();
    const WatchedFifo fifo(StoreFile());
    AnswerForm<TLanguageSelect>(dialogs, [](TLanguageSelect& dialog) { dialog.EnglishbuttonClick(); });
    AnswerForm<TComPortSelectForm>(dialogs, ChooseSensorPort);
    StartWindow();
    EXPECT_FALSE(fifo.WasOpened());
    EXPECT_TRUE(fifo.StillAFifo());
    EXPECT_EQ(dialogs.FormsShown<TLanguageSelect>(), 1);
    EXPECT_EQ(dialogs.FormsShown<TComPortSelectForm>(), 1);
    EXPECT_TRUE(form->isVisible());
    Tick();
    EXPECT_TRUE(Session().SessionActive());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].caption, "Settings");
}

TEST_F(MainWindow, ReadOnlySettingsFolderIsReportedOnceInTheChosenLanguage)
{
    AttachSensor();
    const struct {
        bool german;
        QString caption, text;
    } cases[] = {
        {false, "Settings",
            "The settings cannot be saved. The program goes on, but your choices last only until it ends.\n\n"},
        {true, "Einstellungen",
            "Die Einstellungen können nicht gespeichert werden. Das Programm läuft weiter, aber Ihre Auswahl gilt nur "
            "bis zum Programmende.\n\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption.toStdString());
        QSettings("QOR", "SSI Tesmira").clear();
        dialogs.shown.clear();
        dialogs.shownForms.clear();
        {
            const ReadOnlyFolder readOnly(StoreFile().parent_path());
            AnswerForm<TLanguageSelect>(dialogs,
                [&](TLanguageSelect& dialog) { c.german ? dialog.DeutschbuttonClick() : dialog.EnglishbuttonClick(); });
            AnswerForm<TComPortSelectForm>(dialogs, ChooseSensorPort);
            StartWindow();
            EXPECT_EQ(dialogs.FormsShown<TComPortSelectForm>(), 1);
            Tick();
            EXPECT_TRUE(Session().SessionActive());
            form->English1Click();
        }
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].caption, c.caption);
        EXPECT_EQ(dialogs.shown[0].text, c.text + QString::fromStdString(StoreFile().string()));
        EXPECT_EQ(dialogs.shown[0].icon, DialogIcon::Warning);
        form.reset();
    }
}

// With a language code that has no texts the report waits for a language.
TEST_F(MainWindow, UnsavedSettingsAreReportedOnceThereIsALanguage)
{
    AttachSensor();
    StoreSettings(7, std::nullopt);
    const ReadOnlyFolder readOnly(StoreFile().parent_path());
    AnswerForm<TComPortSelectForm>(dialogs, ChooseSensorPort);
    StartWindow();
    EXPECT_EQ(dialogs.FormsShown<TComPortSelectForm>(), 1);
    EXPECT_TRUE(dialogs.shown.empty());
    form->Deutsch1Click();
    form->English1Click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].caption, "Einstellungen");
}

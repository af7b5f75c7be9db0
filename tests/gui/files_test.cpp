#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "../support/read_only_folder.h"
#include "editing_rules.h"
#include "file_forms.h"
#include "main_form_fixture.h"
#include "parameter_file_store.h"
#include "ui_file_comment_form.h"
#include "ui_open_parameters_form.h"
#include "wire_format.h"

namespace {

// The registers that a whole-set write sets; the factory number (F), firmware (V) and
// operating time (T) are the sensor's own.
constexpr std::string_view kWrittenRegisters = "ADKMZJOSNPRULWi";

const sim::SensorSettings kOtherSensor{.lengthMm = 1000,
    .factoryNumber = "87654321",
    .registers = {{'A', "00000010"}, {'M', "04B028"}, {'O', "000010"}, {'R', "00000003"}}};

// What the confirmation showed.
struct Confirmation {
    QString caption, date, info, differences, question, yes, no;
};

class FilesWindow : public MainWindow {
protected:
    void SetUp() override
    {
        MainWindow::SetUp();
        QDir(BackupRoot()).removeRecursively();
    }

    static QString BackupRoot()
    {
        return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/QOR/backups";
    }
    QStringList Backups(const QString& factoryNumber) const
    {
        return QDir(BackupRoot() + "/" + factoryNumber).entryList({"*.qor"}, QDir::Files, QDir::Name);
    }
    QString Path(const QString& name) const { return folder.filePath(name); }

    // "Save as..." from the menu to path; the comment dialog gets the comment entered and is then left with
    // OK, or closed by its frame.
    void SaveAs(const QString& path, const QString& comment = {}, bool closeByFrame = false)
    {
        dialogs.fileNames.push_back(path);
        AnswerForm<TFileCommentForm>(dialogs, [&](TFileCommentForm& dialog) {
            commentCaption = dialog.windowTitle();
            dialog.Controls()->CommentField->insertPlainText(comment);
            closeByFrame ? dialog.reject() : dialog.Controls()->Button1->click();
        });
        commentDialogs = FormsShownBy<TFileCommentForm>([&] { Ui().FileSaveAsItem->trigger(); });
    }

    // "Open..." from the menu of path, answered Yes or No.
    void Open(const QString& path, bool yes)
    {
        dialogs.fileNames.push_back(path);
        AnswerForm<TOpenParametersForm>(dialogs, [&](TOpenParametersForm& dialog) {
            const Ui::TOpenParametersForm& ui = *dialog.Controls();
            confirmation = {dialog.windowTitle(), ui.SaveDate->text(), ui.TextEdit->toPlainText(),
                ui.Differences->toPlainText(), ui.Label1->text(), ui.OKButton->text(), ui.CancelButton->text()};
            (yes ? ui.OKButton : ui.CancelButton)->click();
        });
        confirmations = FormsShownBy<TOpenParametersForm>([&] {
            Ui().FileOpenItem->trigger();
            WaitForOperation();
        });
    }
    // How many forms of the class the menu command brought up; an answer it did not use is
    // dropped, so that it cannot answer a later form.
    template <class Form> int FormsShownBy(const std::function<void()>& command)
    {
        const int before = dialogs.FormsShown<Form>();
        command();
        dialogs.forms.clear();
        return dialogs.FormsShown<Form>() - before;
    }

    static ParameterFileContents Read(const QString& path)
    {
        auto read = ReadParameterFile(path);
        EXPECT_TRUE(std::holds_alternative<ParameterFileContents>(read));
        return std::holds_alternative<ParameterFileContents>(read) ? std::get<ParameterFileContents>(read)
                                                                   : ParameterFileContents{};
    }
    void WriteFile(const QString& path, const TSSICom::ParameterStruct& set) const
    {
        ASSERT_TRUE(WriteParameterFile(path, BuildParameterFile("", {2020, 4, 30}, set)).isEmpty());
    }
    static void WriteBytes(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QByteArray Contents(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    bool SentAnyWrite() const
    {
        for (const std::string& command : Sent())
            if (command.size() > 2 && command[1] == 'N')
                return true;
        return false;
    }
    std::map<char, std::string> Registers() const
    {
        std::map<char, std::string> registers;
        for (const char letter : kWrittenRegisters)
            registers[letter] = host->Register(letter);
        return registers;
    }

    QTemporaryDir folder;
    QString commentCaption;
    int commentDialogs = 0;
    Confirmation confirmation;
    int confirmations = 0;
};

}  // namespace

// A set saved from one sensor loads into another: the second sensor's registers become the
// first's, its factory number and firmware stay its own.
TEST_F(FilesWindow, SetSavedFromOneSensorLoadsIntoAnother)
{
    StartWithSensor();
    Tick();
    SaveAs(Path("Sensor.qor"), "Line 1\nLänge");
    const std::map<char, std::string> first = Registers();
    const ParameterFileContents saved = Read(Path("Sensor.qor"));
    EXPECT_EQ(commentCaption, "File Comment");
    EXPECT_EQ(saved.infoText, "QOR K-Serie SSI\nVersion: SSI-Tesmira 5.3.10\n\nLine 1\r\nL\xE4nge");
    EXPECT_EQ(saved.dateText, QDate::currentDate().toString("yyyy-MM-dd").toStdString());
    for (int index = 0; index < StoredValueCount; ++index)
        EXPECT_EQ(saved.values[static_cast<size_t>(index)], Session().Parameter()[index].Value);

    form.reset();
    host->Stop();
    StartWithSensor(kOtherSensor);
    Tick();
    host->ClearLog();
    Open(Path("Sensor.qor"), true);

    EXPECT_EQ(Registers(), first);
    EXPECT_EQ(host->Register('F'), "87654321");
    EXPECT_EQ(confirmation.caption, "Open and Download Sensor Parameter");
    EXPECT_EQ(confirmation.info, "QOR K-Serie SSI\nVersion: SSI-Tesmira 5.3.10\n\nLine 1\nLänge");
    EXPECT_EQ(confirmation.date, saved.dateText.c_str());
    EXPECT_TRUE(confirmation.differences.contains("Resolution: 10 -> 5")) << confirmation.differences.toStdString();
    EXPECT_TRUE(confirmation.differences.contains("Length: 1000 -> 500"));
    EXPECT_EQ(Ui().ExpertSettings->Length->text(), "500");
    EXPECT_EQ(ControlColour(Ui().ExpertSettings->UltrasonicSpeed), WindowColour);
    EXPECT_EQ(Session().Parameter().UltrasonicSpeed.Changed, 0);
    EXPECT_TRUE(Session().UnsavedChanges());
    EXPECT_TRUE(Ui().EEPROMUpdateButton->isEnabled());
    EXPECT_TRUE(Ui().ParameterPage->isEnabled());
    EXPECT_EQ(host->Counts().commit, 0);  // committing is left to the user
    EXPECT_TRUE(dialogs.shown.empty());
}

// The file's firmware stays in the confirmation; the sensor keeps its own, which decides its
// commands. The 0.5 micron scale of the file is recomputed for the sensor's 1 micron.
TEST_F(FilesWindow, LoadKeepsTheSensorsFirmwareAndRecomputesTheScale)
{
    StartWithSensor();
    Tick();
    TSSICom::ParameterStruct file = Session().Parameter();
    const int32_t sampleTime = file.SSISampleTime.Value;
    file.FirmwareVersion.Value = 3960607;
    file.SSISampleTime.Value = sampleTime + 99;
    file.Resolution.Value = 1;
    file.Scale.Value = 0x230000;
    WriteFile(Path("other.qor"), file);
    Open(Path("other.qor"), true);

    EXPECT_TRUE(confirmation.differences.contains("FirmwareVersion: 3960105 -> 3960607"));
    EXPECT_EQ(Session().Parameter().FirmwareVersion.Value, 3960105);
    EXPECT_EQ(Session().Parameter().SSISampleTime.Value, sampleTime);
    EXPECT_EQ(host->Register('A'), "00000001");
    EXPECT_EQ(HexToInt(host->Register('S')), ScaleForResolution(file.UltrasonicSpeed.Value, 1));
    EXPECT_EQ(CountSent("CN"), 0);
}

TEST_F(FilesWindow, NoInTheConfirmationChangesNothing)
{
    StartWithSensor();
    Tick();
    TSSICom::ParameterStruct file = Session().Parameter();
    file.Length.Value = 2000;
    WriteFile(Path("long.qor"), file);
    const TSSICom::ParameterStruct before = Session().Parameter();
    host->ClearLog();
    Open(Path("long.qor"), false);

    EXPECT_EQ(confirmations, 1);
    EXPECT_EQ(confirmation.differences, "Length: 500 -> 2000");
    EXPECT_TRUE(Sent().empty());
    for (int index = 0; index < TSSICom::ParameterStruct::Count; ++index)
        EXPECT_EQ(Session().Parameter()[index].Value, before[index].Value);
    EXPECT_TRUE(Backups("12345678").isEmpty());
    EXPECT_FALSE(Session().UnsavedChanges());
}

// The sensor's set is saved before anything is sent; without a backup nothing is sent.
TEST_F(FilesWindow, EveryLoadIsBackedUpFirst)
{
    StartWithSensor();
    Tick();
    TSSICom::ParameterStruct file = Session().Parameter();
    file.Length.Value = 2000;
    WriteFile(Path("long.qor"), file);
    Open(Path("long.qor"), true);

    ASSERT_EQ(Backups("12345678").size(), 1);
    const ParameterFileContents backup = Read(BackupRoot() + "/12345678/" + Backups("12345678").front());
    EXPECT_EQ(backup.values[11], 500);
    EXPECT_EQ(InfoTextLines(backup.infoText).back(), "Backup before loading long.qor");
    EXPECT_EQ(Session().Parameter().Length.Value, 2000);

    host->ClearLog();
    dialogs.shown.clear();
    {
        ReadOnlyFolder readOnly((BackupRoot() + "/12345678").toStdString());
        Open(Path("long.qor"), true);
    }
    EXPECT_FALSE(SentAnyWrite());
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(dialogs.shown[0].text.startsWith("The sensor's parameters could not be backed up"));
}

TEST_F(FilesWindow, SensorThatStopsAnsweringDuringTheLoadEndsTheSession)
{
    StartWithSensor();
    Tick();
    WriteFile(Path("Sensor.qor"), Session().Parameter());
    host->SetFaults({.commandsBeforeDeath = 70});  // the last elements of the write go unanswered
    Open(Path("Sensor.qor"), true);

    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].caption, "Communication Error");
    EXPECT_EQ(dialogs.shown[0].text, "Error while writing parameters to sensor");
    EXPECT_FALSE(Session().SessionActive());
    EXPECT_FALSE(Session().UnsavedChanges());
    EXPECT_FALSE(Ui().ParameterPage->isEnabled());
    EXPECT_EQ(Session().Parameter().Length.Value, 0);
    EXPECT_EQ(Session().Parameter().Length.ReadCommand, Session().Link().Parameter.Length.ReadCommand);
    EXPECT_FALSE(Session().Parameter().Length.ReadCommand.empty());

    host->SetFaults({});
    Tick(3);
    EXPECT_TRUE(Session().SessionActive());
    EXPECT_TRUE(Ui().ParameterPage->isEnabled());
    EXPECT_EQ(Session().Parameter().Length.Value, 500);
}

TEST_F(FilesWindow, OverwriteQuestionNoKeepsTheFile)
{
    StartWithSensor({}, 1);
    Tick();
    WriteBytes(Path("Sensor.qor"), "keep");
    dialogs.answers.push_back(DialogAnswer::No);
    SaveAs(Path("Sensor.qor"), "x");

    EXPECT_EQ(Contents(Path("Sensor.qor")), "keep");
    EXPECT_EQ(commentDialogs, 0);
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].caption, "Datei speichern");
    EXPECT_EQ(dialogs.shown[0].text, "Datei existiert bereits. Überschreiben?");
    EXPECT_EQ(dialogs.shown[0].buttonTexts, (QStringList{"&Ja", "&Nein"}));
    ASSERT_EQ(dialogs.fileRequests.size(), 1);
    EXPECT_EQ(dialogs.fileRequests[0].filter, "Sensorparameter (*.qor)|*.qor");
    EXPECT_EQ(dialogs.fileRequests[0].defaultExtension, "qor");
    EXPECT_EQ(dialogs.fileRequests[0].fileName, "Sensor.qor");
}

// Yes, then the comment dialog closed by its frame: the file is written, comment empty.
TEST_F(FilesWindow, CommentDialogClosedByItsFrameStillSaves)
{
    StartWithSensor({}, 1);
    Tick();
    WriteBytes(Path("Sensor.qor"), "old");
    SaveAs(Path("Sensor.qor"), {}, true);

    EXPECT_EQ(commentCaption, "Dateikommentar");
    EXPECT_EQ(InfoTextLines(Read(Path("Sensor.qor")).infoText),
        (std::vector<std::string>{"QOR K-Serie SSI", "Version: SSI-Tesmira 5.3.10", ""}));
}

// A file that cannot be written is reported; the file that was there stays as it was.
TEST_F(FilesWindow, FailedSaveKeepsTheOldFile)
{
    StartWithSensor();
    Tick();
    WriteBytes(Path("Sensor.qor"), "old");
    {
        ReadOnlyFolder readOnly(folder.path().toStdString());
        SaveAs(Path("Sensor.qor"), "x");
    }
    EXPECT_EQ(Contents(Path("Sensor.qor")), "old");
    ASSERT_EQ(dialogs.shown.size(), 2);  // the overwrite question, then the failure
    EXPECT_EQ(dialogs.shown[1].caption, "Error while saving data");
    EXPECT_EQ(dialogs.shown[1].text, "Unable to open file");
}

TEST_F(FilesWindow, FilesThatCannotBeLoadedChangeNothing)
{
    StartWithSensor({}, 1);
    Tick();
    WriteBytes(Path("small.qor"), "abc");
    WriteBytes(Path("big.qor"), QByteArray(65536, 0));
    TSSICom::ParameterStruct set = Session().Parameter();
    std::vector<uint8_t> foreign = BuildParameterFile("", {2020, 4, 30}, set);
    RotateLeft2(foreign);
    foreign[4] = 'q';
    RotateRight2(foreign);
    ASSERT_TRUE(WriteParameterFile(Path("foreign.qor"), foreign).isEmpty());

    const struct {
        const char* file;
        const char* caption;
        const char* text;
    } cases[] = {
        {"missing.qor", "Datei nicht gefunden", "Datei nicht gefunden"},
        {"small.qor", "Fehler", "Fehler in Datei"},
        {"big.qor", "Fehler", "Datei ist zu groß"},
        {"foreign.qor", "Fehler", "Datei ist nicht kompatibel"},
    };
    host->ClearLog();
    for (const auto& test : cases) {
        dialogs.shown.clear();
        Open(Path(test.file), true);
        ASSERT_EQ(dialogs.shown.size(), 1) << test.file;
        EXPECT_EQ(dialogs.shown[0].caption, test.caption) << test.file;
        EXPECT_EQ(dialogs.shown[0].text, test.text) << test.file;
    }
    EXPECT_EQ(confirmations, 0);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(dialogs.fileRequests.back().defaultExtension, ".qor");
}

TEST_F(FilesWindow, FileNotFoundSpeaksInEveryLanguage)
{
    StartWithSensor({}, 2);
    Tick();
    Open(Path("missing.qor"), true);
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].caption, "Warning");
    EXPECT_EQ(dialogs.shown[0].text, "File not found         ");
    EXPECT_EQ(dialogs.shown[0].icon, DialogIcon::Warning);
}

TEST_F(FilesWindow, ConfirmationSpeaksGerman)
{
    StartWithSensor({}, 1);
    Tick();
    WriteFile(Path("Sensor.qor"), Session().Parameter());
    Open(Path("Sensor.qor"), false);
    EXPECT_EQ(confirmation.caption, "Öffnen und Herunterladen der Sensorparameter");
    EXPECT_EQ(confirmation.question, "Diese Datei laden?");
    EXPECT_EQ(confirmation.yes, "Ja");
    EXPECT_EQ(confirmation.no, "Nein");
    EXPECT_EQ(confirmation.date, "2020-04-30");
    EXPECT_EQ(confirmation.differences, "keine: die Datei enthält die Werte des Sensors");
}

TEST_F(FilesWindow, FactorySettingsAreRestoredOnlyAfterABackup)
{
    StartWithSensor();
    Tick();
    ASSERT_TRUE(QDir().mkpath(BackupRoot()));
    {
        ReadOnlyFolder readOnly(BackupRoot().toStdString());
        Ui().RestoreFactorySettings1->trigger();
    }
    EXPECT_EQ(host->Counts().factoryRestore, 0);
    EXPECT_EQ(host->Counts().commit, 0);

    Ui().RestoreFactorySettings1->trigger();
    EXPECT_EQ(host->Counts().factoryRestore, 1);
    ASSERT_EQ(Backups("12345678").size(), 1);
    const ParameterFileContents backup = Read(BackupRoot() + "/12345678/" + Backups("12345678").front());
    EXPECT_EQ(InfoTextLines(backup.infoText).back(), "Backup before restoring the factory settings");
}

// The comment takes 512 characters as the file stores them: a line break counts two.
TEST(FileCommentForm, KeepsTheCommentWithinTheFilesLimit)
{
    TFileCommentForm dialog(nullptr);
    dialog.Controls()->CommentField->insertPlainText(QString(600, 'a'));
    EXPECT_EQ(dialog.Comment().size(), 512);

    dialog.Controls()->CommentField->clear();
    dialog.Controls()->CommentField->insertPlainText(QString("ab\n").repeated(200));
    EXPECT_EQ(FileComment(dialog.Comment().toStdString()).size(), 512);
    EXPECT_TRUE(dialog.Comment().endsWith("ab\n"));
}

// The whole-set write runs as a long operation: "n of N" in the status line while the
// window's loop goes on, the controls that would start another exchange disabled, and
// every write on the wire in the usual order.
TEST_F(FilesWindow, LoadShowsItsProgressAndHoldsTheLink)
{
    StartWithSensor();
    Tick();
    WriteFile(Path("Sensor.qor"), Session().Parameter());
    std::vector<QString> progress;
    bool controlsDisabled = true;
    QObject::connect(Ui().StatusLine, &QStatusBar::messageChanged, [&](const QString& text) {
        if (text.isEmpty())
            return;
        progress.push_back(text);
        controlsDisabled = controlsDisabled && !Ui().FileOpenItem->isEnabled() && !Ui().SelComPort->isEnabled()
            && !Ui().SSISettings->isEnabled() && !Ui().RestoreFactorySettings1->isEnabled() && Session().LinkBusy();
    });
    int writes = 0;
    QObject::connect(&Session(), &SensorSession::LinkHeldChanged, [&](bool held) {
        for (const std::string& command : held ? std::vector<std::string>{} : Sent())
            writes += command.size() > 2 && command[1] == 'N' ? 1 : 0;
    });
    host->ClearLog();
    Open(Path("Sensor.qor"), true);

    ASSERT_GE(progress.size(), 2u);
    const QRegularExpression pattern("^Loading the file into the sensor: (\\d+) of (\\d+)$");
    int last = 0;
    for (const QString& text : progress) {
        const QRegularExpressionMatch match = pattern.match(text);
        ASSERT_TRUE(match.hasMatch()) << text.toStdString();
        EXPECT_GT(match.captured(1).toInt(), last);
        last = match.captured(1).toInt();
    }
    const QRegularExpressionMatch final = pattern.match(progress.back());
    EXPECT_EQ(final.captured(1), final.captured(2));
    EXPECT_EQ(writes, final.captured(2).toInt());
    EXPECT_TRUE(controlsDisabled);
    EXPECT_TRUE(Ui().StatusLine->currentMessage().isEmpty());
    EXPECT_TRUE(Ui().FileOpenItem->isEnabled());
    EXPECT_TRUE(Ui().SSISettings->isEnabled());
    EXPECT_TRUE(dialogs.shown.empty());
}

// Closing the window during the load asks first: No lets the load go on, Yes stops it
// between two writes; the window says so and closes once the load has ended, and nothing
// is stored in the sensor's EEPROM.
TEST_F(FilesWindow, ClosingDuringTheLoadAsksAndStopsIt)
{
    StartWithSensor();
    Tick();
    WriteFile(Path("Sensor.qor"), Session().Parameter());
    int closes = 0;
    QObject::connect(Ui().StatusLine, &QStatusBar::messageChanged, [&](const QString& text) {
        if (!text.isEmpty() && ++closes <= 2)
            QTimer::singleShot(0, form.get(), &QWidget::close);
    });
    dialogs.answers = {DialogAnswer::No, DialogAnswer::Yes};
    Open(Path("Sensor.qor"), true);

    ASSERT_EQ(dialogs.shown.size(), 3u);
    EXPECT_EQ(dialogs.shown[0].caption, "Sensor operation running");
    EXPECT_EQ(dialogs.shown[0].buttons, DialogButtons::YesNo);
    EXPECT_EQ(dialogs.shown[1].caption, "Sensor operation running");
    EXPECT_EQ(dialogs.shown[2].caption, "Loading stopped");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form->isVisible(); }, 2000));
    EXPECT_FALSE(Session().SessionActive());
    EXPECT_EQ(host->Counts().store + host->Counts().commit, 0);
}

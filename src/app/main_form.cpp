#include "main_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QTabWidget>

#include "about_form.h"
#include "com_port_select_form.h"
#include "control_colours.h"
#include "dialog_service.h"
#include "language_select.h"
#include "protocol_sleep.h"
#include "session_rules.h"
#include "settings_store.h"
#include "texts.h"
#include "ui_about_form.h"
#include "ui_main_form.h"

namespace {

constexpr int HintHidePauseMs = 10000;
constexpr uint32_t StartUpPauseMs = 500;

QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent), ui(std::make_unique<Ui::TMainForm>())
{
    Timer1 = new QTimer(this);
    Timer1->setInterval(SupervisionIntervalMs);
    connect(Timer1, &QTimer::timeout, this, &TMainForm::IdleFunction);
    RunStartUp();
}

// The RTS pulse tells the adapter that the program lets go of the sensor.
TMainForm::~TMainForm()
{
    if (SSICom) {
        SSICom->SetRts();
        SleepMs(100);
        SSICom->ClearRts();
        SSICom.reset();
    }
}

void TMainForm::RunStartUp()
{
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    ConnectSignals();
    setWindowTitle(texts::MainCaption);
    ui->EEPROMUpdateButton->setEnabled(false);
    ui->ParameterPage->setEnabled(false);
    ui->RestoreFactorySettings1->setEnabled(false);
    ui->FileOpenItem->setEnabled(false);
    ui->FileSaveAsItem->setEnabled(false);
    ui->Print->setVisible(true);
    ui->Print->setEnabled(true);
    ui->HelpContentsItem->setVisible(false);
    for (QWidget* control : findChildren<QWidget*>())
        control->setToolTipDuration(HintHidePauseMs);

    std::unique_ptr<TAboutForm> splash(SplashFadeIn());
    setWindowTitle(texts::MainCaptionPrefix + splash->Controls()->Label1->text());

    const SettingsStore settings;
    ChooseLanguage(settings);
    ui->ParameterPage->setTabVisible(ui->ParameterPage->indexOf(ui->Firmware), false);
    ApplyAccessLevel(settings.Value("FactoryKey").toString());
    ApplyLanguage();
    ui->ParameterPage->setCurrentWidget(ui->SSISettings);
    ConnectAtStart();
    SleepMs(StartUpPauseMs);
    if (!terminationRequested_)
        show();
}

TAboutForm* TMainForm::SplashFadeIn()
{
    auto* splash = new TAboutForm();
    splash->setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    splash->Controls()->CloseLabel->hide();
    splash->setWindowOpacity(0.0);
    splash->show();
    for (int alpha = 1; alpha < 255; alpha += 4) {
        splash->setWindowOpacity(alpha / 255.0);
        splash->repaint();
    }
    return splash;
}

void TMainForm::ChooseLanguage(const SettingsStore& settings)
{
    if (settings.Contains("Language")) {
        LanguageCode = LowByte(settings.Value("Language").toInt());
        return;
    }
    TLanguageSelect dialog(this);
    dialog.exec();
    dialog.raise();
    LanguageCode = dialog.Code();
    SaveSetting("Language", LanguageCode);
}

void TMainForm::ApplyAccessLevel(const QString& factoryKey)
{
    const AccessEffects effects = AccessEffectsFor(AccessLevelFor(factoryKey.toStdString()));
    for (QWidget* page : std::initializer_list<QWidget*>{ui->ExpertSettings, ui->ExpertSettings2, ui->LinPage})
        ui->ParameterPage->setTabVisible(ui->ParameterPage->indexOf(page), effects.showProtectedPages);
    ui->ParameterPage->setTabVisible(ui->ParameterPage->indexOf(ui->Firmware), effects.showFirmwarePage);
    for (const char* name : effects.shownControls)
        if (QWidget* control = findChild<QWidget*>(name))
            control->setVisible(true);
    ui->LinPage->FactorLabel->setReadOnly(!effects.factorLabelEditable);
    DeveloperAccess = effects.developerAccess;
}

void TMainForm::ConnectAtStart()
{
    const std::optional<int> storedPort = SettingsStore().ComPort();
    SSICom = std::make_unique<TSSICom>();
    if (!storedPort) {
        if (ChoosePortInDialog())
            SSICom->OpenSensorPort(ComPortNumber);
        return;
    }
    ComPortNumber = LowByte(*storedPort);
    if (ComPortNumber != 0 && !SSICom->PortExists(ComPortNumber))
        SelComPortClick();
    else
        SSICom->OpenSensorPort(ComPortNumber);
}

// Shows the port dialog; on Connect takes its choice (a real port is remembered, Demo
// loads the demonstration values), on Quit asks the program to end.
bool TMainForm::ChoosePortInDialog()
{
    TComPortSelectForm dialog(parentWidget());
    dialog.SetCaptions(LanguageCode);
    if (dialog.exec() != QDialog::Accepted) {
        terminationRequested_ = true;
        QApplication::quit();
        return false;
    }
    ComPortNumber = dialog.Selection();
    if (ComPortNumber != 0)
        SaveSetting("COM-Port", ComPortNumber);
    else
        SSICom->LoadDemoDefaults();
    return true;
}

void TMainForm::SaveSetting(const QString& key, int value)
{
    SettingsStore settings;
    if (!settings.Write(key, value) && !settingsNotSavedShown_)
        settingsNotSavedShown_
            = ShowMessage(texts::SettingsNotSaved, DialogButtons::Ok, DialogIcon::Warning, settings.Location())
                  .has_value();
}

void TMainForm::SelComPortClick()
{
    SSICom->Close();
    ChoosePortInDialog();
    SSICom->OpenSensorPort(ComPortNumber);
}

void TMainForm::FileExit() { close(); }

void TMainForm::HelpAbout()
{
    TAboutForm about;
    about.Controls()->CloseLabel->setText(QString(texts::BuildPrefix) + SSI_TESMIRA_FILE_VERSION);
    about.exec();
}

void TMainForm::MarkUnsaved()
{
    UnsavedChanges = true;
    ui->EEPROMUpdateButton->setEnabled(true);
}

void TMainForm::MarkSaved()
{
    UnsavedChanges = false;
    ui->EEPROMUpdateButton->setEnabled(false);
}

void TMainForm::ReportCommunicationError()
{
    ShowMessage(texts::CommunicationError, DialogButtons::Ok, DialogIcon::Error);
}

std::optional<DialogAnswer> TMainForm::ShowMessage(
    const BilingualMessage& message, DialogButtons buttons, DialogIcon icon, const QString& detail)
{
    const std::optional<MessageText> text = Pick(message, LanguageCode);
    if (!text)
        return std::nullopt;
    return Dialogs().Message(this, FromUtf8(text->caption), FromUtf8(text->text) + detail, buttons, icon);
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    Timer1->start();
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
}

void TMainForm::ConnectSignals()
{
    connect(ui->SelComPort, &QPushButton::clicked, this, &TMainForm::SelComPortClick);
    connect(ui->FileExitItem, &QAction::triggered, this, &TMainForm::FileExit);
    connect(ui->HelpAboutItem, &QAction::triggered, this, &TMainForm::HelpAbout);
    connect(ui->English1, &QAction::triggered, this, &TMainForm::English1Click);
    connect(ui->Deutsch1, &QAction::triggered, this, &TMainForm::Deutsch1Click);
    connect(ui->EEPROMUpdateButton, &QPushButton::clicked, this, &TMainForm::EEPROMUpdateButtonClick);
    connect(ui->ExpertSettings2->ReadFactoryButton, &QPushButton::clicked, this, &TMainForm::ReadFactoryButtonClick);
    connect(ui->ExpertSettings2->WriteFactoryButton, &QPushButton::clicked, this, &TMainForm::WriteFactoryButtonClick);
    connect(ui->RestoreFactorySettings1, &QAction::triggered, this, &TMainForm::RestoreFactorySettings1Click);
}

#include "main_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QTabWidget>
#include <utility>

#include "about_form.h"
#include "com_port_select_form.h"
#include "dialog_service.h"
#include "editing_controller.h"
#include "files_controller.h"
#include "firmware_controller.h"
#include "language_select.h"
#include "linearization_controller.h"
#include "operation_guard.h"
#include "parameter_view.h"
#include "reports_controller.h"
#include "sensor_test_controller.h"
#include "sensor_session.h"
#include "sensor_update.h"
#include "session_dialogs.h"
#include "session_rules.h"
#include "settings_store.h"
#include "supervision.h"
#include "texts.h"
#include "ui_about_form.h"
#include "ui_main_form.h"

namespace {

constexpr int HintHidePauseMs = 10000;
constexpr uint32_t StartUpPauseMs = 500;

}  // namespace

TMainForm::TMainForm(DialogService& dialogs, TSerialCom::Sleeper linkSleep, QWidget* parent) :
    QMainWindow(parent),
    ui(std::make_unique<Ui::TMainForm>()),
    dialogs_(dialogs),
    session_(std::make_unique<SensorSession>(std::move(linkSleep)))
{
    ui->setupUi(this);
    CreateAreaControllers();
    view_ = std::make_unique<ParameterView>(
        *session_, *ui, AreaViews{*editing_, *linearization_, *firmware_, *sensorTest_}, [this] { ApplyLanguage(); });
    supervision_ = std::make_unique<Supervision>(*session_, dialogs_, *ui, *Timer1, *view_, this);
    sensorUpdate_ = std::make_unique<SensorUpdate>(*session_, dialogs_, *ui, *Timer1, *view_, this);
    operationGuard_ = std::make_unique<OperationGuard>(*session_, *ui);
    connect(session_.get(), &SensorSession::OperationEnded, this, [this] {
        if (std::exchange(closeAfterOperation_, false))
            QTimer::singleShot(0, this, &QWidget::close);
    });
    connect(qApp, &QCoreApplication::aboutToQuit, this, &TMainForm::LetGoOfSensor);
    RunStartUp();
}

void TMainForm::CreateAreaControllers()
{
    SensorSession& session = *session_;
    editing_ = std::make_unique<EditingController>(session, dialogs_,
        EditingPages{*ui->ParameterPage, *ui->SSISettings, *ui->ErrorIndication, *ui->Measurement, *ui->Measurement2,
            *ui->ExpertSettings, *ui->ExpertSettings2},
        [this] { sensorTest_->ShowRangePoints(); });
    files_ = std::make_unique<FilesController>(session, dialogs_,
        FileLoadView{*this, *ui->FileOpenItem, *ui->FileSaveAsItem, *ui->ParameterPage,
            *ui->ExpertSettings->UltrasonicSpeed, [this] { view_->RefreshParameterView(); },
            [this] { editing_->OnEditUltrasonicSpeed(); }});
    sensorTest_ = std::make_unique<SensorTestController>(session, dialogs_, *ui->Measurement, *ui->Measurement2);
    firmware_ = std::make_unique<FirmwareController>(session, dialogs_, *ui->Firmware);
    linearization_ = std::make_unique<LinearizationController>(session, dialogs_, *ui->LinPage);
    reports_ = std::make_unique<ReportsController>(session, dialogs_, *ui->Print);
}

TMainForm::~TMainForm() { Timer1->stop(); }

void TMainForm::RunStartUp()
{
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
    session_->Run([](TSSICom& link) { link.Sleep(StartUpPauseMs); });
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
        session_->SetLanguageCode(LowByte(settings.Value("Language").toInt()));
        return;
    }
    TLanguageSelect dialog(this);
    dialogs_.ShowForm(dialog);
    dialog.raise();
    session_->SetLanguageCode(dialog.Code());
    SaveSetting("Language", dialog.Code());
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
    session_->SetDeveloperAccess(effects.developerAccess);
}

void TMainForm::ConnectAtStart()
{
    const std::optional<int> storedPort = SettingsStore().ComPort();
    if (!storedPort) {
        if (ChoosePortInDialog(PortDialogOrigin::StartUp))
            OpenChosenPort();
        return;
    }
    const uint8_t port = LowByte(*storedPort);
    session_->SetComPortNumber(port);
    if (port != 0 && !session_->Run([port](TSSICom& link) { return link.PortExists(port); }))
        ChoosePortAgain(PortDialogOrigin::StartUp);
    else
        OpenChosenPort();
}

// Shows the port dialog and takes its choice: a real port is remembered, Demo loads the
// demonstration values. Quit (or Escape) at start-up ends the program; from the running
// window it only closes the dialog.
bool TMainForm::ChoosePortInDialog(PortDialogOrigin origin)
{
    TComPortSelectForm dialog(parentWidget());
    dialog.SetCaptions(session_->LanguageCode());
    if (dialogs_.ShowForm(dialog) != QDialog::Accepted) {
        if (origin == PortDialogOrigin::StartUp) {
            terminationRequested_ = true;
            QApplication::quit();
        }
        return false;
    }
    session_->SetComPortNumber(dialog.Selection());
    if (dialog.Selection() != 0)
        SaveSetting("COM-Port", dialog.Selection());
    else
        session_->Call(&TSSICom::LoadDemoDefaults);
    return true;
}

void TMainForm::OpenChosenPort()
{
    if (!terminationRequested_)
        session_->Call(&TSSICom::OpenSensorPort, session_->ComPortNumber());
}

void TMainForm::SaveSetting(const QString& key, int value)
{
    SettingsStore settings;
    if (!settings.Write(key, value) && !settingsNotSavedShown_)
        settingsNotSavedShown_ = ShowMessage(dialogs_, this, session_->LanguageCode(), texts::SettingsNotSaved,
            DialogButtons::Ok, DialogIcon::Warning, settings.Location())
                                     .has_value();
}

void TMainForm::SelComPortClick() { ChoosePortAgain(PortDialogOrigin::PortButton); }

// The port is let go while the dialog runs, so that it is listed; without a new choice
// the same port is opened again.
void TMainForm::ChoosePortAgain(PortDialogOrigin origin)
{
    session_->Call(&TSSICom::Close);
    ChoosePortInDialog(origin);
    OpenChosenPort();
}

void TMainForm::FileExit() { close(); }

void TMainForm::HelpAbout()
{
    TAboutForm about;
    about.Controls()->CloseLabel->setText(QString(texts::BuildPrefix) + SSI_TESMIRA_FILE_VERSION);
    dialogs_.ShowForm(about);
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    Timer1->start();
}

// A long operation is stopped only when the user insists; the window closes once it has
// ended. The session lets go of the sensor while every part of the window still exists.
void TMainForm::closeEvent(QCloseEvent* event)
{
    if (session_->LinkHeld()) {
        event->ignore();
        if (AskToStopOperation()) {
            closeAfterOperation_ = true;
            session_->CancelOperation();
        }
        return;
    }
    sensorUpdate_->FormClose();
    LetGoOfSensor();
    event->accept();
}

bool TMainForm::AskToStopOperation()
{
    return ShowMessage(dialogs_, this, session_->LanguageCode(), texts::StopOperationQuestion, DialogButtons::YesNo,
               DialogIcon::Question)
        == DialogAnswer::Yes;
}

void TMainForm::LetGoOfSensor()
{
    Timer1->stop();
    session_->Release();
}

void TMainForm::ConnectSignals()
{
    connect(ui->SelComPort, &QPushButton::clicked, this, &TMainForm::SelComPortClick);
    connect(ui->FileExitItem, &QAction::triggered, this, &TMainForm::FileExit);
    connect(ui->HelpAboutItem, &QAction::triggered, this, &TMainForm::HelpAbout);
    connect(ui->English1, &QAction::triggered, this, &TMainForm::English1Click);
    connect(ui->Deutsch1, &QAction::triggered, this, &TMainForm::Deutsch1Click);
}

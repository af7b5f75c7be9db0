#include <QApplication>

#include "control_colours.h"
#include "disconnect_warning_form.h"
#include "main_form.h"
#include "session_rules.h"
#include "ui_main_form.h"

namespace {

constexpr int MissingSensorIntervalMs = 600;

QColor ColourOf(LedColour colour)
{
    const Rgb rgb = RgbOf(colour);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

LedColour LedColourOf(const QColor& colour)
{
    for (LedColour candidate : {LedColour::Red, LedColour::Yellow, LedColour::Green})
        if (ColourOf(candidate) == colour)
            return candidate;
    return LedColour::Red;
}

}  // namespace

// One tick of the supervision: is the sensor there, and what follows from it.
void TMainForm::IdleFunction()
{
    if (SSICom)
        SSICom->Purge();
    Timer1->stop();
    Timer1->setInterval(SupervisionIntervalMs);
    if (SSICom) {
        if (SensorAnswers())
            OnSensorPresent();
        else
            OnSensorMissing();
    }
    Timer1->start();
}

// In demo mode the port check always fails and does not count.
bool TMainForm::SensorAnswers()
{
    if (!SSICom->CheckPort() && ComPortNumber != 0)
        return false;
    return SSICom->ReadFactoryNumber();
}

void TMainForm::OnSensorPresent()
{
    MissedPolls = 0;
    if (ComPortNumber == 0)
        UpdateStatusDisplay(static_cast<int>(StatusKind::Demo), "1");
    if (!SessionActive && !StartSession())
        return;
    SSICom->ReadOperatingTime();
    ShowOperatingTime();
}

// A new sensor is read whole; the same sensor back with pending edits gets them again.
bool TMainForm::StartSession()
{
    SessionActive = true;
    WaitCursor hourglass;
    SetLedColour(ColourOf(LedColour::Yellow));
    const std::string port = std::to_string(SSICom->PortNumber());
    UpdateStatusDisplay(static_cast<int>(StatusKind::Found), port);
    const std::string& factoryNumber = SSICom->Parameter.FactoryNumber.Reply;
    if (factoryNumber != LastFactoryNumber) {
        LastFactoryNumber = factoryNumber;
        MarkSaved();
        if (!SSICom->ReadAll()) {
            SessionActive = false;
            LastFactoryNumber = "XXXXXXXX";
            return false;
        }
    } else if (UnsavedChanges) {
        SSICom->WriteAll();
        MarkUnsaved();
    }
    RefreshParameterView();
    SetLedColour(ColourOf(LedColour::Green));
    UpdateStatusDisplay(static_cast<int>(StatusKind::Connected), port);
    ui->SelComPort->setVisible(ComPortNumber == 0);
    if (ComPortNumber == 0)
        UpdateStatusDisplay(static_cast<int>(StatusKind::Demo), "");
    SetSessionControls(true);
    return true;
}

void TMainForm::OnSensorMissing()
{
    // The edit that has the focus gets its exit event while the session still counts.
    if (QWidget* focused = QApplication::focusWidget())
        focused->clearFocus();
    ui->SelComPort->setVisible(true);
    SessionActive = false;
    SetSessionControls(false);
    SetLedColour(ColourOf(LedColour::Red));
    UpdateStatusDisplay(static_cast<int>(StatusKind::NotConnected), "0");
    MissedPolls = NextMissedPolls(MissedPolls);
    if (DisconnectWarningDue(MissedPolls, UnsavedChanges)) {
        OfferDisconnectWarning();
        return;
    }
    Timer1->setInterval(MissingSensorIntervalMs);
    SSICom->WakeUp();
}

void TMainForm::OfferDisconnectWarning()
{
    UpdateStatusDisplay(static_cast<int>(StatusKind::UpdateHint), "0");
    TDisconnectWarningForm warning(*SSICom, this);
    if (warning.exec() == QDialog::Accepted) {
        SetLedColour(ColourOf(LedColour::Green));
        UpdateStatusDisplay(static_cast<int>(StatusKind::Connected), std::to_string(SSICom->PortNumber()));
        UnsavedChanges = false;
        MarkSaved();
        SSICom->ReadAllStrict();
        RefreshParameterView();
    }
    ++MissedPolls;
    Timer1->setInterval(SupervisionIntervalMs);
}

void TMainForm::SetSessionControls(bool sessionRunning)
{
    const SupervisionControls state = sessionRunning
        ? SessionStartControls(SSICom->Parameter.FirmwareVersion.Value, ComPortNumber == 0)
        : SensorMissingControls();
    ui->ParameterPage->setEnabled(state.parameterPageEnabled);
    ui->RestoreFactorySettings1->setEnabled(state.restoreFactoryEnabled);
    for (QAction* item : {ui->FileOpenItem, ui->FileSaveAsItem, ui->TestSensor, ui->Print})
        item->setEnabled(state.fileAndTestItemsEnabled);
    ui->FirmwareUpdate->setVisible(state.firmwareUpdateVisible);
    ui->N4->setVisible(state.firmwareUpdateVisible);
    ui->SelComPort->setVisible(state.selComPortVisible);
}

void TMainForm::ShowOperatingTime()
{
    const OperatingTimeDisplay time = OperatingTimeFor(static_cast<uint32_t>(SSICom->Parameter.OperatingTime.Value));
    ui->ErrorIndication->OpTimeMinutes->setText(QString::number(time.minutes));
    ui->ErrorIndication->OpTimeMinutes->repaint();
    ui->ErrorIndication->OpTimeHours->setText(QString::number(time.hours));
    ui->ErrorIndication->OpTimeDays->setText(QString::number(time.days));
    ui->ErrorIndication->OpTimeMonth->setText(QString::number(time.months));
    ui->ErrorIndication->OpTimeYears->setText(QString::number(time.years));
}

void TMainForm::SetLedColour(const QColor& colour) { ui->StatusLED->setColour(colour); }

void TMainForm::UpdateStatusDisplay(int kind, const std::string& text)
{
    const std::optional<StatusUpdate> update
        = UpdateStatus(kind, text, LanguageCode, ComPortNumber, ui->StatusText->text().toStdString());
    if (update) {
        ui->StatusText->setText(QString::fromStdString(update->text));
        if (update->toggleLed)
            SetLedColour(ColourOf(ToggledLed(LedColourOf(ui->StatusLED->colour()))));
    }
    ui->StatusText->repaint();
}

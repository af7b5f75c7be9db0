#include "supervision.h"

#include <QApplication>
#include <QTimer>

#include "control_colours.h"
#include "dialog_service.h"
#include "disconnect_warning_form.h"
#include "parameter_view.h"
#include "sensor_session.h"
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

Supervision::Supervision(SensorSession& session, DialogService& dialogs, Ui::TMainForm& ui, QTimer& timer,
    ParameterView& view, QWidget* window) :
    session_(session), dialogs_(dialogs), ui_(ui), timer_(timer), view_(view), window_(window)
{
    timer_.setInterval(IntervalMs);
    connect(&timer_, &QTimer::timeout, this, &Supervision::IdleFunction);
}

// One tick of the supervision: is the sensor there, and what follows from it. A tick
// that comes while another handler's sensor job runs is not run; the next one follows.
void Supervision::IdleFunction()
{
    if (session_.LinkBusy())
        return;
    session_.Call(&TSSICom::Purge);
    timer_.stop();
    timer_.setInterval(IntervalMs);
    switch (ProbeSensor()) {
    case Probe::Present:
        OnSensorPresent();
        break;
    case Probe::Missing:
        OnSensorMissing();
        break;
    case Probe::Abandoned:
        break;
    }
    timer_.start();
}

// In demo mode the port check always fails and does not count. A probe of a missing
// sensor gives way to the user between two transactions; it then counts as not run.
Supervision::Probe Supervision::ProbeSensor()
{
    const bool demo = session_.ComPortNumber() == 0;
    const bool answered
        = session_.Run([demo](TSSICom& link) { return (link.CheckPort() || demo) && link.ReadFactoryNumber(); },
            LinkThread::InputDuringJob::HeldAndAbandons);
    if (answered)
        return Probe::Present;
    return session_.InputWaiting() ? Probe::Abandoned : Probe::Missing;
}

void Supervision::OnSensorPresent()
{
    session_.SetMissedPolls(0);
    if (session_.ComPortNumber() == 0)
        UpdateStatusDisplay(static_cast<int>(StatusKind::Demo), "1");
    if (!session_.SessionActive() && !StartSession())
        return;
    session_.Call(&TSSICom::ReadOperatingTime);
    ShowOperatingTime();
}

// A new sensor is read whole; the same sensor back with pending edits gets them again.
bool Supervision::StartSession()
{
    session_.SetSessionActive(true);
    WaitCursor hourglass;
    SetLedColour(ColourOf(LedColour::Yellow));
    const std::string port = std::to_string(session_.Link().PortNumber());
    UpdateStatusDisplay(static_cast<int>(StatusKind::Found), port);
    const std::string factoryNumber = session_.Parameter().FactoryNumber.Reply;
    if (factoryNumber != session_.LastFactoryNumber()) {
        session_.SetLastFactoryNumber(factoryNumber);
        session_.MarkSaved();
        if (!session_.Call(&TSSICom::ReadAll)) {
            session_.SetSessionActive(false);
            session_.SetLastFactoryNumber(SensorSession::NoFactoryNumber);
            return false;
        }
        session_.SetParameterSetRead();
    } else if (session_.UnsavedChanges()) {
        session_.Call(&TSSICom::WriteAll);
        session_.MarkUnsaved();
    }
    view_.ShowParameterSet();
    SetLedColour(ColourOf(LedColour::Green));
    UpdateStatusDisplay(static_cast<int>(StatusKind::Connected), port);
    const bool demo = session_.ComPortNumber() == 0;
    ui_.SelComPort->setVisible(demo);
    if (demo)
        UpdateStatusDisplay(static_cast<int>(StatusKind::Demo), "");
    SetSessionControls(true);
    return true;
}

void Supervision::OnSensorMissing()
{
    // The edit that has the focus gets its exit event while the session still counts.
    if (QWidget* focused = QApplication::focusWidget())
        focused->clearFocus();
    ui_.SelComPort->setVisible(true);
    session_.SetSessionActive(false);
    SetSessionControls(false);
    SetLedColour(ColourOf(LedColour::Red));
    UpdateStatusDisplay(static_cast<int>(StatusKind::NotConnected), "0");
    session_.SetMissedPolls(NextMissedPolls(session_.MissedPolls()));
    if (DisconnectWarningDue(session_.MissedPolls(), session_.UnsavedChanges())) {
        OfferDisconnectWarning();
        return;
    }
    timer_.setInterval(MissingSensorIntervalMs);
    // The burst, too, gives way to the user between two packets.
    session_.Run([](TSSICom& link) { link.WakeUp(); }, LinkThread::InputDuringJob::HeldAndAbandons);
}

void Supervision::OfferDisconnectWarning()
{
    UpdateStatusDisplay(static_cast<int>(StatusKind::UpdateHint), "0");
    TDisconnectWarningForm warning(session_, dialogs_, window_);
    if (dialogs_.ShowForm(warning) == QDialog::Accepted) {
        SetLedColour(ColourOf(LedColour::Green));
        UpdateStatusDisplay(static_cast<int>(StatusKind::Connected), std::to_string(session_.Link().PortNumber()));
        session_.MarkSaved();
        session_.Call(&TSSICom::ReadAllStrict);
        view_.ShowParameterSet();
    }
    session_.SetMissedPolls(session_.MissedPolls() + 1);
    timer_.setInterval(IntervalMs);
}

void Supervision::ResetSession()
{
    session_.SetSessionActive(false);
    ui_.ParameterPage->setEnabled(false);
    session_.SetMissedPolls(0);
}

void Supervision::SetSessionControls(bool sessionRunning)
{
    const SupervisionControls state = sessionRunning
        ? SessionStartControls(session_.Parameter().FirmwareVersion.Value, session_.ComPortNumber() == 0)
        : SensorMissingControls();
    ui_.ParameterPage->setEnabled(state.parameterPageEnabled);
    ui_.RestoreFactorySettings1->setEnabled(state.restoreFactoryEnabled);
    for (QAction* item : {ui_.FileOpenItem, ui_.FileSaveAsItem, ui_.TestSensor, ui_.Print})
        item->setEnabled(state.fileAndTestItemsEnabled);
    ui_.FirmwareUpdate->setVisible(state.firmwareUpdateVisible);
    ui_.N4->setVisible(state.firmwareUpdateVisible);
    ui_.SelComPort->setVisible(state.selComPortVisible);
}

void Supervision::ShowOperatingTime()
{
    const OperatingTimeDisplay time = OperatingTimeFor(static_cast<uint32_t>(session_.Parameter().OperatingTime.Value));
    ui_.ErrorIndication->OpTimeMinutes->setText(QString::number(time.minutes));
    ui_.ErrorIndication->OpTimeMinutes->repaint();
    ui_.ErrorIndication->OpTimeHours->setText(QString::number(time.hours));
    ui_.ErrorIndication->OpTimeDays->setText(QString::number(time.days));
    ui_.ErrorIndication->OpTimeMonth->setText(QString::number(time.months));
    ui_.ErrorIndication->OpTimeYears->setText(QString::number(time.years));
}

void Supervision::SetLedColour(const QColor& colour) { ui_.StatusLED->setColour(colour); }

void Supervision::UpdateStatusDisplay(int kind, const std::string& text)
{
    const std::optional<StatusUpdate> update = UpdateStatus(
        kind, text, session_.LanguageCode(), session_.ComPortNumber(), ui_.StatusText->text().toStdString());
    if (update) {
        ui_.StatusText->setText(QString::fromStdString(update->text));
        if (update->toggleLed)
            SetLedColour(ColourOf(ToggledLed(LedColourOf(ui_.StatusLED->colour()))));
    }
    ui_.StatusText->repaint();
}

#include "disconnect_warning_form.h"

#include "dialog_service.h"
#include "sensor_session.h"
#include "texts.h"
#include "ui_disconnect_warning_form.h"

TDisconnectWarningForm::TDisconnectWarningForm(SensorSession& session, DialogService& dialogs, QWidget* parent) :
    QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
    session_(session),
    dialogs_(dialogs),
    ui(std::make_unique<Ui::TDisconnectWarningForm>())
{
    ui->setupUi(this);
    ui->Label->setText(texts::DisconnectWarningLabel);
    connect(ui->UpdateButton, &QPushButton::clicked, this, &TDisconnectWarningForm::UpdateButtonClick);
    connect(ui->AbortButton, &QPushButton::clicked, this, &TDisconnectWarningForm::reject);
}

TDisconnectWarningForm::~TDisconnectWarningForm() = default;

// The pending set belongs to the sensor whose factory number the session remembers; any
// other sensor keeps its own parameters.
void TDisconnectWarningForm::UpdateButtonClick()
{
    const bool answers = session_.Run([](TSSICom& link) {
        link.WakeUp();
        return link.ReadFirmwareVersion() && link.ReadFactoryNumber();
    });
    if (!answers) {
        ShowError(texts::SensorNotConnected);
        return;
    }
    const std::string& found = session_.Parameter().FactoryNumber.Reply;
    if (found != session_.LastFactoryNumber()) {
        ShowError(QString(texts::OtherSensorConnected)
                      .arg(QString::fromStdString(found), QString::fromStdString(session_.LastFactoryNumber())));
        return;
    }
    bool stored = false;
    {
        WaitCursor hourglass;
        // Older firmware does not know "CN": its commit is "EN".
        stored = session_.Run([](TSSICom& link) { return link.WriteAll() && link.CommitForFirmware(); });
    }
    if (!stored) {
        ShowError(texts::PendingSetNotStored);
        return;
    }
    accept();
}

void TDisconnectWarningForm::ShowError(const QString& text)
{
    dialogs_.Message(this, texts::SensorNotConnectedCaption, text, DialogButtons::Ok, DialogIcon::Error);
}

void TDisconnectWarningForm::reject() { done(DialogAbort); }

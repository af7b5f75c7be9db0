#include "disconnect_warning_form.h"

#include "dialog_service.h"
#include "sensor_link.h"
#include "texts.h"
#include "ui_disconnect_warning_form.h"

TDisconnectWarningForm::TDisconnectWarningForm(TSSICom& link, QWidget* parent) :
    QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
    link_(link),
    ui(std::make_unique<Ui::TDisconnectWarningForm>())
{
    ui->setupUi(this);
    ui->Label->setText(texts::DisconnectWarningLabel);
    connect(ui->UpdateButton, &QPushButton::clicked, this, &TDisconnectWarningForm::UpdateButtonClick);
    connect(ui->AbortButton, &QPushButton::clicked, this, &TDisconnectWarningForm::reject);
}

TDisconnectWarningForm::~TDisconnectWarningForm() = default;

void TDisconnectWarningForm::UpdateButtonClick()
{
    link_.WakeUp();
    if (!link_.ReadFirmwareVersion()) {
        Dialogs().Message(
            this, texts::SensorNotConnectedCaption, texts::SensorNotConnected, DialogButtons::Ok, DialogIcon::Error);
        return;
    }
    {
        WaitCursor hourglass;
        link_.WriteAll();
        // Older firmware does not know "CN": its commit is "EN".
        link_.CommitForFirmware();
    }
    accept();
}

void TDisconnectWarningForm::reject() { done(DialogAbort); }

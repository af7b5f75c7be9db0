#include "com_port_select_form.h"

#include "dialog_service.h"
#include "port_names.h"
#include "serial_port.h"
#include "texts.h"
#include "ui_com_port_select_form.h"

TComPortSelectForm::TComPortSelectForm(QWidget* parent) :
    QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
    ui(std::make_unique<Ui::TComPortSelectForm>())
{
    ui->setupUi(this);
    connect(ui->ComListe, &QListWidget::itemSelectionChanged, this, &TComPortSelectForm::ComListeClick);
    connect(ui->ComListe, &QListWidget::itemDoubleClicked, this, &TComPortSelectForm::DoubleCLick);
    connect(ui->Connect, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->Quit, &QPushButton::clicked, this, &TComPortSelectForm::reject);
    ScanPorts();
    ui->Connect->setEnabled(false);  // until a port is chosen
}

TComPortSelectForm::~TComPortSelectForm() = default;

void TComPortSelectForm::SetCaptions(uint8_t languageCode)
{
    const PortDialogTexts& captions = PortDialogCaptions(languageCode);
    setWindowTitle(QString::fromUtf8(captions.window));
    ui->Label1->setText(QString::fromUtf8(captions.label));
    ui->Connect->setText(QString::fromUtf8(captions.connect));
    ui->Quit->setText(QString::fromUtf8(captions.quit));
}

// A port held open by another program fails the probe and is not listed.
void TComPortSelectForm::ScanPorts()
{
    WaitCursor hourglass;
    ui->ComListe->addItem(texts::DemoPortItem);
    for (const uint8_t port : OpenablePorts(LastScannedPort)) {
        auto* item = new QListWidgetItem(QString::fromStdString(PortItemText(port)), ui->ComListe);
        item->setToolTip(QString::fromStdString(PortDeviceName(port)));
    }
    ui->ComListe->setCurrentRow(-1);
}

void TComPortSelectForm::ComListeClick()
{
    const QList<QListWidgetItem*> selected = ui->ComListe->selectedItems();
    if (selected.isEmpty())
        return;
    selection_ = PortFromItemText(selected.first()->text().toStdString());
    ui->Connect->setEnabled(selection_ != NoPortChosen);
}

void TComPortSelectForm::DoubleCLick()
{
    ComListeClick();
    ui->Connect->click();
}

void TComPortSelectForm::reject() { done(DialogAbort); }

// The main window's wiring of the parameter fields to their handlers.

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTabWidget>

#include "labeled_edit.h"
#include "main_form.h"
#include "radio_group.h"
#include "ui_main_form.h"

void TMainForm::ConnectEditing()
{
    connect(ui->SSISettings->BitWidth, &TLabeledEdit::textChanged, this, &TMainForm::OnEditBitWidth);
    connect(ui->SSISettings->BitWidth, &TLabeledEdit::exited, this, &TMainForm::OnChangeBitWidth);
    connect(ui->SSISettings->UARTWrites, &TLabeledEdit::textChanged, this, &TMainForm::OnEditUARTWrites);
    connect(ui->SSISettings->UARTWrites, &TLabeledEdit::exited, this, &TMainForm::OnChangeUARTWrites);
    connect(ui->SSISettings->JitterWindow, &TLabeledEdit::textChanged, this, &TMainForm::OnEditJitterWindow);
    connect(ui->SSISettings->JitterWindow, &TLabeledEdit::exited, this, &TMainForm::OnChangeJitterWindow);
    connect(ui->SSISettings->MonoflopTime, &TLabeledEdit::textChanged, this, &TMainForm::OnEditMonoflopTime);
    connect(ui->SSISettings->MonoflopTime, &TLabeledEdit::exited, this, &TMainForm::OnChangeMonoflopTime);
    connect(ui->ErrorIndication->ErrorValue, &TLabeledEdit::textChanged, this, &TMainForm::OnEditErrorValue);
    connect(ui->ErrorIndication->ErrorValue, &TLabeledEdit::exited, this, &TMainForm::OnChangeErrorValue);
    connect(ui->ErrorIndication->ErrorCount, &TLabeledEdit::textChanged, this, &TMainForm::OnEditErrorCount);
    connect(ui->ErrorIndication->ErrorCount, &TLabeledEdit::exited, this, &TMainForm::OnChangeErrorCount);
    connect(ui->ErrorIndication->PowerFail, &TLabeledEdit::textChanged, this, &TMainForm::OnEditPowerFail);
    connect(ui->ErrorIndication->PowerFail, &TLabeledEdit::exited, this, &TMainForm::OnChangePowerFail);
    connect(ui->Measurement->Resolution, &TLabeledEdit::textChanged, this, &TMainForm::OnEditResolution);
    connect(ui->Measurement->Resolution, &TLabeledEdit::exited, this, &TMainForm::OnChangeResolution);
    connect(ui->Measurement->Offset, &TLabeledEdit::textChanged, this, &TMainForm::OnEditOffset);
    connect(ui->Measurement->Offset, &TLabeledEdit::exited, this, &TMainForm::OnChangeOffset);
    connect(ui->ExpertSettings->FactoryNumber, &TLabeledEdit::textChanged, this, &TMainForm::OnEditFactoryNumber);
    connect(ui->ExpertSettings->FactoryNumber, &TLabeledEdit::exited, this, &TMainForm::OnChangeFactoryNumber);
    connect(ui->ExpertSettings->Length, &TLabeledEdit::textChanged, this, &TMainForm::OnEditLength);
    connect(ui->ExpertSettings->Length, &TLabeledEdit::exited, this, &TMainForm::OnChangeLength);
    connect(ui->ExpertSettings->UltrasonicSpeed, &TLabeledEdit::textChanged, this, &TMainForm::OnEditUltrasonicSpeed);
    connect(ui->ExpertSettings->UltrasonicSpeed, &TLabeledEdit::exited, this, &TMainForm::OnChangeUltrasonicSpeed);
    connect(ui->ExpertSettings->CycleTime, &TLabeledEdit::textChanged, this, &TMainForm::OnEditCycleTime);
    connect(ui->ExpertSettings->CycleTime, &TLabeledEdit::exited, this, &TMainForm::OnChangeCycleTime);
    connect(ui->ExpertSettings->SyncTiming, &TLabeledEdit::textChanged, this, &TMainForm::OnEditSyncTiming);
    connect(ui->ExpertSettings->SyncTiming, &TLabeledEdit::exited, this, &TMainForm::OnChangeSyncTiming);
    connect(ui->ExpertSettings->Blanking, &TLabeledEdit::textChanged, this, &TMainForm::BlankingChange);
    connect(ui->ExpertSettings->Blanking, &TLabeledEdit::exited, this, &TMainForm::BlankingExit);
    connect(ui->Measurement2->IgnoreSsiClkNum, &TLabeledEdit::textChanged, this, &TMainForm::IgnoreSsiClkNumChange);
    connect(ui->Measurement2->IgnoreSsiClkNum, &TLabeledEdit::exited, this, &TMainForm::IgnoreSsiClkNumExit);
    connect(ui->SSISettings->CodingGroup, &TRadioGroup::itemIndexChanged, this, &TMainForm::OnChangeCodingGroup);
    connect(ui->SSISettings->Mode, &TRadioGroup::itemIndexChanged, this, &TMainForm::OnChangeMode);
    connect(ui->Measurement->FilterS, &TRadioGroup::itemIndexChanged, this, &TMainForm::OnChangeFilter);
    connect(ui->Measurement->Direction, &TRadioGroup::itemIndexChanged, this, &TMainForm::OnChangeDirection);
    connect(ui->Measurement->PosDifVel, &TRadioGroup::itemIndexChanged, this, &TMainForm::OnChangePosDifVel);
    connect(ui->ExpertSettings->ChargepumpStages, &TRadioGroup::itemIndexChanged, this,
        &TMainForm::OnChangeChargepumpStages);
    connect(ui->ExpertSettings->Model, &TRadioGroup::itemIndexChanged, this, &TMainForm::OnChangeModel);
    connect(ui->SSISettings->SSI_Start_CheckBox, &QCheckBox::toggled, this, &TMainForm::SSI_Start_CheckBoxClick);
    connect(ui->ErrorIndication->ErrorValue2, &QCheckBox::toggled, this, &TMainForm::ErrorValue2Click);
    connect(ui->Measurement->SlowAvarageFilter, &QCheckBox::toggled, this, &TMainForm::SlowAvarageFilterClick);
    connect(ui->Measurement2->Siemens, &QCheckBox::toggled, this, &TMainForm::OnChangeSiemens);
    connect(ui->Measurement2->Temperature, &QCheckBox::toggled, this, &TMainForm::TemperatureClick);
    connect(ui->Measurement2->Linearisierung, &QCheckBox::toggled, this, &TMainForm::LinearisierungClick);
    connect(ui->Measurement2->Extrapolation, &QCheckBox::toggled, this, &TMainForm::ExtrapolationClick);
    connect(ui->Measurement2->ExtrapolForward, &QCheckBox::toggled, this, &TMainForm::ExtrapolForwardClick);
    connect(ui->Measurement2->TempComp, &QCheckBox::toggled, this, &TMainForm::TempCompClick);
    connect(ui->Measurement->_05um, &QPushButton::clicked, this, &TMainForm::_05umClick);
    connect(ui->ExpertSettings->K_SERIE, &QPushButton::clicked, this, &TMainForm::K_SERIEClick);
    connect(qApp, &QApplication::focusChanged, this, &TMainForm::FollowFocusOutOfPages);
}

void TMainForm::FollowFocusOutOfPages(QWidget* old, QWidget* now)
{
    if (old && now && now->window() == this && ui->ParameterPage->isAncestorOf(old)
        && !ui->ParameterPage->isAncestorOf(now))
        ParameterPageExit();
}

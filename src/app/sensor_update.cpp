#include "sensor_update.h"

#include <QTimer>
#include <QWidget>

#include "control_colours.h"
#include "dialog_service.h"
#include "files_controller.h"
#include "files_texts.h"
#include "parameter_view.h"
#include "sensor_session.h"
#include "session_dialogs.h"
#include "session_rules.h"
#include "texts.h"
#include "ui_main_form.h"

SensorUpdate::SensorUpdate(SensorSession& session, DialogService& dialogs, Ui::TMainForm& ui, QTimer& timer,
    ParameterView& view, QWidget* window) :
    session_(session), dialogs_(dialogs), timer_(timer), view_(view), window_(window)
{
    connect(ui.EEPROMUpdateButton, &QPushButton::clicked, this, &SensorUpdate::EEPROMUpdateButtonClick);
    connect(ui.ExpertSettings2->ReadFactoryButton, &QPushButton::clicked, this, &SensorUpdate::ReadFactoryButtonClick);
    connect(
        ui.ExpertSettings2->WriteFactoryButton, &QPushButton::clicked, this, &SensorUpdate::WriteFactoryButtonClick);
    connect(ui.RestoreFactorySettings1, &QAction::triggered, this, &SensorUpdate::RestoreFactorySettings1Click);
    connect(&session_, &SensorSession::UnsavedChangesMarked, ui.EEPROMUpdateButton, &QWidget::setEnabled);
}

// Commits the working registers to the sensor's EEPROM: "EN" on old firmware, "CN" on
// newer, with a warning first when a changed resolution invalidates a taught range.
void SensorUpdate::EEPROMUpdateButtonClick()
{
    if (!session_.SessionActive())
        return;
    timer_.stop();
    {
        WaitCursor hourglass;
        const TSSICom::ParameterStruct& p = session_.Parameter();
        if (ResolutionWarningDue(p.FirmwareVersion.Value, p.Resolution.Changed, p.StartPoint.Value, p.EndPoint.Value))
            ShowMessage(dialogs_, window_, session_.LanguageCode(), texts::ResolutionChanged, DialogButtons::Ok,
                DialogIcon::Warning);
        if (session_.Call(&TSSICom::CommitForFirmware)) {
            session_.MarkSaved();
        } else {
            // Nothing was stored: the edits stay pending for the sensor's return.
            ReportCommunicationError(dialogs_, window_, session_.LanguageCode());
            session_.SetSessionActive(false);
        }
    }
    session_.Call(&TSSICom::ResumeAfterStore);
    view_.ShowParameterSet();
    timer_.start();
}

// Closing writes the mode once more and stores what is not yet stored. Nothing goes to
// a sensor when no parameter set was read in this run: its firmware, and so the meaning
// of the store commands, is unknown, and the mode held here is not its own. A set once
// read keeps the question, whatever later reads of the firmware brought.
void SensorUpdate::FormClose()
{
    if (!session_.ParameterSetRead())
        return;
    timer_.stop();
    const TSSICom::ParameterStruct& p = session_.Parameter();
    if (p.Mode.Valid)
        session_.Call(&TSSICom::WriteMode);
    if (!IsNewFirmware(p.FirmwareVersion.Value)) {
        if (session_.Call(&TSSICom::StoreEeprom))
            session_.MarkSaved();
        return;
    }
    if (!session_.UnsavedChanges())
        return;
    const std::optional<DialogAnswer> answer = ShowMessage(dialogs_, window_, session_.LanguageCode(),
        texts::EepromUpdateQuestion, DialogButtons::YesNo, DialogIcon::Question);
    if (answer != DialogAnswer::No && session_.Call(&TSSICom::CommitEeprom))
        session_.MarkSaved();
}

void SensorUpdate::ReadFactoryButtonClick()
{
    if (session_.SessionActive())
        RestoreFactoryIntoWorkingRegisters();
}

// Brings the factory settings into the working registers and marks them as uncommitted,
// once the sensor's own set is backed up; false when the backup failed and nothing was sent.
bool SensorUpdate::RestoreFactoryIntoWorkingRegisters()
{
    if (!BackUpSensorSet(session_, dialogs_, window_, texts::BackupBeforeFactorySettings))
        return false;
    {
        WaitCursor hourglass;
        session_.Run([](TSSICom& link) {
            link.RestoreFactory();
            if (link.IsDemo())
                link.LoadDemoDefaults();
        });
    }
    session_.Call(&TSSICom::ReadAllStrict);
    view_.ShowParameterSet();
    for (const char* name : FactoryColouredControls())
        if (QWidget* control = window_->findChild<QWidget*>(name))
            SetControlColour(control, ChangedColour);
    session_.MarkUnsaved();
    return true;
}

// "EN" stores the current parameters as the sensor's factory settings.
void SensorUpdate::WriteFactoryButtonClick()
{
    if (!session_.SessionActive())
        return;
    {
        WaitCursor hourglass;
        if (session_.Call(&TSSICom::StoreEeprom))
            session_.MarkSaved();
        else
            ReportCommunicationError(dialogs_, window_, session_.LanguageCode());
    }
    view_.ShowParameterSet();
}

void SensorUpdate::RestoreFactorySettings1Click()
{
    if (!session_.SessionActive())
        return;
    if (ShowMessage(dialogs_, window_, session_.LanguageCode(), texts::OverwriteUserSettings, DialogButtons::YesNo,
            DialogIcon::Question)
        != DialogAnswer::Yes)
        return;
    WaitCursor hourglass;
    if (RestoreFactoryIntoWorkingRegisters())
        EEPROMUpdateButtonClick();
}

#include "control_colours.h"
#include "main_form.h"
#include "session_rules.h"
#include "ui_main_form.h"

// Commits the working registers to the sensor's EEPROM: "EN" on old firmware, "CN" on
// newer, with a warning first when a changed resolution invalidates a taught range.
void TMainForm::EEPROMUpdateButtonClick()
{
    if (!SessionActive)
        return;
    Timer1->stop();
    {
        WaitCursor hourglass;
        const TSSICom::ParameterStruct& p = SSICom->Parameter;
        if (ResolutionWarningDue(p.FirmwareVersion.Value, p.Resolution.Changed, p.StartPoint.Value, p.EndPoint.Value))
            ShowMessage(texts::ResolutionChanged, DialogButtons::Ok, DialogIcon::Warning);
        if (SSICom->CommitForFirmware()) {
            MarkSaved();
        } else {
            // Nothing was stored: the edits stay pending for the sensor's return.
            ReportCommunicationError();
            SessionActive = false;
        }
    }
    SSICom->ResumeAfterStore();
    RefreshParameterView();
    Timer1->start();
}

// Closing writes the mode once more and stores what is not yet stored. Nothing goes to
// a sensor whose parameter set was never read: its firmware, and so the meaning of the
// store commands, is unknown, and the mode held here is not its own.
void TMainForm::FormClose()
{
    if (!SSICom || !SSICom->Parameter.FirmwareVersion.Valid)
        return;
    if (SSICom->Parameter.Mode.Valid)
        SSICom->WriteMode();
    if (!IsNewFirmware(SSICom->Parameter.FirmwareVersion.Value)) {
        if (SSICom->StoreEeprom())
            MarkSaved();
        return;
    }
    if (!UnsavedChanges)
        return;
    const std::optional<DialogAnswer> answer
        = ShowMessage(texts::EepromUpdateQuestion, DialogButtons::YesNo, DialogIcon::Question);
    if (answer != DialogAnswer::No && SSICom->CommitEeprom())
        MarkSaved();
}

// Brings the factory settings into the working registers and marks them as uncommitted.
void TMainForm::ReadFactoryButtonClick()
{
    if (!SessionActive)
        return;
    {
        WaitCursor hourglass;
        SSICom->RestoreFactory();
        if (SSICom->IsDemo())
            SSICom->LoadDemoDefaults();
    }
    SSICom->ReadAllStrict();
    RefreshParameterView();
    for (const char* name : FactoryColouredControls())
        if (QWidget* control = findChild<QWidget*>(name))
            SetControlColour(control, ChangedColour);
    MarkUnsaved();
}

// "EN" stores the current parameters as the sensor's factory settings.
void TMainForm::WriteFactoryButtonClick()
{
    if (!SessionActive)
        return;
    {
        WaitCursor hourglass;
        if (SSICom->StoreEeprom())
            MarkSaved();
        else
            ReportCommunicationError();
    }
    RefreshParameterView();
}

void TMainForm::RestoreFactorySettings1Click()
{
    if (!SessionActive)
        return;
    if (ShowMessage(texts::OverwriteUserSettings, DialogButtons::YesNo, DialogIcon::Question) != DialogAnswer::Yes)
        return;
    WaitCursor hourglass;
    ReadFactoryButtonClick();
    EEPROMUpdateButtonClick();
}

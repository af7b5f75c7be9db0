// The fields of the SSI settings page.

#include "editing_controller.h"
#include "editing_rules.h"
#include "editing_texts.h"
#include "labeled_edit.h"
#include "page_rules.h"
#include "radio_group.h"
#include "sensor_session.h"

namespace {

constexpr int SynchronousItem = 1;

}  // namespace

void EditingController::OnChangeCodingGroup()
{
    if (Viewing())
        return;
    TRadioGroup* group = pages_.ssiSettings.CodingGroup;
    Commit(Set().OutputCode, group->itemIndex(), group, &TSSICom::WriteOutputCode);
}

void EditingController::OnEditBitWidth() { ChangeField(pages_.ssiSettings.BitWidth); }

void EditingController::OnChangeBitWidth() { ExitField(pages_.ssiSettings.BitWidth, texts::BitWidthExit); }

// The mode is taken from the item before the W series test, so a refused choice leaves 0.
void EditingController::OnChangeMode()
{
    TRadioGroup* group = pages_.ssiSettings.Mode;
    TSSICom::DataElement& mode = Set().Mode;
    if (ClickIgnored(Guard::On))
        return;
    const bool synchronous = group->itemIndex() == SynchronousItem;
    mode.Value = synchronous ? SynchronousMode : 0;
    if (GroupRefused(group, mode, synchronous))
        return;
    Commit(mode, mode.Value, group, &TSSICom::WriteMode);
}

void EditingController::OnEditUARTWrites() { ChangeField(pages_.ssiSettings.UARTWrites); }

void EditingController::OnChangeUARTWrites() { ExitField(pages_.ssiSettings.UARTWrites, texts::UARTWritesExit); }

void EditingController::OnEditJitterWindow() { ChangeField(pages_.ssiSettings.JitterWindow); }

// Firmware above 6250000 takes any jitter window.
void EditingController::OnChangeJitterWindow()
{
    if (Set().FirmwareVersion.Value > ShortLengthFirmware)
        return;
    ExitField(pages_.ssiSettings.JitterWindow, texts::JitterWindowExit);
}

void EditingController::OnEditMonoflopTime() { ChangeField(pages_.ssiSettings.MonoflopTime); }

void EditingController::OnChangeMonoflopTime() { ExitField(pages_.ssiSettings.MonoflopTime, texts::MonoflopTimeExit); }

void EditingController::SSI_Start_CheckBoxClick()
{
    QCheckBox* box = pages_.ssiSettings.SSI_Start_CheckBox;
    TSSICom::DataElement& syncStart = Set().SyncStart;
    if (ClickIgnored(Guard::On) || SwitchRefused(box, syncStart, texts::WSeriesSsiRefusal))
        return;
    Commit(syncStart, box->isChecked() ? 1 : 0, box, &TSSICom::WriteSyncStart);
}

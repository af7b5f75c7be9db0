#include "firmware_controller.h"

#include "control_colours.h"
#include "firmware_rules.h"
#include "sensor_session.h"

FirmwareController::FirmwareController(SensorSession& session, DialogService& dialogs, TFirmwarePage& page) :
    session_(session), dialogs_(dialogs), page_(page)
{
}

void FirmwareController::ShowPage()
{
    const bool usable = FirmwarePageUsable(session_.Parameter().FirmwareVersion.Value);
    for (QWidget* control :
        std::initializer_list<QWidget*>{page_.LoadFile, page_.UpdateFW, page_.InfoBox, page_.Download})
        control->setEnabled(usable);
    for (QWidget* list : std::initializer_list<QWidget*>{page_.InfoBox, page_.Download})
        SetControlColour(list, usable ? WindowColour : ButtonFaceColour());
}

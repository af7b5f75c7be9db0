#pragma once

#include <QObject>

#include "firmware_page.h"

class DialogService;
class SensorSession;

// The firmware page: usable only on firmware that can be updated through its bootloader.
class FirmwareController : public QObject {
    Q_OBJECT

public:
    FirmwareController(SensorSession& session, DialogService& dialogs, TFirmwarePage& page);

    void ShowPage();

private:
    SensorSession& session_;
    DialogService& dialogs_;
    TFirmwarePage& page_;
};

#pragma once

#include "tab_page.h"
#include "ui_firmware_page.h"

// The page of the firmware download.
using TFirmwarePage = TTabPage<Ui::Firmware>;

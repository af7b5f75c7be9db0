#include "files_controller.h"

FilesController::FilesController(
    SensorSession& session, DialogService& dialogs, QAction& openItem, QAction& saveAsItem) :
    session_(session), dialogs_(dialogs), openItem_(openItem), saveAsItem_(saveAsItem)
{
}

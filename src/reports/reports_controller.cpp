#include "reports_controller.h"

ReportsController::ReportsController(SensorSession& session, DialogService& dialogs, QAction& printItem) :
    session_(session), dialogs_(dialogs), printItem_(printItem)
{
}

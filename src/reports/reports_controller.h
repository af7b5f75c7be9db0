#pragma once

class DialogService;
class QAction;
class SensorSession;

// The parameter report, printed or written as PDF from the Print item of the file menu.
class ReportsController {
public:
    ReportsController(SensorSession& session, DialogService& dialogs, QAction& printItem);

private:
    SensorSession& session_;
    DialogService& dialogs_;
    QAction& printItem_;
};

#pragma once

#include <QObject>

class DialogService;
class QAction;
class SensorSession;

// The parameter report, printed or written as PDF from the Print item of the file menu.
class ReportsController : public QObject {
    Q_OBJECT

public:
    ReportsController(SensorSession& session, DialogService& dialogs, QAction& printItem);

private:
    SensorSession& session_;
    DialogService& dialogs_;
    QAction& printItem_;
};

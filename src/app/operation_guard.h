#pragma once

#include <QObject>
#include <QPointer>
#include <vector>

class QAction;
class QWidget;
class SensorSession;
namespace Ui {
class TMainForm;
}

// While a long operation holds the link, the controls that would start another sensor
// exchange are disabled (not held back) and the status line shows the operation's
// progress; afterwards each control gets back the state it had.
class OperationGuard : public QObject {
    Q_OBJECT

public:
    OperationGuard(SensorSession& session, Ui::TMainForm& ui);

private:
    void Hold();
    void LetGo();

    Ui::TMainForm& ui_;
    std::vector<std::pair<QPointer<QWidget>, bool>> widgets_;
    std::vector<std::pair<QPointer<QAction>, bool>> actions_;
};

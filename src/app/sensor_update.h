#pragma once

#include <QObject>

class DialogService;
class ParameterView;
class QTimer;
class QWidget;
class SensorSession;
namespace Ui {
class TMainForm;
}

// Commits the parameters to the sensor's EEPROM (the Update button, the question when
// the window closes) and handles the factory settings. The Update button is usable while
// changes wait to be stored.
class SensorUpdate : public QObject {
    Q_OBJECT

public:
    SensorUpdate(SensorSession& session, DialogService& dialogs, Ui::TMainForm& ui, QTimer& timer, ParameterView& view,
        QWidget* window);

    void EEPROMUpdateButtonClick();
    void FormClose();
    void ReadFactoryButtonClick();
    void WriteFactoryButtonClick();
    void RestoreFactorySettings1Click();

private:
    bool RestoreFactoryIntoWorkingRegisters();

    SensorSession& session_;
    DialogService& dialogs_;
    QTimer& timer_;
    ParameterView& view_;
    QWidget* window_;
};

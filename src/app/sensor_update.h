#pragma once

class DialogService;
class ParameterView;
class QTimer;
class QWidget;
class SensorSession;

// Commits the parameters to the sensor's EEPROM (the Update button, the question when
// the window closes) and handles the factory settings.
class SensorUpdate {
public:
    SensorUpdate(SensorSession& session, DialogService& dialogs, QTimer& timer, ParameterView& view, QWidget* window);

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

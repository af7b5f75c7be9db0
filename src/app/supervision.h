#pragma once

#include <QColor>
#include <QObject>
#include <string>

class DialogService;
class ParameterView;
class QTimer;
class QWidget;
class SensorSession;
namespace Ui {
class TMainForm;
}

// Finds the sensor by itself: every tick of Timer1 asks whether a sensor answers, starts a
// session when one does, keeps the status box and the session controls, and wakes the
// sensor while it is missing.
class Supervision : public QObject {
    Q_OBJECT

public:
    static constexpr int IntervalMs = 200;

    Supervision(SensorSession& session, DialogService& dialogs, Ui::TMainForm& ui, QTimer& timer, ParameterView& view,
        QWidget* window);

    void IdleFunction();
    void UpdateStatusDisplay(int kind, const std::string& text);
    // The next tick that finds the sensor starts a session again.
    void ResetSession();

private:
    enum class Probe { Present, Missing, Abandoned };

    Probe ProbeSensor();
    void OnSensorPresent();
    bool StartSession();
    void OnSensorMissing();
    void OfferDisconnectWarning();
    void SetSessionControls(bool sessionRunning);
    void ShowOperatingTime();
    void SetLedColour(const QColor& colour);

    SensorSession& session_;
    DialogService& dialogs_;
    Ui::TMainForm& ui_;
    QTimer& timer_;
    ParameterView& view_;
    QWidget* window_;
};

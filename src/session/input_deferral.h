#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <atomic>
#include <memory>
#include <vector>

class QEvent;

// Holds back the user's input while a sensor job runs and hands it on once the window is
// free again: a click made during a transaction is carried out after the handler that
// started it has finished, never in the middle of it. Other events (painting, timers)
// pass, so the window stays alive.
class InputDeferral : public QObject {
    Q_OBJECT

public:
    InputDeferral();
    ~InputDeferral() override;

    // Holding lasts from the first Begin() to the last matching End().
    void Begin() { ++holders_; }
    void End();
    // True from the first held-back event until it has been handed on. Safe to ask from
    // another thread.
    bool InputWaiting() const { return inputWaiting_.load(); }

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    struct HeldEvent {
        QPointer<QObject> receiver;
        std::unique_ptr<QEvent> event;
    };
    static bool IsUserInput(const QEvent& event);
    static bool ReachesTopWindow(const QObject* receiver);
    void HandOn();

    int holders_ = 0;
    std::atomic<bool> inputWaiting_ = false;
    std::vector<HeldEvent> held_;
    QTimer handOnTimer_;
};

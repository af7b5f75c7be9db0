#include "input_deferral.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace {

constexpr int BlockedRetryMs = 50;

}  // namespace

InputDeferral::InputDeferral()
{
    handOnTimer_.setSingleShot(true);
    connect(&handOnTimer_, &QTimer::timeout, this, &InputDeferral::HandOn);
    qApp->installEventFilter(this);
}

InputDeferral::~InputDeferral() { qApp->removeEventFilter(this); }

void InputDeferral::End()
{
    if (--holders_ == 0 && !held_.empty())
        handOnTimer_.start(0);
}

bool InputDeferral::IsUserInput(const QEvent& event)
{
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
        return true;
    case QEvent::Close:
        return event.spontaneous();  // the window's close button, not a close by the program
    default:
        return false;
    }
}

bool InputDeferral::eventFilter(QObject* receiver, QEvent* event)
{
    if (holders_ == 0 || !IsUserInput(*event))
        return false;
    held_.push_back({receiver, std::unique_ptr<QEvent>(event->clone())});
    inputWaiting_ = true;
    return true;
}

// Input for a dialog or menu on top goes to it; input for the windows behind it waits
// until it is gone, because it was meant for them before the dialog came up.
bool InputDeferral::ReachesTopWindow(const QObject* receiver)
{
    QWidget* top = QApplication::activePopupWidget();
    if (!top)
        top = QApplication::activeModalWidget();
    if (!top)
        return true;
    if (const auto* widget = qobject_cast<const QWidget*>(receiver))
        return widget->window() == top;
    return receiver == top->windowHandle();
}

// Each event goes to its receiver in the order it came; each handler it starts runs to
// its end before the next event is handed on. Input for windows behind a dialog keeps
// its order and waits.
void InputDeferral::HandOn()
{
    if (holders_ > 0)
        return;  // the last End() starts the hand-on again
    std::vector<HeldEvent> events = std::move(held_);
    held_.clear();
    std::vector<HeldEvent> waiting;
    for (HeldEvent& held : events) {
        if (!held.receiver)
            continue;
        if (ReachesTopWindow(held.receiver))
            QCoreApplication::sendEvent(held.receiver, held.event.get());
        else
            waiting.push_back(std::move(held));
    }
    held_.insert(held_.begin(), std::make_move_iterator(waiting.begin()), std::make_move_iterator(waiting.end()));
    inputWaiting_ = !held_.empty();
    if (!waiting.empty())
        handOnTimer_.start(BlockedRetryMs);
}

#include "input_deferral.h"

#include <QApplication>
#include <QEvent>

namespace {

// While a modal dialog or a menu is up, the held input waits: it was meant for the
// window behind it.
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

// Each event goes to its receiver in the order it came; each handler it starts runs to
// its end before the next event is handed on.
void InputDeferral::HandOn()
{
    if (holders_ > 0)
        return;  // the last End() starts the hand-on again
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
        handOnTimer_.start(BlockedRetryMs);
        return;
    }
    std::vector<HeldEvent> events = std::move(held_);
    held_.clear();
    inputWaiting_ = false;
    for (HeldEvent& held : events)
        if (held.receiver)
            QCoreApplication::sendEvent(held.receiver, held.event.get());
}

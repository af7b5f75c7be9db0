#include "control_colours.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPalette>

#include "labeled_edit.h"

namespace {

// Dark enough to read on ChangedColour also when the control is disabled.
const QColor kDisabledTextOnChanged{0x50, 0x50, 0x50};

struct ColouredPart {
    QWidget* widget;
    QPalette::ColorRole role;
};

ColouredPart PartOf(const QWidget* control)
{
    auto* widget = const_cast<QWidget*>(control);
    if (auto* labeled = qobject_cast<TLabeledEdit*>(widget))
        return {labeled->edit(), QPalette::Base};
    if (qobject_cast<QLineEdit*>(widget) || qobject_cast<QAbstractScrollArea*>(widget))
        return {widget, QPalette::Base};
    return {widget, QPalette::Window};
}

}  // namespace

QColor ButtonFaceColour() { return QApplication::palette().color(QPalette::Button); }

void SetControlColour(QWidget* control, const QColor& colour)
{
    const ColouredPart part = PartOf(control);
    QPalette palette = part.widget->palette();
    palette.setColor(part.role, colour);
    for (QPalette::ColorRole text : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, text,
            colour == ChangedColour ? kDisabledTextOnChanged : QApplication::palette().color(QPalette::Disabled, text));
    part.widget->setPalette(palette);
    if (part.role == QPalette::Window)
        part.widget->setAutoFillBackground(true);
}

QColor ControlColour(const QWidget* control)
{
    const ColouredPart part = PartOf(control);
    return part.widget->palette().color(part.role);
}

void SetHint(QWidget* control, const QString& hint)
{
    control->setToolTip(hint);
    control->setStatusTip(hint);
}

void SetHint(QAction* menuItem, const QString& hint)
{
    menuItem->setToolTip(hint);
    menuItem->setStatusTip(hint);
}

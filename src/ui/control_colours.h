#pragma once

#include <QColor>
#include <QString>

class QAction;
class QWidget;

// Background colours of the parameter controls and their hints.
// An edit (also the edit of a TLabeledEdit, and a list) is coloured in its base colour;
// any other control (radio group, check box, group box) in its window colour, filled.

// The mark of a control whose parameter has changed and is not yet in the EEPROM.
inline const QColor ChangedColour{0xA6, 0xCA, 0xF0};
inline const QColor WindowColour{Qt::white};
// The palette's button colour, the background of an untouched radio group or check box.
QColor ButtonFaceColour();

void SetControlColour(QWidget* control, const QColor& colour);
QColor ControlColour(const QWidget* control);

// The hint shows as tool tip and, through the status tip, in the main window's status line.
void SetHint(QWidget* control, const QString& hint);
void SetHint(QAction* menuItem, const QString& hint);

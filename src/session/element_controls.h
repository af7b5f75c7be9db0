#pragma once

#include <QColor>
#include <QString>
#include <optional>
#include <string>

#include "field_colour.h"
#include "sensor_link.h"

class QCheckBox;
class QWidget;
class TLabeledEdit;
class TRadioGroup;

// How a control shows its element of the register set: usable only while the element is
// valid, and marked with ChangedColour while its change is not committed. Edits are
// white, radio groups and check boxes button-face otherwise.

QString Number(int64_t value);
QString TextOrEmpty(const std::optional<std::string>& text);
QColor ColourOf(FieldColour colour);

void PaintEdit(QWidget* control, const TSSICom::DataElement& element);
void PaintGroup(QWidget* control, const TSSICom::DataElement& element);
void ShowEditText(TLabeledEdit* edit, const TSSICom::DataElement& element, const QString& text);
void ShowEdit(TLabeledEdit* edit, const TSSICom::DataElement& element);
void ShowGroup(TRadioGroup* group, const TSSICom::DataElement& element, int index);
void ShowCheck(QCheckBox* check, const TSSICom::DataElement& element);

#include "element_controls.h"

#include <QCheckBox>

#include "control_colours.h"
#include "labeled_edit.h"
#include "radio_group.h"

QString Number(int64_t value) { return QString::number(value); }

QString TextOrEmpty(const std::optional<std::string>& text)
{
    return QString::fromStdString(text.value_or(std::string()));
}

QColor ColourOf(FieldColour colour)
{
    switch (colour) {
    case FieldColour::Changed:
        return ChangedColour;
    case FieldColour::White:
        return WindowColour;
    case FieldColour::ButtonFace:
        break;
    }
    return ButtonFaceColour();
}

void PaintEdit(QWidget* control, const TSSICom::DataElement& element)
{
    SetControlColour(control, element.Changed ? ChangedColour : WindowColour);
}

void PaintGroup(QWidget* control, const TSSICom::DataElement& element)
{
    SetControlColour(control, element.Changed ? ChangedColour : ButtonFaceColour());
}

void ShowEditText(TLabeledEdit* edit, const TSSICom::DataElement& element, const QString& text)
{
    edit->setEnabled(element.Valid);
    if (element.Valid)
        edit->setText(text);
    PaintEdit(edit, element);
}

void ShowEdit(TLabeledEdit* edit, const TSSICom::DataElement& element)
{
    ShowEditText(edit, element, Number(element.Value));
}

void ShowGroup(TRadioGroup* group, const TSSICom::DataElement& element, int index)
{
    group->setEnabled(element.Valid);
    if (element.Valid)
        group->setItemIndex(index);
    PaintGroup(group, element);
}

void ShowCheck(QCheckBox* check, const TSSICom::DataElement& element)
{
    check->setEnabled(element.Valid);
    if (element.Valid)
        check->setChecked(element.Value != 0);
    PaintGroup(check, element);
}

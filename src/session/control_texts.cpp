#include "control_texts.h"

#include <QAction>
#include <QGroupBox>
#include <QMenu>
#include <QTabWidget>

#include "control_colours.h"
#include "labeled_edit.h"
#include "radio_group.h"

namespace {

QTabWidget* TabWidgetOf(QWidget* page)
{
    QWidget* stack = page ? page->parentWidget() : nullptr;
    return stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
}

void SetCaption(QObject* target, const QString& text)
{
    if (auto* action = qobject_cast<QAction*>(target))
        action->setText(text);
    else if (auto* menu = qobject_cast<QMenu*>(target))
        menu->setTitle(text);
    else if (auto* group = qobject_cast<QGroupBox*>(target))
        group->setTitle(text);
    else if (auto* window = qobject_cast<QWidget*>(target); window && window->isWindow())
        window->setWindowTitle(text);
    else if (auto* page = qobject_cast<QWidget*>(target); QTabWidget* tabs = TabWidgetOf(page))
        tabs->setTabText(tabs->indexOf(page), text);
    else
        target->setProperty("text", text);
}

void ApplyText(QObject* target, TextProperty property, const QString& text)
{
    switch (property) {
    case TextProperty::Caption:
        SetCaption(target, text);
        break;
    case TextProperty::Label:
        if (auto* edit = qobject_cast<TLabeledEdit*>(target))
            edit->setLabelText(text);
        break;
    case TextProperty::Hint:
        if (auto* action = qobject_cast<QAction*>(target))
            SetHint(action, text);
        else if (auto* widget = qobject_cast<QWidget*>(target))
            SetHint(widget, text);
        if (auto* page = qobject_cast<QWidget*>(target); QTabWidget* tabs = TabWidgetOf(page))
            tabs->setTabToolTip(tabs->indexOf(page), text);
        break;
    case TextProperty::Items:
        if (auto* group = qobject_cast<TRadioGroup*>(target))
            group->setItems(text.split('\n'));
        break;
    }
}

}  // namespace

void ApplyTexts(QWidget& window, const std::vector<ResolvedText>& rows)
{
    for (const ResolvedText& row : rows) {
        QObject* target = window.objectName() == row.control ? &window : window.findChild<QObject*>(row.control);
        if (target != nullptr)
            ApplyText(target, row.property, QString::fromStdString(row.text));
    }
}

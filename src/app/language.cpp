#include <QMenu>
#include <QTabWidget>

#include "control_colours.h"
#include "labeled_edit.h"
#include "main_form.h"
#include "parameter_view.h"
#include "sensor_session.h"
#include "presentation.h"
#include "radio_group.h"
#include "ui_main_form.h"

namespace {

constexpr int WbfChargepumpHeight = 180;
constexpr int ChargepumpHeight = 84;

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
    else if (auto* page = qobject_cast<QWidget*>(target); QTabWidget* tabs = TabWidgetOf(page))
        tabs->setTabText(tabs->indexOf(page), text);
    else
        target->setProperty("text", text);
}

// Puts one text of the language table on the control or menu item of that name.
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

void TMainForm::ApplyLanguage()
{
    const uint8_t languageCode = session_->LanguageCode();
    ui->English1->setChecked(false);
    ui->Deutsch1->setChecked(false);
    if (languageCode == 0 || languageCode == 1) {
        (languageCode == 0 ? ui->English1 : ui->Deutsch1)->setChecked(true);
        const bool wbf = IsWbf(session_->ModelCode());
        for (const ResolvedText& row : LanguageTexts(languageCode, wbf))
            if (QObject* target = findChild<QObject*>(row.control))
                ApplyText(target, row.property, QString::fromStdString(row.text));
        ui->ExpertSettings->ChargepumpStages->setFixedHeight(wbf ? WbfChargepumpHeight : ChargepumpHeight);
        ui->ExpertSettings->Model->setVisible(!wbf);
    }
    for (QWidget* page : std::initializer_list<QWidget*>{
             ui->SSISettings, ui->ErrorIndication, ui->Measurement, ui->Measurement2, ui->LinPage})
        page->repaint();
}

void TMainForm::ChangeLanguage(uint8_t languageCode)
{
    session_->SetLanguageCode(languageCode);
    ApplyLanguage();
    view_->ShowLanguageDependentTexts();
    PersistLanguage();
    hide();
    show();
    ResetSession();
}

void TMainForm::English1Click() { ChangeLanguage(0); }

void TMainForm::Deutsch1Click() { ChangeLanguage(1); }

void TMainForm::PersistLanguage() { SaveSetting("Language", session_->LanguageCode()); }

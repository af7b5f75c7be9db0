#include "operation_guard.h"

#include "sensor_session.h"
#include "ui_main_form.h"

OperationGuard::OperationGuard(SensorSession& session, Ui::TMainForm& ui) : ui_(ui)
{
    connect(&session, &SensorSession::LinkHeldChanged, this, [this](bool held) { held ? Hold() : LetGo(); });
    connect(&session, &SensorSession::OperationProgress, ui_.StatusLine,
        [this](const QString& text) { ui_.StatusLine->showMessage(text); });
}

// The pages, one by one, so that a page that carries the operation's own controls could
// stay usable; the tab bar stays, and the user may look at every page meanwhile.
void OperationGuard::Hold()
{
    std::vector<QWidget*> widgets{ui_.EEPROMUpdateButton, ui_.SelComPort};
    for (int page = 0; page < ui_.ParameterPage->count(); ++page)
        widgets.push_back(ui_.ParameterPage->widget(page));
    for (QWidget* widget : widgets) {
        // Its own state, not what a disabled parent makes of it.
        widgets_.emplace_back(widget, !widget->testAttribute(Qt::WA_ForceDisabled));
        widget->setEnabled(false);
    }
    for (QAction* action : {ui_.FileOpenItem, ui_.FileSaveAsItem, ui_.Print, ui_.FirmwareUpdate,
             ui_.RestoreFactorySettings1, ui_.TestSensor, ui_.English1, ui_.Deutsch1}) {
        actions_.emplace_back(action, action->isEnabled());
        action->setEnabled(false);
    }
}

void OperationGuard::LetGo()
{
    for (const auto& [widget, enabled] : widgets_)
        if (widget)
            widget->setEnabled(enabled);
    for (const auto& [action, enabled] : actions_)
        if (action)
            action->setEnabled(enabled);
    widgets_.clear();
    actions_.clear();
    ui_.StatusLine->clearMessage();
}

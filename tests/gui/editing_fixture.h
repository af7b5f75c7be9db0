#pragma once

#include <QAbstractButton>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <string>
#include <vector>

#include "main_form_fixture.h"

// The window with a session running, the expert pages shown, the window active so that
// the focus moves as a user moves it, and the sensor's log cleared: what a test sees is
// what the user's typing and clicking sent.
class EditingWindow : public MainWindow {
protected:
    static constexpr const char* DeveloperKey = "5820463917284630";

    void Start(const sim::SensorSettings& settings = {}, int language = 0)
    {
        StartWithSensor(settings, language, DeveloperKey);
        Tick();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        dialogs.shown.clear();
        host->ClearLog();
    }
    // Brings the control's tab sheet to the front, as the user does before using it.
    void ShowPageOf(QWidget* control) const
    {
        QTabWidget* pages = Ui().ParameterPage;
        for (int index = 0; index < pages->count(); ++index)
            if (pages->widget(index)->isAncestorOf(control) && pages->currentIndex() != index) {
                pages->setCurrentIndex(index);
                QApplication::processEvents();  // the page is laid out before the user clicks on it
            }
    }
    // Selects the field's text and types over it, key by key.
    void Type(TLabeledEdit* edit, const QString& text) const
    {
        ShowPageOf(edit);
        edit->setFocus();
        edit->edit()->selectAll();
        QTest::keyClicks(edit->edit(), text);
    }
    void TypeAtEnd(TLabeledEdit* edit, const QString& text) const
    {
        ShowPageOf(edit);
        edit->setFocus();
        edit->edit()->end(false);
        QTest::keyClicks(edit->edit(), text);
    }
    // The focus goes to another control of the same page.
    void Leave(TLabeledEdit* edit, QWidget* next) const
    {
        ShowPageOf(edit);
        edit->setFocus();
        next->setFocus();
    }
    void Click(QAbstractButton* button) const
    {
        ShowPageOf(button);
        // On the indicator: a check box or radio button reacts only to its indicator and text.
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    // The write commands the sensor received, in order.
    std::vector<std::string> Writes() const
    {
        std::vector<std::string> writes;
        for (const std::string& command : Sent())
            if (command.size() > 2 && command[1] == 'N')
                writes.push_back(command);
        return writes;
    }
    std::vector<std::string> WritesOf(char letter) const
    {
        std::vector<std::string> writes;
        for (const std::string& command : Writes())
            if (command[0] == letter)
                writes.push_back(command);
        return writes;
    }
    bool FocusIn(TLabeledEdit* edit) const { return edit->edit()->hasFocus(); }
};

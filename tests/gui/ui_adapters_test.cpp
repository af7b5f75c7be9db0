#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

#include "control_colours.h"
#include "dialog_service.h"
#include "labeled_edit.h"
#include "radio_group.h"

namespace {

QList<int> Emitted(const QSignalSpy& spy)
{
    QList<int> indexes;
    for (const QList<QVariant>& call : spy)
        indexes << call.at(0).toInt();
    return indexes;
}

// Relative luminance and contrast ratio of two sRGB colours, as accessibility guidelines
// define them.
double Luminance(const QColor& colour)
{
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}

double Contrast(const QColor& first, const QColor& second)
{
    const auto [darker, lighter] = std::minmax({Luminance(first), Luminance(second)});
    return (lighter + 0.05) / (darker + 0.05);
}

int CheckedButtons(const TRadioGroup& group)
{
    int checked = 0;
    for (int i = 0; i < group.items().size(); ++i)
        checked += group.button(i)->isChecked();
    return checked;
}

TEST(RadioGroup, ProgramAndUserChangesEmitOnlyRealIndexChanges)
{
    TRadioGroup group;
    group.setItems({"no Filter", "Grade 2", "Grade 4", "Grade 8"});
    QSignalSpy spy(&group, &TRadioGroup::itemIndexChanged);

    group.setItemIndex(2);
    group.setItemIndex(2);
    group.button(3)->click();
    group.button(3)->click();
    group.setItemIndex(-1);
    group.setItemIndex(-1);

    EXPECT_EQ(Emitted(spy), (QList<int>{2, 3, -1}));
    EXPECT_EQ(group.itemIndex(), -1);
    EXPECT_EQ(CheckedButtons(group), 0);
}

TEST(RadioGroup, NewItemsKeepTheIndexWhileTheListIsLongEnough)
{
    TRadioGroup group;
    group.setItems({"no Filter", "Grade 2", "Grade 4", "Grade 8"});
    group.setItemIndex(2);
    QSignalSpy spy(&group, &TRadioGroup::itemIndexChanged);

    group.setItems({"kein Filter", "Grad 2", "Grad 4", "Grad 8"});
    EXPECT_EQ(group.itemIndex(), 2);
    EXPECT_TRUE(group.button(2)->isChecked());
    EXPECT_EQ(group.button(2)->text(), "Grad 4");
    EXPECT_TRUE(spy.isEmpty());

    group.setItems({"1 Stage", "3 Stages"});
    EXPECT_EQ(group.itemIndex(), -1);
    EXPECT_EQ(CheckedButtons(group), 0);
    EXPECT_EQ(Emitted(spy), (QList<int>{-1}));
}

TEST(RadioGroup, NewItemsStayInTheTabOrderBeforeTheNextControl)
{
    QWidget window;
    auto* group = new TRadioGroup(&window);
    group->setItems({"no Filter", "Grade 2", "Grade 4", "Grade 8"});
    auto* next = new QLineEdit(&window);
    for (const QStringList& items : {QStringList{"1 Stage", "3 Stages"},
             QStringList{"Stage 1", "Stage 2", "Stage 3", "Stage 4", "Stage 5", "Stage 6", "Stage 7", "Stage 8"}}) {
        group->setItems(items);
        for (int i = 0; i + 1 < items.size(); ++i)
            EXPECT_EQ(group->button(i)->nextInFocusChain(), group->button(i + 1)) << i;
        EXPECT_EQ(group->button(static_cast<int>(items.size()) - 1)->nextInFocusChain(), next);
    }
}

TEST(RadioGroup, IndexOutsideTheListSelectsNothing)
{
    TRadioGroup group;
    group.setItems({"KH", "KP"});
    group.setItemIndex(1);
    group.setItemIndex(7);
    EXPECT_EQ(group.itemIndex(), -1);
    EXPECT_EQ(CheckedButtons(group), 0);
}

TEST(RadioGroup, ClearedGroupStaysExclusiveForTheUser)
{
    TRadioGroup group;
    group.setItems({"binary", "gray"});
    group.setItemIndex(0);
    group.setItemIndex(-1);
    group.button(0)->click();
    group.button(1)->click();
    EXPECT_EQ(group.itemIndex(), 1);
    EXPECT_EQ(CheckedButtons(group), 1);
}

TEST(LabeledEdit, TextChangedOnlyForADifferentText)
{
    TLabeledEdit edit;
    QSignalSpy spy(&edit, &TLabeledEdit::textChanged);
    edit.setText("24");
    edit.setText("24");
    QTest::keyClicks(edit.edit(), "5");
    ASSERT_EQ(spy.size(), 2);
    EXPECT_EQ(spy.at(1).at(0).toString(), "245");
}

TEST(LabeledEdit, LeavingTheEditReportsExit)
{
    QWidget window;
    auto* edit = new TLabeledEdit(&window);
    auto* other = new QLineEdit(&window);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QSignalSpy spy(edit, &TLabeledEdit::exited);

    edit->setFocus();
    EXPECT_TRUE(edit->edit()->hasFocus());
    other->setFocus();
    EXPECT_EQ(spy.size(), 1);
}

// A message box over the window takes the focus for a while; the field is not left.
TEST(LabeledEdit, AnotherWindowTakingTheFocusIsNoExit)
{
    QWidget window;
    auto* edit = new TLabeledEdit(&window);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    edit->setFocus();
    QSignalSpy spy(edit, &TLabeledEdit::exited);

    QWidget message;
    message.show();
    message.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&message));
    EXPECT_EQ(spy.size(), 0);
}

TEST(LabeledEdit, DisablingGreysLabelAndEdit)
{
    TLabeledEdit edit;
    edit.setLabelText("Blanking (in 1/4us): ");
    edit.setMaxLength(3);
    edit.setEnabled(false);
    EXPECT_FALSE(edit.label()->isEnabled());
    EXPECT_FALSE(edit.edit()->isEnabled());
    edit.setText("12345");
    EXPECT_EQ(edit.text(), "123");
}

TEST(LabeledEdit, ReadOnlyLosesTheFrameAndKeepsThePaintedBackground)
{
    TLabeledEdit edit;
    edit.resize(200, 30);
    SetControlColour(&edit, ChangedColour);
    edit.setReadOnly(true);
    EXPECT_FALSE(edit.edit()->hasFrame());
    const QImage shown = edit.edit()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(shown.width() - 3, shown.height() / 2), ChangedColour);
    edit.setReadOnly(false);
    EXPECT_TRUE(edit.edit()->hasFrame());
}

// Disabled text on ChangedColour reads at a contrast of 4.5:1 or better; on other colours it
// is the palette's own again.
TEST(ControlColours, DisabledTextStaysReadableOnChangedColour)
{
    TLabeledEdit edit;
    TRadioGroup group;
    group.setItems({"binary", "gray"});
    QCheckBox check;
    const QPalette standard = QApplication::palette();
    const struct {
        QWidget* painted;
        QWidget* text;
        QPalette::ColorRole role;
    } cases[] = {
        {&edit, edit.edit(), QPalette::Text},
        {&group, group.button(0), QPalette::WindowText},
        {&check, &check, QPalette::WindowText},
    };
    for (const auto& c : cases) {
        SetControlColour(c.painted, ChangedColour);
        c.painted->setEnabled(false);
        EXPECT_GE(Contrast(c.text->palette().color(QPalette::Disabled, c.role), ChangedColour), 4.5)
            << c.painted->metaObject()->className();
        SetControlColour(c.painted, WindowColour);
        EXPECT_EQ(c.text->palette().color(QPalette::Disabled, c.role), standard.color(QPalette::Disabled, c.role));
    }
}

TEST(ControlColours, ReadBackWhatWasPainted)
{
    TLabeledEdit edit;
    TRadioGroup group;
    QCheckBox check;
    for (QWidget* control :
        {static_cast<QWidget*>(&edit), static_cast<QWidget*>(&group), static_cast<QWidget*>(&check)}) {
        SetControlColour(control, ChangedColour);
        EXPECT_EQ(ControlColour(control), QColor(0xA6, 0xCA, 0xF0)) << control->metaObject()->className();
        SetControlColour(control, ButtonFaceColour());
        EXPECT_EQ(ControlColour(control), ButtonFaceColour());
    }
    EXPECT_EQ(edit.edit()->palette().color(QPalette::Base), ButtonFaceColour());
    EXPECT_TRUE(group.autoFillBackground());
}

TEST(ScriptedDialogs, AnswersFromTheQueueThenThePositiveButton)
{
    ScriptedDialogService script;
    script.answers = {DialogAnswer::No};
    const DialogAnswer first
        = script.Message(nullptr, "EEPROM update", "Save?", DialogButtons::YesNo, DialogIcon::Question);
    const DialogAnswer second
        = script.Message(nullptr, "Error", "Retry?", DialogButtons::RetryCancel, DialogIcon::Error);
    const QString cancelled
        = script.SaveFileName(nullptr, "Save", "Sensorparameter (*.qor)|*.qor", "qor", "Sensor.qor");

    EXPECT_EQ(first, DialogAnswer::No);
    EXPECT_EQ(second, DialogAnswer::Retry);
    EXPECT_TRUE(cancelled.isEmpty());
    ASSERT_EQ(script.shown.size(), 2u);
    EXPECT_EQ(script.shown[0].caption, "EEPROM update");
    EXPECT_EQ(script.shown[1].buttons, DialogButtons::RetryCancel);
    ASSERT_EQ(script.fileRequests.size(), 1u);
    EXPECT_EQ(script.fileRequests[0].fileName, "Sensor.qor");
}

// The action finds its form up and modal, so that input for the window behind it waits as
// under exec(); a form it leaves open, or one without an action, ends Rejected.
TEST(ScriptedDialogs, AnswersFormsFromTheQueueThenLeavesThemUnanswered)
{
    ScriptedDialogService script;
    QDialog answered, leftOpen, unscripted;
    answered.setWindowTitle("Port");
    bool upAndModal = false;
    script.forms.push_back([&](QDialog& form) {
        upAndModal = form.isVisible() && QApplication::activeModalWidget() == &form;
        form.done(DialogAbort);
    });
    script.forms.push_back([](QDialog&) {});
    QSignalSpy finished(&unscripted, &QDialog::finished);

    EXPECT_EQ(script.ShowForm(answered), DialogAbort);
    EXPECT_TRUE(upAndModal);
    EXPECT_EQ(script.ShowForm(leftOpen), QDialog::Rejected);
    EXPECT_EQ(script.ShowForm(unscripted), QDialog::Rejected);

    for (const QDialog* form : {&answered, &leftOpen, &unscripted})
        EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(leftOpen.testAttribute(Qt::WA_ShowModal));
    EXPECT_EQ(finished.count(), 0);  // closed unanswered, not rejected by the form
    EXPECT_TRUE(script.forms.empty());
    ASSERT_EQ(script.shownForms.size(), 3u);
    EXPECT_EQ(script.shownForms[0].className, "QDialog");
    EXPECT_EQ(script.shownForms[0].title, "Port");
    EXPECT_EQ(script.FormsShown<QDialog>(), 3);
}

}  // namespace

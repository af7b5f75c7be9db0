#include <QAction>

#include "main_form_fixture.h"
#include "texts.h"

// A row whose control is missing, or is of a kind that cannot take the row's text, would be
// skipped without a word when the language is applied.
TEST_F(MainWindow, EveryCatalogueRowNamesAControlThatTakesItsText)
{
    StoreSettings(0, 0);
    StartWindow();
    for (const ControlText& row : LanguageTable()) {
        QObject* control = form->findChild<QWidget*>(row.control);
        if (!control)
            control = form->findChild<QAction*>(row.control);
        ASSERT_NE(control, nullptr) << row.control;
        if (row.property == TextProperty::Label) {
            EXPECT_NE(qobject_cast<TLabeledEdit*>(control), nullptr) << row.control;
        }
        if (row.property == TextProperty::Items) {
            EXPECT_NE(qobject_cast<TRadioGroup*>(control), nullptr) << row.control;
        }
    }
}

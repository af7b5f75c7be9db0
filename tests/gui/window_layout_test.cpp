#include <QLayout>
#include <QTabWidget>

#include "main_form_fixture.h"

namespace {

// The named controls of a page in the order the Tab key reaches them; a widget that takes the
// focus but belongs to none of them shows as "?".
QStringList TabOrder(QWidget* page, const QStringList& controls)
{
    QStringList order;
    for (QWidget* w = page->nextInFocusChain(); page->isAncestorOf(w); w = w->nextInFocusChain()) {
        if (!(w->focusPolicy() & Qt::TabFocus) || w->focusProxy() || !w->isVisibleTo(page))
            continue;
        QWidget* control = w;
        while (control != page && !controls.contains(control->objectName()))
            control = control->parentWidget();
        const QString name = control == page ? "?" : control->objectName();
        if (order.isEmpty() || order.back() != name)
            order << name;
    }
    return order;
}

}  // namespace

// Small screens: 1024 x 768 at 100 %, and 1920 x 1080 at 150 %, a logical 1280 x 720, each
// less a title bar and a task bar.
TEST_F(MainWindow, FitsSmallScreensAndGivesItsGrowthToThePages)
{
    StoreSettings(0, 0);
    StartWindow();
    EXPECT_LE(form->minimumWidth(), 1000);
    EXPECT_LE(form->minimumHeight(), 640);
    EXPECT_LE(form->height(), 640);
    const QSize needed = form->layout()->minimumSize();
    EXPECT_LE(needed.width(), form->minimumWidth());
    EXPECT_LE(needed.height(), form->minimumHeight());
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(form->windowFlags() & Qt::WindowMinimizeButtonHint);

    form->resize(form->minimumSize());
    form->layout()->activate();
    const QSize small = Ui().ParameterPage->size();
    const QSize growth(400, 160);
    form->resize(form->minimumSize() + growth);
    form->layout()->activate();
    EXPECT_EQ(Ui().ParameterPage->size(), small + growth);
}

TEST_F(MainWindow, TabFollowsTheReadingOrderOfEveryPage)
{
    StoreSettings(0, 0, "5820463917284630");  // developer access shows every control
    StartWindow();
    const std::pair<QWidget*, QStringList> pages[] = {
        {Ui().SSISettings,
            {"CodingGroup", "Mode", "BitWidth", "UARTWrites", "JitterWindow", "MonoflopTime", "SSI_Abstand",
                "SSI_Start_CheckBox"}},
        {Ui().ErrorIndication,
            {"ErrorValue", "ErrorCount", "PowerFail", "ErrorValue2", "OpTimeYears", "OpTimeMonth", "OpTimeDays",
                "OpTimeHours", "OpTimeMinutes"}},
        {Ui().Measurement,
            {"FilterS", "Direction", "PosDifVel", "OriginButton", "Resolution", "Offset", "SlowAvarageFilter"}},
        {Ui().Measurement2,
            {"Siemens", "Temperature", "Linearisierung", "Extrapolation", "ExtrapolForward", "TempComp", "StartPoint",
                "SetStartPoint", "DelStartPoint", "EndPoint", "SetEndPoint", "DelEndPoint", "IgnoreSsiClkNum"}},
        {Ui().LinPage,
            {"LinStartValue", "FactorLabel", "AdresLabel", "ReadLinValue", "ValueLabel", "WriteLinValue",
                "WriteLinFile", "PrintLinFile"}},
        {Ui().Firmware, {"LoadFile", "UpdateFW", "InfoBox", "Download"}},
        {Ui().ExpertSettings,
            {"FactoryNumber", "Length", "UltrasonicSpeed", "Scale", "CycleTime", "SyncTiming", "Blanking",
                "ChargepumpStages", "Model", "K_SERIE"}},
        {Ui().ExpertSettings2, {"ReadFactoryButton", "WriteFactoryButton"}},
    };
    for (const auto& [page, order] : pages)
        EXPECT_EQ(TabOrder(page, order), order) << page->objectName().toStdString();
}

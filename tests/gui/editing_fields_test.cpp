#include <QRadioButton>

#include "editing_fixture.h"

// Each edit field is left with the Tab key, as a user leaves it. A rejected entry brings
// the field's message every time, and the field keeps the focus.
TEST_F(EditingWindow, EveryFieldChecksItsEntryWhenLeft)
{
    struct Case {
        TLabeledEdit* field;
        const char* text;
        const char* caption;
        const char* message;
    };
    Start({.firmwareVersion = 3960610}, 1);
    const auto& ssi = *Ui().SSISettings;
    const auto& errors = *Ui().ErrorIndication;
    const auto& measurement = *Ui().Measurement;
    const auto& expert = *Ui().ExpertSettings;
    constexpr const char* Bad = "Falscher Parameter";
    const Case cases[] = {
        {ssi.BitWidth, "0", "Parameter out of range", "Bitte geben Sie eine gültige Bitbreite ein (1..32)"},
        {ssi.UARTWrites, "0", Bad, "Bitte geben Sie einen gültigen UART-Zähler Wert ein (1..255)"},
        {ssi.JitterWindow, "256", Bad, "Bitte geben Sie einen gültigen Jitter-Fenster Wert ein (1..255)"},
        {ssi.MonoflopTime, "101", Bad, "Bitte geben Sie eine gültige Monoflop-Zeit ein (1..100)"},
        {errors.ErrorValue, "x", Bad, "Bitte geben Sie einen gültigen Wert ein"},
        {errors.ErrorCount, "0", "Parameter nicht im Wertebereich", "Bitte geben Sie einen gültigen Wert ein (1..255)"},
        {errors.PowerFail, "101", Bad, "Bitte geben Sie eine gültige Powerfail-Zeit ein (1..100)"},
        {measurement.Resolution, "x", Bad, "Bitte geben Sie eine gültige Auflösung in µm ein:\n0.5, 1, 2, 3, ..."},
        {measurement.Offset, "x", Bad, "Bitte geben Sie einen gültigen Offsetwert ein"},
        {expert.FactoryNumber, "123456789", Bad, "Bitte geben Sie eine gültige Fertigungsnummer ein"},
        {expert.Length, "x", Bad, "Bitte geben Sie eine gültige Länge ein"},
        {expert.UltrasonicSpeed, "x", Bad, "Bitte geben Sie eine gültige Ultraschallgeschwindigkeit in cm/s ein"},
        {expert.CycleTime, "x", "Parameter nicht gültig", "Bitte geben Sie eine gültige Zykluszeit ein"},
        {expert.SyncTiming, "x", Bad, "Bitte geben Sie eine gültige Zykluszeit ein"},
        {expert.Blanking, "256", Bad, "Bitte geben Sie eine gültige Blanking-Zeit ein (0..255)"},
        {Ui().Measurement2->IgnoreSsiClkNum, "256", Bad,
            "Bitte geben Sie eine gültige Extrapolationsinitialisierungswartezeit ein (0..255)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field->objectName().toStdString());
        const QString shown = c.field->text();
        dialogs.shown.clear();
        Type(c.field, c.text);
        QTest::keyClick(c.field->edit(), Qt::Key_Tab);
        QTest::keyClick(c.field->edit(), Qt::Key_Tab);
        ASSERT_EQ(dialogs.shown.size(), 2u);
        for (const auto& message : dialogs.shown) {
            EXPECT_EQ(message.caption, c.caption);
            EXPECT_EQ(message.text, c.message);
        }
        EXPECT_TRUE(FocusIn(c.field));
        EXPECT_EQ(Session().MissedPolls(), 65535u);
        c.field->setText(shown);  // so that the next case can take the focus away
    }
}

// One change of each field and option; the cases run one after the other on one sensor,
// so a register keeps the fields that the cases before it set.
TEST_F(EditingWindow, EveryFieldWritesItsPartOfTheRegister)
{
    struct Case {
        const char* name;
        std::function<void()> change;
        QWidget* control;
        const char* write;
    };
    Start({.firmwareVersion = 3960610});
    const auto& ssi = *Ui().SSISettings;
    const auto& expert = *Ui().ExpertSettings;
    const Case cases[] = {
        {"binary coding", [&] { Click(ssi.CodingGroup->button(0)); }, ssi.CodingGroup, "DN000119"},
        {"error counter", [&] { Type(Ui().ErrorIndication->ErrorCount, "7"); }, Ui().ErrorIndication->ErrorCount,
            "DN000719"},
        {"sync start", [&] { Click(ssi.SSI_Start_CheckBox); }, ssi.SSI_Start_CheckBox, "DN100719"},
        {"slow filter", [&] { Click(Ui().Measurement->SlowAvarageFilter); }, Ui().Measurement->SlowAvarageFilter,
            "DN300719"},
        {"UART counter", [&] { Type(ssi.UARTWrites, "7"); }, ssi.UARTWrites, "ZN068307"},
        {"cycle time", [&] { Type(expert.CycleTime, "9"); }, expert.CycleTime, "ZN000907"},
        {"jitter window", [&] { Type(ssi.JitterWindow, "9"); }, ssi.JitterWindow, "MN03BC09"},
        {"sync timing", [&] { Type(expert.SyncTiming, "9"); }, expert.SyncTiming, "MN000909"},
        {"monoflop time", [&] { Type(ssi.MonoflopTime, "9"); }, ssi.MonoflopTime, "ON000009"},
        {"error value", [&] { Type(Ui().ErrorIndication->ErrorValue, "-1"); }, Ui().ErrorIndication->ErrorValue,
            "PNFFFFFFFF"},
        {"temperature compensation", [&] { Click(Ui().Measurement2->TempComp); }, Ui().Measurement2->TempComp,
            "RN00000401"},
        {"init delay", [&] { Type(Ui().Measurement2->IgnoreSsiClkNum, "9"); }, Ui().Measurement2->IgnoreSsiClkNum,
            "iN00000009"},
        {"charge pump", [&] { Click(expert.ChargepumpStages->button(2)); }, expert.ChargepumpStages, "JN000002"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host->ClearLog();
        c.change();
        EXPECT_EQ(Writes(), std::vector<std::string>{c.write});
        EXPECT_EQ(host->Register(c.write[0]), std::string(c.write + 2));
        EXPECT_EQ(ControlColour(c.control), ChangedColour);
        EXPECT_TRUE(Ui().EEPROMUpdateButton->isEnabled());
    }
    EXPECT_TRUE(dialogs.shown.empty());
}

// A W-series sensor takes none of these options: each choice is answered with the refusal
// and put back, nothing is written, and the guard flag is spent for the next click.
TEST_F(EditingWindow, WSeriesRefusesEveryOptionItCannotUse)
{
    struct Case {
        QAbstractButton* clicked;
        QAbstractButton* neutral;  // the button whose state shows the neutral choice
        bool neutralChecked;
        const TSSICom::DataElement& element;
        const char* message;
    };
    Start({.firmwareVersion = 3960607, .model = "WH"});
    TSSICom::ParameterStruct& p = Session().Parameter();
    const auto& measurement = *Ui().Measurement;
    const auto& measurement2 = *Ui().Measurement2;
    constexpr const char* Plain = "At W Series not available!";
    constexpr const char* Ssi = "At W Series SSI not available!";
    const Case cases[] = {
        {measurement.FilterS->button(2), measurement.FilterS->button(0), true, p.Filter, Plain},
        {measurement.Direction->button(1), measurement.Direction->button(0), true, p.Direction, Plain},
        {measurement.PosDifVel->button(1), measurement.PosDifVel->button(0), true, p.PosDifVel, Plain},
        {measurement.SlowAvarageFilter, measurement.SlowAvarageFilter, false, p.SlowAvarageFilter, Ssi},
        {Ui().SSISettings->SSI_Start_CheckBox, Ui().SSISettings->SSI_Start_CheckBox, false, p.SyncStart, Ssi},
        {Ui().ErrorIndication->ErrorValue2, Ui().ErrorIndication->ErrorValue2, false, p.SecErrorValue, Plain},
        {measurement2.Siemens, measurement2.Siemens, false, p.FrameOptions, Plain},
        {measurement2.Temperature, measurement2.Temperature, false, p.FrameOptions, Plain},
        {measurement2.Linearisierung, measurement2.Linearisierung, false, p.ProcessOptions, Plain},
        {measurement2.TempComp, measurement2.TempComp, false, p.ProcessOptions, Plain},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clicked->objectName().isEmpty() ? c.clicked->text().toStdString()
                                                       : c.clicked->objectName().toStdString());
        const int32_t before = c.element.Value;
        dialogs.shown.clear();
        Click(c.clicked);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].caption, "Error");
        EXPECT_EQ(dialogs.shown[0].text, c.message);
        EXPECT_EQ(c.neutral->isChecked(), c.neutralChecked);
        EXPECT_EQ(c.element.Value, before);
        EXPECT_FALSE(Ui().SSISettings->ControlSettings->isChecked());
    }
    EXPECT_TRUE(Writes().empty());
    EXPECT_FALSE(Ui().EEPROMUpdateButton->isEnabled());
}

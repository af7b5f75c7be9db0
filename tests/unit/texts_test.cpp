#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <tuple>
#include <string>
#include <utility>

#include "editing_texts.h"
#include "sensortest_texts.h"
#include "session_texts.h"
#include "texts.h"

namespace {

const ControlText* FindRow(const char* control, TextProperty property, ModelVariant variant = ModelVariant::Any)
{
    for (const ControlText& row : LanguageTable())
        if (std::strcmp(row.control, control) == 0 && row.property == property && row.variant == variant)
            return &row;
    return nullptr;
}

}  // namespace

TEST(Pick, EnglishForZeroGermanForOneNothingElse)
{
    EXPECT_EQ(Pick(texts::RangePointNotDefined, 0), "not defined");
    EXPECT_EQ(Pick(texts::RangePointNotDefined, 1), "nicht definiert");
    for (int other : {2, 7, 255})
        EXPECT_EQ(Pick(texts::RangePointNotDefined, static_cast<uint8_t>(other)), std::nullopt) << other;
    EXPECT_EQ(Pick(BilingualText{"only English", nullptr}, 1), std::nullopt);
}

TEST(Pick, MessagesCarryCaptionAndText)
{
    const auto english = Pick(texts::CommunicationError, 0);
    ASSERT_TRUE(english);
    EXPECT_EQ(english->caption, "Error");
    EXPECT_EQ(english->text, "Communication Error");
    const auto german = Pick(texts::CommunicationError, 1);
    ASSERT_TRUE(german);
    EXPECT_EQ(german->caption, "Fehler");
    EXPECT_EQ(german->text, "Kommunikationsfehler");
    EXPECT_FALSE(Pick(texts::CommunicationError, 2));
    EXPECT_FALSE(Pick(texts::OverwriteUserSettings, 3));
}

TEST(Pick, CorrectionsSpeakEnglishToEveryCodeButGerman)
{
    for (int code : {0, 2, 255}) {
        const auto bitWidth = Pick(texts::BitWidthCorrection, static_cast<uint8_t>(code));
        ASSERT_TRUE(bitWidth) << code;
        EXPECT_EQ(bitWidth->caption, "Info");
        EXPECT_EQ(bitWidth->text,
            "Number of data bits will be automatically\ncorrected to 24 because temperature bit is set");
        const auto filter = Pick(texts::FilterCorrection, static_cast<uint8_t>(code));
        ASSERT_TRUE(filter);
        EXPECT_EQ(
            filter->text, "Filter settings will be\ncorrected to 0 automatically,\nbecause velocity mode is activ");
    }
    EXPECT_EQ(Pick(texts::FilterCorrection, 1)->text,
        "Die Filtereinstellung wird\nautomatisch zu 0 korrigiert, da der\nGeschwindigkeitsmodus aktiv ist");
}

TEST(Texts, ExactMessagesOfBothLanguages)
{
    EXPECT_EQ(Pick(texts::ResolutionChanged, 0)->text,
        "The measurement range\n(startpoint, endpoint)\n must be reprogrammed!");
    EXPECT_EQ(Pick(texts::ResolutionChanged, 1)->caption, "Auflösung geändert!");
    EXPECT_EQ(Pick(texts::RangeError, 0)->text,
        "Endpoint is smaller/equal than startpoint - \nchange parameter, otherwise sensor will \nbe not function!");
    EXPECT_EQ(Pick(texts::RangeError, 1)->caption, "Messbereichsfehler");
    EXPECT_EQ(Pick(texts::EepromUpdateQuestion, 1)->caption, "EEPROM update");
    EXPECT_EQ(Pick(texts::MinSsiPeriodCaption, 1), "Min. Meßzykluszeit:");
    EXPECT_EQ(std::string(texts::MainCaption), std::string(texts::MainCaptionPrefix) + texts::VersionText);
    EXPECT_EQ(std::strlen(texts::DemoMarquee), 54U);
    EXPECT_EQ(std::string(texts::DisconnectWarningLabel),
        "The sensor has been disconnected, but your settings have not been downloaded.\n\nTo update, "
        "connect the sensor and press the \"Update\"-Button.");
}

TEST(PortDialogCaptions, ByLanguageAndTheLayoutsOwnOtherwise)
{
    EXPECT_STREQ(PortDialogCaptions(0).label, "Please select an available COM-Port for the QOR-Tesmira");
    EXPECT_STREQ(PortDialogCaptions(0).window, "SSI-Tesmira");
    EXPECT_STREQ(PortDialogCaptions(1).label, "Bitte wählen sie den COM-Port für den SSI-Tesmira aus");
    EXPECT_STREQ(PortDialogCaptions(1).connect, "&Verbinden");
    EXPECT_STREQ(PortDialogCaptions(1).quit, "&Abbrechen");
    EXPECT_STREQ(PortDialogCaptions(2).window, "Select a COM-Port for the SSI-Tesmira");
    EXPECT_STREQ(PortDialogCaptions(255).label, "Please select an available COM-Port for the programmer");
    EXPECT_STREQ(PortDialogCaptions(255).quit, "&Quit");
}

TEST(LanguageTable, HoldsEveryRowOnceFromEnglishHintToIgnoreSsiClkNum)
{
    const auto table = LanguageTable();
    ASSERT_EQ(table.size(), 158U);
    EXPECT_STREQ(table.front().control, "English1");
    EXPECT_EQ(table.front().property, TextProperty::Hint);
    EXPECT_STREQ(table.back().control, "IgnoreSsiClkNum");
    std::set<std::tuple<std::string, TextProperty, ModelVariant>> seen;
    for (const ControlText& row : table) {
        EXPECT_TRUE(seen.emplace(row.control, row.property, row.variant).second) << row.control;
        EXPECT_NE(row.text.english, nullptr) << row.control;
        EXPECT_TRUE(row.text.german != nullptr || std::strcmp(row.control, "English1") == 0) << row.control;
    }
}

TEST(LanguageTable, KeepsTheTextsLetterForLetter)
{
    struct Case {
        const char* control;
        TextProperty property;
        const char* english;
        const char* german;
    };
    const Case cases[] = {
        {"PowerFail", TextProperty::Label, "Power failuire (in ms): ", "Powerfail (in ms): "},
        {"Direction", TextProperty::Hint, "Specifies the measurement direction", "Stellt die Messrichung ein"},
        {"RestoreFactorySettings1", TextProperty::Hint, "Restores the factory settings",
            "Sellt die Werkseinstellungen wieder her"},
        {"TempComp", TextProperty::Caption, "temperature compenzation", "Temperaturkompensation"},
        {"Siemens", TextProperty::Caption, "Parity && Error Bit", "Paritäts- && Fehlerbit"},
        {"FileMenu", TextProperty::Caption, "&File", "D&atei"},
        {"Label2", TextProperty::Caption, "Length:", "Länge: "},
        {"StartPoint", TextProperty::Label, " measurement start point", "   Messbereichsanfang"},
        {"FilterS", TextProperty::Items, "no Filter\nGrade 2\nGrade 4\nGrade 8", "kein Filter\nGrad 2\nGrad 4\nGrad 8"},
        {"IgnoreSsiClkNum", TextProperty::Hint,
            "number of SSI clock bursts to ignore before extrapolation algorithm initialization",
            "Anzahl der SSI-Tacktbüschel, welche vor der initialisierung des Extrapolationsalgorithmus nicht "
            "berücksichtigt werden"},
    };
    for (const Case& c : cases) {
        const ControlText* row = FindRow(c.control, c.property);
        ASSERT_NE(row, nullptr) << c.control;
        EXPECT_STREQ(row->text.english, c.english) << c.control;
        EXPECT_STREQ(row->text.german, c.german) << c.control;
    }
}

TEST(LanguageTable, ChargepumpRowsFollowTheCaptionWithBothVariants)
{
    const auto table = LanguageTable();
    const auto caption = std::ranges::find_if(
        table, [](const ControlText& row) { return std::strcmp(row.control, "ChargepumpStages") == 0; });
    ASSERT_NE(caption, table.end());
    const std::pair<TextProperty, ModelVariant> expected[] = {
        {TextProperty::Caption, ModelVariant::Any},
        {TextProperty::Items, ModelVariant::Wbf},
        {TextProperty::Hint, ModelVariant::Wbf},
        {TextProperty::Items, ModelVariant::Other},
        {TextProperty::Hint, ModelVariant::Other},
    };
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_STREQ(caption[i].control, "ChargepumpStages");
        EXPECT_EQ(caption[i].property, expected[i].first) << i;
        EXPECT_EQ(caption[i].variant, expected[i].second) << i;
    }
}

TEST(LanguageTable, OriginButtonHintCopiesOriginLabelsRightAfterIt)
{
    const auto table = LanguageTable();
    const auto label = std::ranges::find_if(table, [](const ControlText& row) {
        return std::strcmp(row.control, "OriginLabel") == 0 && row.property == TextProperty::Hint;
    });
    ASSERT_NE(label, table.end());
    const auto button = label + 1;
    EXPECT_STREQ(button->control, "OriginButton");
    EXPECT_EQ(button->property, TextProperty::Hint);
    EXPECT_STREQ(button->text.english, label->text.english);
    EXPECT_STREQ(button->text.german, label->text.german);
}

TEST(LanguageTexts, ChoosesTheLanguageAndTheChargepumpVariant)
{
    const auto english = LanguageTexts(0, false);
    EXPECT_EQ(english.size(), 156U);
    EXPECT_STREQ(english.front().control, "English1");
    EXPECT_EQ(english.front().text, "Sets the language to english");

    const auto german = LanguageTexts(1, true);
    EXPECT_EQ(german.size(), 155U);  // English1's hint stays
    EXPECT_STREQ(german.front().control, LanguageTable()[1].control);
    const auto items = std::ranges::find_if(german, [](const ResolvedText& t) {
        return std::strcmp(t.control, "ChargepumpStages") == 0 && t.property == TextProperty::Items;
    });
    ASSERT_NE(items, german.end());
    EXPECT_EQ(items->text,
        "Stufe 1 (0x00)\nStufe 2 (0x08)\nStufe 3 (0x40)\nStufe 4 (0xC0)\nStufe 5 (0x20)\nStufe 6 (0xA0)\n"
        "Stufe 7 (0x60)\nStufe 8 (0xE0)");
    EXPECT_EQ(std::ranges::count_if(
                  german, [](const ResolvedText& t) { return std::strcmp(t.control, "ChargepumpStages") == 0; }),
        3);

    EXPECT_TRUE(LanguageTexts(2, false).empty());
    EXPECT_TRUE(LanguageTexts(255, true).empty());
}

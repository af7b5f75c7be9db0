#include "texts.h"

#include <iterator>
#include <utility>

#include "editing_texts.h"
#include "files_texts.h"
#include "firmware_texts.h"
#include "linearization_texts.h"
#include "reports_texts.h"
#include "sensortest_texts.h"

namespace {

constexpr PortDialogTexts kPortDialog[] = {
    {"SSI-Tesmira", "Please select an available COM-Port for the QOR-Tesmira", "&Connect", "&Quit"},
    {"SSI-Tesmira", "Bitte wählen sie den COM-Port für den SSI-Tesmira aus", "&Verbinden", "&Abbrechen"},
};
constexpr PortDialogTexts kPortDialogLayout{"Select a COM-Port for the SSI-Tesmira",
    "Please select an available COM-Port for the programmer", "&Connect", "&Quit"};

constexpr ControlText kMainWindowRows[] = {
    {"English1", TextProperty::Hint, {"Sets the language to english", nullptr}},
    {"EEPROMUpdateButton", TextProperty::Caption, {"EEPROM Update", "EEPROM Update"}},
    {"EEPROMUpdateButton", TextProperty::Hint,
        {"Saves the current parameters to sensor EEPROM", "Speichert die aktuellen Parameter ins Sensor-EEPROM"}},
    {"FileMenu", TextProperty::Caption, {"&File", "D&atei"}},
    {"FileExitItem", TextProperty::Caption, {"&Quit", "&Beenden"}},
    {"FileExitItem", TextProperty::Hint, {"Quits the application", "Beendet das Programm"}},
    {"HelpMenu", TextProperty::Caption, {"Help", "Hilfe"}},
    {"HelpAboutItem", TextProperty::Caption, {"Info...", "Info..."}},
    {"HelpAboutItem", TextProperty::Hint, {"About dialog", "Info"}},
    {"HelpContentsItem", TextProperty::Caption, {"Content", "Inhalt"}},
    {"HelpContentsItem", TextProperty::Hint, {"Opens the help file", "Öffnet die Hilfedatei"}},
    {"Label1", TextProperty::Caption, {"Sensor Type:", "Sensor Typ:"}},
    {"Label2", TextProperty::Caption, {"Length:", "Länge: "}},
    {"Label4", TextProperty::Caption, {"Factory Number:", "Fertigungsnummer: "}},
    {"Label3", TextProperty::Caption, {"Ultrasonic Speed:", "Ultraschalllaufzeit: "}},
    {"Label5", TextProperty::Caption, {"Cycle Time:", "Zykluszeit: "}},
    {"Language1", TextProperty::Caption, {"Language", "Sprache"}},
    {"Language1", TextProperty::Hint,
        {"Lets you choose between different language versions", "Wählen Sie die gewünschte Sprache"}},
    {"RestoreFactorySettings1", TextProperty::Caption,
        {"Restore Factory Settings", "Werkseinstellung wiederherstellen"}},
    {"RestoreFactorySettings1", TextProperty::Hint,
        {"Restores the factory settings", "Sellt die Werkseinstellungen wieder her"}},
    {"SensorInformation", TextProperty::Caption, {"Sensor Information", "Sensor Information"}},
    {"StatusBox", TextProperty::Caption, {"Communication Status", "Kommunikationsstatus"}},
    {"StatusBox", TextProperty::Hint,
        {"Displays the current communication status with the sensor",
            "Zeigt den aktuellen Kommunikationsstatus mit dem Sensor an"}},
};

// The main window's own rows come first, from the language menu's hint on; the rows of the
// parameter pages close the table.
const std::vector<ControlText>& Catalogue()
{
    static const std::vector<ControlText> rows = [] {
        std::vector<ControlText> all(std::begin(kMainWindowRows), std::end(kMainWindowRows));
        for (std::span<const ControlText> area :
            {FilesTexts(), SensorTestTexts(), ReportsTexts(), FirmwareTexts(), LinearizationTexts(), EditingTexts()})
            all.insert(all.end(), area.begin(), area.end());
        return all;
    }();
    return rows;
}

}  // namespace

const PortDialogTexts& PortDialogCaptions(uint8_t languageCode)
{
    return languageCode < std::size(kPortDialog) ? kPortDialog[languageCode] : kPortDialogLayout;
}

std::span<const ControlText> LanguageTable() { return Catalogue(); }

std::vector<ResolvedText> LanguageTexts(uint8_t languageCode, bool wbfModel)
{
    return ResolveTexts(Catalogue(), languageCode, wbfModel);
}

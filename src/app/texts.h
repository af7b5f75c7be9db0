#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "catalogue.h"
#include "program_version.h"

// The texts of the main window, its menu and its small dialogs, in English and German;
// captions that never change stay in the window layouts.

namespace texts {

// Program name and version.
inline constexpr const char* VersionText = ProgramVersionText;
inline constexpr const char* MainCaption = "QOR SSI-Tesmira 5.3.10";
inline constexpr const char* MainCaptionPrefix = "QOR ";
inline constexpr const char* BuildPrefix = "Build: ";

// The settings file or registry key follows the text.
inline constexpr BilingualMessage SettingsNotSaved{{"Settings", "Einstellungen"},
    {"The settings cannot be saved. The program goes on, but your choices last only until it ends.\n\n",
        "Die Einstellungen können nicht gespeichert werden. Das Programm läuft weiter, aber Ihre Auswahl gilt nur "
        "bis zum Programmende.\n\n"}};

// Port selection dialog.
inline constexpr const char* DemoPortItem = "Demo";
inline constexpr const char* PortItemPrefix = "COM ";

// Status box.
inline constexpr BilingualText StatusFoundPrefix{"SSI-Sensor found on COM-Port ", "SSI-Sensor gefunden an COM-Port "};
inline constexpr BilingualText StatusConnectedPrefix{
    "Communication established on COM-Port ", "Verbindung hergestellt an COM-Port "};
inline constexpr BilingualText StatusUpdateHint{"EEPROM-Update: Click Update to save new parameters",
    "EEPROM-Update: Wählen Sie \"Update\" um Parameter zu speichern"};
inline constexpr BilingualText StatusNotConnectedSuffix{
    ": SSI-Sensor not connected...", ": SSI-Sensor nicht gefunden..."};
inline constexpr const char* StatusNotConnectedPrefix = "COM";
// "DEMO" and 14 blanks, three times: 54 characters.
inline constexpr const char* DemoMarquee = "DEMO              DEMO              DEMO              ";

// Disconnect warning, English in both languages.
inline constexpr const char* DisconnectWarningLabel
    = "The sensor has been disconnected, but your settings have not been downloaded.\n\n"
      "To update, connect the sensor and press the \"Update\"-Button.";
inline constexpr const char* SensorNotConnected = "Sensor not connected!\n";
inline constexpr const char* SensorNotConnectedCaption = "Error";
// %1 the factory number of the sensor that answers, %2 that of the sensor the edits belong to.
inline constexpr const char* OtherSensorConnected
    = "Another sensor is connected (factory number %1).\n\nThe settings belong to the sensor %2 "
      "and have not been downloaded.";
inline constexpr const char* PendingSetNotStored
    = "The settings could not be downloaded to the sensor.\n\nThey are kept: press \"Update\" to try again.";

// Parameter view.
// Label5 beside InfoLabel5, by measuring mode.
inline constexpr BilingualText MinSsiPeriodCaption{"Min. SSI period:", "Min. Meßzykluszeit:"};
inline constexpr BilingualText CycleTimeCaption{"Cycle Time:", "Zykluszeit:"};
inline constexpr const char* HalfMicronResolution = "0.5";

// Sensor update and factory settings.
inline constexpr BilingualMessage ResolutionChanged{{"Resolution changed!", "Auflösung geändert!"},
    {"The measurement range\n(startpoint, endpoint)\n must be reprogrammed!",
        "Der Messbereich (Startwert/Endwert)\nmuss erneut programmiert werden!"}};
inline constexpr BilingualMessage EepromUpdateQuestion{{"EEPROM update", "EEPROM update"},
    {"The changed parameters haven't been saved. Should they be saved now?",
        "Die geänderten Daten wurden nicht gespeichert. Speichern?"}};
// Asked when the window is closed while a long sensor operation runs; English for codes
// other than 0 and 1, so that the question is never skipped.
inline constexpr BilingualMessage StopOperationQuestion{{"Sensor operation running", "Sensorvorgang läuft"},
    {"A sensor operation is still running. Stop it and close the program?",
        "Ein Sensorvorgang läuft noch. Soll er abgebrochen und das Programm beendet werden?"},
    true};
inline constexpr BilingualMessage OverwriteUserSettings{
    {"Overwrite User Settings?", "Benutzereinstellung überschreiben?"},
    {"This will overwrite your settings with the original factory settings",
        "Soll Werkseinstellung wiederhergestellt werden?"}};

}  // namespace texts

// The port selection dialog's captions. Codes other than 0 and 1 get the layout's own.
struct PortDialogTexts {
    const char* window;
    const char* label;
    const char* connect;
    const char* quit;
};
const PortDialogTexts& PortDialogCaptions(uint8_t languageCode);

// The language texts of the main window and its menu, in the order they are applied:
// the main window's own rows first, then those of each feature area.
// Every row, both chargepump variants included. OriginButton's hint row carries the
// same texts as OriginLabel's, so applying the rows in order copies that hint.
std::span<const ControlText> LanguageTable();

// ResolveTexts of the main window's table.
std::vector<ResolvedText> LanguageTexts(uint8_t languageCode, bool wbfModel);

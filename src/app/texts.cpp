#include "texts.h"

#include <iterator>
#include <utility>

namespace {

const char* Choose(const BilingualText& text, uint8_t languageCode)
{
    switch (languageCode) {
    case 0:
        return text.english;
    case 1:
        return text.german;
    default:
        return nullptr;
    }
}

constexpr PortDialogTexts kPortDialog[] = {
    {"SSI-Tesmira", "Please select an available COM-Port for the QOR-Tesmira", "&Connect", "&Quit"},
    {"SSI-Tesmira", "Bitte wählen sie den COM-Port für den SSI-Tesmira aus", "&Verbinden", "&Abbrechen"},
};
constexpr PortDialogTexts kPortDialogLayout{"Select a COM-Port for the SSI-Tesmira",
    "Please select an available COM-Port for the programmer", "&Connect", "&Quit"};

constexpr ControlText kLanguageTable[] = {
    {"English1", TextProperty::Hint, {"Sets the language to english", nullptr}},
    {"BitWidth", TextProperty::Label, {"SSI transmission bit width: ", "SSI Bitbreite: "}},
    {"BitWidth", TextProperty::Hint,
        {"Bit width [1-32 Bit]. Parity- & Errorbit not included",
            "Bestimmt die SSI Bitbreite (1-32 Bit). Paritäts- und Fehlerbit nicht mitgezählt"}},
    {"ChargepumpStages", TextProperty::Caption, {"Chargepump", "Ladungspumpe"}},
    {"ChargepumpStages", TextProperty::Items,
        {"Stage 1 (0x00)\nStage 2 (0x08)\nStage 3 (0x40)\nStage 4 (0xC0)\nStage 5 (0x20)\nStage 6 (0xA0)\nStage 7 "
         "(0x60)\nStage 8 (0xE0)",
            "Stufe 1 (0x00)\nStufe 2 (0x08)\nStufe 3 (0x40)\nStufe 4 (0xC0)\nStufe 5 (0x20)\nStufe 6 (0xA0)\nStufe 7 "
            "(0x60)\nStufe 8 (0xE0)"},
        ModelVariant::Wbf},
    {"ChargepumpStages", TextProperty::Hint,
        {"Regulates the current of the chargepump stages. \nSensor Length < 150mm: Stage 1\nSensor Length 150-349mm: "
         "Stage 2\nSensor Length 350-549mm: Stage 3\nSensor Length 550-799mm: Stage 4\nSensor Length 800-1099mm: Stage "
         "5\nSensor Length 1100-1449mm: Stage 6\nSensor Length 1450-1600mm: Stage 7\nSensor Length 1601-3250mm: Stage "
         "8",
            "Regelt den Ladungspumpenstrom\nSensor Länge < 150mm: Stufe 1\nSensor Länge 150-349mm: Stufe 2\nSensor "
            "Länge 350-549mm: Stufe 3\nSensor Länge 550-799mm: Stufe 4\nSensor Länge 800-1099mm: Stufe 5\nSensor Länge "
            "1100-1449mm: Stufe 6\nSensor Länge 1450-1600mm: Stufe 7\nSensor Länge 1601-3250mm: Stufe 8"},
        ModelVariant::Wbf},
    {"ChargepumpStages", TextProperty::Items, {"1 Stage\n3 Stages\n6 Stages", "1 Stufe\n3 Stufen\n6 Stufen"},
        ModelVariant::Other},
    {"ChargepumpStages", TextProperty::Hint,
        {"Sets the number of chargepump stages. \nSensor Length <345mm: 1 Stage\nSensor Length 345-1669mm: 3 "
         "Stages\nSensor Length >1669mm: 6 Stages",
            "Setzt die Anzahl der Ladungspumpenstufen.\nSensor Länge <345mm: 1 Stufe\nSensor Länge 345-1669: 3 "
            "Stufen\nSensor Länge >1669mm: 6 Stufen"},
        ModelVariant::Other},
    {"CodingGroup", TextProperty::Caption, {"SSI-Coding", "SSI-Codierung"}},
    {"CodingGroup", TextProperty::Items, {"binary\ngray", "binär\ngray"}},
    {"CodingGroup", TextProperty::Hint,
        {"Sets the SSI-transmission format to binary or gray", "Setzt das Übertragungsformat auf binär oder gray"}},
    {"CycleTime", TextProperty::Label, {"Cycle Time (async): ", "Zykluszeit (async): "}},
    {"CycleTime", TextProperty::Hint,
        {"The cycle time for asynchronous operation (in 1/4 µs)", "Zykluszeit für asynchrone Messung (in 1/4µs)"}},
    {"Direction", TextProperty::Caption, {"Direction", "Richtung"}},
    {"Direction", TextProperty::Items, {"forward\nreverse", "vorwärts\ninvers"}},
    {"Direction", TextProperty::Hint, {"Specifies the measurement direction", "Stellt die Messrichung ein"}},
    {"EEPROMUpdateButton", TextProperty::Caption, {"EEPROM Update", "EEPROM Update"}},
    {"EEPROMUpdateButton", TextProperty::Hint,
        {"Saves the current parameters to sensor EEPROM", "Speichert die aktuellen Parameter ins Sensor-EEPROM"}},
    {"ErrorCount", TextProperty::Label, {"Error Counter (1-255): ", "Fehlerzähler (1-255): "}},
    {"ErrorCount", TextProperty::Hint,
        {"Specifies the number of errors which\nhave to occur before an error is indicated",
            "Stellt die Anzahl der Fehler ein, die Auftreten müssen,\nbevor der Sensor ein Fehlerwert ausgibt "
            "(1-255)"}},
    {"ErrorIndication", TextProperty::Caption, {"Error Indication", "Fehleranzeige"}},
    {"ErrorIndication", TextProperty::Hint,
        {"Settings for error indication", "Einstellungen für die Fehlerwertausgabe"}},
    {"ErrorValue", TextProperty::Label, {"Error Value: ", "Fehlerwert: "}},
    {"ErrorValue", TextProperty::Hint,
        {"Transmit the set value under error condition.",
            "Im Falle eines Messfehlers gibt der Sensor diesen Fehlerwert aus"}},
    {"ExpertSettings", TextProperty::Caption, {"Expert Settings", "Experten Einstellungen"}},
    {"ExpertSettings", TextProperty::Hint, {"Expert Settings", "Experten Einstellungen"}},
    {"ExpertSettings2", TextProperty::Caption, {"Expert Settings 2", "Experten Einstellungen 2"}},
    {"ExpertSettings2", TextProperty::Hint, {"Expert Settings 2", "Experten Einstellungen 2"}},
    {"FactoryNumber", TextProperty::Label, {"Factory Number: ", "Fertigungsnummer: "}},
    {"FactoryNumber", TextProperty::Hint,
        {"This is the eight digit factory number", "Dieses ist die achtstellige Seriennummer"}},
    {"FileMenu", TextProperty::Caption, {"&File", "D&atei"}},
    {"FileExitItem", TextProperty::Caption, {"&Quit", "&Beenden"}},
    {"FileExitItem", TextProperty::Hint, {"Quits the application", "Beendet das Programm"}},
    {"FileOpenItem", TextProperty::Caption, {"Open...", "Öffnen..."}},
    {"FileOpenItem", TextProperty::Hint,
        {"Opens an QOR Sensor file and reads back the parameters",
            "Öffnet eine QOR Sensor Datei und liest die Parameter ein"}},
    {"FileSaveAsItem", TextProperty::Caption, {"Save as...", "Speichern unter..."}},
    {"FileSaveAsItem", TextProperty::Hint,
        {"Saves the current sensor parameters to disk", "Speichert die aktuellen Parameter in einer Datei"}},
    {"FilterS", TextProperty::Caption, {"Filter", "Filter"}},
    {"FilterS", TextProperty::Items, {"no Filter\nGrade 2\nGrade 4\nGrade 8", "kein Filter\nGrad 2\nGrad 4\nGrad 8"}},
    {"FilterS", TextProperty::Hint,
        {"Specifies the filter grade for averaging the position values",
            "Gibt die Anzahl der Werte an über die eine Durchschnittsrechnung durchgeführt wird"}},
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
    {"JitterWindow", TextProperty::Label, {"Jitter Window [µs]:", "Jitter Fenster [µs]: "}},
    {"JitterWindow", TextProperty::Hint,
        {"Specifies the safety margin between measurement and\nSSI-Transmission in µs. Default: 50",
            "Gibt den Sicherheitsabstand zwischen Messungsstart und SSI-Takt an"}},
    {"Language1", TextProperty::Caption, {"Language", "Sprache"}},
    {"Language1", TextProperty::Hint,
        {"Lets you choose between different language versions", "Wählen Sie die gewünschte Sprache"}},
    {"Length", TextProperty::Label, {"Length (in mm): ", "Länge (in mm): "}},
    {"Length", TextProperty::Hint, {"Specifies the sensor length in mm", "Gibt die Länge des Sensors in mm an"}},
    {"Measurement", TextProperty::Caption, {"Measurement", "Messung"}},
    {"Measurement", TextProperty::Hint, {"Measurement specific settings", "Messungseinstellungen"}},
    {"Mode", TextProperty::Caption, {"Start of Measurement", "Start der Messung"}},
    {"Mode", TextProperty::Items, {"SSI clock asynchron\nSSI clock synchron", "SSI Takt asynchron\nSSI Takt synchron"}},
    {"Mode", TextProperty::Hint,
        {"Sets the mode of measurement:\n- asynchronous mode\n- synchronous mode\nStandard: asynchronous.",
            "Setzt den Messmodus auf asynchron oder synchron.\nStandard: asynchron"}},
    {"Model", TextProperty::Caption, {"Model", "Model"}},
    {"Model", TextProperty::Hint,
        {"Specifies the Sensor Model:\nHydraulic (_H) or Profile Version (_P)",
            "Gibt die Sensor-Bauform an:\nHydraulic (_H) oder Profile Version (_P)"}},
    {"MonoflopTime", TextProperty::Label, {"Monoflop Time (in 1/2µs): ", "Monoflop Zeit (in 1/2µs): "}},
    {"MonoflopTime", TextProperty::Hint,
        {"Specifies the time between last SSI-clock\nand the fall back of the monoflop (in 1/2µs).\nStandard value: 32",
            "Gibt die Monoflopzeit in (1/2µs) an.\nStandard: 32"}},
    {"Offset", TextProperty::Label, {"Offset (in µm): ", "Offset (in µm): "}},
    {"Offset", TextProperty::Hint, {"Specifies the position offset in µm", "Gibt den Positionsoffset in µm an"}},
    {"PowerFail", TextProperty::Label, {"Power failuire (in ms): ", "Powerfail (in ms): "}},
    {"PowerFail", TextProperty::Hint,
        {"Under voltage detector:\nvalid values: 1-100 ms\n- switched off: 0\n- Standard value: 1 ms",
            "Gibt die Ansprechzeitverzögerung für die Unterspannungserkennung\nin ms an (1-100) - ausschaltbar mit "
            "'0'.\nStandard: 1ms"}},
    {"OriginLabel", TextProperty::Caption, {"Set new origin: ", "Neuen Nullpunkt setzen: "}},
    {"OriginLabel", TextProperty::Hint, texts::OriginHint},
    {"OriginButton", TextProperty::Hint, texts::OriginHint},
    {"OriginButton", TextProperty::Caption, {"Set", "Setze"}},
    {"PosDifVel", TextProperty::Caption, {"Measuring", "Art der Messung"}},
    {"PosDifVel", TextProperty::Items, {"Position\nDifferential\nVelocity", "Position\nDifferenz\nGeschwindigkeit"}},
    {"PosDifVel", TextProperty::Hint,
        {"Specifies the operational mode of the sensor.\nStandard: Position",
            "Gibt den Messmodus an.\nStandard: Position"}},
    {"Print", TextProperty::Caption, {"&Print...", "&Drucken..."}},
    {"Print", TextProperty::Hint,
        {"Prints a summay of the connected sensor", "Druckt eine Zusammenfassung des angeschlossenen Sensors"}},
    {"ReadFactoryButton", TextProperty::Caption, {"Read Factory Settings", "Lese Werkseinstellung"}},
    {"ReadFactoryButton", TextProperty::Hint,
        {"Reads out the original sensor parameters stored by QOR", "Liest die Werkseinstellung aus"}},
    {"Resolution", TextProperty::Label, {"Resolution (in µm): ", "Auflösung (in µm): "}},
    {"Resolution", TextProperty::Hint,
        {"Specifies the measurement resolution in µm", "Gibt die Messauflösung des Sensors in µm an"}},
    {"RestoreFactorySettings1", TextProperty::Caption,
        {"Restore Factory Settings", "Werkseinstellung wiederherstellen"}},
    {"RestoreFactorySettings1", TextProperty::Hint,
        {"Restores the factory settings", "Sellt die Werkseinstellungen wieder her"}},
    {"Scale", TextProperty::Label, {"Scale: ", "Skalierung: "}},
    {"Scale", TextProperty::Hint, {"Specifies the internal TALIX-Scale", "Gibt die interne TALIX-Skalierung an"}},
    {"SensorInformation", TextProperty::Caption, {"Sensor Information", "Sensor Information"}},
    {"Siemens", TextProperty::Caption, {"Parity && Error Bit", "Paritäts- && Fehlerbit"}},
    {"Siemens", TextProperty::Hint,
        {"Adds a parity and an error bit to the SSI bit stream",
            "Fügt den SSI-Daten ein Fehler- und ein Paritätsbit hinzu!\nAchtung: bei synchroner Messart ändert sich "
            "die Zykluszeit!"}},
    {"SSISettings", TextProperty::Caption, {"SSI Settings", "SSI Einstellungen"}},
    {"SSISettings", TextProperty::Hint, {"SSI-interface specific settings", "SSI Einstellungen"}},
    {"StatusBox", TextProperty::Caption, {"Communication Status", "Kommunikationsstatus"}},
    {"StatusBox", TextProperty::Hint,
        {"Displays the current communication status with the sensor",
            "Zeigt den aktuellen Kommunikationsstatus mit dem Sensor an"}},
    {"SyncTiming", TextProperty::Label, {"Cycle Time (sync): ", "Zykluszeit (sync): "}},
    {"SyncTiming", TextProperty::Hint,
        {"The cycle time for synchronous operation (in 1/4 µs)", "Zykluszeit für synchrone Messung (in 1/4µs)"}},
    {"Temperature", TextProperty::Caption, {"Measure Temperature (Bit 24-31)", "Temperaturmessung (Bit 24-31)"}},
    {"Temperature", TextProperty::Hint,
        {"Sets the highest bit segment (Bit 24 - Bit 31)\nfor sensor temperature",
            "Überträgt die Sensortemperatur in den Bits 24-31"}},
    {"TestSensor", TextProperty::Caption, {"Test Sensor", "Test Sensor"}},
    {"TestSensor", TextProperty::Hint,
        {"Reads out the SSI values of the sensor", "Liest die SSI Messwerte vom Sensor aus"}},
    {"UARTWrites", TextProperty::Label, {"UART Result Counter:", "UART Ergebniszähler:"}},
    {"UARTWrites", TextProperty::Hint,
        {"Sets number of measurements for\nupdated UART transmission.\nStandard setting: 50",
            "Gibt die Anzahl der Messungen an,\nbevor eine Erneute Meswertübertragung über die UART läuft.\nStandard: "
            "50"}},
    {"WriteFactoryButton", TextProperty::Caption, {"Write Factory Settings", "Schreibe Werkseinstellung"}},
    {"WriteFactoryButton", TextProperty::Hint,
        {"Overwrites the factory settings with the new parameters",
            "Überschreibt die Werkseinstellungen mit den aktuellen Parametern"}},
    {"UltrasonicSpeed", TextProperty::Label, {"Ultrasonic Speed (cm/s): ", "Ultraschallgesch. (cm/s): "}},
    {"UltrasonicSpeed", TextProperty::Hint,
        {"Specifies the ultrasonic speed in cm/s", "Gibt die Ultraschallgeschwindigkeit in cm/s an"}},
    {"SSI_Abstand", TextProperty::Label, {"SSI sample rate (µs):", "SSI Abfragezyklus (in µs):"}},
    {"SSI_Abstand", TextProperty::Hint,
        {"sampling rate for extrapolation",
            "Gibt die ermittelte Abfagezyklus in µs an - \ngültig nur bei Messoption: Extrapolation."}},
    {"ErrorValue2", TextProperty::Caption, {"activate second error value (-1)", "Aktiviere zweiten Fehlerwert (-1)"}},
    {"ErrorValue2", TextProperty::Hint,
        {"Error value (-1)\nTransmission under more magnet detecting condition.",
            "Fehlerwert ist gleich -1, wenn mehr Magnete als SOLL detektiert werden!\nBei detektierte Magnetzahl "
            "kleiner SOLL wird der eingestellte Fehlerwert ausgegeben!"}},
    {"Linearisierung", TextProperty::Caption, texts::InternalLinearizationCaption},
    {"Linearisierung", TextProperty::Hint, texts::InternalLinearizationHint},
    {"Extrapolation", TextProperty::Hint,
        {"Sets the extrapolation.\nIf sampling frequency > measurement frequency\nAttention: \nmax. sample frequency = "
         "10kHz",
            "Bei Abtastfrequenz > Messfrequenz werden \ndie Zwischenwerte extrapoliert!\nAchtung: max. Abtastfequenz = "
            "10kHz!"}},
    {"ExtrapolForward", TextProperty::Hint,
        {"The transmitted values are extrapolate\nto the actual magnet position.",
            "Extrapolation auf den Magnetposition zum Abtastzeitpunkt!\nDer zeitliche Verzug wird herausgerechnet!"}},
    {"TempComp", TextProperty::Caption, {"temperature compenzation", "Temperaturkompensation"}},
    {"TempComp", TextProperty::Hint,
        {"The effect of temperature will be calculated!", "Der Temperatureinfluss wird herausgerechnet!"}},
    {"SetStartPoint", TextProperty::Caption, {"Set", "Setzen"}},
    {"SetStartPoint", TextProperty::Hint,
        {"Defines the measurement range start.\nDetected magnets out of this range will be ignored!",
            "Setzt den Messbereichsanfang an die aktuelle Magnetposition!\nMagnete ausserhalb des Messbereichs werden "
            "ignoriert!"}},
    {"DelStartPoint", TextProperty::Caption, {"Delete", "Löschen"}},
    {"DelStartPoint", TextProperty::Hint,
        {"Deletes the measurement range starts.",
            "Löscht die Begrenzung für Messbereichsanfang! \nEs gibt keine Begrenzung in Richtung Sensorkopf!"}},
    {"SetEndPoint", TextProperty::Caption, {"Set", "Setzen"}},
    {"SetEndPoint", TextProperty::Hint,
        {"Defines the measurement range end.\nDetected magnets out of this range will be ignored!",
            "Setzt die Messbereichsende an die aktuelle Magnetposition!\nMagnete ausserhalb des Messbereichs werden "
            "ignoriert!"}},
    {"DelEndPoint", TextProperty::Caption, {"Delete", "Löschen"}},
    {"DelEndPoint", TextProperty::Hint,
        {"Deletes the measurement range starts.",
            "Löscht die Begrenzung für Messbereichsende! \nEs gibt keine Begrenzung in Richtung Sensorende!"}},
    {"StartPoint", TextProperty::Label, {" measurement start point", "   Messbereichsanfang"}},
    {"StartPoint", TextProperty::Hint,
        {"Specifies the sensor raw value of measuring range start.",
            "Gibt den Positionsrohwert für den \nMessbereichsanfang an."}},
    {"EndPoint", TextProperty::Label, {"   measuring end point", "     Messbereichsende"}},
    {"EndPoint", TextProperty::Hint,
        {"Specifies the sensor raw value of measuring range end.",
            "Gibt den Positionsrohwert für den \nMessbereichsende an."}},
    {"LinStartValue", TextProperty::Label, {"Start value (µm): ", "Startwert (in µm): "}},
    {"LinStartValue", TextProperty::Hint,
        {"Sensors start raw value.\nDepend from the type: \n(KH = 51mm, KP = 28mm).",
            "Positionsrohwert am typenabhängigen \nMessbereichsanfang (KH = 51mm, KP = 28mm)."}},
    {"FactorLabel", TextProperty::Label, {"Factor: ", "Faktor: "}},
    {"FactorLabel", TextProperty::Hint,
        {"Specifies factor of the saved linearity values.", "Gibt den Faktor der gespeicherten Linearitätswerte an."}},
    {"AdresLabel", TextProperty::Label, {"EEPROM Lin.-address: ", "EEPROM Lin.-Adresse: "}},
    {"AdresLabel", TextProperty::Hint,
        {"Specified EEPROM address of the saved linearity values.",
            "Gibt die EEPROM Adresse der \ngespeicherten Linearisierungsdaten an."}},
    {"ValueLabel", TextProperty::Label, {"EEPROM Lin.-value: ", "EEPROM Lin.-Wert: "}},
    {"ValueLabel", TextProperty::Hint,
        {"Computed linearity values", "Gibt den gespeicherten Linearisierungsdaten an."}},
    {"ReadLinValue", TextProperty::Caption, {"Read", "Lesen"}},
    {"ReadLinValue", TextProperty::Hint,
        {"Read the linearity value at the entered address.",
            "Lesen der gespeicherten Linearisierungsdaten\nan der eingetragenen Adresse."}},
    {"WriteLinValue", TextProperty::Caption, {"Write", "Schreiben"}},
    {"WriteLinValue", TextProperty::Hint,
        {"The saved value will be overwrite with the entered value.",
            "Die gespeicherten Linearisierungsdaten werden\n mit den eingetragenen Wert überschrieben!"}},
    {"WriteLinFile", TextProperty::Caption, {"Write file", "Datei schreiben"}},
    {"WriteLinFile", TextProperty::Hint,
        {"Writes a file with the linearity data's.\nfilename: factory number (SSI-LIN).txt\n: in the same folder as "
         "the tesmira software",
            "Die gespeicherten Daten werden gelesen und in einer Datei geschrieben!\nDateiname: Fertigunsnummer "
            "(SSI-LIN).txt\nSpeichertort: im gleichen Ordner wie die Software"}},
    {"Measurement2", TextProperty::Caption, {"Measurement 2", "Messung 2"}},
    {"Measurement2", TextProperty::Hint, {"Measurement specific settings", "Messungseinstellungen"}},
    {"LinPage", TextProperty::Caption, {"Linearization", "Linearisierung"}},
    {"LinPage", TextProperty::Hint, {"parameters for the \ninternal linearization", "interne Linearisierung"}},
    {"Firmware", TextProperty::Caption, {"Software", "Software"}},
    {"Firmware", TextProperty::Hint, {"Software update", "Software update"}},
    {"LoadFile", TextProperty::Caption, {"Load file", "Datei laden"}},
    {"LoadFile", TextProperty::Hint, {"Load the new firmware ...", "Zum Laden der neuen Firmware ..."}},
    {"UpdateFW", TextProperty::Hint, {"starts the update ...", "Startet die Softwareaktualisierung ..."}},
    {"InfoBox", TextProperty::Hint, {"File information field", "Informationsfeld über die angewählte Datei."}},
    {"Download", TextProperty::Hint, {"Status field.", "Zeigt die Status-Informationen an."}},
    {"SSI_Start_CheckBox", TextProperty::Caption, {"sync. start", "SSI Messstart"}},
    {"SSI_Start_CheckBox", TextProperty::Hint,
        {"Starts the measurement synchronouse to the SSI tact.", "Die Messung wird taktsynchron gestartet. "}},
    {"PrintLinFile", TextProperty::Caption, {"Print linearity", "Linearität drucken"}},
    {"PrintLinFile", TextProperty::Hint,
        {"Prints the linearity chart (*.pdf available)!", "Druckt die Linearitätskurve aus (*.pdf möglich)!"}},
    {"Blanking", TextProperty::Hint,
        {"Time after interrogation pulse in that no result is accepted",
            "Zeit nach dem Interrogationsimpuls, in welcher kein Antwortsignal akzeptiert wird."}},
    {"IgnoreSsiClkNum", TextProperty::Hint,
        {"number of SSI clock bursts to ignore before extrapolation algorithm initialization",
            "Anzahl der SSI-Tacktbüschel, welche vor der initialisierung des Extrapolationsalgorithmus nicht "
            "berücksichtigt werden"}},

};

bool AppliesTo(ModelVariant variant, bool wbfModel)
{
    return variant == ModelVariant::Any || (variant == ModelVariant::Wbf) == wbfModel;
}

}  // namespace

std::optional<std::string> Pick(const BilingualText& text, uint8_t languageCode)
{
    const char* chosen = Choose(text, languageCode);
    if (chosen == nullptr)
        return std::nullopt;
    return chosen;
}

std::optional<MessageText> Pick(const BilingualMessage& message, uint8_t languageCode)
{
    if (message.englishForOtherCodes && languageCode != 1)
        languageCode = 0;
    auto caption = Pick(message.caption, languageCode);
    auto text = Pick(message.text, languageCode);
    if (!caption || !text)
        return std::nullopt;
    return MessageText{*caption, *text};
}

const PortDialogTexts& PortDialogCaptions(uint8_t languageCode)
{
    return languageCode < std::size(kPortDialog) ? kPortDialog[languageCode] : kPortDialogLayout;
}

std::span<const ControlText> LanguageTable() { return kLanguageTable; }

std::vector<ResolvedText> LanguageTexts(uint8_t languageCode, bool wbfModel)
{
    std::vector<ResolvedText> resolved;
    for (const ControlText& row : kLanguageTable) {
        if (!AppliesTo(row.variant, wbfModel))
            continue;
        if (auto text = Pick(row.text, languageCode))
            resolved.push_back({row.control, row.property, std::move(*text)});
    }
    return resolved;
}

#include "linearization_texts.h"

namespace {

constexpr ControlText kRows[] = {
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
    {"LinPage", TextProperty::Caption, {"Linearization", "Linearisierung"}},
    {"LinPage", TextProperty::Hint, {"parameters for the \ninternal linearization", "interne Linearisierung"}},
    {"PrintLinFile", TextProperty::Caption, {"Print linearity", "Linearität drucken"}},
    {"PrintLinFile", TextProperty::Hint,
        {"Prints the linearity chart (*.pdf available)!", "Druckt die Linearitätskurve aus (*.pdf möglich)!"}},
};

}  // namespace

std::span<const ControlText> LinearizationTexts() { return kRows; }

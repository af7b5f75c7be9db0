#pragma once

#include <span>

#include "bilingual_text.h"

namespace texts {

// The captions and hints of the check box Linearisierung, by the linearization factor byte.
inline constexpr BilingualText InternalLinearizationCaption{"internal linearization", "interne Linearisierung"};
inline constexpr BilingualText InternalLinearizationHint{
    "With integrated linearity values for compenzation!\nAttention: \n - the cycle time will be changed\n"
    " - only available, if already ordered with this option",
    "Der im Werk ermittelte Nichtlinearität wird herausgerechnet!\nAchtung: \n - die Zykluszeit ändert sich!\n"
    " - nur möglich, wenn diese Option auch bestellt wurde!"};
inline constexpr BilingualText ExcludeReflectionCaption{"exclude reflection", "Reflexion ausschließen"};
inline constexpr BilingualText ExcludeReflectionHint{
    "For exclude the reflection of returned wave!\nAttention: The cycle time will be changed.",
    "Die Reflexion (Sensoren > 600mm) wird hiermit ausgeschlossen!\nAchtung: \n - die Zykluszeit ändert sich!"};

// ---- Messages of the parameter fields ----

// The automatic corrections before the pages are filled.
inline constexpr BilingualMessage BitWidthCorrection{{"Info", "Info"},
    {"Number of data bits will be automatically\ncorrected to 24 because temperature bit is set",
        "Die Anzahl der Datenbits wird automatisch\nauf 24 korrigiert, da das Temperaturbit gesetzt ist"},
    true};
inline constexpr BilingualMessage FilterCorrection{{"Info", "Info"},
    {"Filter settings will be\ncorrected to 0 automatically,\nbecause velocity mode is activ",
        "Die Filtereinstellung wird\nautomatisch zu 0 korrigiert, da der\nGeschwindigkeitsmodus aktiv ist"},
    true};


inline constexpr BilingualMessage WSeriesRefusal{
    {"Error", "Fehler"}, {"At W Series not available!", "Bei W Serie SSI nicht verfügbar!"}};
inline constexpr BilingualMessage WSeriesSsiRefusal{
    {"Error", "Fehler"}, {"At W Series SSI not available!", "Bei W Serie SSI nicht verfügbar!"}};

inline constexpr BilingualMessage BitWidthExit{{"Parameter out of range", "Parameter out of range"},
    {"Please enter a valid bit width (1..32)", "Bitte geben Sie eine gültige Bitbreite ein (1..32)"}};
inline constexpr BilingualMessage UARTWritesExit{{"Bad Parameter", "Falscher Parameter"},
    {"Please enter a valid UART counter value (1..255)",
        "Bitte geben Sie einen gültigen UART-Zähler Wert ein (1..255)"}};
inline constexpr BilingualMessage JitterWindowExit{{"Bad Parameter", "Falscher Parameter"},
    {"Please enter a valid jitter window value (1..255)",
        "Bitte geben Sie einen gültigen Jitter-Fenster Wert ein (1..255)"}};
inline constexpr BilingualMessage MonoflopTimeExit{{"Bad Parameter", "Falscher Parameter"},
    {"Please enter a valid monoflop time (1..100)", "Bitte geben Sie eine gültige Monoflop-Zeit ein (1..100)"}};
inline constexpr BilingualMessage ErrorValueExit{{"Bad Parameter", "Falscher Parameter"},
    {"Please enter a valid error value", "Bitte geben Sie einen gültigen Wert ein"}};
inline constexpr BilingualMessage ErrorCountExit{{"Parameter out of range", "Parameter nicht im Wertebereich"},
    {"Please enter a valid value (1..255)", "Bitte geben Sie einen gültigen Wert ein (1..255)"}};
// The texts name 1..100; the field takes 0, which switches the detection off.
inline constexpr BilingualMessage PowerFailExit{{"Bad Parameter", "Falscher Parameter"},
    {"Please enter a valid powerfail time (1..100)", "Bitte geben Sie eine gültige Powerfail-Zeit ein (1..100)"}};
inline constexpr BilingualMessage PowerFailOff{{"Powerfail", "Unterspannungserkennung"},
    {"This will disable the low level voltage detecting!", "Hiermit wird die Unterspannungserkennung ausgeschaltet!"}};

inline constexpr BilingualMessage DifferentialOffset{{"Warning", "Warnung"},
    {"Attention: Offset must be zero!\nOutput value = Differential + Offset",
        "Achtung: Offset auf Null stellen!\nAusgabewert = Differenz + Offset"}};
inline constexpr BilingualMessage VelocityFilter{{"Info", "Info"},
    {"Attention: Filter setting does not have\nany effect in velocity mode.\nIt will be zeroed automatically",
        "Achtung: Die Filtereinstellung hat im\nGeschwindigkeitsmodus keine Auswikung.\nSie wird automatisch auf 0 "
        "gesetzt."},
    true};
inline constexpr BilingualMessage WSeriesResolution{{"Error", "Fehler"},
    {"Resolution must be greater than 10µm (W Series)!\nFor K Serie SSI up to 1µm",
        "Auflösung erlaubt >= 10µm (W Serie SSI)!\nK Serie SSI: 1µm"}};
inline constexpr BilingualMessage ResolutionExit{{"Bad Parameter", "Falscher Parameter"},
    {"Please enter a valid resolution value in µm:\n0.5, 1, 2, 3, ...",
        "Bitte geben Sie eine gültige Auflösung in µm ein:\n0.5, 1, 2, 3, ..."}};
inline constexpr BilingualMessage HalfMicronNotAvailable{{"ERROR", "FEHLER"},
    {"Not available for this Sensor type!\nAvailable only for K Series!",
        "Nicht verfügbar für diesen Sensortyp!\nVerfügbar nur für K Serie!"}};
inline constexpr BilingualMessage OffsetExit{{"Bad Parameter", "Falscher Parameter"},
    {"Please enter a valid offset value", "Bitte geben Sie einen gültigen Offsetwert ein"}};
inline constexpr BilingualMessage TemperatureBitWidth{{"Info", "Info"},
    {"Attention: Temperature measurement only possible\nwith a data width of 24 bits.\nIt will be set automatically "
     "to 24 bits.",
        "Achtung: Temperaturmessung ist nur mit einer\nDatenbreite von 24 Bit erlaubt.\nSie wird automatisch auf 24 "
        "Bit gesetzt."},
    true};
inline constexpr BilingualMessage ExtrapolationOff{{"Attention", "Achtung"},
    {"Check 'Start of measurement': sync. / async.\nAfter disable this parameter will synchronous\nmode be "
     "activated!",
        "Bitte überprüfen:\nNach deaktivieren wird Messstart auf\n'synchron' gestellt!"}};

inline constexpr BilingualMessage FactoryNumberExit{{"Bad Parameter", "Falscher Parameter"},
    {"Please enter a valid factory number", "Bitte geben Sie eine gültige Fertigungsnummer ein"}};
inline constexpr BilingualMessage ShortLength{{"Bad Parameter", "Falscher Parameter"},
    {"Please enter a valid length (1...1000)", "Bitte geben Sie eine gültige Länge ein (1...1000)"}};
inline constexpr BilingualMessage FiftyMillimetreSteps{{"Bad Parameter", "Falscher Parameter"},
    {"For length greater 10.000 mm only in 50mm steps!", "Für Längen größer 10.000 mm nur in 50mm-Schritten!"}};
inline constexpr BilingualMessage LengthExit{
    {"Bad Parameter", "Falscher Parameter"}, {"Please enter a valid length", "Bitte geben Sie eine gültige Länge ein"}};
inline constexpr BilingualMessage UltrasonicSpeedExit{{"Bad Parameter", "Falscher Parameter"},
    {"Please enter a valid ultrasonic speed in cm/s",
        "Bitte geben Sie eine gültige Ultraschallgeschwindigkeit in cm/s ein"}};
inline constexpr BilingualMessage CycleTimeExit{{"Bad Parameter", "Parameter nicht gültig"},
    {"Please enter a valid cycle time", "Bitte geben Sie eine gültige Zykluszeit ein"}};
inline constexpr BilingualMessage SyncTimingExit{{"Bad Parameter", "Falscher Parameter"},
    {"Please enter a valid cycle time", "Bitte geben Sie eine gültige Zykluszeit ein"}};
inline constexpr BilingualMessage BlankingExit{{"Bad Parameter", "Falscher Parameter"},
    {"Please enter a valid Blanking time (0..255)", "Bitte geben Sie eine gültige Blanking-Zeit ein (0..255)"}};
inline constexpr BilingualMessage InitDelayExit{{"Bad Parameter", "Falscher Parameter"},
    {"Please enter a valid Extrapolation Init Delay time (0..255)",
        "Bitte geben Sie eine gültige Extrapolationsinitialisierungswartezeit ein (0..255)"}};

}  // namespace texts

// The texts of the parameter pages the user edits, in the order they are applied.
std::span<const ControlText> EditingTexts();

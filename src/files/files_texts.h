#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "bilingual_text.h"

// The texts of the menu items that open and save parameter files.
std::span<const ControlText> FilesTexts();
// The texts of the comment dialog and of the confirmation before a load.
std::span<const ControlText> CommentFormTexts();
std::span<const ControlText> OpenParametersFormTexts();

namespace texts {

// ---- The file dialogs ----
inline constexpr const char* ParameterFileFilter = "Sensorparameter (*.qor)|*.qor";
inline constexpr const char* SaveDefaultExtension = "qor";
inline constexpr const char* OpenDefaultExtension = ".qor";
inline constexpr const char* InitialFileName = "Sensor.qor";

// ---- The comment dialog ----
inline constexpr BilingualText CommentCaption{"File Comment", "Dateikommentar"};
inline constexpr BilingualText CommentLabel{
    "You can optionally add a comment, which is stored with your parameter data (max 512 characters):",
    "Sie können optional einen Kommentar eingeben, der mitgespeichert wird (maximal 512 Buchstaben):"};

// ---- The confirmation before a load ----
inline constexpr BilingualText OpenCaption{
    "Open and Download Sensor Parameter", "Öffnen und Herunterladen der Sensorparameter"};
inline constexpr BilingualText OpenYesButton{"Yes", "Ja"};
inline constexpr BilingualText OpenNoButton{"No", "Nein"};
inline constexpr BilingualText ReallyLoad{"Really load this file?", "Diese Datei laden?"};
inline constexpr BilingualText SavedInformation{"The following information was saved with the sensor parameters:",
    "Folgende Information wurde mit den Sensorparametern gespeichert:"};
inline constexpr BilingualText SaveDateLabel{"Date of saving: ", "Speicherdatum: "};
inline constexpr BilingualText DifferencesLabel{
    "Values that loading changes (sensor -> file):", "Werte, die das Laden ändert (Sensor -> Datei):"};
inline constexpr BilingualText NoDifferences{
    "none: the file holds the sensor's values", "keine: die Datei enthält die Werte des Sensors"};

// ---- Messages ----
// Shown in every language; codes other than 0 and 1 see the layout texts.
inline constexpr BilingualMessage FileNotFound{
    {"File not found", "Datei nicht gefunden"}, {"File not found", "Datei nicht gefunden"}};
inline constexpr const char* FileNotFoundLayoutCaption = "Warning";
inline constexpr const char* FileNotFoundLayoutText = "File not found         ";

inline constexpr BilingualMessage SaveFileError{
    {"Error while saving data", "Fehler"}, {"Unable to open file", "Fehler beim Schreiben der Datei"}};
inline constexpr BilingualMessage LoadFileError{{"Error while loading data", "Fehler beim Öffnen der Datei"},
    {"Unable to open file", "Datei kann nicht geöffnet werden"}};
inline constexpr BilingualMessage FileTooBig{{"Error", "Fehler"}, {"File is too big", "Datei ist zu groß"}};
inline constexpr BilingualMessage ErrorInFile{{"Error", "Fehler"}, {"Error in File", "Fehler in Datei"}};
inline constexpr BilingualMessage FileNotCompatible{
    {"Error", "Fehler"}, {"File is not compatible", "Datei ist nicht kompatibel"}};
inline constexpr BilingualMessage WriteParametersError{{"Communication Error", "Kommunikationsfehler"},
    {"Error while writing parameters to sensor", "Fehler beim Schreiben der Parameter"}};
// The user stopped the load by closing the window while it ran.
inline constexpr BilingualMessage LoadStopped{{"Loading stopped", "Laden abgebrochen"},
    {"Loading the file was stopped before all of its values were written. The sensor holds part of them in its "
     "working registers, none stored in its EEPROM.",
        "Das Laden der Datei wurde abgebrochen, bevor alle Werte geschrieben waren. Der Sensor hält einen Teil davon "
        "in seinen Arbeitsregistern, nichts davon im EEPROM."}};
// The backup folder and the reason follow the text.
inline constexpr BilingualMessage BackupFailed{{"Error while saving data", "Fehler"},
    {"The sensor's parameters could not be backed up, so nothing has been sent to the sensor.\n\n",
        "Die Parameter des Sensors konnten nicht gesichert werden, daher wurde nichts an den Sensor gesendet.\n\n"}};

// ---- The load's progress in the status line ----
inline constexpr BilingualText LoadProgress{"Loading the file into the sensor: ", "Datei wird in den Sensor geladen: "};
inline constexpr BilingualText LoadProgressOf{" of ", " von "};

// ---- Comments of the automatic backups (stored in the file, in English) ----
inline constexpr const char* BackupBeforeLoading = "Backup before loading ";
inline constexpr const char* BackupBeforeFactorySettings = "Backup before restoring the factory settings";

}  // namespace texts

enum class FileRejection;
// The message of a file that the checks of opening reject.
const BilingualMessage& RejectionMessage(FileRejection rejection);
// "Loading the file into the sensor: 3 of 27"; empty for codes other than 0 and 1.
std::string LoadProgressText(size_t done, size_t total, uint8_t languageCode);

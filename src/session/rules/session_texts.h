#pragma once

#include "bilingual_text.h"

// The messages that every feature area may show.
namespace texts {

inline constexpr BilingualMessage CommunicationError{
    {"Error", "Fehler"}, {"Communication Error", "Kommunikationsfehler"}};
// Asked before a file is overwritten; codes other than 0 and 1 get the layout texts.
inline constexpr BilingualMessage OverwriteFileQuestion{
    {"Save file", "Datei speichern"}, {"File already exists. Overwrite?", "Datei existiert bereits. Überschreiben?"}};
inline constexpr BilingualText OverwriteYesButton{"&Yes", "&Ja"};
inline constexpr BilingualText OverwriteNoButton{"&No", "&Nein"};
inline constexpr const char* OverwriteLayoutCaption = "Confirm";

}  // namespace texts

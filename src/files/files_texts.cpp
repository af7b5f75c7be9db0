#include "files_texts.h"

#include "parameter_file.h"

namespace {

constexpr ControlText kRows[] = {
    {"FileOpenItem", TextProperty::Caption, {"Open...", "Öffnen..."}},
    {"FileOpenItem", TextProperty::Hint,
        {"Opens an QOR Sensor file and reads back the parameters",
            "Öffnet eine QOR Sensor Datei und liest die Parameter ein"}},
    {"FileSaveAsItem", TextProperty::Caption, {"Save as...", "Speichern unter..."}},
    {"FileSaveAsItem", TextProperty::Hint,
        {"Saves the current sensor parameters to disk", "Speichert die aktuellen Parameter in einer Datei"}},
};

}  // namespace

std::span<const ControlText> FilesTexts() { return kRows; }

const BilingualMessage& RejectionMessage(FileRejection rejection)
{
    switch (rejection) {
    case FileRejection::TooBig:
        return texts::FileTooBig;
    case FileRejection::NotCompatible:
        return texts::FileNotCompatible;
    default:
        return texts::ErrorInFile;
    }
}

#include "files_texts.h"

#include "catalogue.h"
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

constexpr ControlText kCommentFormRows[] = {
    {"TFileCommentForm", TextProperty::Caption, texts::CommentCaption},
    {"Label1", TextProperty::Caption, texts::CommentLabel},
};

constexpr ControlText kOpenParametersFormRows[] = {
    {"TOpenParametersForm", TextProperty::Caption, texts::OpenCaption},
    {"OKButton", TextProperty::Caption, texts::OpenYesButton},
    {"CancelButton", TextProperty::Caption, texts::OpenNoButton},
    {"Label1", TextProperty::Caption, texts::ReallyLoad},
    {"Label2", TextProperty::Caption, texts::SavedInformation},
    {"SaveDate", TextProperty::Label, texts::SaveDateLabel},
    {"DifferencesLabel", TextProperty::Caption, texts::DifferencesLabel},
};

}  // namespace

std::span<const ControlText> FilesTexts() { return kRows; }
std::span<const ControlText> CommentFormTexts() { return kCommentFormRows; }
std::span<const ControlText> OpenParametersFormTexts() { return kOpenParametersFormRows; }

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

std::string LoadProgressText(size_t done, size_t total, uint8_t languageCode)
{
    const std::optional<std::string> text = Pick(texts::LoadProgress, languageCode);
    const std::optional<std::string> of = Pick(texts::LoadProgressOf, languageCode);
    if (!text || !of)
        return {};
    return *text + std::to_string(done) + *of + std::to_string(total);
}

#include "firmware_texts.h"

namespace {

constexpr ControlText kRows[] = {
    {"Firmware", TextProperty::Caption, {"Software", "Software"}},
    {"Firmware", TextProperty::Hint, {"Software update", "Software update"}},
    {"LoadFile", TextProperty::Caption, {"Load file", "Datei laden"}},
    {"LoadFile", TextProperty::Hint, {"Load the new firmware ...", "Zum Laden der neuen Firmware ..."}},
    {"UpdateFW", TextProperty::Hint, {"starts the update ...", "Startet die Softwareaktualisierung ..."}},
    {"InfoBox", TextProperty::Hint, {"File information field", "Informationsfeld über die angewählte Datei."}},
    {"Download", TextProperty::Hint, {"Status field.", "Zeigt die Status-Informationen an."}},
};

}  // namespace

std::span<const ControlText> FirmwareTexts() { return kRows; }

#include "reports_texts.h"

namespace {

constexpr ControlText kRows[] = {
    {"Print", TextProperty::Caption, {"&Print...", "&Drucken..."}},
    {"Print", TextProperty::Hint,
        {"Prints a summay of the connected sensor", "Druckt eine Zusammenfassung des angeschlossenen Sensors"}},
};

}  // namespace

std::span<const ControlText> ReportsTexts() { return kRows; }

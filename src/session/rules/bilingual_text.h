#pragma once

#include <cstdint>

// A text in English and German, and a row of the main window's language catalogue. Each
// feature area keeps its own rows; the catalogue puts them together.

struct BilingualText {
    const char* english;
    const char* german;  // nullptr: the German texts leave this one as it is
};

// A message box's caption and text.
struct BilingualMessage {
    BilingualText caption;
    BilingualText text;
    // The automatic corrections speak English to every code but 1.
    bool englishForOtherCodes = false;
};

enum class TextProperty : uint8_t { Caption, Label, Hint, Items };
// The chargepump group lists eight stages for a "WBF" model and three for any other.
enum class ModelVariant : uint8_t { Any, Wbf, Other };

struct ControlText {
    const char* control;  // objectName
    TextProperty property;
    BilingualText text;
    ModelVariant variant = ModelVariant::Any;
};

#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "bilingual_text.h"

// How the catalogue's texts are chosen: LanguageCode 0 is English, 1 German; any other
// code shows nothing (Pick returns nullopt), unless a message says otherwise. "\n"
// inside a text is one line feed.

struct MessageText {
    std::string caption;
    std::string text;
};

std::optional<std::string> Pick(const BilingualText& text, uint8_t languageCode);
std::optional<MessageText> Pick(const BilingualMessage& message, uint8_t languageCode);

struct ResolvedText {
    const char* control;
    TextProperty property;
    std::string text;
};
// The rows to apply for a language and model, in order; empty for codes other than 0
// and 1, and without the rows whose German text is left as it is.
std::vector<ResolvedText> ResolveTexts(std::span<const ControlText> rows, uint8_t languageCode, bool wbfModel);

#include "catalogue.h"

namespace {

const char* Choose(const BilingualText& text, uint8_t languageCode)
{
    switch (languageCode) {
    case 0:
        return text.english;
    case 1:
        return text.german;
    default:
        return nullptr;
    }
}

bool AppliesTo(ModelVariant variant, bool wbfModel)
{
    return variant == ModelVariant::Any || (variant == ModelVariant::Wbf) == wbfModel;
}

}  // namespace

std::optional<std::string> Pick(const BilingualText& text, uint8_t languageCode)
{
    const char* chosen = Choose(text, languageCode);
    if (chosen == nullptr)
        return std::nullopt;
    return chosen;
}

std::optional<MessageText> Pick(const BilingualMessage& message, uint8_t languageCode)
{
    if (message.englishForOtherCodes && languageCode != 1)
        languageCode = 0;
    auto caption = Pick(message.caption, languageCode);
    auto text = Pick(message.text, languageCode);
    if (!caption || !text)
        return std::nullopt;
    return MessageText{*caption, *text};
}

std::vector<ResolvedText> ResolveTexts(std::span<const ControlText> rows, uint8_t languageCode, bool wbfModel)
{
    std::vector<ResolvedText> resolved;
    for (const ControlText& row : rows) {
        if (!AppliesTo(row.variant, wbfModel))
            continue;
        if (auto text = Pick(row.text, languageCode))
            resolved.push_back({row.control, row.property, std::move(*text)});
    }
    return resolved;
}

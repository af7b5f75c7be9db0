#include "element_input.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>
#include <optional>

#include "cli_error.h"
#include "editing_rules.h"
#include "element_table.h"
#include "wire_format.h"

namespace cli {

namespace {

struct FieldRange {
    int64_t min;
    int64_t max;
};

// Above 9999 mm the length goes out as hundreds and a code letter for 00 or 50.
constexpr int64_t kLongestDigitLength = 9999;
constexpr int64_t kLongLengthStep = 50;
constexpr size_t kFactoryNumberLength = 8;

int64_t PowerOfTen(int exponent)
{
    int64_t power = 1;
    for (int i = 0; i < exponent; ++i)
        power *= 10;
    return power;
}

FieldRange RangeOf(const TSSICom::ParameterStruct& elements, int index)
{
    const ElementDefinition& definition = DefinitionOf(index);
    switch (definition.form) {
    case ValueForm::Decimal:
        return {0, PowerOfTen(definition.fieldWidth) - 1};
    case ValueForm::Signed24:
        return {-0x800000, 0x7FFFFF};
    case ValueForm::Word:
        return {std::numeric_limits<int32_t>::min(), std::numeric_limits<uint32_t>::max()};
    case ValueForm::Switch:
        return {0, 1};
    default:
        return {0, elements[index].Mask >> elements[index].Shift};
    }
}

std::optional<int64_t> ParseInteger(std::string_view text)
{
    int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

int32_t CheckNumber(const TSSICom::ParameterStruct& elements, int index, std::string_view text, LongLengths longLengths)
{
    const std::string_view name = TSSICom::ElementName(index);
    const FieldRange range = RangeOf(elements, index);
    const std::optional<int64_t> number = ParseInteger(text);
    if (!number || *number < range.min || *number > range.max)
        RefuseValue(name, text,
            "expected a decimal integer from " + std::to_string(range.min) + " to " + std::to_string(range.max));
    if (longLengths == LongLengths::Refused && DefinitionOf(index).form == ValueForm::LengthCode
        && *number > kLongestDigitLength && *number % kLongLengthStep != 0)
        RefuseValue(name, text, "lengths above 9999 mm must be multiples of 50");
    return static_cast<int32_t>(static_cast<uint32_t>(*number));
}

bool IsUpperLetter(char c) { return c >= 'A' && c <= 'Z'; }

int32_t CheckModel(std::string_view text)
{
    if (text.size() != 2 || !std::all_of(text.begin(), text.end(), IsUpperLetter))
        RefuseValue("Model", text, "expected two upper-case letters such as KH");
    return ModelValue(text[0], text[1]);
}

std::string CheckFactoryNumber(std::string_view text)
{
    const auto isAlphanumeric = [](char c) { return std::isalnum(static_cast<unsigned char>(c)); };
    if (text.empty() || text.size() > kFactoryNumberLength || !std::all_of(text.begin(), text.end(), isAlphanumeric))
        RefuseValue("FactoryNumber", text, "expected 1 to 8 letters or digits");
    return std::string(text);
}

void CheckWritable(int index)
{
    const std::string_view name = TSSICom::ElementName(index);
    if (DefinitionOf(index).form == ValueForm::RangePoint)
        FailBadInput(std::string(name) + " cannot be set to a value: it is taught with the magnet in place");
    if (DefinitionOf(index).write == nullptr)
        FailBadInput(std::string(name) + " is read-only");
}

}  // namespace

void RefuseValue(std::string_view name, std::string_view text, std::string_view expected)
{
    FailBadInput("invalid value '" + std::string(text) + "' for " + std::string(name) + ": " + std::string(expected));
}

int ElementIndexOf(std::string_view name)
{
    const int index = TSSICom::ElementIndex(name);
    if (index < 0)
        FailBadInput("unknown element '" + std::string(name) + "'");
    return index;
}

ElementInput CheckElementInput(
    const TSSICom::ParameterStruct& elements, std::string_view name, std::string_view text, LongLengths longLengths)
{
    ElementInput input;
    input.index = ElementIndexOf(name);
    CheckWritable(input.index);
    switch (DefinitionOf(input.index).form) {
    case ValueForm::FactoryText:
        input.text = CheckFactoryNumber(text);
        break;
    case ValueForm::ModelLetters:
        input.value = CheckModel(text);
        break;
    default:
        input.value = CheckNumber(elements, input.index, text, longLengths);
    }
    return input;
}

ParameterRequest CheckParameterRequest(
    const TSSICom::ParameterStruct& elements, std::string_view name, std::string_view text)
{
    ParameterRequest request{.index = ElementIndexOf(name)};
    request.halfMicron = name == "Resolution" && IsHalfMicronEntry(text);
    if (!request.halfMicron)
        request.value = CheckElementInput(elements, name, text, LongLengths::RoundedDown).value;
    if (const std::string refusal = RequestRefusal(name, text); !refusal.empty())
        RefuseValue(name, text, refusal);
    return request;
}

bool IsTextElement(int index)
{
    const ValueForm form = DefinitionOf(index).form;
    return form == ValueForm::FactoryText || form == ValueForm::ModelLetters;
}

void AssignElementInput(TSSICom::ParameterStruct& elements, const ElementInput& input)
{
    TSSICom::DataElement& element = elements[input.index];
    if (DefinitionOf(input.index).form == ValueForm::FactoryText)
        element.Reply = input.text;
    else
        element.Value = input.value;
}

bool HoldsInput(const TSSICom::ParameterStruct& elements, const ElementInput& input)
{
    const TSSICom::DataElement& element = elements[input.index];
    if (DefinitionOf(input.index).form == ValueForm::FactoryText)
        return element.Reply == FactoryNumberText(input.text);
    return element.Value == input.value;
}

}  // namespace cli

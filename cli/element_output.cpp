#include "element_output.h"

#include <array>
#include <numeric>
#include <optional>

#include "element_table.h"
#include "wire_format.h"

namespace cli {

namespace {

// The text form of the elements that have one: the factory number is the reply text,
// the model its two letters.
std::optional<std::string> TextOf(const TSSICom::ParameterStruct& elements, int index)
{
    switch (DefinitionOf(index).form) {
    case ValueForm::FactoryText:
        return elements[index].Reply;
    case ValueForm::ModelLetters:
        return ModelLetters(elements[index].Value);
    default:
        return std::nullopt;
    }
}

// Two lower-case hexadecimal digits.
std::string HexPair(unsigned char byte)
{
    static constexpr char kHexDigits[] = "0123456789abcdef";
    return {kHexDigits[byte >> 4], kHexDigits[byte & 0xF]};
}

std::string JsonString(std::string_view text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (byte < 0x20 || byte >= 0x7F) {
            // Bytes of a garbled reply are shown as Latin-1 code points.
            quoted += "\\u00" + HexPair(byte);
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

std::string TextLine(const TSSICom::ParameterStruct& elements, int index)
{
    std::string line = std::string(TSSICom::ElementName(index)) + " = " + PrintableText(ElementText(elements, index));
    if (!elements[index].Valid)
        line += " (invalid)";
    return line + "\n";
}

std::string JsonMember(const TSSICom::ParameterStruct& elements, int index)
{
    const TSSICom::DataElement& element = elements[index];
    std::string member = "  " + JsonString(TSSICom::ElementName(index))
        + ": {\"value\": " + std::to_string(element.Value) + ", \"valid\": " + (element.Valid ? "true" : "false");
    if (const std::optional<std::string> text = TextOf(elements, index))
        member += ", \"text\": " + JsonString(*text);
    return member + "}";
}

}  // namespace

std::string PrintableText(std::string_view text)
{
    std::string printable;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            printable += "\\\\";
        } else if (byte < 0x20 || byte >= 0x7F) {
            printable += "\\x" + HexPair(byte);
        } else {
            printable += c;
        }
    }
    return printable;
}

std::string ElementText(const TSSICom::ParameterStruct& elements, int index)
{
    return TextOf(elements, index).value_or(std::to_string(elements[index].Value));
}

std::string FormatElementsText(const TSSICom::ParameterStruct& elements, std::span<const int> indices)
{
    std::string output;
    for (const int index : indices)
        output += TextLine(elements, index);
    return output;
}

std::string FormatElementsJson(const TSSICom::ParameterStruct& elements, std::span<const int> indices)
{
    std::string output = "{\n";
    for (size_t i = 0; i < indices.size(); ++i)
        output += JsonMember(elements, indices[i]) + (i + 1 < indices.size() ? ",\n" : "\n");
    return output + "}\n";
}

std::span<const int> AllElementIndices()
{
    static const auto kIndices = [] {
        std::array<int, TSSICom::ParameterStruct::Count> indices{};
        std::iota(indices.begin(), indices.end(), 0);
        return indices;
    }();
    return kIndices;
}

}  // namespace cli

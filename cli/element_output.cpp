#include "element_output.h"

#include <array>
#include <numeric>
#include <optional>
#include <vector>

#include "ansi_text.h"
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

// The length of the UTF-8 character at position when the text is taken as UTF-8 and the
// character can stand as it is (U+00A0 and above); 0 otherwise.
size_t KeptCharacterLength(std::string_view text, size_t position, Encoding encoding)
{
    if (encoding != Encoding::Utf8)
        return 0;
    size_t next = position;
    const std::optional<char32_t> character = NextCodePoint(text, next);
    return character && *character >= 0xA0 ? next - position : 0;
}

// The text with each byte that cannot stand as it is replaced by escape(byte).
template <class Escape> std::string Escaped(std::string_view text, Encoding encoding, const Escape& escape)
{
    std::string escaped;
    for (size_t position = 0; position < text.size();) {
        if (const size_t length = KeptCharacterLength(text, position, encoding)) {
            escaped += text.substr(position, length);
            position += length;
        } else {
            escaped += escape(static_cast<unsigned char>(text[position++]));
        }
    }
    return escaped;
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
    std::string member = JsonString(TSSICom::ElementName(index)) + ": {\"value\": " + std::to_string(element.Value)
        + ", \"valid\": " + (element.Valid ? "true" : "false");
    if (const std::optional<std::string> text = TextOf(elements, index))
        member += ", \"text\": " + JsonString(*text);
    return member + "}";
}

}  // namespace

std::string PrintableText(std::string_view text, Encoding encoding)
{
    return Escaped(text, encoding, [](unsigned char byte) -> std::string {
        if (byte == '\\')
            return "\\\\";
        if (byte < 0x20 || byte >= 0x7F)
            return "\\x" + HexPair(byte);
        return std::string(1, static_cast<char>(byte));
    });
}

std::string JsonString(std::string_view text, Encoding encoding)
{
    // Bytes of a garbled reply are shown as Latin-1 code points.
    std::string quoted(1, '"');
    quoted += Escaped(text, encoding, [](unsigned char byte) -> std::string {
        if (byte == '"' || byte == '\\')
            return {'\\', static_cast<char>(byte)};
        if (byte < 0x20 || byte >= 0x7F)
            return "\\u00" + HexPair(byte);
        return std::string(1, static_cast<char>(byte));
    });
    quoted += '"';
    return quoted;
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

std::string FormatElementsJson(
    const TSSICom::ParameterStruct& elements, std::span<const int> indices, std::span<const std::string> leadingMembers)
{
    std::vector<std::string> members(leadingMembers.begin(), leadingMembers.end());
    for (const int index : indices)
        members.push_back(JsonMember(elements, index));
    return JsonObject(members) + "\n";
}

std::string JsonObject(std::span<const std::string> members)
{
    if (members.empty())
        return "{}";
    std::string object = "{\n";
    for (size_t i = 0; i < members.size(); ++i) {
        std::string member = members[i];
        // The lines of a nested object move in with it.
        for (size_t at = member.find('\n'); at != std::string::npos; at = member.find('\n', at + 1))
            member.insert(at + 1, "  ");
        object += "  " + member + (i + 1 < members.size() ? ",\n" : "\n");
    }
    return object + "}";
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

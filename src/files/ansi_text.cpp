#include "ansi_text.h"

#include <array>
#include <cstdint>
#include <optional>

namespace {

// The characters of the bytes 0x80 to 0x9F; the five bytes the code page leaves free keep
// their own code points, as Windows maps them.
constexpr std::array<char32_t, 32> kHighControlRange = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t CharacterOf(uint8_t byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControlRange[byte - 0x80];
    return byte;
}

std::optional<uint8_t> ByteOf(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<uint8_t>(character);
    for (size_t index = 0; index < kHighControlRange.size(); ++index)
        if (kHighControlRange[index] == character)
            return static_cast<uint8_t>(0x80 + index);
    return std::nullopt;
}

void AppendUtf8(std::string& out, char32_t character)
{
    if (character < 0x80) {
        out += static_cast<char>(character);
    } else if (character < 0x800) {
        out += static_cast<char>(0xC0 | (character >> 6));
        out += static_cast<char>(0x80 | (character & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (character >> 12));
        out += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (character & 0x3F));
    }
}

}  // namespace

std::optional<char32_t> NextCodePoint(std::string_view utf8, size_t& position)
{
    const auto lead = static_cast<uint8_t>(utf8[position++]);
    int following = 0;
    char32_t character = 0;
    if (lead < 0x80)
        return lead;
    if ((lead & 0xE0) == 0xC0) {
        following = 1;
        character = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        following = 2;
        character = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        following = 3;
        character = lead & 0x07;
    } else {
        return std::nullopt;
    }
    for (int index = 0; index < following; ++index) {
        if (position + static_cast<size_t>(index) >= utf8.size())
            return std::nullopt;
        const auto next = static_cast<uint8_t>(utf8[position + static_cast<size_t>(index)]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        character = (character << 6) | (next & 0x3F);
    }
    position += static_cast<size_t>(following);
    return character;
}

std::string AnsiFromUtf8(std::string_view utf8)
{
    std::string ansi;
    for (size_t position = 0; position < utf8.size();) {
        const std::optional<char32_t> character = NextCodePoint(utf8, position);
        const std::optional<uint8_t> byte = character ? ByteOf(*character) : std::nullopt;
        ansi += static_cast<char>(byte.value_or('?'));
    }
    return ansi;
}

std::string Utf8FromAnsi(std::string_view ansi)
{
    std::string utf8;
    for (const char byte : ansi)
        AppendUtf8(utf8, CharacterOf(static_cast<uint8_t>(byte)));
    return utf8;
}

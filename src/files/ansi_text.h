#pragma once

#include <optional>
#include <string>
#include <string_view>

// Parameter files keep their texts in the Windows ANSI code page 1252, one byte a
// character; the program works in UTF-8.

// Characters that the code page lacks become "?"; malformed UTF-8 bytes as well.
std::string AnsiFromUtf8(std::string_view utf8);
std::string Utf8FromAnsi(std::string_view ansi);

// The next code point of utf8 from position, which moves past it; nullopt for a malformed
// sequence, of which one byte is skipped.
std::optional<char32_t> NextCodePoint(std::string_view utf8, size_t& position);

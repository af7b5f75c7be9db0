#pragma once

#include <string>
#include <string_view>

// Parameter files keep their texts in the Windows ANSI code page 1252, one byte a
// character; the program works in UTF-8.

// Characters that the code page lacks become "?"; malformed UTF-8 bytes as well.
std::string AnsiFromUtf8(std::string_view utf8);
std::string Utf8FromAnsi(std::string_view ansi);

#include "wire_format.h"

#include <cctype>
#include <cstdio>

namespace {

int HexDigitValue(char c)
{
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower >= '0' && lower <= '9')
        return lower - '0';
    if (lower >= 'a' && lower <= 'f')
        return lower - 'a' + 10;
    return -1;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view SkipBlanks(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    return text;
}

}  // namespace

int32_t HexToInt(std::string_view text)
{
    uint32_t sum = 0;
    uint32_t weight = 1;
    for (auto it = text.rbegin(); it != text.rend(); ++it) {
        const int digit = HexDigitValue(*it);
        if (digit > 0)
            sum += static_cast<uint32_t>(digit) * weight;
        weight *= 16;
    }
    return static_cast<int32_t>(sum);
}

bool ParseHex(std::string_view text, int32_t& value)
{
    if (text.empty() || text.size() > 8)
        return false;
    uint32_t result = 0;
    for (char c : text) {
        const int digit = HexDigitValue(c);
        if (digit < 0)
            return false;
        result = result * 16 + static_cast<uint32_t>(digit);
    }
    value = static_cast<int32_t>(result);
    return true;
}

bool ParseDecimal(std::string_view text, int32_t& value)
{
    text = SkipBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return false;
    int64_t magnitude = 0;
    for (char c : text) {
        if (!IsDigit(c))
            return false;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > int64_t{INT32_MAX} + 1)
            return false;
    }
    const int64_t result = negative ? -magnitude : magnitude;
    if (result > INT32_MAX)
        return false;
    value = static_cast<int32_t>(result);
    return true;
}

int32_t LeadingDecimal(std::string_view text)
{
    text = SkipBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    uint32_t magnitude = 0;
    for (char c : text) {
        if (!IsDigit(c))
            break;
        magnitude = magnitude * 10 + static_cast<uint32_t>(c - '0');
    }
    return static_cast<int32_t>(negative ? 0u - magnitude : magnitude);
}

std::string HexText(uint32_t value, int minDigits)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*X", minDigits, value);
    return buffer;
}

std::string DecimalText(uint32_t value, int minDigits)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*u", minDigits, value);
    return buffer;
}

int32_t SignExtend24(uint32_t raw)
{
    if (raw & 0x800000u)
        raw |= 0xFF000000u;
    return static_cast<int32_t>(raw);
}

bool FitsSigned24(int64_t value) { return value >= -0x800000 && value <= 0x7FFFFF; }

uint32_t ExtractField(uint32_t raw, uint32_t mask, uint8_t shift) { return (raw & mask) >> shift; }

uint32_t ComposeField(uint32_t raw, uint32_t value, uint32_t mask, uint8_t shift)
{
    return (value << shift) | (raw & ~mask);
}

int32_t DecodeLength(std::string_view lengthCode)
{
    const char code
        = lengthCode.size() == 4 ? static_cast<char>(std::toupper(static_cast<unsigned char>(lengthCode[3]))) : '\0';
    std::string digits(lengthCode);
    if (code == 'C' || code == 'F') {
        digits.resize(3);
        digits += code == 'C' ? "50" : "00";
    }
    int32_t length = 0;
    if (!ParseDecimal(digits, length))
        length = 0;
    return static_cast<int32_t>(static_cast<uint32_t>(length) & 0xFFFFu);
}

std::string EncodeLength(int32_t length)
{
    if (length < 10000)
        return DecimalText(static_cast<uint32_t>(length), 4);
    const std::string digits = std::to_string(length);
    return digits.substr(0, 3) + (digits[3] == '5' ? "C" : "F");
}

std::string ModelLetters(int32_t modelValue)
{
    return {static_cast<char>((modelValue >> 8) & 0xFF), static_cast<char>(modelValue & 0xFF)};
}

int32_t ModelValue(char first, char second)
{
    return static_cast<unsigned char>(first) * 256 + static_cast<unsigned char>(second);
}

bool HasCommitCommand(int32_t firmwareVersion) { return firmwareVersion > 3960100; }

int32_t FirmwareFamily(int32_t firmwareVersion)
{
    const std::string digits = std::to_string(firmwareVersion);
    int32_t family = 0;
    ParseDecimal(digits.substr(0, 5), family);
    return family;
}

bool PassesFamily39606Test(int32_t firmwareVersion, int32_t threshold)
{
    return firmwareVersion / 100 == 39606 && firmwareVersion > threshold;
}

std::string FactoryNumberText(std::string_view text)
{
    std::string padded(text.size() < 8 ? 8 - text.size() : 0, '0');
    for (const char c : text)
        padded += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return padded;
}

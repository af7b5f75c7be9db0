#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Text and register arithmetic of the sensor's command protocol.

// Sum of hexadecimal digits from the right, 32-bit wrapping. Characters that are no
// digit, and '0', count as zero digits; never fails. Eight F give -1.
int32_t HexToInt(std::string_view text);

// Strict hexadecimal reading: false unless the text is 1 to 8 hexadecimal digits.
bool ParseHex(std::string_view text, int32_t& value);

// Strict decimal reading: optional blanks, optional sign, digits, nothing after.
bool ParseDecimal(std::string_view text, int32_t& value);

// The leading decimal digits after blanks and an optional sign; 0 without digits.
int32_t LeadingDecimal(std::string_view text);

// Upper-case hexadecimal / decimal text with leading zeros to at least minDigits.
std::string HexText(uint32_t value, int minDigits);
std::string DecimalText(uint32_t value, int minDigits);

int32_t SignExtend24(uint32_t raw);
bool FitsSigned24(int64_t value);

// (raw AND mask) >> shift, unsigned.
uint32_t ExtractField(uint32_t raw, uint32_t mask, uint8_t shift);
// (value << shift) OR (raw AND NOT mask); the value is not masked.
uint32_t ComposeField(uint32_t raw, uint32_t value, uint32_t mask, uint8_t shift);

// Register L characters 3 to 6: "0500" = 500, "123C" = 12350, "123F" = 12300.
int32_t DecodeLength(std::string_view lengthCode);
// The four characters that encode a length in mm; longer lengths in steps of 50.
std::string EncodeLength(int32_t length);

// A factory number as the sensor holds it: upper case, leading zeros to 8 characters.
std::string FactoryNumberText(std::string_view text);

// The two model letters held in a Model value (first letter in bits 8 to 15).
std::string ModelLetters(int32_t modelValue);
int32_t ModelValue(char first, char second);

// Firmware above 3960100 commits the user's parameters with "CN" and keeps factory
// settings apart; older firmware commits with "EN".
bool HasCommitCommand(int32_t firmwareVersion);

// The first five decimal digits of a firmware version: 3960105 -> 39601.
int32_t FirmwareFamily(int32_t firmwareVersion);
// Family 39606 above a threshold: the version without its last two digits is 39606.
bool PassesFamily39606Test(int32_t firmwareVersion, int32_t threshold);

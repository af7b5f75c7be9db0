#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The measuring range's two points, taught into the sensor and shown in millimetres.

inline constexpr int32_t UndefinedStartPoint = 0;
inline constexpr int32_t UndefinedEndPoint = 0x1FFFFFF;

// O + v with internal linearization, O + v × resolution without, O being the Offset
// edit's text (0 when it is no decimal number).
int64_t RangePointNumber(int32_t value, std::string_view offsetText, bool internalLinearization, int32_t resolution);
// "12.345 mm": a point before the last three digits. Numbers below 1000 in magnitude
// get leading zeros after the point: 500 ".500 mm", 5 ".005 mm", -5 "-.005 mm".
std::string RangePointNumberText(int64_t number);
// The text of a range point edit: the number, or "not defined" when value is the
// point's undefined marker (empty for codes other than 0 and 1).
std::string RangePointText(int32_t value, int32_t undefinedMarker, std::string_view offsetText,
    bool internalLinearization, int32_t resolution, uint8_t languageCode);
bool RangeIsValid(int32_t startPoint, int32_t endPoint);
bool RangeIsTaught(int32_t startPoint, int32_t endPoint);

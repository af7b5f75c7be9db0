#include "range_points.h"

#include "catalogue.h"
#include "sensortest_texts.h"
#include "wire_format.h"

int64_t RangePointNumber(int32_t value, std::string_view offsetText, bool internalLinearization, int32_t resolution)
{
    int32_t offset = 0;
    if (!ParseDecimal(offsetText, offset))
        offset = 0;
    return int64_t{offset} + (internalLinearization ? int64_t{value} : int64_t{value} * resolution);
}

std::string RangePointNumberText(int64_t number)
{
    const uint64_t magnitude = number < 0 ? 0 - static_cast<uint64_t>(number) : static_cast<uint64_t>(number);
    std::string digits = std::to_string(magnitude);
    if (digits.size() < 3)
        digits.insert(0, 3 - digits.size(), '0');
    const size_t wholeMillimetres = digits.size() - 3;
    std::string text = number < 0 ? "-" : "";
    text.append(digits, 0, wholeMillimetres).append(".").append(digits, wholeMillimetres).append(" mm");
    return text;
}

std::string RangePointText(int32_t value, int32_t undefinedMarker, std::string_view offsetText,
    bool internalLinearization, int32_t resolution, uint8_t languageCode)
{
    if (value == undefinedMarker)
        return Pick(texts::RangePointNotDefined, languageCode).value_or("");
    return RangePointNumberText(RangePointNumber(value, offsetText, internalLinearization, resolution));
}

bool RangeIsValid(int32_t startPoint, int32_t endPoint) { return startPoint < endPoint; }

bool RangeIsTaught(int32_t startPoint, int32_t endPoint)
{
    return startPoint != UndefinedStartPoint || endPoint != UndefinedEndPoint;
}

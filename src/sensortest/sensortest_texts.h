#pragma once

#include <span>

#include "bilingual_text.h"

namespace texts {

// The measuring range's points.
inline constexpr BilingualText RangePointNotDefined{"not defined", "nicht definiert"};
inline constexpr BilingualMessage StartPointReadError{
    {"Read error", "Lesefehler"}, {"Can't read the startpoint!", "Startwert lesen fehlgeschlagen!"}};
inline constexpr BilingualMessage EndPointReadError{
    {"Read error", "Lesefehler"}, {"Can't read the endpoint!", "Endwert lesen fehlgeschlagen!"}};
inline constexpr BilingualMessage RangeError{{"Measurement range error", "Messbereichsfehler"},
    {"Endpoint is smaller/equal than startpoint - \nchange parameter, otherwise sensor will \nbe not function!",
        "Endwert ist kleiner/gleich Startwert - \nParameter ändern, sonst keine Funktion!"}};

}  // namespace texts

// The texts of the sensor test's menu item.
std::span<const ControlText> SensorTestTexts();

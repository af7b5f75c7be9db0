#include "sensortest_texts.h"

namespace {

constexpr ControlText kRows[] = {
    {"TestSensor", TextProperty::Caption, {"Test Sensor", "Test Sensor"}},
    {"TestSensor", TextProperty::Hint,
        {"Reads out the SSI values of the sensor", "Liest die SSI Messwerte vom Sensor aus"}},
};

}  // namespace

std::span<const ControlText> SensorTestTexts() { return kRows; }

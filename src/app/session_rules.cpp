#include "session_rules.h"

#include <algorithm>

#include "range_points.h"
#include "texts.h"
#include "wire_format.h"

namespace {

constexpr const char* kFactoryCode = "738164209355";
constexpr const char* kDeveloperCode = "5820463917284630";

constexpr const char* kFactoryShown[] = {"SlowAvarageFilter"};
constexpr const char* kDeveloperShown[] = {
    "SSI_Start_CheckBox",
    "OpTimeYears",
    "OpTimeMonth",
    "OpTimeDays",
    "OpTimeHours",
    "OpTimeMinutes",
    "Label7",
    "TempComp",
    "K_SERIE",
    "SlowAvarageFilter",
    "SSI_Abstand",
};

constexpr const char* kFactoryColoured[] = {
    "ErrorValue",
    "PowerFail",
    "Resolution",
    "FilterS",
    "Mode",
    "CodingGroup",
    "ErrorCount",
    "BitWidth",
    "Direction",
    "PosDifVel",
    "FactoryNumber",
    "Length",
    "Offset",
    "CycleTime",
    "SyncTiming",
    "UltrasonicSpeed",
    "MonoflopTime",
    "UARTWrites",
    "ChargepumpStages",
    "JitterWindow",
    "Model",
    "Siemens",
    "Temperature",
    "ErrorValue2",
    "Linearisierung",
    "Extrapolation",
    "ExtrapolForward",
    "TempComp",
    "SSI_Start_CheckBox",
    "Blanking",
    "IgnoreSsiClkNum",
};

constexpr uint32_t kMinutesPerYear = 365 * 24 * 60;
constexpr uint32_t kMinutesPerMonth = 30 * 24 * 60;
constexpr uint32_t kMinutesPerDay = 24 * 60;
constexpr uint32_t kMissedPollsLimit = 65535;
constexpr uint32_t kWarningMiss = 4;

// The last character of a UTF-8 text moves to the front.
std::string RotatedRight(std::string_view text, std::string& moved)
{
    size_t last = text.size();
    while (last > 0 && (static_cast<unsigned char>(text[last - 1]) & 0xC0) == 0x80)
        --last;
    if (last > 0)
        --last;
    moved = text.substr(last);
    return moved + std::string(text.substr(0, last));
}

std::optional<StatusUpdate> DemoStatus(std::string_view text, std::string_view currentText)
{
    if (text.empty())
        return StatusUpdate{texts::DemoMarquee};
    std::string moved;
    std::string rotated = RotatedRight(currentText, moved);
    return StatusUpdate{std::move(rotated), moved == "D"};
}

}  // namespace

uint8_t LowByte(int storedInteger) { return static_cast<uint8_t>(storedInteger & 0xFF); }

AccessLevel AccessLevelFor(std::string_view factoryKey)
{
    if (factoryKey == kFactoryCode)
        return AccessLevel::Factory;
    if (factoryKey == kDeveloperCode)
        return AccessLevel::Developer;
    return AccessLevel::None;
}

AccessEffects AccessEffectsFor(AccessLevel level)
{
    switch (level) {
    case AccessLevel::Factory:
        return {true, true, kFactoryShown, false, false};
    case AccessLevel::Developer:
        return {true, true, kDeveloperShown, true, true};
    case AccessLevel::None:
        break;
    }
    return {false, false, {}, false, false};
}

std::string PortItemText(int portNumber) { return texts::PortItemPrefix + std::to_string(portNumber); }

uint8_t PortFromItemText(std::string_view itemText)
{
    if (itemText == texts::DemoPortItem)
        return 0;
    int32_t port = -1;
    if (!ParseDecimal(itemText.substr(std::min<size_t>(4, itemText.size())), port))
        port = -1;
    return LowByte(port);
}

Rgb RgbOf(LedColour colour)
{
    switch (colour) {
    case LedColour::Red:
        return {255, 0, 0};
    case LedColour::Yellow:
        return {255, 255, 0};
    case LedColour::Green:
        return {0, 128, 0};
    }
    return {0, 0, 0};
}

std::optional<StatusUpdate> UpdateStatus(
    int kind, std::string_view text, uint8_t languageCode, uint8_t comPortNumber, std::string_view currentText)
{
    if (languageCode > 1)
        return std::nullopt;
    const auto pick = [languageCode](const BilingualText& t) { return *Pick(t, languageCode); };
    switch (static_cast<StatusKind>(kind)) {
    case StatusKind::Found:
        return StatusUpdate{pick(texts::StatusFoundPrefix) + std::string(text)};
    case StatusKind::Connected:
        return StatusUpdate{pick(texts::StatusConnectedPrefix) + std::string(text)};
    case StatusKind::UpdateHint:
        return StatusUpdate{pick(texts::StatusUpdateHint)};
    case StatusKind::NotConnected:
        return StatusUpdate{
            texts::StatusNotConnectedPrefix + std::to_string(comPortNumber) + pick(texts::StatusNotConnectedSuffix)};
    case StatusKind::Demo:
        return DemoStatus(text, currentText);
    }
    return std::nullopt;
}

LedColour ToggledLed(LedColour colour) { return colour == LedColour::Yellow ? LedColour::Green : LedColour::Yellow; }

OperatingTimeDisplay OperatingTimeFor(uint32_t operatingTime)
{
    const uint32_t minutes = operatingTime * 3U;
    const uint32_t inYear = minutes % kMinutesPerYear;
    const uint32_t inMonth = inYear % kMinutesPerMonth;
    const uint32_t inDay = inMonth % kMinutesPerDay;
    OperatingTimeDisplay shown{
        minutes / kMinutesPerYear, inYear / kMinutesPerMonth, inMonth / kMinutesPerDay, inDay / 60, inDay % 60};
    // The last five days of a year would read as month 12.
    if (shown.months == 12) {
        shown.months = 0;
        ++shown.years;
    }
    return shown;
}

uint32_t NextMissedPolls(uint32_t missedPolls) { return std::min(missedPolls, kMissedPollsLimit - 1) + 1; }

bool DisconnectWarningDue(uint32_t missedPolls, bool unsavedChanges)
{
    return missedPolls == kWarningMiss && unsavedChanges;
}

SupervisionControls SessionStartControls(int32_t firmwareVersion, bool demoMode)
{
    return {true, IsNewFirmware(firmwareVersion), true, false, demoMode};
}

SupervisionControls SensorMissingControls() { return {false, false, false, true, true}; }

bool IsNewFirmware(int32_t firmwareVersion) { return HasCommitCommand(firmwareVersion); }

bool ResolutionWarningDue(int32_t firmwareVersion, bool resolutionChanged, int32_t startPoint, int32_t endPoint)
{
    const bool rawRangeFirmware = FirmwareFamily(firmwareVersion) == 39606 || firmwareVersion == 3960107;
    return IsNewFirmware(firmwareVersion) && resolutionChanged && rawRangeFirmware
        && RangeIsTaught(startPoint, endPoint);
}

std::span<const char* const> FactoryColouredControls() { return kFactoryColoured; }

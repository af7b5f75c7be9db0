#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The rules of the main window's session that need no window: settings, access levels,
// port choice, the status display, the operating time, the supervision's control
// states, and the EEPROM update.

// ---- Settings and access ----

// The settings store keeps integers; the program uses their low 8 bits.
uint8_t LowByte(int storedInteger);

enum class AccessLevel : uint8_t { None, Factory, Developer };
// Exact comparison, case and length included.
AccessLevel AccessLevelFor(std::string_view factoryKey);

struct AccessEffects {
    bool showProtectedPages;  // ExpertSettings, ExpertSettings2, LinPage
    bool showFirmwarePage;
    std::span<const char* const> shownControls;
    bool factorLabelEditable;
    bool developerAccess;
};
AccessEffects AccessEffectsFor(AccessLevel level);

// ---- Port selection ----

inline constexpr uint8_t NoPortChosen = 255;
inline constexpr uint8_t LastScannedPort = 100;
std::string PortItemText(int portNumber);
// "Demo" is 0; "COM n" is n; anything else is 255.
uint8_t PortFromItemText(std::string_view itemText);

// ---- Status display ----

enum class StatusKind : int { Found = 1, Connected = 2, UpdateHint = 3, NotConnected = 4, Demo = 5 };
enum class LedColour : uint8_t { Red, Yellow, Green };
struct Rgb {
    uint8_t red, green, blue;
};
Rgb RgbOf(LedColour colour);

struct StatusUpdate {
    std::string text;
    bool toggleLed = false;  // the marquee moved a "DEMO" to the front
};
// The new status text for a kind; nullopt leaves the text as it is (a language code
// other than 0 and 1, or a kind other than 1 to 5). Kinds 1 and 2 append text; kind 5
// puts up the marquee for an empty text and otherwise rotates currentText right by one.
std::optional<StatusUpdate> UpdateStatus(
    int kind, std::string_view text, uint8_t languageCode, uint8_t comPortNumber, std::string_view currentText);
// The demo blink: yellow becomes green, any other colour yellow.
LedColour ToggledLed(LedColour colour);

// ---- Supervision ----

// OperatingTime counts 3-minute units; a year is 365 days and a month 30 days.
struct OperatingTimeDisplay {
    uint32_t years, months, days, hours, minutes;
};
OperatingTimeDisplay OperatingTimeFor(uint32_t operatingTime);

// One more missed tick, saturating at 65535.
uint32_t NextMissedPolls(uint32_t missedPolls);
// The disconnect warning belongs to the fourth consecutive miss with uncommitted edits.
bool DisconnectWarningDue(uint32_t missedPolls, bool unsavedChanges);

// What the supervision sets on a session start and on a tick without sensor.
struct SupervisionControls {
    bool parameterPageEnabled;
    bool restoreFactoryEnabled;
    bool fileAndTestItemsEnabled;  // FileOpenItem, FileSaveAsItem, TestSensor, Print
    bool firmwareUpdateVisible;    // FirmwareUpdate and the separator N4
    bool selComPortVisible;
};
SupervisionControls SessionStartControls(int32_t firmwareVersion, bool demoMode);
SupervisionControls SensorMissingControls();

// ---- Sensor update ----

// Firmware above 3960100 commits with "CN" and knows factory settings; older firmware
// commits with "EN".
bool IsNewFirmware(int32_t firmwareVersion);

// A changed resolution invalidates a taught range on the sensors that keep it in raw units.
bool ResolutionWarningDue(int32_t firmwareVersion, bool resolutionChanged, int32_t startPoint, int32_t endPoint);

// The controls that show the factory values as uncommitted after reading them back.
std::span<const char* const> FactoryColouredControls();

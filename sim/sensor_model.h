#pragma once

// The simulated sensor's logic, free of I/O and not thread-safe (PtyHost guards it).
//
//   sim::SensorModel sensor{sim::SensorSettings{}};
//   sensor.HandleLine("DA");        // "020119\r": a complete reply, CR included
//   sensor.HandleLine("DN800519");  // nothing: writes are not answered
//   sensor.PortOpened();            // the RTS pulse: into or out of the measurement stream
//   sensor.PowerUp();               // working registers reloaded from the EEPROM
//
// Registers are held as the payload text the sensor sends: "020119" for D, "KH0500" for L.
// Three banks: Working (queries and writes), Eeprom (CN, EN), Factory (QN).
// The firmware rules (width of R, presence of W and i) follow the working V register.

#include <array>
#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

struct SensorSettings {
    int32_t firmwareVersion = 3960105;
    std::string model = "KH";
    int32_t lengthMm = 500;
    std::string factoryNumber = "12345678";
    // Payload overrides by register letter, applied last: {'D', "000519"}.
    std::map<char, std::string> registers;
    uint32_t startPoint = 0;
    uint32_t endPoint = 0x1FFFFFF;
    bool secondErrorValue = false;
    // Linearization memory: address (0..511) -> byte; the start value lives at 0x1F6..0x1F8.
    std::map<int, uint8_t> linBytes;
    int32_t linStartValue = 0;
    // Where the range teach-in finds the magnet; none makes the set actions fail.
    std::optional<uint32_t> magnetPosition = 250000;
    std::chrono::milliseconds replyDelay{5};
};

enum class Bank { Working, Eeprom, Factory };

enum class SensorMode {
    Command,     // answers commands
    Stream,      // sends measurements; only PROG is heard
    Bootloader,  // entered by BN; ignores commands until PROG or the next port open
};

enum class ReplyDamage {
    None,
    NoFinalCr,  // the last character is '0' instead of CR
    NulInside,  // the first payload character is NUL
    Short,      // the final CR is missing
};

struct Faults {
    bool dead = false;                    // carries out and answers nothing but PROG
    std::vector<std::string> unanswered;  // commands beginning with one of these are not even heard; "" is every one
    ReplyDamage damage = ReplyDamage::None;
    bool wrongLinAddressEcho = false;  // X queries echo the address plus one
    // The three faults above hit only the K-th, 2K-th, ... command heard in command mode
    // since SetFaults; PROG is not counted.
    int hitEvery = 1;
    int commandsBeforeDeath = -1;  // >= 0: this many more commands, then dead
};

struct EventCounts {
    int commit = 0;          // CN
    int store = 0;           // EN
    int factoryRestore = 0;  // QN
    int bootloader = 0;      // BN
    int wakeUp = 0;          // PROG
    int portOpens = 0;       // the port went from closed to open
};

struct RegisterSet {
    std::map<char, std::string> registers;
    uint32_t startPoint = 0;
    uint32_t endPoint = 0x1FFFFFF;
    bool secondErrorValue = false;
    std::array<uint8_t, 512> linMemory{};
};

class SensorModel {
public:
    // Throws std::invalid_argument with a one-line message for settings no sensor could have.
    explicit SensorModel(const SensorSettings& settings);

    // One command line without its CR; the reply with its CR, or nothing.
    std::optional<std::string> HandleLine(std::string_view line);
    void PortOpened();
    void PowerUp();

    SensorMode Mode() const { return mode_; }
    int32_t FirmwareVersion() const;

    // The payload a query of the register would give (empty for an unknown letter).
    std::string Register(char letter, Bank bank = Bank::Working) const;
    // Sets a register as a write command would, but also the read-only ones; false for
    // an unknown letter or a text the register cannot hold.
    bool SetRegister(char letter, std::string_view text, Bank bank = Bank::Working);
    RegisterSet& Registers(Bank bank);
    const RegisterSet& Registers(Bank bank) const;

    void SetMagnet(std::optional<uint32_t> position) { magnet_ = position; }
    // Also starts counting the commands for Faults::hitEvery afresh.
    void SetFaults(const Faults& faults);
    Faults& CurrentFaults() { return faults_; }
    const EventCounts& Counts() const { return counts_; }

private:
    std::optional<std::string> Execute(std::string_view line);
    std::optional<std::string> HandleRegister(char letter, char operation, std::string_view argument);
    std::optional<std::string> HandleRangePoints(char operation, std::string_view selector);
    std::optional<std::string> HandleLinearization(char operation, std::string_view argument);
    bool HandleEepromOrBootloader(std::string_view line);
    bool TakeCommandTurn();
    bool IsFaultTurn();
    bool IsUnheard(std::string_view line) const;
    std::string Damage(std::string reply) const;
    void WriteLinStartValue(RegisterSet& set, uint32_t value) const;
    uint32_t LinStartValue() const;

    std::array<RegisterSet, 3> banks_;
    SensorMode mode_ = SensorMode::Command;
    std::optional<uint32_t> magnet_;
    Faults faults_;
    int commandsSinceFaultTurn_ = 0;
    bool faultsHitThisCommand_ = false;
    EventCounts counts_;
};

}  // namespace sim

#include "sensor_model.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <utility>

namespace sim {
namespace {

enum class Format { Hex, Decimal, Text };

struct RegisterSpec {
    char letter;
    Format format;
    int width;
    int widthOnFamily39606;
    bool writable;
    bool onlyOnLate39606;  // exists only on family 39606 above 3960609
    const char* initial;   // empty: taken from the settings
};

constexpr RegisterSpec kRegisters[] = {
    {'A', Format::Decimal, 8, 8, true, false, "00000005"},  // resolution 5 um
    {'D', Format::Hex, 6, 6, true, false, "020119"},        // gray, indication 1, 25 bits
    {'K', Format::Hex, 6, 6, true, false, "000001"},        // one magnet, position
    {'M', Format::Hex, 6, 6, true, false, "03BC32"},        // sync timing 956, jitter 50
    {'Z', Format::Hex, 6, 6, true, false, "068332"},        // cycle 1667, UART counter 50
    {'J', Format::Hex, 6, 6, true, false, "000001"},
    {'O', Format::Hex, 6, 6, true, false, "000020"},
    {'S', Format::Hex, 6, 6, true, false, "0456C7"},  // scale 284359
    {'N', Format::Hex, 6, 6, true, false, "000000"},
    {'P', Format::Hex, 8, 8, true, false, "00000000"},
    {'R', Format::Hex, 6, 8, true, false, "00000001"},  // power-fail time 1 ms
    {'U', Format::Decimal, 6, 6, true, false, "277695"},
    {'L', Format::Text, 6, 6, true, false, ""},
    {'F', Format::Text, 8, 8, true, false, ""},
    {'V', Format::Hex, 6, 6, false, false, ""},
    {'T', Format::Hex, 8, 8, false, false, "00002A30"},  // 540 hours
    {'W', Format::Hex, 8, 8, true, true, "00000000"},
    {'i', Format::Hex, 8, 8, true, true, "00000000"},
};

constexpr uint32_t kDeletedStartPoint = 0;
constexpr uint32_t kDeletedEndPoint = 0x1FFFFFF;
constexpr uint32_t kLinMemorySize = 512;
constexpr uint32_t kLinStartValueAddress = 0x1F6;
constexpr uint32_t kStreamModeBit = 1u << 18;  // bit 0 of the Mode field of D

const RegisterSpec* FindRegister(char letter)
{
    const auto* found = std::find_if(std::begin(kRegisters), std::end(kRegisters),
        [letter](const RegisterSpec& spec) { return spec.letter == letter; });
    return found == std::end(kRegisters) ? nullptr : found;
}

bool ParseHex(std::string_view text, uint32_t& value)
{
    if (text.empty() || text.size() > 8)
        return false;
    value = 0;
    for (char c : text) {
        int digit = c >= '0' && c <= '9' ? c - '0'
            : c >= 'A' && c <= 'F'       ? c - 'A' + 10
            : c >= 'a' && c <= 'f'       ? c - 'a' + 10
                                         : -1;
        if (digit < 0)
            return false;
        value = value << 4 | static_cast<uint32_t>(digit);
    }
    return true;
}

bool ParseDecimal(std::string_view text, uint64_t& value)
{
    if (text.empty() || text.size() > 18)
        return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    return true;
}

// Exactly `width` digits: the lowest ones of the value, with leading zeros.
std::string HexText(uint32_t value, int width)
{
    char text[16];
    std::snprintf(text, sizeof text, "%08X", value);
    return std::string(text + 8 - width, static_cast<size_t>(width));
}

std::string DecimalText(uint64_t value, int width)
{
    char text[32];
    std::snprintf(text, sizeof text, "%018llu", static_cast<unsigned long long>(value));
    return std::string(text + 18 - width, static_cast<size_t>(width));
}

std::optional<std::string> Normalize(const RegisterSpec& spec, std::string_view text, int width)
{
    switch (spec.format) {
    case Format::Hex: {
        uint32_t value = 0;
        if (!ParseHex(text, value))
            return std::nullopt;
        return HexText(value, width);
    }
    case Format::Decimal: {
        uint64_t value = 0;
        if (!ParseDecimal(text, value))
            return std::nullopt;
        return DecimalText(value, width);
    }
    case Format::Text:
        if (text.size() != static_cast<size_t>(width))
            return std::nullopt;
        return std::string(text);
    }
    return std::nullopt;
}

int32_t FirmwareFamily(int32_t version) { return std::stoi(std::to_string(version).substr(0, 5)); }

void Require(bool condition, const std::string& message)
{
    if (!condition)
        throw std::invalid_argument(message);
}

// Lengths up to 9999 mm digit for digit; longer ones in steps of 50 mm as the hundreds
// followed by C (..50) or F (..00).
std::string EncodeLength(int32_t lengthMm)
{
    Require(lengthMm >= 0 && (lengthMm < 10000 || (lengthMm <= 99950 && lengthMm % 50 == 0)),
        "a length is 0 to 9999 mm, or a multiple of 50 up to 99950 mm");
    if (lengthMm < 10000)
        return DecimalText(static_cast<uint64_t>(lengthMm), 4);
    std::string digits = std::to_string(lengthMm);
    return digits.substr(0, 3) + (digits[3] == '5' ? 'C' : 'F');
}

struct RangeQuery {
    std::string_view selector;
    std::string (*answer)(const RegisterSet& set);
};

constexpr RangeQuery kRangeQueries[] = {
    {"00000000", [](const RegisterSet& set) { return HexText(set.startPoint, 8); }},
    {"80000000", [](const RegisterSet& set) { return HexText(set.endPoint, 8); }},
    {"30000000", [](const RegisterSet& set) { return HexText(set.secondErrorValue ? 1 : 0, 2); }},
};

struct RangeAction {
    std::string_view selector;
    bool needsMagnet;
    void (*apply)(RegisterSet& set, uint32_t magnet);
};

constexpr RangeAction kRangeActions[] = {
    {"00000000", true, [](RegisterSet& set, uint32_t magnet) { set.startPoint = magnet; }},
    {"40000000", false, [](RegisterSet& set, uint32_t) { set.startPoint = kDeletedStartPoint; }},
    {"80000000", true, [](RegisterSet& set, uint32_t magnet) { set.endPoint = magnet; }},
    {"C0000000", false, [](RegisterSet& set, uint32_t) { set.endPoint = kDeletedEndPoint; }},
    {"30000000", false, [](RegisterSet& set, uint32_t) { set.secondErrorValue = true; }},
    {"20000000", false, [](RegisterSet& set, uint32_t) { set.secondErrorValue = false; }},
};

}  // namespace

SensorModel::SensorModel(const SensorSettings& settings) : magnet_(settings.magnetPosition)
{
    for (const RegisterSpec& spec : kRegisters) {
        if (*spec.initial != '\0')
            SetRegister(spec.letter, spec.initial);
    }
    Require(
        settings.firmwareVersion >= 0 && settings.firmwareVersion <= 0xFFFFFF, "a firmware version is 0 to 16777215");
    SetRegister('V', HexText(static_cast<uint32_t>(settings.firmwareVersion), 6));
    Require(settings.model.size() == 2, "a model is two letters");
    SetRegister('L', settings.model + EncodeLength(settings.lengthMm));
    Require(
        !settings.factoryNumber.empty() && settings.factoryNumber.size() <= 8, "a factory number is 1 to 8 characters");
    SetRegister('F', std::string(8 - settings.factoryNumber.size(), '0') + settings.factoryNumber);
    for (const auto& [letter, text] : settings.registers) {
        Require(SetRegister(letter, text), std::string("register ") + letter + " cannot hold \"" + text + "\"");
    }

    RegisterSet& working = Registers(Bank::Working);
    working.startPoint = settings.startPoint;
    working.endPoint = settings.endPoint;
    working.secondErrorValue = settings.secondErrorValue;
    Require(settings.linStartValue >= -0x800000 && settings.linStartValue <= 0x7FFFFF,
        "the linearization start value is a 24-bit signed number");
    WriteLinStartValue(working, static_cast<uint32_t>(settings.linStartValue));
    for (const auto& [address, byte] : settings.linBytes) {
        Require(address >= 0 && address < static_cast<int>(kLinMemorySize), "a linearization address is 0 to 511");
        working.linMemory[static_cast<size_t>(address)] = byte;
    }
    Registers(Bank::Eeprom) = working;
    Registers(Bank::Factory) = working;
}

std::optional<std::string> SensorModel::HandleLine(std::string_view line)
{
    if (line == "PROG") {
        ++counts_.wakeUp;
        mode_ = SensorMode::Command;
        return std::nullopt;
    }
    if (mode_ != SensorMode::Command || line.empty() || !TakeCommandTurn())
        return std::nullopt;
    faultsHitThisCommand_ = IsFaultTurn();
    if (faultsHitThisCommand_ && IsUnheard(line))
        return std::nullopt;
    std::optional<std::string> payload = Execute(line);
    if (!payload)
        return std::nullopt;
    std::string reply = *payload + '\r';
    return faultsHitThisCommand_ ? Damage(std::move(reply)) : reply;
}

void SensorModel::PortOpened()
{
    ++counts_.portOpens;
    uint32_t storedD = 0;
    bool streamStored = ParseHex(Register('D', Bank::Eeprom), storedD) && (storedD & kStreamModeBit) != 0;
    mode_ = mode_ == SensorMode::Command && streamStored ? SensorMode::Stream : SensorMode::Command;
}

void SensorModel::PowerUp()
{
    Registers(Bank::Working) = Registers(Bank::Eeprom);
    mode_ = SensorMode::Command;
}

int32_t SensorModel::FirmwareVersion() const
{
    const auto& working = Registers(Bank::Working).registers;
    auto versionText = working.find('V');
    uint32_t version = 0;
    if (versionText != working.end())
        ParseHex(versionText->second, version);
    return static_cast<int32_t>(version);
}

std::string SensorModel::Register(char letter, Bank bank) const
{
    const RegisterSpec* spec = FindRegister(letter);
    const auto& stored = Registers(bank).registers;
    auto found = stored.find(letter);
    if (spec == nullptr || found == stored.end())
        return {};
    int width = FirmwareFamily(FirmwareVersion()) == 39606 ? spec->widthOnFamily39606 : spec->width;
    return Normalize(*spec, found->second, width).value_or(found->second);
}

bool SensorModel::SetRegister(char letter, std::string_view text, Bank bank)
{
    const RegisterSpec* spec = FindRegister(letter);
    if (spec == nullptr)
        return false;
    std::optional<std::string> normalized = Normalize(*spec, text, spec->widthOnFamily39606);
    if (!normalized)
        return false;
    Registers(bank).registers[letter] = *normalized;
    return true;
}

RegisterSet& SensorModel::Registers(Bank bank) { return banks_[static_cast<size_t>(bank)]; }

const RegisterSet& SensorModel::Registers(Bank bank) const { return banks_[static_cast<size_t>(bank)]; }

void SensorModel::SetFaults(const Faults& faults)
{
    faults_ = faults;
    commandsSinceFaultTurn_ = 0;
}

bool SensorModel::TakeCommandTurn()
{
    if (faults_.commandsBeforeDeath == 0) {
        faults_.dead = true;
        faults_.commandsBeforeDeath = -1;
    }
    if (faults_.dead)
        return false;
    if (faults_.commandsBeforeDeath > 0)
        --faults_.commandsBeforeDeath;
    return true;
}

bool SensorModel::IsFaultTurn()
{
    commandsSinceFaultTurn_ = (commandsSinceFaultTurn_ + 1) % std::max(faults_.hitEvery, 1);
    return commandsSinceFaultTurn_ == 0;
}

std::optional<std::string> SensorModel::Execute(std::string_view line)
{
    if (HandleEepromOrBootloader(line) || line.size() < 2)
        return std::nullopt;
    char letter = line[0];
    char operation = line[1];
    if (operation != 'A' && operation != 'N')
        return std::nullopt;
    std::string_view argument = line.substr(2);
    if (letter == 'Y')
        return HandleRangePoints(operation, argument);
    if (letter == 'X')
        return HandleLinearization(operation, argument);
    return HandleRegister(letter, operation, argument);
}

std::optional<std::string> SensorModel::HandleRegister(char letter, char operation, std::string_view argument)
{
    const RegisterSpec* spec = FindRegister(letter);
    if (spec == nullptr)
        return std::nullopt;
    int32_t version = FirmwareVersion();
    bool exists = !spec->onlyOnLate39606 || (FirmwareFamily(version) == 39606 && version > 3960609);
    if (!exists)
        return std::nullopt;
    if (operation == 'A')
        return argument.empty() ? std::optional(Register(letter)) : std::nullopt;
    if (spec->writable)
        SetRegister(letter, argument);
    return std::nullopt;
}

std::optional<std::string> SensorModel::HandleRangePoints(char operation, std::string_view selector)
{
    RegisterSet& working = Registers(Bank::Working);
    if (operation == 'A') {
        for (const RangeQuery& query : kRangeQueries) {
            if (query.selector == selector)
                return query.answer(working);
        }
        return std::nullopt;
    }
    for (const RangeAction& action : kRangeActions) {
        if (action.selector != selector)
            continue;
        if (action.needsMagnet && !magnet_)
            return "15";
        action.apply(working, magnet_.value_or(0));
        return "06";
    }
    return std::nullopt;
}

// "XA" + address + "00" reads a byte (address 0x1F6: the start value), "XN" + address + byte
// writes one, and "XN33" + six digits writes the start value.
std::optional<std::string> SensorModel::HandleLinearization(char operation, std::string_view argument)
{
    RegisterSet& working = Registers(Bank::Working);
    uint32_t address = 0;
    if (operation == 'A') {
        if (argument.size() != 6 || argument.substr(4) != "00" || !ParseHex(argument.substr(0, 4), address)
            || address >= kLinMemorySize) {
            return std::nullopt;
        }
        if (address == kLinStartValueAddress)
            return HexText(LinStartValue(), 6);
        uint32_t echo = (address + (faultsHitThisCommand_ && faults_.wrongLinAddressEcho ? 1 : 0)) % kLinMemorySize;
        return HexText(echo << 8 | working.linMemory[address], 6);
    }
    if (argument.size() != 8)
        return std::nullopt;
    uint32_t value = 0;
    if (argument.starts_with("33")) {
        if (ParseHex(argument.substr(2), value))
            WriteLinStartValue(working, value);
    } else if (ParseHex(argument.substr(0, 4), address) && ParseHex(argument.substr(4), value)
        && address < kLinMemorySize) {
        working.linMemory[address] = static_cast<uint8_t>(value & 0xFF);
    }
    return std::nullopt;
}

bool SensorModel::HandleEepromOrBootloader(std::string_view line)
{
    if (line == "CN" || line == "EN") {
        ++(line == "CN" ? counts_.commit : counts_.store);
        Registers(Bank::Eeprom) = Registers(Bank::Working);
    } else if (line == "QN") {
        ++counts_.factoryRestore;
        Registers(Bank::Working) = Registers(Bank::Factory);
        Registers(Bank::Eeprom) = Registers(Bank::Factory);
    } else if (line == "BN") {
        ++counts_.bootloader;
        mode_ = SensorMode::Bootloader;
    } else {
        return false;
    }
    return true;
}

bool SensorModel::IsUnheard(std::string_view line) const
{
    return std::any_of(faults_.unanswered.begin(), faults_.unanswered.end(),
        [line](const std::string& prefix) { return line.starts_with(prefix); });
}

std::string SensorModel::Damage(std::string reply) const
{
    switch (faults_.damage) {
    case ReplyDamage::None:
        break;
    case ReplyDamage::NoFinalCr:
        reply.back() = '0';
        break;
    case ReplyDamage::NulInside:
        reply.front() = '\0';
        break;
    case ReplyDamage::Short:
        reply.pop_back();
        break;
    }
    return reply;
}

// The start value occupies three bytes from 0x1F6, high byte first.
void SensorModel::WriteLinStartValue(RegisterSet& set, uint32_t value) const
{
    for (uint32_t i = 0; i < 3; ++i) {
        set.linMemory[kLinStartValueAddress + i] = static_cast<uint8_t>(value >> (16 - 8 * i));
    }
}

uint32_t SensorModel::LinStartValue() const
{
    const auto& memory = Registers(Bank::Working).linMemory;
    return uint32_t{memory[kLinStartValueAddress]} << 16 | uint32_t{memory[kLinStartValueAddress + 1]} << 8
        | memory[kLinStartValueAddress + 2];
}

}  // namespace sim

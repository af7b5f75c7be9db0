#include "element_table.h"
#include "sensor_link.h"
#include "wire_format.h"

namespace {

constexpr int Attempts = 5;
const std::string Acknowledge = "06";

std::string LinAddressText(int address) { return HexText(static_cast<uint32_t>(address), 4); }

// Y and X payloads are strict hexadecimal; anything else reads as -1.
int32_t HexOrMinusOne(const std::string& text)
{
    int32_t value = -1;
    return ParseHex(text, value) ? value : -1;
}

}  // namespace

// Y register ------------------------------------------------------------------------

bool TSSICom::ReadYRegister(DataElement& element, std::string_view selector)
{
    const Query query{element.ReadCommand + std::string(selector), ReplyLength(*this, element)};
    return RunQuery(element, query, [](DataElement& e) {
        e.Value = HexOrMinusOne(e.Reply);
        return true;
    });
}

bool TSSICom::ReadStartPoint() { return ReadYRegister(Parameter.StartPoint, "00000000"); }
bool TSSICom::ReadEndPoint() { return ReadYRegister(Parameter.EndPoint, "80000000"); }
bool TSSICom::ReadSecErrorValue() { return ReadYRegister(Parameter.SecErrorValue, "30000000"); }

// Teaches or deletes a range point; the sensor acknowledges with "06" once it has
// found exactly one magnet.
bool TSSICom::RangePointAction(DataElement& element, const std::string& code)
{
    const std::string command = element.WriteCommand + code;
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        SendCommand(command);
        Sleep(250);
        std::string acknowledgement;
        if (IsDemo() || (ReceiveReply(acknowledgement, 3) && acknowledgement == Acknowledge)) {
            element.Valid = 1;
            return true;
        }
    }
    element.Valid = 0;
    return false;
}

bool TSSICom::WriteStartPoint(const std::string& code) { return RangePointAction(Parameter.StartPoint, code); }
bool TSSICom::WriteEndPoint(const std::string& code) { return RangePointAction(Parameter.EndPoint, code); }

bool TSSICom::WriteSecErrorValue()
{
    DataElement& element = Parameter.SecErrorValue;
    const std::string command = element.WriteCommand + (element.Value != 0 ? "30000000" : "20000000");
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        SendCommand(command);
        Sleep(100);
        std::string acknowledgement;
        if (IsDemo() || (ReceiveReply(acknowledgement, 3) && ReadSecErrorValue())) {
            element.Valid = 1;
            return true;
        }
    }
    element.Valid = 0;
    return false;
}

// X register: the linearization memory ----------------------------------------------

// The sensor echoes the address it read; a different echo ends the read at once.
bool TSSICom::ReadLinValue(int address)
{
    const Query query{
        Parameter.LinValue.ReadCommand + LinAddressText(address) + "00", ReplyLength(*this, Parameter.LinValue)};
    return RunQuery(Parameter.LinValue, query, [this, address](DataElement& e) {
        const uint32_t raw = static_cast<uint32_t>(HexOrMinusOne(e.Reply));
        Parameter.LinAddress.Value
            = static_cast<int32_t>(ExtractField(raw, Parameter.LinAddress.Mask, Parameter.LinAddress.Shift));
        e.Value = static_cast<int32_t>(raw & 0xFF);
        if (Parameter.LinAddress.Value != address)
            return false;
        // Addresses outside the mirrored range are read but not mirrored.
        const int index = address - LinTableFirstAddress;
        if (index >= 0 && index < LinTableSize)
            LinTable[static_cast<size_t>(index)] = static_cast<uint8_t>(e.Value);
        return true;
    });
}

bool TSSICom::WriteLinValue(int address)
{
    DataElement& element = Parameter.LinValue;
    const int32_t value = element.Value & 0xFF;
    element.Value = value;
    const std::string command
        = element.WriteCommand + LinAddressText(address) + HexText(static_cast<uint32_t>(value), 4);
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        SendCommand(command);
        Purge();
        Sleep(100);
        if (ReadLinValue(address) && element.Value == value)
            return true;
    }
    return false;
}

bool TSSICom::WriteLinValueOfFirstAddress() { return WriteLinValue(LinTableFirstAddress); }

// The start value has no demo short-cut: in demo mode the stored reply is parsed again.
bool TSSICom::ReadLinStartValue()
{
    const Query query{
        Parameter.LinStartValue.ReadCommand, ReplyLength(*this, Parameter.LinStartValue), Attempts, false};
    return RunQuery(Parameter.LinStartValue, query, [](DataElement& e) {
        e.Value = SignExtend24(static_cast<uint32_t>(HexToInt(e.Reply)));
        return true;
    });
}

bool TSSICom::WriteLinStartValue()
{
    DataElement& element = Parameter.LinStartValue;
    const int32_t value = element.Value;
    const std::string text = HexText(static_cast<uint32_t>(value), 6);
    element.Reply = text.substr(text.size() - 6);
    const std::string command = element.WriteCommand + element.Reply;
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        SendCommand(command);
        if (ReadLinStartValue() && element.Value == value)
            return true;
    }
    return false;
}

// Registers of the newer firmware -----------------------------------------------------

// Blanking and the initial delay get one attempt more than other reads, and no demo
// short-cut: after a demo write the stored reply holds the value written.
bool TSSICom::ReadWholeRegisterOfNewerFirmware(DataElement& element)
{
    const Query query{element.ReadCommand, ReplyLength(*this, element), Attempts + 1, false};
    return RunQuery(element, query, [](DataElement& e) {
        e.Value = HexToInt(e.Reply);
        return true;
    });
}

bool TSSICom::ReadBlanking() { return ReadWholeRegisterOfNewerFirmware(Parameter.Blanking); }
bool TSSICom::ReadInitDelay() { return ReadWholeRegisterOfNewerFirmware(Parameter.InitDelay); }
bool TSSICom::WriteBlanking() { return WriteRegisterField(Parameter.Blanking); }
bool TSSICom::WriteInitDelay() { return WriteRegisterField(Parameter.InitDelay); }

bool TSSICom::ReadOperatingTime()
{
    const Query query{
        Parameter.OperatingTime.ReadCommand, ReplyLength(*this, Parameter.OperatingTime), Attempts, true, false};
    return RunQuery(Parameter.OperatingTime, query, [](DataElement& e) {
        e.Value = HexToInt(e.Reply);
        return true;
    });
}

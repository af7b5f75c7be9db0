#include "sensor_link.h"
#include "wire_format.h"

namespace {

constexpr int WriteAttempts = 5;
constexpr uint32_t WriteRetryWaitMs = 50;

uint32_t RegisterOf(const TSSICom::DataElement& element) { return static_cast<uint32_t>(HexToInt(element.Reply)); }

bool ParseField(TSSICom::DataElement& element)
{
    element.Value = static_cast<int32_t>(ExtractField(RegisterOf(element), element.Mask, element.Shift));
    return true;
}

auto FieldPayload(int width)
{
    return [width](const TSSICom::DataElement& element, int32_t requested) {
        return HexText(
            ComposeField(RegisterOf(element), static_cast<uint32_t>(requested), element.Mask, element.Shift), width);
    };
}

}  // namespace

bool TSSICom::ReadElement(DataElement& element, uint32_t length, const Parse& parse)
{
    return RunQuery(element, Query{element.ReadCommand, length}, parse);
}

bool TSSICom::ReadRegisterField(DataElement& element, uint32_t length)
{
    return ReadElement(element, length, ParseField);
}

// Reads -----------------------------------------------------------------------------

bool TSSICom::ReadResolution()
{
    return ReadElement(Parameter.Resolution, 9, [](DataElement& e) {
        if (!ParseDecimal(e.Reply, e.Value))
            e.Value = 0;
        return true;
    });
}

bool TSSICom::ReadFilter() { return ReadRegisterField(Parameter.Filter); }
bool TSSICom::ReadSlowAvarageFilter() { return ReadRegisterField(Parameter.SlowAvarageFilter); }
bool TSSICom::ReadSyncStart() { return ReadRegisterField(Parameter.SyncStart); }
bool TSSICom::ReadMode() { return ReadRegisterField(Parameter.Mode); }
bool TSSICom::ReadOutputCode() { return ReadRegisterField(Parameter.OutputCode); }
bool TSSICom::ReadDirection() { return ReadRegisterField(Parameter.Direction); }
bool TSSICom::ReadIndicationCounter() { return ReadRegisterField(Parameter.IndicationCounter); }
bool TSSICom::ReadBitWidth() { return ReadRegisterField(Parameter.BitWidth); }
bool TSSICom::ReadMagnetCount() { return ReadRegisterField(Parameter.MagnetCount); }
bool TSSICom::ReadPosDifVel() { return ReadRegisterField(Parameter.PosDifVel); }
bool TSSICom::ReadFrameOptions() { return ReadRegisterField(Parameter.FrameOptions); }
bool TSSICom::ReadChargepump() { return ReadRegisterField(Parameter.Chargepump); }
bool TSSICom::ReadSyncTiming() { return ReadRegisterField(Parameter.SyncTiming); }
bool TSSICom::ReadJitterWindow() { return ReadRegisterField(Parameter.JitterWindow); }
bool TSSICom::ReadMonoflopTime() { return ReadRegisterField(Parameter.MonoflopTime); }
bool TSSICom::ReadScale() { return ReadRegisterField(Parameter.Scale); }
bool TSSICom::ReadCycleTime() { return ReadRegisterField(Parameter.CycleTime); }
bool TSSICom::ReadUARTCounter() { return ReadRegisterField(Parameter.UARTCounter); }
bool TSSICom::ReadFirmwareVersion() { return ReadRegisterField(Parameter.FirmwareVersion); }
bool TSSICom::ReadErrorValue() { return ReadRegisterField(Parameter.ErrorValue, 9); }

bool TSSICom::ReadOffset()
{
    return ReadElement(Parameter.Offset, 7, [](DataElement& e) {
        e.Value = SignExtend24(RegisterOf(e));
        return true;
    });
}

bool TSSICom::ReadFactoryNumber()
{
    return ReadElement(Parameter.FactoryNumber, 9, [](DataElement& e) {
        if (!ParseDecimal(e.Reply, e.Value))
            e.Value = -1;
        return true;
    });
}

bool TSSICom::ReadUltrasonicSpeed()
{
    return ReadElement(Parameter.UltrasonicSpeed, 7, [](DataElement& e) {
        e.Value = LeadingDecimal(e.Reply) & 0xFFFFFF;
        return true;
    });
}

bool TSSICom::ReadLength()
{
    return ReadElement(Parameter.Length, 7, [](DataElement& e) {
        e.Value = DecodeLength(std::string_view(e.Reply).substr(2));
        return true;
    });
}

bool TSSICom::ReadModel()
{
    return ReadElement(Parameter.Model, 7, [](DataElement& e) {
        e.Value = ModelValue(e.Reply[0], e.Reply[1]);
        return true;
    });
}

// Register R is eight digits long on family 39606 and six digits elsewhere.
bool TSSICom::ReadPowerfailTime()
{
    const bool longRegister = Family() == 39606;
    const bool sampleTimeInside = Family() == 39602 && Parameter.FirmwareVersion.Value > 3960202;
    return ReadElement(Parameter.PowerfailTime, longRegister ? 9 : 7, [this, sampleTimeInside](DataElement& e) {
        const uint32_t raw = RegisterOf(e);
        e.Value = static_cast<int32_t>(raw & 0xFF);
        if (sampleTimeInside)
            Parameter.SSISampleTime.Value = static_cast<int32_t>(ExtractField(raw, 0xFFFF00, 8));
        return true;
    });
}

bool TSSICom::ReadProcessOptions()
{
    return ReadElement(Parameter.ProcessOptions, 9, [this](DataElement& e) {
        const uint32_t raw = RegisterOf(e);
        ParseField(e);
        Parameter.SSISampleTime.Value
            = static_cast<int32_t>(ExtractField(raw, Parameter.SSISampleTime.Mask, Parameter.SSISampleTime.Shift));
        return true;
    });
}

// Writes ----------------------------------------------------------------------------

// Read-modify-write of the element's register, verified by reading it back. Every
// attempt writes the value requested at the start.
bool TSSICom::WriteVerified(DataElement& element, ReadOperation read, const Compose& compose, bool readBack)
{
    const int32_t requested = element.Value;
    element.Valid = 0;
    for (int attempt = 0; attempt < WriteAttempts; ++attempt) {
        if ((this->*read)()) {
            element.Reply = compose(element, requested);
            element.Value = requested;
            if (SendCommand(element.WriteCommand + element.Reply)) {
                const bool confirmed = !readBack || ((this->*read)() && element.Value == requested);
                if (confirmed || IsDemo()) {
                    element.Valid = 1;
                    return true;
                }
            }
        }
        Sleep(WriteRetryWaitMs);
    }
    return false;
}

bool TSSICom::WriteRegisterField(DataElement& element, ReadOperation read, int width)
{
    return WriteVerified(element, read, FieldPayload(width));
}

bool TSSICom::WriteFilter() { return WriteRegisterField(Parameter.Filter, &TSSICom::ReadFilter, 6); }
bool TSSICom::WriteSlowAvarageFilter()
{
    return WriteRegisterField(Parameter.SlowAvarageFilter, &TSSICom::ReadSlowAvarageFilter, 6);
}
bool TSSICom::WriteSyncStart() { return WriteRegisterField(Parameter.SyncStart, &TSSICom::ReadSyncStart, 6); }
bool TSSICom::WriteMode() { return WriteRegisterField(Parameter.Mode, &TSSICom::ReadMode, 6); }
bool TSSICom::WriteOutputCode() { return WriteRegisterField(Parameter.OutputCode, &TSSICom::ReadOutputCode, 6); }
bool TSSICom::WriteDirection() { return WriteRegisterField(Parameter.Direction, &TSSICom::ReadDirection, 6); }
bool TSSICom::WriteIndicationCounter()
{
    return WriteRegisterField(Parameter.IndicationCounter, &TSSICom::ReadIndicationCounter, 6);
}
bool TSSICom::WriteBitWidth() { return WriteRegisterField(Parameter.BitWidth, &TSSICom::ReadBitWidth, 6); }
bool TSSICom::WriteMagnetCount() { return WriteRegisterField(Parameter.MagnetCount, &TSSICom::ReadMagnetCount, 6); }
bool TSSICom::WritePosDifVel() { return WriteRegisterField(Parameter.PosDifVel, &TSSICom::ReadPosDifVel, 6); }
bool TSSICom::WriteFrameOptions() { return WriteRegisterField(Parameter.FrameOptions, &TSSICom::ReadFrameOptions, 6); }
bool TSSICom::WriteChargepump() { return WriteRegisterField(Parameter.Chargepump, &TSSICom::ReadChargepump, 6); }
bool TSSICom::WriteSyncTiming() { return WriteRegisterField(Parameter.SyncTiming, &TSSICom::ReadSyncTiming, 6); }
bool TSSICom::WriteJitterWindow() { return WriteRegisterField(Parameter.JitterWindow, &TSSICom::ReadJitterWindow, 6); }
bool TSSICom::WriteMonoflopTime() { return WriteRegisterField(Parameter.MonoflopTime, &TSSICom::ReadMonoflopTime, 6); }
bool TSSICom::WriteScale() { return WriteRegisterField(Parameter.Scale, &TSSICom::ReadScale, 6); }
bool TSSICom::WriteCycleTime() { return WriteRegisterField(Parameter.CycleTime, &TSSICom::ReadCycleTime, 6); }
bool TSSICom::WriteUARTCounter() { return WriteRegisterField(Parameter.UARTCounter, &TSSICom::ReadUARTCounter, 6); }
bool TSSICom::WriteErrorValue() { return WriteRegisterField(Parameter.ErrorValue, &TSSICom::ReadErrorValue, 8); }
bool TSSICom::WriteProcessOptions()
{
    return WriteRegisterField(Parameter.ProcessOptions, &TSSICom::ReadProcessOptions, 8);
}

bool TSSICom::WritePowerfailTime()
{
    return WriteRegisterField(Parameter.PowerfailTime, &TSSICom::ReadPowerfailTime, Family() == 39606 ? 8 : 6);
}

// A negative offset goes out as 24-bit two's complement.
bool TSSICom::WriteOffset()
{
    return WriteVerified(Parameter.Offset, &TSSICom::ReadOffset,
        [](const DataElement&, int32_t requested) { return HexText(static_cast<uint32_t>(requested) & 0xFFFFFF, 6); });
}

bool TSSICom::WriteResolution()
{
    return WriteVerified(Parameter.Resolution, &TSSICom::ReadResolution,
        [](const DataElement&, int32_t requested) { return DecimalText(static_cast<uint32_t>(requested), 8); });
}

bool TSSICom::WriteUltrasonicSpeed()
{
    return WriteVerified(
        Parameter.UltrasonicSpeed, &TSSICom::ReadUltrasonicSpeed, [](const DataElement& e, int32_t requested) {
            const uint32_t base = static_cast<uint32_t>(LeadingDecimal(e.Reply));
            return DecimalText(static_cast<uint32_t>(requested) | (base & ~0xFFFFFFu), 6);
        });
}

// The model letters stay as the sensor holds them.
bool TSSICom::WriteLength()
{
    return WriteVerified(Parameter.Length, &TSSICom::ReadLength,
        [](const DataElement& e, int32_t requested) { return e.Reply.substr(0, 2) + EncodeLength(requested); });
}

// The length characters stay as the sensor sent them; the sensor is not asked again.
bool TSSICom::WriteModel()
{
    const auto payload = [](const DataElement& e, int32_t requested) {
        return ModelLetters(requested) + (e.Reply.size() > 2 ? e.Reply.substr(2) : std::string());
    };
    return WriteVerified(Parameter.Model, &TSSICom::ReadModel, payload, false);
}

bool TSSICom::WriteFactoryNumber()
{
    DataElement& element = Parameter.FactoryNumber;
    const std::string requested = FactoryNumberText(element.Reply);
    element.Valid = 0;
    for (int attempt = 0; attempt < WriteAttempts; ++attempt) {
        element.Reply = requested;
        if (SendCommand(element.WriteCommand + requested)
            && ((ReadFactoryNumber() && element.Reply == requested) || IsDemo())) {
            element.Valid = 1;
            return true;
        }
        Sleep(WriteRetryWaitMs);
    }
    return false;
}

// EEPROM ----------------------------------------------------------------------------

namespace {

// Elements whose Changed flag survives every store: they are not stored by it.
bool KeepsChangedOnStore(int index, bool keepOptionFlags)
{
    const std::string_view name = TSSICom::ElementName(index);
    for (const char* kept : {"SSISampleTime", "OperatingTime", "StartPoint", "EndPoint", "LinValue", "LinAddress"})
        if (name == kept)
            return true;
    if (keepOptionFlags)
        for (const char* kept : {"ProcessOptions", "SecErrorValue", "LinStartValue"})
            if (name == kept)
                return true;
    return false;
}

}  // namespace

// A command that could not be written stores nothing, so every edit stays marked.
bool TSSICom::SendEepromCommand(const char* command, uint32_t waitMs, bool keepOptionFlags)
{
    if (!SendCommand(command))
        return false;
    for (int index = 0; index < ParameterStruct::Count; ++index)
        if (!KeepsChangedOnStore(index, keepOptionFlags))
            Parameter[index].Changed = 0;
    Sleep(waitMs);
    return true;
}

bool TSSICom::CommitEeprom() { return SendEepromCommand("CN", 1500, false); }
bool TSSICom::StoreEeprom() { return SendEepromCommand("EN", 1500, true); }
bool TSSICom::RestoreFactory() { return SendEepromCommand("QN", 1000, true); }

bool TSSICom::CommitForFirmware()
{
    return HasCommitCommand(Parameter.FirmwareVersion.Value) ? CommitEeprom() : StoreEeprom();
}

bool TSSICom::ResumeAfterStore()
{
    WakeUp();
    return true;
}

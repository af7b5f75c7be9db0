#include "element_table.h"
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

bool TSSICom::ReadElement(DataElement& element, const Parse& parse)
{
    return RunQuery(element, Query{element.ReadCommand, ReplyLength(*this, element)}, parse);
}

bool TSSICom::ReadRegisterField(DataElement& element) { return ReadElement(element, ParseField); }

// Reads -----------------------------------------------------------------------------

bool TSSICom::ReadResolution()
{
    return ReadElement(Parameter.Resolution, [](DataElement& e) {
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
bool TSSICom::ReadErrorValue() { return ReadRegisterField(Parameter.ErrorValue); }

bool TSSICom::ReadOffset()
{
    return ReadElement(Parameter.Offset, [](DataElement& e) {
        e.Value = SignExtend24(RegisterOf(e));
        return true;
    });
}

bool TSSICom::ReadFactoryNumber()
{
    return ReadElement(Parameter.FactoryNumber, [](DataElement& e) {
        if (!ParseDecimal(e.Reply, e.Value))
            e.Value = -1;
        return true;
    });
}

bool TSSICom::ReadUltrasonicSpeed()
{
    return ReadElement(Parameter.UltrasonicSpeed, [](DataElement& e) {
        e.Value = LeadingDecimal(e.Reply) & 0xFFFFFF;
        return true;
    });
}

bool TSSICom::ReadLength()
{
    return ReadElement(Parameter.Length, [](DataElement& e) {
        e.Value = DecodeLength(std::string_view(e.Reply).substr(2));
        return true;
    });
}

bool TSSICom::ReadModel()
{
    return ReadElement(Parameter.Model, [](DataElement& e) {
        e.Value = ModelValue(e.Reply[0], e.Reply[1]);
        return true;
    });
}

// Register R is eight digits long on family 39606 and six digits elsewhere.
bool TSSICom::ReadPowerfailTime()
{
    const bool sampleTimeInside = Family() == 39602 && Parameter.FirmwareVersion.Value > 3960202;
    return ReadElement(Parameter.PowerfailTime, [this, sampleTimeInside](DataElement& e) {
        const uint32_t raw = RegisterOf(e);
        e.Value = static_cast<int32_t>(raw & 0xFF);
        if (sampleTimeInside)
            Parameter.SSISampleTime.Value = static_cast<int32_t>(ExtractField(raw, 0xFFFF00, 8));
        return true;
    });
}

bool TSSICom::ReadProcessOptions()
{
    return ReadElement(Parameter.ProcessOptions, [this](DataElement& e) {
        const uint32_t raw = RegisterOf(e);
        ParseField(e);
        Parameter.SSISampleTime.Value
            = static_cast<int32_t>(ExtractField(raw, Parameter.SSISampleTime.Mask, Parameter.SSISampleTime.Shift));
        return true;
    });
}

// Writes ----------------------------------------------------------------------------

// Read-modify-write of the element's register, verified by reading it back where the
// element allows it. Every attempt writes the value requested at the start.
bool TSSICom::WriteVerified(DataElement& element, const Compose& compose)
{
    const ElementDefinition& definition = DefinitionOf(*this, element);
    const auto read = definition.read;
    const bool readBack = definition.writeReadsBack;
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

bool TSSICom::WriteRegisterField(DataElement& element)
{
    return WriteVerified(element, FieldPayload(FieldWidth(*this, element)));
}

bool TSSICom::WriteFilter() { return WriteRegisterField(Parameter.Filter); }
bool TSSICom::WriteSlowAvarageFilter() { return WriteRegisterField(Parameter.SlowAvarageFilter); }
bool TSSICom::WriteSyncStart() { return WriteRegisterField(Parameter.SyncStart); }
bool TSSICom::WriteMode() { return WriteRegisterField(Parameter.Mode); }
bool TSSICom::WriteOutputCode() { return WriteRegisterField(Parameter.OutputCode); }
bool TSSICom::WriteDirection() { return WriteRegisterField(Parameter.Direction); }
bool TSSICom::WriteIndicationCounter() { return WriteRegisterField(Parameter.IndicationCounter); }
bool TSSICom::WriteBitWidth() { return WriteRegisterField(Parameter.BitWidth); }
bool TSSICom::WriteMagnetCount() { return WriteRegisterField(Parameter.MagnetCount); }
bool TSSICom::WritePosDifVel() { return WriteRegisterField(Parameter.PosDifVel); }
bool TSSICom::WriteFrameOptions() { return WriteRegisterField(Parameter.FrameOptions); }
bool TSSICom::WriteChargepump() { return WriteRegisterField(Parameter.Chargepump); }
bool TSSICom::WriteSyncTiming() { return WriteRegisterField(Parameter.SyncTiming); }
bool TSSICom::WriteJitterWindow() { return WriteRegisterField(Parameter.JitterWindow); }
bool TSSICom::WriteMonoflopTime() { return WriteRegisterField(Parameter.MonoflopTime); }
bool TSSICom::WriteScale() { return WriteRegisterField(Parameter.Scale); }
bool TSSICom::WriteCycleTime() { return WriteRegisterField(Parameter.CycleTime); }
bool TSSICom::WriteUARTCounter() { return WriteRegisterField(Parameter.UARTCounter); }
bool TSSICom::WriteErrorValue() { return WriteRegisterField(Parameter.ErrorValue); }
bool TSSICom::WriteProcessOptions() { return WriteRegisterField(Parameter.ProcessOptions); }

bool TSSICom::WritePowerfailTime() { return WriteRegisterField(Parameter.PowerfailTime); }

// A negative offset goes out as 24-bit two's complement.
bool TSSICom::WriteOffset()
{
    const int width = FieldWidth(*this, Parameter.Offset);
    return WriteVerified(Parameter.Offset, [width](const DataElement&, int32_t requested) {
        return HexText(static_cast<uint32_t>(requested) & 0xFFFFFF, width);
    });
}

bool TSSICom::WriteResolution()
{
    const int width = FieldWidth(*this, Parameter.Resolution);
    return WriteVerified(Parameter.Resolution, [width](const DataElement&, int32_t requested) {
        return DecimalText(static_cast<uint32_t>(requested), width);
    });
}

bool TSSICom::WriteUltrasonicSpeed()
{
    const int width = FieldWidth(*this, Parameter.UltrasonicSpeed);
    return WriteVerified(Parameter.UltrasonicSpeed, [width](const DataElement& e, int32_t requested) {
        const uint32_t base = static_cast<uint32_t>(LeadingDecimal(e.Reply));
        return DecimalText(static_cast<uint32_t>(requested) | (base & ~0xFFFFFFu), width);
    });
}

// The model letters stay as the sensor holds them.
bool TSSICom::WriteLength()
{
    return WriteVerified(Parameter.Length,
        [](const DataElement& e, int32_t requested) { return e.Reply.substr(0, 2) + EncodeLength(requested); });
}

// The length characters stay as the sensor sent them; the sensor is not asked again.
bool TSSICom::WriteModel()
{
    const auto payload = [](const DataElement& e, int32_t requested) {
        return ModelLetters(requested) + (e.Reply.size() > 2 ? e.Reply.substr(2) : std::string());
    };
    return WriteVerified(Parameter.Model, payload);
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

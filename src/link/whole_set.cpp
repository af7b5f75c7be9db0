#include "sensor_link.h"

namespace {

using Operation = bool (TSSICom::*)();

// Which reads of a read-all count towards its result.
enum class Counts {
    Always,        // both variants
    WhenStrict,    // the strict variant only; the tolerant one forgives them
    TolerantOnly,  // run by the tolerant variant only, never counted
};

// Which firmware has the element at all.
enum class Presence { Everywhere, Family39606, WithBlanking };

struct SetRead {
    Operation read;
    std::string_view element;
    Counts counts;
    Presence present;
};

// The reads after the firmware version and the resolution, in the order of the wire.
// Register R holds the process options only on family 39606; the read runs on every
// firmware all the same, so that its Valid flag tells the view which rule to use.
constexpr SetRead kSetReads[] = {
    {&TSSICom::ReadFilter, "Filter", Counts::Always, Presence::Everywhere},
    {&TSSICom::ReadSyncStart, "SyncStart", Counts::Always, Presence::Everywhere},
    {&TSSICom::ReadMode, "Mode", Counts::Always, Presence::Everywhere},
    {&TSSICom::ReadOutputCode, "OutputCode", Counts::Always, Presence::Everywhere},
    {&TSSICom::ReadDirection, "Direction", Counts::Always, Presence::Everywhere},
    {&TSSICom::ReadIndicationCounter, "IndicationCounter", Counts::Always, Presence::Everywhere},
    {&TSSICom::ReadBitWidth, "BitWidth", Counts::Always, Presence::Everywhere},
    {&TSSICom::ReadFactoryNumber, "FactoryNumber", Counts::Always, Presence::Everywhere},
    {&TSSICom::ReadSyncTiming, "SyncTiming", Counts::Always, Presence::Everywhere},
    {&TSSICom::ReadJitterWindow, "JitterWindow", Counts::Always, Presence::Everywhere},
    {&TSSICom::ReadOffset, "Offset", Counts::Always, Presence::Everywhere},
    {&TSSICom::ReadErrorValue, "ErrorValue", Counts::Always, Presence::Everywhere},
    {&TSSICom::ReadScale, "Scale", Counts::Always, Presence::Everywhere},
    {&TSSICom::ReadUltrasonicSpeed, "UltrasonicSpeed", Counts::Always, Presence::Everywhere},
    {&TSSICom::ReadCycleTime, "CycleTime", Counts::Always, Presence::Everywhere},
    {&TSSICom::ReadUARTCounter, "UARTCounter", Counts::Always, Presence::Everywhere},
    {&TSSICom::ReadPowerfailTime, "PowerfailTime", Counts::WhenStrict, Presence::Everywhere},
    {&TSSICom::ReadMonoflopTime, "MonoflopTime", Counts::WhenStrict, Presence::Everywhere},
    {&TSSICom::ReadChargepump, "Chargepump", Counts::WhenStrict, Presence::Everywhere},
    {&TSSICom::ReadFrameOptions, "FrameOptions", Counts::WhenStrict, Presence::Everywhere},
    {&TSSICom::ReadPosDifVel, "PosDifVel", Counts::WhenStrict, Presence::Everywhere},
    {&TSSICom::ReadMagnetCount, "MagnetCount", Counts::WhenStrict, Presence::Everywhere},
    {&TSSICom::ReadLength, "Length", Counts::WhenStrict, Presence::Everywhere},
    {&TSSICom::ReadModel, "Model", Counts::WhenStrict, Presence::Everywhere},
    {&TSSICom::ReadProcessOptions, "ProcessOptions", Counts::WhenStrict, Presence::Family39606},
    {&TSSICom::ReadSecErrorValue, "SecErrorValue", Counts::WhenStrict, Presence::Everywhere},
    {&TSSICom::ReadStartPoint, "StartPoint", Counts::WhenStrict, Presence::Everywhere},
    {&TSSICom::ReadEndPoint, "EndPoint", Counts::WhenStrict, Presence::Everywhere},
    {&TSSICom::ReadLinStartValue, "LinStartValue", Counts::TolerantOnly, Presence::Everywhere},
    {&TSSICom::ReadLinValueOfFirstAddress, "LinValue", Counts::WhenStrict, Presence::Everywhere},
    {&TSSICom::ReadSlowAvarageFilter, "SlowAvarageFilter", Counts::TolerantOnly, Presence::Everywhere},
    {&TSSICom::ReadBlanking, "Blanking", Counts::Always, Presence::WithBlanking},
    {&TSSICom::ReadInitDelay, "InitDelay", Counts::Always, Presence::WithBlanking},
};

bool Present(const TSSICom& link, const SetRead& step)
{
    switch (step.present) {
    case Presence::Family39606:
        return link.Family() == 39606;
    case Presence::WithBlanking:
        return link.HasBlankingRegisters();
    default:
        return true;
    }
}

// Registers the firmware lacks are not even asked for, but for register R (see above).
bool RunsIn(const TSSICom& link, const SetRead& step, bool strict)
{
    return !(strict && step.counts == Counts::TolerantOnly)
        && (step.present == Presence::Family39606 || Present(link, step));
}

bool CountsIn(const TSSICom& link, const SetRead& step, bool strict)
{
    return (step.counts == Counts::Always || (strict && step.counts == Counts::WhenStrict)) && Present(link, step);
}

// Runs every operation, also after one has failed; true when all succeeded.
bool RunAll(TSSICom& link, std::initializer_list<Operation> operations)
{
    bool allSucceeded = true;
    for (Operation operation : operations)
        allSucceeded = (link.*operation)() && allSucceeded;
    return allSucceeded;
}

}  // namespace

bool TSSICom::ReadAll() { return ReadAllInOrder(false); }
bool TSSICom::ReadAllStrict() { return ReadAllInOrder(true); }

bool TSSICom::ReadLinValueOfFirstAddress() { return ReadLinValue(LinTableFirstAddress); }

// Every read runs, also after one has failed. A failed read-all puts the whole set back
// as it was.
bool TSSICom::ReadAllInOrder(bool strict)
{
    const ParameterStruct saved = Parameter;
    if (!ReadFirmwareVersion())
        return false;

    // Only a resolution the sensor reported as 0 is repaired; a read that failed leaves
    // the value of the previous set, which says nothing about this sensor.
    bool counted = ReadResolution();
    if (counted && Parameter.Resolution.Value == 0) {
        Parameter.Resolution.Value = 1;
        WriteResolution();
    }
    for (const SetRead& step : kSetReads)
        if (RunsIn(*this, step, strict) && !(this->*step.read)() && CountsIn(*this, step, strict))
            counted = false;

    if (!counted)
        Parameter = saved;
    return counted;
}

std::vector<int> TSSICom::ElementsOfReadAll(bool strict) const
{
    std::vector<int> elements{ElementIndex("FirmwareVersion"), ElementIndex("Resolution")};
    for (const SetRead& step : kSetReads)
        if (RunsIn(*this, step, strict) && Present(*this, step))
            elements.push_back(ElementIndex(step.element));
    return elements;
}

// Writes every writable element that this sensor's firmware has, even after a failure.
bool TSSICom::WriteAll()
{
    bool allWritten = RunAll(*this,
        {&TSSICom::WriteResolution, &TSSICom::WriteFilter, &TSSICom::WriteMode, &TSSICom::WriteOutputCode,
            &TSSICom::WriteDirection, &TSSICom::WriteIndicationCounter, &TSSICom::WriteBitWidth,
            &TSSICom::WriteChargepump, &TSSICom::WriteMagnetCount, &TSSICom::WritePosDifVel,
            &TSSICom::WriteFrameOptions, &TSSICom::WriteLength, &TSSICom::WriteModel, &TSSICom::WriteSyncTiming,
            &TSSICom::WriteJitterWindow, &TSSICom::WriteOffset, &TSSICom::WriteMonoflopTime, &TSSICom::WriteErrorValue,
            &TSSICom::WriteScale, &TSSICom::WriteUltrasonicSpeed, &TSSICom::WriteCycleTime, &TSSICom::WriteUARTCounter,
            &TSSICom::WritePowerfailTime, &TSSICom::WriteSyncStart});
    const bool processOptionsInRegister = Family() == 39606;
    if (processOptionsInRegister)
        allWritten = WriteProcessOptions() && allWritten;
    allWritten = RunAll(*this, {&TSSICom::WriteSlowAvarageFilter, &TSSICom::WriteSecErrorValue}) && allWritten;
    if (HasBlankingRegisters())
        allWritten = RunAll(*this, {&TSSICom::WriteBlanking, &TSSICom::WriteInitDelay}) && allWritten;
    if (processOptionsInRegister)
        allWritten = WriteProcessOptions() && allWritten;
    return allWritten;
}

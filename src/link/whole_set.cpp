#include "sensor_link.h"

namespace {

using Operation = bool (TSSICom::*)();

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

// The strict variant counts every read; the tolerant one forgives the second group.
// A failed read-all puts the whole set back as it was.
bool TSSICom::ReadAllInOrder(bool strict)
{
    const ParameterStruct saved = Parameter;
    if (!ReadFirmwareVersion())
        return false;

    bool counted = ReadResolution();
    if (Parameter.Resolution.Value == 0) {
        Parameter.Resolution.Value = 1;
        WriteResolution();
    }
    counted = RunAll(*this,
                  {&TSSICom::ReadFilter, &TSSICom::ReadSyncStart, &TSSICom::ReadMode, &TSSICom::ReadOutputCode,
                      &TSSICom::ReadDirection, &TSSICom::ReadIndicationCounter, &TSSICom::ReadBitWidth,
                      &TSSICom::ReadFactoryNumber, &TSSICom::ReadSyncTiming, &TSSICom::ReadJitterWindow,
                      &TSSICom::ReadOffset, &TSSICom::ReadErrorValue, &TSSICom::ReadScale,
                      &TSSICom::ReadUltrasonicSpeed, &TSSICom::ReadCycleTime, &TSSICom::ReadUARTCounter})
        && counted;

    bool secondGroup = RunAll(*this,
        {&TSSICom::ReadPowerfailTime, &TSSICom::ReadMonoflopTime, &TSSICom::ReadChargepump, &TSSICom::ReadFrameOptions,
            &TSSICom::ReadPosDifVel, &TSSICom::ReadMagnetCount, &TSSICom::ReadLength, &TSSICom::ReadModel});
    // Only family 39606 holds the process options in its register R.
    secondGroup = (ReadProcessOptions() || Family() != 39606) && secondGroup;
    secondGroup
        = RunAll(*this, {&TSSICom::ReadSecErrorValue, &TSSICom::ReadStartPoint, &TSSICom::ReadEndPoint}) && secondGroup;
    if (!strict)
        ReadLinStartValue();
    secondGroup = ReadLinValue(LinTableFirstAddress) && secondGroup;
    if (!strict)
        ReadSlowAvarageFilter();
    if (strict)
        counted = secondGroup && counted;

    if (HasBlankingRegisters())
        counted = RunAll(*this, {&TSSICom::ReadBlanking, &TSSICom::ReadInitDelay}) && counted;

    if (!counted)
        Parameter = saved;
    return counted;
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

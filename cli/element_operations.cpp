#include "element_operations.h"

#include <array>

namespace cli {

namespace {

template <bool (TSSICom::*Operation)()> bool Call(TSSICom& link) { return (link.*Operation)(); }

// The sensor's model write is not read back by the link; the command line confirms it.
bool WriteModelAndReadBack(TSSICom& link) { return link.WriteModel() && link.ReadModel(); }

bool WriteLinValue(TSSICom& link) { return link.WriteLinValue(kLinValueAddress); }

using T = TSSICom;

// SSISampleTime comes with the R register through ReadProcessOptions, LinAddress is the
// echo of a LinValue read. The range points are taught by a code, not written as a value.
constexpr std::array<ElementOperations, TSSICom::ParameterStruct::Count> kOperations{{
    {"Resolution", Call<&T::ReadResolution>, Call<&T::WriteResolution>},
    {"Filter", Call<&T::ReadFilter>, Call<&T::WriteFilter>},
    {"SlowAvarageFilter", Call<&T::ReadSlowAvarageFilter>, Call<&T::WriteSlowAvarageFilter>},
    {"Mode", Call<&T::ReadMode>, Call<&T::WriteMode>},
    {"OutputCode", Call<&T::ReadOutputCode>, Call<&T::WriteOutputCode>},
    {"Direction", Call<&T::ReadDirection>, Call<&T::WriteDirection>},
    {"IndicationCounter", Call<&T::ReadIndicationCounter>, Call<&T::WriteIndicationCounter>},
    {"BitWidth", Call<&T::ReadBitWidth>, Call<&T::WriteBitWidth>},
    {"MagnetCount", Call<&T::ReadMagnetCount>, Call<&T::WriteMagnetCount>},
    {"PosDifVel", Call<&T::ReadPosDifVel>, Call<&T::WritePosDifVel>},
    {"FrameOptions", Call<&T::ReadFrameOptions>, Call<&T::WriteFrameOptions>},
    {"Length", Call<&T::ReadLength>, Call<&T::WriteLength>},
    {"Offset", Call<&T::ReadOffset>, Call<&T::WriteOffset>},
    {"ErrorValue", Call<&T::ReadErrorValue>, Call<&T::WriteErrorValue>},
    {"PowerfailTime", Call<&T::ReadPowerfailTime>, Call<&T::WritePowerfailTime>},
    {"ProcessOptions", Call<&T::ReadProcessOptions>, Call<&T::WriteProcessOptions>},
    {"SSISampleTime", Call<&T::ReadProcessOptions>, nullptr},
    {"Model", Call<&T::ReadModel>, WriteModelAndReadBack},
    {"Chargepump", Call<&T::ReadChargepump>, Call<&T::WriteChargepump>},
    {"SyncTiming", Call<&T::ReadSyncTiming>, Call<&T::WriteSyncTiming>},
    {"JitterWindow", Call<&T::ReadJitterWindow>, Call<&T::WriteJitterWindow>},
    {"MonoflopTime", Call<&T::ReadMonoflopTime>, Call<&T::WriteMonoflopTime>},
    {"Scale", Call<&T::ReadScale>, Call<&T::WriteScale>},
    {"CycleTime", Call<&T::ReadCycleTime>, Call<&T::WriteCycleTime>},
    {"UARTCounter", Call<&T::ReadUARTCounter>, Call<&T::WriteUARTCounter>},
    {"FirmwareVersion", Call<&T::ReadFirmwareVersion>, nullptr},
    {"SecErrorValue", Call<&T::ReadSecErrorValue>, Call<&T::WriteSecErrorValue>},
    {"SyncStart", Call<&T::ReadSyncStart>, Call<&T::WriteSyncStart>},
    {"FactoryNumber", Call<&T::ReadFactoryNumber>, Call<&T::WriteFactoryNumber>},
    {"UltrasonicSpeed", Call<&T::ReadUltrasonicSpeed>, Call<&T::WriteUltrasonicSpeed>},
    {"OperatingTime", Call<&T::ReadOperatingTime>, nullptr},
    {"StartPoint", Call<&T::ReadStartPoint>, nullptr},
    {"EndPoint", Call<&T::ReadEndPoint>, nullptr},
    {"LinValue", Call<&T::ReadLinValueOfFirstAddress>, WriteLinValue},
    {"LinAddress", Call<&T::ReadLinValueOfFirstAddress>, nullptr},
    {"LinStartValue", Call<&T::ReadLinStartValue>, Call<&T::WriteLinStartValue>},
    {"Blanking", Call<&T::ReadBlanking>, Call<&T::WriteBlanking>},
    {"InitDelay", Call<&T::ReadInitDelay>, Call<&T::WriteInitDelay>},
}};

}  // namespace

const ElementOperations& OperationsOf(int index) { return kOperations.at(static_cast<size_t>(index)); }

}  // namespace cli

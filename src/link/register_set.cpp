#include "sensor_link.h"

#include "wire_format.h"

namespace {

using Element = TSSICom::DataElement TSSICom::ParameterStruct::*;
using P = TSSICom::ParameterStruct;

struct ElementDefinition {
    Element member;
    const char* name;
    const char* readCommand;
    const char* writeCommand;
    uint32_t mask;
    uint8_t shift;
    bool fixed;
};

// The register set in element order, as the sensor's registers are laid out.
constexpr ElementDefinition elementTable[TSSICom::ParameterStruct::Count] = {
    {&P::Resolution, "Resolution", "AA", "AN", 0xFFFFFFFF, 0, false},
    {&P::Filter, "Filter", "DA", "DN", 0xC00000, 22, false},
    {&P::SlowAvarageFilter, "SlowAvarageFilter", "DA", "DN", 0x200000, 21, false},
    {&P::Mode, "Mode", "DA", "DN", 0xC0000, 18, false},
    {&P::OutputCode, "OutputCode", "DA", "DN", 0x20000, 17, false},
    {&P::Direction, "Direction", "DA", "DN", 0x10000, 16, false},
    {&P::IndicationCounter, "IndicationCounter", "DA", "DN", 0xFF00, 8, false},
    {&P::BitWidth, "BitWidth", "DA", "DN", 0xFF, 0, false},
    {&P::MagnetCount, "MagnetCount", "KA", "KN", 0xFF, 0, false},
    {&P::PosDifVel, "PosDifVel", "KA", "KN", 0xFF00, 8, false},
    {&P::FrameOptions, "FrameOptions", "KA", "KN", 0xFF0000, 16, false},
    {&P::Length, "Length", "LA", "LN", 0xFFFF, 0, true},
    {&P::Offset, "Offset", "NA", "NN", 0xFFFFFFFF, 0, false},
    {&P::ErrorValue, "ErrorValue", "PA", "PN", 0xFFFFFFFF, 0, false},
    {&P::PowerfailTime, "PowerfailTime", "RA", "RN", 0xFF, 0, false},
    {&P::ProcessOptions, "ProcessOptions", "RA", "RN", 0xFF00, 8, false},
    {&P::SSISampleTime, "SSISampleTime", "RA", "RN", 0xFFFF0000, 16, true},
    {&P::Model, "Model", "LA", "LN", 0xFF0000, 16, true},
    {&P::Chargepump, "Chargepump", "JA", "JN", 0xFF, 0, true},
    {&P::SyncTiming, "SyncTiming", "MA", "MN", 0xFFFF00, 8, true},
    {&P::JitterWindow, "JitterWindow", "MA", "MN", 0xFF, 0, false},
    {&P::MonoflopTime, "MonoflopTime", "OA", "ON", 0xFF, 0, false},
    {&P::Scale, "Scale", "SA", "SN", 0xFFFFFF, 0, false},
    {&P::CycleTime, "CycleTime", "ZA", "ZN", 0xFFFF00, 8, true},
    {&P::UARTCounter, "UARTCounter", "ZA", "ZN", 0xFF, 0, true},
    {&P::FirmwareVersion, "FirmwareVersion", "VA", "", 0xFFFFFF, 0, true},
    {&P::SecErrorValue, "SecErrorValue", "YA", "YN", 0xFFFFFFFF, 28, true},
    {&P::SyncStart, "SyncStart", "DA", "DN", 0x100000, 20, false},
    {&P::FactoryNumber, "FactoryNumber", "FA", "FN", 0xFFFFFFFF, 0, true},
    {&P::UltrasonicSpeed, "UltrasonicSpeed", "UA", "UN", 0xFFFFFF, 0, true},
    {&P::OperatingTime, "OperatingTime", "TA", "TN", 0xFFFFFFFF, 0, false},
    {&P::StartPoint, "StartPoint", "YA", "YN", 0xFFFFFFFF, 0, true},
    {&P::EndPoint, "EndPoint", "YA", "YN", 0xFFFFFFFF, 0, true},
    {&P::LinValue, "LinValue", "XA", "XN", 0xFF, 0, false},
    {&P::LinAddress, "LinAddress", "", "", 0x1FF00, 8, false},
    {&P::LinStartValue, "LinStartValue", "XA01F600", "XN33", 0xFFFFFFFF, 0, false},
    {&P::Blanking, "Blanking", "WA", "WN", 0xFFFFFFFF, 0, false},
    {&P::InitDelay, "InitDelay", "iA", "iN", 0xFFFFFFFF, 0, false},
};

}  // namespace

TSSICom::DataElement& TSSICom::ParameterStruct::operator[](int index) { return this->*elementTable[index].member; }

const TSSICom::DataElement& TSSICom::ParameterStruct::operator[](int index) const
{
    return this->*elementTable[index].member;
}

std::string_view TSSICom::ElementName(int index) { return elementTable[index].name; }

int TSSICom::ElementIndex(std::string_view name)
{
    for (int index = 0; index < ParameterStruct::Count; ++index)
        if (name == elementTable[index].name)
            return index;
    return -1;
}

TSSICom::TSSICom() { InitElements(); }

void TSSICom::InitElements()
{
    for (const ElementDefinition& definition : elementTable) {
        DataElement& element = Parameter.*definition.member;
        element = DataElement{};
        element.ReadCommand = definition.readCommand;
        element.WriteCommand = definition.writeCommand;
        element.Mask = definition.mask;
        element.Shift = definition.shift;
        element.Fixed = definition.fixed ? 1 : 0;
    }
}

void TSSICom::LoadDemoDefaults()
{
    ParameterStruct& p = Parameter;
    p.Resolution.Value = 5;
    p.Filter.Value = 0;
    p.Mode.Value = 0;
    p.OutputCode.Value = 1;
    p.Direction.Value = 0;
    p.IndicationCounter.Value = 1;
    p.BitWidth.Value = 25;
    p.FactoryNumber.Reply = "12345678";
    p.Chargepump.Value = 1;
    p.MagnetCount.Value = 1;
    p.PosDifVel.Value = 0;
    p.FrameOptions.Value = 0;
    p.Length.Value = 500;
    p.Model.Value = ModelValue('K', 'H');
    p.SyncTiming.Value = 956;
    p.JitterWindow.Value = 50;
    p.Offset.Value = 0;
    p.MonoflopTime.Value = 32;
    p.ErrorValue.Value = 0;
    p.Scale.Value = 284359;
    p.UltrasonicSpeed.Value = 277695;
    p.FirmwareVersion.Value = 3960105;
    p.FirmwareVersion.Reply = "3C6D28";
    p.CycleTime.Value = 1667;
    p.UARTCounter.Value = 50;
    p.PowerfailTime.Value = 1;
    p.StartPoint.Value = 0;
    p.EndPoint.Value = 0x1FFFFFF;
}

int32_t TSSICom::Family() const { return FirmwareFamily(Parameter.FirmwareVersion.Value); }

// Only the newer firmware of family 39606 has the blanking (W) and initial delay (i) registers.
bool TSSICom::HasBlankingRegisters() const { return Family() == 39606 && Parameter.FirmwareVersion.Value > 3960609; }

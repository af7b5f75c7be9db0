#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "sensor_link.h"

// How the value of an element is given and shown.
enum class ValueForm {
    Field,         // a field of a hexadecimal register: 0 to Mask >> Shift
    Decimal,       // decimal digits on the wire, as many as the field width
    Signed24,      // 24-bit two's complement
    Word,          // a whole 32-bit register, signed or unsigned
    Switch,        // 0 or 1, sent as a selector
    LengthCode,    // mm, digit for digit up to 9999 and in steps of 50 above
    ModelLetters,  // two letters, Value = first letter * 256 + second letter
    FactoryText,   // up to 8 letters or digits, held in Reply
    RangePoint,    // taught with the magnet in place, never given as a value
};

// What the program knows of one element of the register set.
struct ElementDefinition {
    TSSICom::DataElement TSSICom::ParameterStruct::*member;
    std::string_view name;
    std::string_view readCommand;
    std::string_view writeCommand;
    uint32_t mask;
    uint8_t shift;
    bool fixed;
    // Characters of the reply including CR; 0 for an element no query of its own answers.
    uint32_t replyLength;
    // Characters its write sends after the write command; 0 when it sends none.
    int fieldWidth;
    // Register R answers with two hexadecimal digits more on firmware family 39606.
    bool longerOnFamily39606;
    ValueForm form;
    // The read that brings the element's value in; the write that sends it, null where
    // the element cannot be set to a value.
    bool (TSSICom::*read)();
    bool (TSSICom::*write)();
    // False where the write counts as done once the command is sent.
    bool writeReadsBack;
};

namespace element_rows {

using P = TSSICom::ParameterStruct;
using T = TSSICom;
using F = ValueForm;

// One row: member, name, read and write command, mask, shift, fixed, reply length,
// field width, register R's length rule, form, read, write, write read back.
// clang-format off
inline constexpr std::array<ElementDefinition, TSSICom::ParameterStruct::Count> kElements{{
    {&P::Resolution, "Resolution", "AA", "AN", 0xFFFFFFFF, 0, false, 9, 8, false, F::Decimal, &T::ReadResolution, &T::WriteResolution, true},
    {&P::Filter, "Filter", "DA", "DN", 0xC00000, 22, false, 7, 6, false, F::Field, &T::ReadFilter, &T::WriteFilter, true},
    {&P::SlowAvarageFilter, "SlowAvarageFilter", "DA", "DN", 0x200000, 21, false, 7, 6, false, F::Field, &T::ReadSlowAvarageFilter, &T::WriteSlowAvarageFilter, true},
    {&P::Mode, "Mode", "DA", "DN", 0xC0000, 18, false, 7, 6, false, F::Field, &T::ReadMode, &T::WriteMode, true},
    {&P::OutputCode, "OutputCode", "DA", "DN", 0x20000, 17, false, 7, 6, false, F::Field, &T::ReadOutputCode, &T::WriteOutputCode, true},
    {&P::Direction, "Direction", "DA", "DN", 0x10000, 16, false, 7, 6, false, F::Field, &T::ReadDirection, &T::WriteDirection, true},
    {&P::IndicationCounter, "IndicationCounter", "DA", "DN", 0xFF00, 8, false, 7, 6, false, F::Field, &T::ReadIndicationCounter, &T::WriteIndicationCounter, true},
    {&P::BitWidth, "BitWidth", "DA", "DN", 0xFF, 0, false, 7, 6, false, F::Field, &T::ReadBitWidth, &T::WriteBitWidth, true},
    {&P::MagnetCount, "MagnetCount", "KA", "KN", 0xFF, 0, false, 7, 6, false, F::Field, &T::ReadMagnetCount, &T::WriteMagnetCount, true},
    {&P::PosDifVel, "PosDifVel", "KA", "KN", 0xFF00, 8, false, 7, 6, false, F::Field, &T::ReadPosDifVel, &T::WritePosDifVel, true},
    {&P::FrameOptions, "FrameOptions", "KA", "KN", 0xFF0000, 16, false, 7, 6, false, F::Field, &T::ReadFrameOptions, &T::WriteFrameOptions, true},
    {&P::Length, "Length", "LA", "LN", 0xFFFF, 0, true, 7, 6, false, F::LengthCode, &T::ReadLength, &T::WriteLength, true},
    {&P::Offset, "Offset", "NA", "NN", 0xFFFFFFFF, 0, false, 7, 6, false, F::Signed24, &T::ReadOffset, &T::WriteOffset, true},
    {&P::ErrorValue, "ErrorValue", "PA", "PN", 0xFFFFFFFF, 0, false, 9, 8, false, F::Word, &T::ReadErrorValue, &T::WriteErrorValue, true},
    {&P::PowerfailTime, "PowerfailTime", "RA", "RN", 0xFF, 0, false, 7, 6, true, F::Field, &T::ReadPowerfailTime, &T::WritePowerfailTime, true},
    {&P::ProcessOptions, "ProcessOptions", "RA", "RN", 0xFF00, 8, false, 9, 8, false, F::Field, &T::ReadProcessOptions, &T::WriteProcessOptions, true},
    {&P::SSISampleTime, "SSISampleTime", "RA", "RN", 0xFFFF0000, 16, true, 9, 0, false, F::Field, &T::ReadProcessOptions, nullptr, false},
    {&P::Model, "Model", "LA", "LN", 0xFF0000, 16, true, 7, 6, false, F::ModelLetters, &T::ReadModel, &T::WriteModel, false},
    {&P::Chargepump, "Chargepump", "JA", "JN", 0xFF, 0, true, 7, 6, false, F::Field, &T::ReadChargepump, &T::WriteChargepump, true},
    {&P::SyncTiming, "SyncTiming", "MA", "MN", 0xFFFF00, 8, true, 7, 6, false, F::Field, &T::ReadSyncTiming, &T::WriteSyncTiming, true},
    {&P::JitterWindow, "JitterWindow", "MA", "MN", 0xFF, 0, false, 7, 6, false, F::Field, &T::ReadJitterWindow, &T::WriteJitterWindow, true},
    {&P::MonoflopTime, "MonoflopTime", "OA", "ON", 0xFF, 0, false, 7, 6, false, F::Field, &T::ReadMonoflopTime, &T::WriteMonoflopTime, true},
    {&P::Scale, "Scale", "SA", "SN", 0xFFFFFF, 0, false, 7, 6, false, F::Field, &T::ReadScale, &T::WriteScale, true},
    {&P::CycleTime, "CycleTime", "ZA", "ZN", 0xFFFF00, 8, true, 7, 6, false, F::Field, &T::ReadCycleTime, &T::WriteCycleTime, true},
    {&P::UARTCounter, "UARTCounter", "ZA", "ZN", 0xFF, 0, true, 7, 6, false, F::Field, &T::ReadUARTCounter, &T::WriteUARTCounter, true},
    {&P::FirmwareVersion, "FirmwareVersion", "VA", "", 0xFFFFFF, 0, true, 7, 0, false, F::Field, &T::ReadFirmwareVersion, nullptr, false},
    {&P::SecErrorValue, "SecErrorValue", "YA", "YN", 0xFFFFFFFF, 28, true, 3, 8, false, F::Switch, &T::ReadSecErrorValue, &T::WriteSecErrorValue, true},
    {&P::SyncStart, "SyncStart", "DA", "DN", 0x100000, 20, false, 7, 6, false, F::Field, &T::ReadSyncStart, &T::WriteSyncStart, true},
    {&P::FactoryNumber, "FactoryNumber", "FA", "FN", 0xFFFFFFFF, 0, true, 9, 8, false, F::FactoryText, &T::ReadFactoryNumber, &T::WriteFactoryNumber, true},
    {&P::UltrasonicSpeed, "UltrasonicSpeed", "UA", "UN", 0xFFFFFF, 0, true, 7, 6, false, F::Decimal, &T::ReadUltrasonicSpeed, &T::WriteUltrasonicSpeed, true},
    {&P::OperatingTime, "OperatingTime", "TA", "TN", 0xFFFFFFFF, 0, false, 9, 0, false, F::Field, &T::ReadOperatingTime, nullptr, false},
    {&P::StartPoint, "StartPoint", "YA", "YN", 0xFFFFFFFF, 0, true, 9, 8, false, F::RangePoint, &T::ReadStartPoint, nullptr, false},
    {&P::EndPoint, "EndPoint", "YA", "YN", 0xFFFFFFFF, 0, true, 9, 8, false, F::RangePoint, &T::ReadEndPoint, nullptr, false},
    {&P::LinValue, "LinValue", "XA", "XN", 0xFF, 0, false, 7, 8, false, F::Field, &T::ReadLinValueOfFirstAddress, &T::WriteLinValueOfFirstAddress, true},
    {&P::LinAddress, "LinAddress", "", "", 0x1FF00, 8, false, 0, 0, false, F::Field, &T::ReadLinValueOfFirstAddress, nullptr, false},
    {&P::LinStartValue, "LinStartValue", "XA01F600", "XN33", 0xFFFFFFFF, 0, false, 7, 6, false, F::Signed24, &T::ReadLinStartValue, &T::WriteLinStartValue, true},
    {&P::Blanking, "Blanking", "WA", "WN", 0xFFFFFFFF, 0, false, 9, 8, false, F::Field, &T::ReadBlanking, &T::WriteBlanking, true},
    {&P::InitDelay, "InitDelay", "iA", "iN", 0xFFFFFFFF, 0, false, 9, 8, false, F::Field, &T::ReadInitDelay, &T::WriteInitDelay, true},
}};
// clang-format on

}  // namespace element_rows

// The register set in element order, as the sensor's registers are laid out.
inline constexpr const auto& kElementTable = element_rows::kElements;

// The index of an element that the program names in its own code: a misspelt name does
// not compile.
consteval int KnownElement(std::string_view name)
{
    for (int index = 0; index < TSSICom::ParameterStruct::Count; ++index)
        if (kElementTable[static_cast<size_t>(index)].name == name)
            return index;
    throw "no element of that name";
}

const ElementDefinition& DefinitionOf(int index);
// The definition of an element of the link's set, found by the element's place in it.
const ElementDefinition& DefinitionOf(const TSSICom& link, const TSSICom::DataElement& element);

// Reply length and write payload width on the link's firmware.
uint32_t ReplyLength(const TSSICom& link, const TSSICom::DataElement& element);
int FieldWidth(const TSSICom& link, const TSSICom::DataElement& element);

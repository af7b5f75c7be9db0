#include <stdexcept>

#include "element_table.h"
#include "sensor_link.h"
#include "wire_format.h"

namespace {

// Register R of family 39606 holds eight hexadecimal digits instead of six.
int LongRegisterDigits(const TSSICom& link, const ElementDefinition& definition)
{
    return definition.longerOnFamily39606 && link.Family() == 39606 ? 2 : 0;
}

}  // namespace

TSSICom::DataElement& TSSICom::ParameterStruct::operator[](int index) { return this->*DefinitionOf(index).member; }

const TSSICom::DataElement& TSSICom::ParameterStruct::operator[](int index) const
{
    return this->*DefinitionOf(index).member;
}

std::string_view TSSICom::ElementName(int index) { return DefinitionOf(index).name; }

int TSSICom::ElementIndex(std::string_view name)
{
    for (int index = 0; index < ParameterStruct::Count; ++index)
        if (name == DefinitionOf(index).name)
            return index;
    return -1;
}

const ElementDefinition& DefinitionOf(int index) { return kElementTable[static_cast<size_t>(index)]; }

const ElementDefinition& DefinitionOf(const TSSICom& link, const TSSICom::DataElement& element)
{
    for (const ElementDefinition& definition : kElementTable)
        if (&(link.Parameter.*definition.member) == &element)
            return definition;
    throw std::invalid_argument("not an element of the link's register set");
}

uint32_t ReplyLength(const TSSICom& link, const TSSICom::DataElement& element)
{
    const ElementDefinition& definition = DefinitionOf(link, element);
    return definition.replyLength + static_cast<uint32_t>(LongRegisterDigits(link, definition));
}

int FieldWidth(const TSSICom& link, const TSSICom::DataElement& element)
{
    const ElementDefinition& definition = DefinitionOf(link, element);
    return definition.fieldWidth + LongRegisterDigits(link, definition);
}

TSSICom::TSSICom() { InitElements(); }

void TSSICom::InitElements()
{
    for (const ElementDefinition& definition : kElementTable) {
        DataElement& element = Parameter.*definition.member;
        element = DataElement{};
        element.ReadCommand = std::string(definition.readCommand);
        element.WriteCommand = std::string(definition.writeCommand);
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

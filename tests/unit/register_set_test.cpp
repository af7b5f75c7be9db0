#include <cstring>

#include <gtest/gtest.h>

#include "element_table.h"
#include "sensor_link.h"
#include "wire_format.h"

TEST(RegisterSet, InitElementsSetsTheTableAndClearsEverythingElse)
{
    TSSICom link;
    link.Parameter.Filter.Value = 3;
    link.Parameter.Filter.Valid = 1;
    link.Parameter.Filter.Changed = 1;
    link.Parameter.Filter.Reply = "C00000";
    link.LinTable[5] = 9;
    link.InitElements();

    int fixedCount = 0;
    for (int index = 0; index < TSSICom::ParameterStruct::Count; ++index) {
        const TSSICom::DataElement& element = link.Parameter[index];
        EXPECT_EQ(element.Value, 0);
        EXPECT_EQ(element.Valid, 0);
        EXPECT_EQ(element.Changed, 0);
        EXPECT_TRUE(element.Reply.empty());
        fixedCount += element.Fixed;
    }
    EXPECT_EQ(fixedCount, 13);
    EXPECT_EQ(link.LinTable[5], 9);

    const TSSICom::DataElement& filter = link.Parameter.Filter;
    EXPECT_EQ(filter.ReadCommand, "DA");
    EXPECT_EQ(filter.WriteCommand, "DN");
    EXPECT_EQ(filter.Mask, 0xC00000u);
    EXPECT_EQ(filter.Shift, 22);
    EXPECT_TRUE(link.Parameter[34].ReadCommand.empty());
    EXPECT_TRUE(link.Parameter[34].WriteCommand.empty());
    EXPECT_TRUE(link.Parameter.FirmwareVersion.WriteCommand.empty());
    EXPECT_EQ(link.Parameter.LinStartValue.ReadCommand, "XA01F600");
    EXPECT_EQ(link.Parameter.InitDelay.ReadCommand, "iA");
}

TEST(RegisterSet, IndexAndNamesFollowTheElementOrder)
{
    TSSICom link;
    EXPECT_EQ(&link.Parameter[0], &link.Parameter.Resolution);
    EXPECT_EQ(&link.Parameter[28], &link.Parameter.FactoryNumber);
    EXPECT_EQ(&link.Parameter[37], &link.Parameter.InitDelay);
    for (int index = 0; index < TSSICom::ParameterStruct::Count; ++index)
        EXPECT_EQ(TSSICom::ElementIndex(TSSICom::ElementName(index)), index);
    EXPECT_EQ(TSSICom::ElementName(2), "SlowAvarageFilter");
    EXPECT_EQ(TSSICom::ElementIndex("filter"), -1);
}

// Every row names an element of its own and a read that brings its value in; the
// command line and the whole-set transfer take both from the row.
TEST(RegisterSet, EveryRowOfTheElementTableHasItsOwnElementAndARead)
{
    TSSICom link;
    for (int index = 0; index < TSSICom::ParameterStruct::Count; ++index) {
        const ElementDefinition& definition = DefinitionOf(index);
        EXPECT_EQ(&DefinitionOf(link, link.Parameter[index]), &definition) << definition.name;
        EXPECT_NE(definition.read, nullptr) << definition.name;
    }
}

TEST(RegisterSet, DemoDefaults)
{
    TSSICom link;
    link.Parameter.Filter.Valid = 1;
    link.LoadDemoDefaults();
    const TSSICom::ParameterStruct& p = link.Parameter;
    EXPECT_EQ(p.EndPoint.Value, 0x1FFFFFF);
    EXPECT_EQ(p.FirmwareVersion.Value, 3960105);
    EXPECT_EQ(p.FirmwareVersion.Reply, "3C6D28");
    EXPECT_EQ(link.Family(), 39601);
    EXPECT_EQ(p.FactoryNumber.Reply, "12345678");
    EXPECT_EQ(p.FactoryNumber.Value, 0);
    EXPECT_EQ(ModelLetters(p.Model.Value), "KH");
    EXPECT_EQ(p.BitWidth.Value, 25);
    EXPECT_EQ(p.Scale.Value, 284359);
    EXPECT_EQ(p.Filter.Valid, 1);
}

TEST(RegisterSet, ModelValueReadAsLittleEndianTextIsReversed)
{
    const int32_t value = ModelValue('W', 'B');
    char text[5] = {};
    std::memcpy(text, &value, sizeof value);
    EXPECT_STREQ(text, "BW");
}

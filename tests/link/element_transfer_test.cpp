#include <algorithm>

#include "element_table.h"
#include "sensor_fixture.h"

using Commands = std::vector<std::string>;

TEST_F(SensorLink, FieldWriteKeepsTheOtherFieldsOfTheRegister)
{
    host->SetRegister('D', "000519");
    link.Parameter.Filter.Value = 2;
    EXPECT_TRUE(link.WriteFilter());
    EXPECT_EQ(Sent(), (Commands{"DA", "DN800519", "DA"}));
    EXPECT_EQ(Register('D'), "800519");
    EXPECT_EQ(link.Parameter.Filter.Value, 2);
    EXPECT_EQ(link.Parameter.Filter.Valid, 1);
}

TEST_F(SensorLink, WritesSendTheirRegisterFormat)
{
    struct Case {
        const char* name;
        std::function<bool(TSSICom&)> write;
        std::string command;
        char registerLetter;
        std::string registerAfter;
    };
    const std::vector<Case> cases = {
        {"negative offset",
            [](TSSICom& l) {
                l.Parameter.Offset.Value = -5;
                return l.WriteOffset();
            },
            "NNFFFFFB", 'N', "FFFFFB"},
        {"resolution",
            [](TSSICom& l) {
                l.Parameter.Resolution.Value = 5;
                return l.WriteResolution();
            },
            "AN00000005", 'A', "00000005"},
        {"length",
            [](TSSICom& l) {
                l.Parameter.Length.Value = 500;
                return l.WriteLength();
            },
            "LNKH0500", 'L', "KH0500"},
        {"long length",
            [](TSSICom& l) {
                l.Parameter.Length.Value = 12350;
                return l.WriteLength();
            },
            "LNKH123C", 'L', "KH123C"},
        {"long length in hundreds",
            [](TSSICom& l) {
                l.Parameter.Length.Value = 12300;
                return l.WriteLength();
            },
            "LNKH123F", 'L', "KH123F"},
        {"error value",
            [](TSSICom& l) {
                l.Parameter.ErrorValue.Value = -1;
                return l.WriteErrorValue();
            },
            "PNFFFFFFFF", 'P', "FFFFFFFF"},
        {"ultrasonic speed",
            [](TSSICom& l) {
                l.Parameter.UltrasonicSpeed.Value = 2800;
                return l.WriteUltrasonicSpeed();
            },
            "UN002800", 'U', "002800"},
        {"powerfail time, six digits",
            [](TSSICom& l) {
                l.Parameter.PowerfailTime.Value = 7;
                return l.WritePowerfailTime();
            },
            "RN000007", 'R', "000007"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host->SetRegister('L', "KH0250");
        host->SetRegister('R', "000001");
        host->ClearLog();
        EXPECT_TRUE(c.write(link));
        const Commands sent = Sent();
        ASSERT_EQ(sent.size(), 3u);
        EXPECT_EQ(sent[1], c.command);
        EXPECT_EQ(Register(c.registerLetter), c.registerAfter);
    }
    EXPECT_EQ(link.Parameter.Offset.Value, -5);
}

TEST_F(SensorLink, FactoryNumberIsPaddedAndUpperCasedWithoutAReadFirst)
{
    link.Parameter.FactoryNumber.Reply = "ab12";
    EXPECT_TRUE(link.WriteFactoryNumber());
    EXPECT_EQ(Sent(), (Commands{"FN0000AB12", "FA"}));
    EXPECT_EQ(link.Parameter.FactoryNumber.Reply, "0000AB12");
    EXPECT_EQ(link.Parameter.FactoryNumber.Valid, 1);
}

TEST_F(SensorLink, ModelWriteKeepsTheLengthAndIsNotReadBack)
{
    host->SetRegister('L', "KH0750");
    link.Parameter.Model.Value = 'W' * 256 + 'B';
    EXPECT_TRUE(link.WriteModel());
    ASSERT_TRUE(host->WaitForLines(2, std::chrono::seconds(1)));
    EXPECT_EQ(Sent(), (Commands{"LA", "LNWB0750"}));
    EXPECT_EQ(link.Parameter.Model.Valid, 1);
}

TEST_F(SensorLink, WriteThatDoesNotReadBackFailsAfterFiveAttempts)
{
    host->SetFaults({.unanswered = {"DA"}, .commandsBeforeDeath = 1});
    link.Parameter.BitWidth.Value = 24;
    EXPECT_FALSE(link.WriteBitWidth());
    EXPECT_EQ(link.Parameter.BitWidth.Valid, 0);
    const std::vector<uint32_t> waits = clock.Waits();
    EXPECT_EQ(std::count(waits.begin(), waits.end(), 50u), 5);
}

TEST_F(SensorLink, EveryAttemptWritesTheValueRequestedAtTheStart)
{
    // The sensor ignores the first write, so the read-back shows the old field.
    host->SetRegister('D', "000519");
    host->SetFaults({.unanswered = {"DN"}});
    link.Parameter.BitWidth.Value = 24;
    EXPECT_FALSE(link.WriteBitWidth());
    const Commands sent = Sent();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "DN000518"), 5);
    EXPECT_EQ(link.Parameter.BitWidth.Value, 0x19);
}

TEST_F(SensorLink, RegisterRIsLongOnlyOnFamily39606)
{
    host->SetRegister('R', "0032AB01");
    EXPECT_FALSE(link.ReadProcessOptions());  // a six-digit register on this firmware
    EXPECT_EQ(link.Parameter.ProcessOptions.Valid, 0);

    TearDown();
    Connect({.firmwareVersion = 3960610});
    ASSERT_TRUE(link.ReadFirmwareVersion());
    host->SetRegister('R', "0032AB01");
    ASSERT_TRUE(link.ReadPowerfailTime());
    ASSERT_TRUE(link.ReadProcessOptions());
    EXPECT_EQ(link.Parameter.PowerfailTime.Value, 1);
    EXPECT_EQ(link.Parameter.ProcessOptions.Value, 0xAB);
    EXPECT_EQ(link.Parameter.SSISampleTime.Value, 0x32);
    EXPECT_EQ(link.Parameter.SSISampleTime.Valid, 0);

    host->ClearLog();
    link.Parameter.ProcessOptions.Value = 0x05;
    EXPECT_TRUE(link.WriteProcessOptions());
    EXPECT_EQ(Sent()[1], "RN00320501");
}

TEST_F(SensorLink, EepromCommandsReachTheSensor)
{
    link.Parameter.Filter.Changed = 1;
    EXPECT_TRUE(link.CommitEeprom());
    EXPECT_TRUE(link.StoreEeprom());
    EXPECT_TRUE(link.RestoreFactory());
    ASSERT_TRUE(host->WaitForLines(3, std::chrono::seconds(1)));
    EXPECT_EQ(Sent(), (Commands{"CN", "EN", "QN"}));
    const sim::EventCounts counts = host->Counts();
    EXPECT_EQ(counts.commit, 1);
    EXPECT_EQ(counts.store, 1);
    EXPECT_EQ(counts.factoryRestore, 1);
    EXPECT_EQ(link.Parameter.Filter.Changed, 0);
}

TEST_F(SensorLink, EepromCommandThatCannotBeWrittenFailsAndKeepsTheEdits)
{
    link.Parameter.Filter.Changed = 1;
    host->Unplug();
    EXPECT_FALSE(link.CommitEeprom());
    EXPECT_FALSE(link.StoreEeprom());
    EXPECT_FALSE(link.RestoreFactory());
    EXPECT_EQ(link.Parameter.Filter.Changed, 1);
}

// A sensor with every register: a reply length of the element table that is wrong fails
// the read, a field width that is wrong shows in the command the write sends.
TEST_F(SensorLink, EveryElementTransfersWithTheLengthsOfTheElementTable)
{
    TearDown();
    Connect({.firmwareVersion = 3960610});
    ASSERT_TRUE(link.ReadFirmwareVersion());
    for (int index = 0; index < TSSICom::ParameterStruct::Count; ++index) {
        const ElementDefinition& element = DefinitionOf(index);
        EXPECT_TRUE((link.*element.read)()) << element.name;
        if (element.write == nullptr)
            continue;
        host->ClearLog();
        EXPECT_TRUE((link.*element.write)()) << element.name;
        EXPECT_TRUE((link.*element.read)()) << element.name;  // the write has arrived once this is answered
        const Commands sent = Sent();
        const auto write = std::find_if(sent.begin(), sent.end(),
            [&element](const std::string& command) { return command.starts_with(element.writeCommand); });
        ASSERT_NE(write, sent.end()) << element.name;
        EXPECT_EQ(
            write->size(), element.writeCommand.size() + static_cast<size_t>(FieldWidth(link, link.Parameter[index])))
            << element.name;
    }
}

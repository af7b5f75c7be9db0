#include "sensor_model.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>

namespace {

using sim::SensorModel;
using sim::SensorSettings;

SensorSettings WithFirmware(int32_t version)
{
    SensorSettings settings;
    settings.firmwareVersion = version;
    return settings;
}

struct QueryCase {
    int32_t firmware;
    const char* command;
    std::optional<std::string> reply;
};

void PrintTo(const QueryCase& query, std::ostream* out) { *out << query.firmware << ' ' << query.command; }

class Query : public testing::TestWithParam<QueryCase> { };

TEST_P(Query, AnswersWithTheRegistersLengthAndFormat)
{
    SensorModel sensor(WithFirmware(GetParam().firmware));
    EXPECT_EQ(sensor.HandleLine(GetParam().command), GetParam().reply);
}

INSTANTIATE_TEST_SUITE_P(DefaultSensor, Query,
    testing::Values(QueryCase{3960105, "AA", "00000005\r"}, QueryCase{3960105, "DA", "020119\r"},
        QueryCase{3960105, "KA", "000001\r"}, QueryCase{3960105, "LA", "KH0500\r"},
        QueryCase{3960105, "MA", "03BC32\r"}, QueryCase{3960105, "ZA", "068332\r"},
        QueryCase{3960105, "SA", "0456C7\r"}, QueryCase{3960105, "PA", "00000000\r"},
        QueryCase{3960105, "UA", "277695\r"}, QueryCase{3960105, "VA", "3C6D29\r"},
        QueryCase{3960105, "FA", "12345678\r"}, QueryCase{3960105, "TA", "00002A30\r"},
        QueryCase{3960105, "YA00000000", "00000000\r"}, QueryCase{3960105, "YA80000000", "01FFFFFF\r"},
        QueryCase{3960105, "YA30000000", "00\r"}, QueryCase{3960105, "XA00C800", "00C800\r"},
        QueryCase{3960105, "XA01F600", "000000\r"}));

INSTANTIATE_TEST_SUITE_P(FirmwareRules, Query,
    testing::Values(QueryCase{3960105, "RA", "000001\r"}, QueryCase{3960601, "RA", "00000001\r"},
        QueryCase{3960105, "WA", std::nullopt}, QueryCase{3960609, "WA", std::nullopt},
        QueryCase{3960609, "iA", std::nullopt}, QueryCase{3960610, "WA", "00000000\r"},
        QueryCase{3960610, "iA", "00000000\r"}, QueryCase{3960105, "WN00000005", std::nullopt}));

INSTANTIATE_TEST_SUITE_P(NotAnswered, Query,
    testing::Values(QueryCase{3960105, "", std::nullopt}, QueryCase{3960105, "PROG", std::nullopt},
        QueryCase{3960105, "D", std::nullopt}, QueryCase{3960105, "DA1", std::nullopt},
        QueryCase{3960105, "GA", std::nullopt}, QueryCase{3960105, "DX", std::nullopt},
        QueryCase{3960105, "YA12345678", std::nullopt}, QueryCase{3960105, "XA00C8", std::nullopt}));

struct WriteCase {
    const char* write;
    const char* query;
    const char* reply;
};

void PrintTo(const WriteCase& write, std::ostream* out) { *out << write.write; }

class Write : public testing::TestWithParam<WriteCase> { };

TEST_P(Write, IsSilentAndChangesWhatTheQueryAnswers)
{
    SensorModel sensor(SensorSettings{});
    EXPECT_EQ(sensor.HandleLine(GetParam().write), std::nullopt);
    EXPECT_EQ(sensor.HandleLine(GetParam().query), std::string(GetParam().reply) + '\r');
}

INSTANTIATE_TEST_SUITE_P(Registers, Write,
    testing::Values(WriteCase{"DN800519", "DA", "800519"}, WriteCase{"dN800519", "DA", "020119"},
        WriteCase{"NNFFFFFB", "NA", "FFFFFB"}, WriteCase{"PN8000000A", "PA", "8000000A"},
        WriteCase{"AN00000123", "AA", "00000123"}, WriteCase{"UN277700", "UA", "277700"},
        WriteCase{"LNKH123C", "LA", "KH123C"}, WriteCase{"LNWB0250", "LA", "WB0250"},
        WriteCase{"FN0000AB12", "FA", "0000AB12"}, WriteCase{"RN000A01", "RA", "000A01"},
        WriteCase{"XN00C8002A", "XA00C800", "00C82A"}, WriteCase{"XN01F50007", "XA01F500", "01F507"},
        WriteCase{"XN33FFFFFE", "XA01F600", "FFFFFE"}));

INSTANTIATE_TEST_SUITE_P(Ignored, Write,
    testing::Values(WriteCase{"VN123456", "VA", "3C6D29"}, WriteCase{"TN00000001", "TA", "00002A30"},
        WriteCase{"DN12G456", "DA", "020119"}, WriteCase{"DN", "DA", "020119"}, WriteCase{"LNKH05", "LA", "KH0500"},
        WriteCase{"AN12AB", "AA", "00000005"}, WriteCase{"XN0200002A", "XA00C800", "00C800"}));

TEST(RangePoints, AreTaughtAtTheMagnetAndDeleted)
{
    SensorModel sensor(SensorSettings{});
    sensor.SetMagnet(0x1234);
    EXPECT_EQ(sensor.HandleLine("YN00000000"), "06\r");
    EXPECT_EQ(sensor.HandleLine("YA00000000"), "00001234\r");
    sensor.SetMagnet(0x5678);
    EXPECT_EQ(sensor.HandleLine("YN80000000"), "06\r");
    EXPECT_EQ(sensor.HandleLine("YA80000000"), "00005678\r");

    EXPECT_EQ(sensor.HandleLine("YN40000000"), "06\r");
    EXPECT_EQ(sensor.HandleLine("YNC0000000"), "06\r");
    EXPECT_EQ(sensor.HandleLine("YA00000000"), "00000000\r");
    EXPECT_EQ(sensor.HandleLine("YA80000000"), "01FFFFFF\r");
}

TEST(RangePoints, WithoutMagnetASetFailsButADeleteSucceeds)
{
    SensorSettings settings;
    settings.startPoint = 0x100;
    settings.magnetPosition = std::nullopt;
    SensorModel sensor(settings);
    EXPECT_EQ(sensor.HandleLine("YN00000000"), "15\r");
    EXPECT_EQ(sensor.HandleLine("YN80000000"), "15\r");
    EXPECT_EQ(sensor.HandleLine("YA00000000"), "00000100\r");
    EXPECT_EQ(sensor.HandleLine("YN40000000"), "06\r");
}

TEST(RangePoints, SecondErrorValueSwitchesOnAndOff)
{
    SensorModel sensor(SensorSettings{});
    EXPECT_EQ(sensor.HandleLine("YN30000000"), "06\r");
    EXPECT_EQ(sensor.HandleLine("YA30000000"), "01\r");
    EXPECT_EQ(sensor.HandleLine("YN20000000"), "06\r");
    EXPECT_EQ(sensor.HandleLine("YA30000000"), "00\r");
}

TEST(Eeprom, StoreCopiesWorkingRegistersAndFactoryRestoresAll)
{
    SensorModel sensor(SensorSettings{});
    sensor.HandleLine("DN800519");
    EXPECT_EQ(sensor.Register('D', sim::Bank::Eeprom), "020119");
    sensor.HandleLine("CN");
    EXPECT_EQ(sensor.Register('D', sim::Bank::Eeprom), "800519");
    sensor.HandleLine("KN000002");
    sensor.HandleLine("EN");
    EXPECT_EQ(sensor.Register('K', sim::Bank::Eeprom), "000002");

    sensor.HandleLine("QN");
    EXPECT_EQ(sensor.Register('D'), "020119");
    EXPECT_EQ(sensor.Register('K', sim::Bank::Eeprom), "000001");
    EXPECT_EQ(sensor.Counts().commit, 1);
    EXPECT_EQ(sensor.Counts().store, 1);
    EXPECT_EQ(sensor.Counts().factoryRestore, 1);
}

TEST(Eeprom, PowerUpLosesWhatWasNotStored)
{
    SensorModel sensor(SensorSettings{});
    sensor.HandleLine("DN000519");
    sensor.HandleLine("CN");
    sensor.HandleLine("DN800519");
    sensor.PowerUp();
    EXPECT_EQ(sensor.HandleLine("DA"), "000519\r");
}

TEST(Modes, BootloaderIgnoresCommandsUntilWakeUpOrPortOpen)
{
    SensorModel sensor(SensorSettings{});
    EXPECT_EQ(sensor.HandleLine("BN"), std::nullopt);
    EXPECT_EQ(sensor.HandleLine(""), std::nullopt);
    EXPECT_EQ(sensor.Mode(), sim::SensorMode::Bootloader);
    EXPECT_EQ(sensor.HandleLine("DA"), std::nullopt);
    sensor.HandleLine("PROG");
    EXPECT_EQ(sensor.HandleLine("DA"), "020119\r");

    sensor.HandleLine("BN");
    sensor.PortOpened();
    EXPECT_EQ(sensor.Mode(), sim::SensorMode::Command);
    EXPECT_EQ(sensor.Counts().bootloader, 2);
    EXPECT_EQ(sensor.Counts().wakeUp, 1);
}

TEST(Modes, StoredStreamBitSwitchesToTheStreamAtThePortOpen)
{
    SensorModel sensor(SensorSettings{});
    sensor.HandleLine("DN060119");  // Mode bit 0
    sensor.PortOpened();
    EXPECT_EQ(sensor.Mode(), sim::SensorMode::Command) << "not stored yet";

    sensor.HandleLine("CN");
    sensor.PortOpened();
    EXPECT_EQ(sensor.Mode(), sim::SensorMode::Stream);
    EXPECT_EQ(sensor.HandleLine("DA"), std::nullopt);
    sensor.PortOpened();
    EXPECT_EQ(sensor.Mode(), sim::SensorMode::Command);

    sensor.PortOpened();
    sensor.HandleLine("PROG");
    EXPECT_EQ(sensor.Mode(), sim::SensorMode::Command);
    EXPECT_EQ(sensor.Counts().portOpens, 4);
}

struct DamageCase {
    sim::ReplyDamage damage;
    std::string reply;
};

void PrintTo(const DamageCase& damage, std::ostream* out) { *out << "damage " << static_cast<int>(damage.damage); }

class Damage : public testing::TestWithParam<DamageCase> { };

TEST_P(Damage, SpoilsEveryReply)
{
    SensorModel sensor(SensorSettings{});
    sensor.CurrentFaults().damage = GetParam().damage;
    EXPECT_EQ(sensor.HandleLine("DA"), GetParam().reply);
}

INSTANTIATE_TEST_SUITE_P(Faults, Damage,
    testing::Values(DamageCase{sim::ReplyDamage::NoFinalCr, "0201190"},
        DamageCase{sim::ReplyDamage::NulInside,
            std::string("\0"
                        "20119\r",
                7)},
        DamageCase{sim::ReplyDamage::Short, "020119"}));

TEST(Faults, UnansweredCommandsAreNeitherAnsweredNorCarriedOut)
{
    SensorModel sensor(SensorSettings{});
    sensor.CurrentFaults().unanswered = {"LA", "YN"};
    EXPECT_EQ(sensor.HandleLine("LA"), std::nullopt);
    EXPECT_EQ(sensor.HandleLine("YN30000000"), std::nullopt);
    EXPECT_EQ(sensor.HandleLine("YA30000000"), "00\r");
}

TEST(Faults, WrongLinearizationEchoAnswersTheNextAddress)
{
    SensorModel sensor(SensorSettings{});
    sensor.CurrentFaults().wrongLinAddressEcho = true;
    EXPECT_EQ(sensor.HandleLine("XA00C800"), "00C900\r");
}

TEST(Faults, OneInEveryKCountsOnlyCommandsHeardInCommandModeSinceTheFaultsWereSet)
{
    SensorModel sensor(SensorSettings{});
    sensor.HandleLine("DA");
    sensor.SetFaults({.unanswered = {""}, .hitEvery = 2});
    EXPECT_EQ(sensor.HandleLine("DN000519"), std::nullopt);
    sensor.HandleLine("PROG");
    sensor.HandleLine("DN800519");  // second: not heard, so not carried out
    sensor.HandleLine("BN");
    sensor.HandleLine("DA");  // the bootloader hears no command
    sensor.HandleLine("PROG");
    EXPECT_EQ(sensor.HandleLine("DA"), std::nullopt);
    EXPECT_EQ(sensor.HandleLine("DA"), "000519\r");
    EXPECT_EQ(sensor.Counts().bootloader, 1);
}

TEST(Faults, SensorDiesAfterTheGivenCommandsButStillCountsWakeUps)
{
    SensorModel sensor(SensorSettings{});
    sensor.CurrentFaults().commandsBeforeDeath = 2;
    EXPECT_EQ(sensor.HandleLine("DA"), "020119\r");
    sensor.HandleLine("DN000519");
    EXPECT_EQ(sensor.HandleLine("DA"), std::nullopt);
    sensor.HandleLine("DN800519");
    sensor.HandleLine("PROG");
    EXPECT_EQ(sensor.Register('D'), "000519");
    EXPECT_EQ(sensor.Counts().wakeUp, 1);

    sensor.CurrentFaults() = {};
    EXPECT_EQ(sensor.HandleLine("DA"), "000519\r");
}

TEST(Settings, ShapeTheSensor)
{
    SensorSettings settings;
    settings.firmwareVersion = 3960610;
    settings.model = "WB";
    settings.lengthMm = 12350;
    settings.factoryNumber = "42";
    settings.registers = {{'D', "000519"}, {'W', "00000010"}};
    settings.linBytes = {{200, 0x2A}};
    settings.linStartValue = -2;
    SensorModel sensor(settings);
    EXPECT_EQ(sensor.HandleLine("VA"), "3C6F22\r");
    EXPECT_EQ(sensor.HandleLine("LA"), "WB123C\r");
    EXPECT_EQ(sensor.HandleLine("FA"), "00000042\r");
    EXPECT_EQ(sensor.HandleLine("DA"), "000519\r");
    EXPECT_EQ(sensor.HandleLine("WA"), "00000010\r");
    EXPECT_EQ(sensor.HandleLine("XA00C800"), "00C82A\r");
    EXPECT_EQ(sensor.HandleLine("XA01F600"), "FFFFFE\r");
    EXPECT_EQ(sensor.Register('D', sim::Bank::Factory), "000519");
}

TEST(Settings, ThatNoSensorCouldHaveAreRefused)
{
    auto refused = [](void (*change)(SensorSettings&)) {
        SensorSettings settings;
        change(settings);
        EXPECT_THROW(SensorModel{settings}, std::invalid_argument);
    };
    refused([](SensorSettings& s) { s.firmwareVersion = -1; });
    refused([](SensorSettings& s) { s.model = std::string("K"); });
    refused([](SensorSettings& s) { s.lengthMm = 12345; });
    refused([](SensorSettings& s) { s.factoryNumber = "123456789"; });
    refused([](SensorSettings& s) { s.registers = {{'X', "000000"}}; });
    refused([](SensorSettings& s) { s.registers = {{'D', "GG"}}; });
    refused([](SensorSettings& s) { s.linBytes = {{512, 1}}; });
    refused([](SensorSettings& s) { s.linStartValue = 0x800000; });
}

}  // namespace

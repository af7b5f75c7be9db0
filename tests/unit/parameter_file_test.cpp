#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <filesystem>
#include <random>

#include <gtest/gtest.h>

#include "../support/read_only_folder.h"
#include "ansi_text.h"
#include "parameter_file.h"
#include "parameter_file_store.h"

namespace {

using Bytes = std::vector<uint8_t>;

const std::string kVersionLines = "QOR K-Serie SSI\nVersion: SSI-Tesmira 5.3.10\n\n";

TSSICom::ParameterStruct NumberedSet()
{
    TSSICom::ParameterStruct set;
    for (int index = 0; index < TSSICom::ParameterStruct::Count; ++index)
        set[index].Value = (index + 1) * 1000 + index;
    set.ErrorValue.Value = -2147483600;
    set.FirmwareVersion.Value = 3960607;
    set.FactoryNumber.Value = 12345678;
    return set;
}

void AppendU32(Bytes& bytes, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<uint8_t>(value >> shift));
}

// A plain image laid out by hand, rotated as a file stores it.
Bytes StoredImage(const std::string& text, uint32_t setSize = 912, int values = 30, uint32_t textLength = 0)
{
    Bytes plain;
    plain.reserve(14 + text.size() + 4 * static_cast<size_t>(values));
    AppendU32(plain, textLength ? textLength : static_cast<uint32_t>(text.size()));
    plain.insert(plain.end(), text.begin(), text.end());
    AppendU32(plain, 2020);
    plain.push_back(30);
    plain.push_back(4);
    AppendU32(plain, setSize);
    for (int index = 0; index < values; ++index)
        AppendU32(plain, static_cast<uint32_t>(index));
    RotateRight2(plain);
    return plain;
}

Bytes Plain(Bytes stored)
{
    RotateLeft2(stored);
    return stored;
}

ParameterFileContents Opened(Bytes image)
{
    auto opened = OpenParameterImage(std::move(image));
    EXPECT_TRUE(std::holds_alternative<ParameterFileContents>(opened));
    return std::get<ParameterFileContents>(opened);
}

}  // namespace

TEST(ParameterFileRotation, MovesEveryBitTwoPlacesAndBack)
{
    Bytes abc{0x61, 0x62, 0x63};
    RotateRight2(abc);
    EXPECT_EQ(abc, (Bytes{0xD8, 0x58, 0x98}));
    RotateLeft2(abc);
    EXPECT_EQ(abc, (Bytes{0x61, 0x62, 0x63}));

    Bytes single{0x61};
    RotateRight2(single);
    EXPECT_EQ(single, Bytes{0x58});

    std::mt19937 random(7);
    for (size_t length = 1; length <= 70; ++length) {
        Bytes bytes(length);
        for (uint8_t& byte : bytes)
            byte = static_cast<uint8_t>(random());
        Bytes rotated = bytes;
        RotateRight2(rotated);
        RotateLeft2(rotated);
        EXPECT_EQ(rotated, bytes) << length << " bytes";
    }
}

TEST(ParameterFileImage, IsLaidOutByteByByte)
{
    const TSSICom::ParameterStruct set = NumberedSet();
    const Bytes image = BuildParameterFile("Line 1\r\nLine 2", {2020, 4, 30}, set);
    const std::string text = kVersionLines + "Line 1\r\nLine 2";

    Bytes expected;
    AppendU32(expected, static_cast<uint32_t>(text.size()));
    expected.insert(expected.end(), text.begin(), text.end());
    AppendU32(expected, 2020);
    expected.push_back(30);  // day before month
    expected.push_back(4);
    AppendU32(expected, 912);
    for (int index = 0; index < 30; ++index)
        AppendU32(expected, static_cast<uint32_t>(set[index].Value));

    EXPECT_EQ(Plain(image), expected);
    EXPECT_EQ(image.size(), 134 + text.size());
}

TEST(ParameterFileImage, EmptyCommentGivesHeaderVersionAndAnEmptyLine)
{
    const Bytes image = BuildParameterFile("", {2026, 12, 1}, NumberedSet());
    const ParameterFileContents contents = Opened(image);
    EXPECT_EQ(contents.infoText.size(), 25 + std::string("SSI-Tesmira 5.3.10").size() + 2);
    EXPECT_EQ(contents.dateText, "2026-12-01");
    EXPECT_EQ(InfoTextLines(contents.infoText),
        (std::vector<std::string>{"QOR K-Serie SSI", "Version: SSI-Tesmira 5.3.10", ""}));
}

TEST(ParameterFileImage, RoundTripRestoresAllThirtyValuesAndNoMore)
{
    const TSSICom::ParameterStruct saved = NumberedSet();
    const ParameterFileContents contents = Opened(BuildParameterFile("x", {2020, 4, 30}, saved));

    TSSICom::ParameterStruct loaded;
    loaded.OperatingTime.Value = 77;
    loaded.Resolution.Changed = 1;
    loaded.FactoryNumber.Reply = "00BC614E";
    LoadStoredValues(contents, loaded);
    for (int index = 0; index < 30; ++index)
        EXPECT_EQ(loaded[index].Value, saved[index].Value) << TSSICom::ElementName(index);
    EXPECT_EQ(loaded.FirmwareVersion.Value, 3960607);
    EXPECT_EQ(loaded.FactoryNumber.Value, 12345678);
    EXPECT_EQ(loaded.OperatingTime.Value, 77);  // not stored: left as it was
    EXPECT_EQ(loaded.Resolution.Changed, 1);
    EXPECT_EQ(loaded.FactoryNumber.Reply, "00BC614E");
}

TEST(ParameterFileOpening, RejectsInTheOrderOfTheChecks)
{
    const std::string header = kVersionLines + "comment";
    Bytes tooBig(65536, 0);
    Bytes largestRead = StoredImage(header);
    largestRead.resize(65535, 0x55);  // bytes after the values are ignored
    Bytes truncatedText = StoredImage(header);
    truncatedText.resize(20);
    Bytes truncatedValues = StoredImage(header);
    truncatedValues.pop_back();
    Bytes foreignAndShort = StoredImage("Another program");
    foreignAndShort.resize(25);
    const struct {
        const char* what;
        Bytes image;
        std::optional<FileRejection> rejection;
    } cases[] = {
        {"65536 bytes", tooBig, FileRejection::TooBig},
        {"65535 bytes", largestRead, std::nullopt},
        {"empty", {}, FileRejection::ErrorInFile},
        {"three bytes", {1, 2, 3}, FileRejection::ErrorInFile},
        {"text length 65536", StoredImage(header, 912, 30, 65536), FileRejection::ErrorInFile},
        {"text length beyond the end", truncatedText, FileRejection::ErrorInFile},
        {"header in other case", StoredImage("QOR K-serie SSI\nVersion: x\n\n"), FileRejection::NotCompatible},
        {"text below 15 characters", StoredImage("QOR K-Serie"), FileRejection::NotCompatible},
        {"foreign header, layout short", foreignAndShort, FileRejection::NotCompatible},
        {"29 values", StoredImage(header, 888, 29), FileRejection::ErrorInFile},
        {"31 values", StoredImage(header, 936, 31), FileRejection::ErrorInFile},
        {"record size 0", StoredImage(header, 0, 30), FileRejection::ErrorInFile},
        {"record size 935 still gives 30", StoredImage(header, 935, 30), std::nullopt},
        {"last value cut", truncatedValues, FileRejection::ErrorInFile},
        {"version line not examined", StoredImage("QOR K-Serie SSIanything"), std::nullopt},
    };
    for (const auto& test : cases) {
        const auto opened = OpenParameterImage(test.image);
        if (test.rejection) {
            ASSERT_TRUE(std::holds_alternative<FileRejection>(opened)) << test.what;
            EXPECT_EQ(std::get<FileRejection>(opened), *test.rejection) << test.what;
        } else {
            EXPECT_TRUE(std::holds_alternative<ParameterFileContents>(opened)) << test.what;
        }
    }
}

TEST(ParameterFileOpening, DateTextHasTwoDigitMonthAndDay)
{
    EXPECT_EQ(SaveDateText(2020, 4, 30), "2020-04-30");
    EXPECT_EQ(SaveDateText(2026, 12, 1), "2026-12-01");
    EXPECT_EQ(SaveDateText(1999, 10, 10), "1999-10-10");
    EXPECT_EQ(SaveDateText(2020, -1, 0), "2020--1-00");  // signed bytes of a damaged file
}

TEST(ParameterFileText, CommentKeepsLineBreaksAsCrLfInTheAnsiCodePage)
{
    EXPECT_EQ(FileComment("a\nb\r\nc\rd"), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(FileComment("Länge 500 mm, 5 €"), "L\xE4nge 500 mm, 5 \x80");
    EXPECT_EQ(FileComment("µm ≤ 日"), "\xB5m ? ?");
    EXPECT_EQ(Utf8FromAnsi("\xE4\x80\x9F\xB5"), "ä€Ÿµ");
    EXPECT_EQ(AnsiFromUtf8("\xFF\xC3"), "??");  // malformed bytes
    EXPECT_EQ(InfoTextLines(kVersionLines + "Gr\xFC\xDF" + "e\r\n2. line\r\n"),
        (std::vector<std::string>{"QOR K-Serie SSI", "Version: SSI-Tesmira 5.3.10", "", "Grüße", "2. line"}));
}

TEST(ParameterFileLoading, SensorKeepsItsFirmwareAndSampleTimeAndSeesTheDifferences)
{
    TSSICom::ParameterStruct file = NumberedSet();
    TSSICom::ParameterStruct sensor = file;
    sensor.FirmwareVersion.Value = 3960405;
    sensor.SSISampleTime.Value = 7;
    sensor.Length.Value = 500;
    const ParameterFileContents contents = Opened(BuildParameterFile("", {2020, 4, 30}, file));

    EXPECT_EQ(DifferenceLines(sensor, contents),
        (std::vector<std::string>{
            "Length: 500 -> 12011", "SSISampleTime: 7 -> 17016", "FirmwareVersion: 3960405 -> 3960607"}));

    LoadIntoSensorSet(contents, sensor);
    EXPECT_EQ(sensor.Length.Value, 12011);
    EXPECT_EQ(sensor.FirmwareVersion.Value, 3960405);
    EXPECT_EQ(sensor.SSISampleTime.Value, 7);
}

TEST(ParameterFileStore, FailedSaveLeavesTheExistingFileAsItWas)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("Sensor.qor");
    const Bytes first = BuildParameterFile("first", {2020, 4, 30}, NumberedSet());
    ASSERT_TRUE(WriteParameterFile(path, first).isEmpty());
    {
        ReadOnlyFolder readOnly(folder.path().toStdString());
        EXPECT_FALSE(WriteParameterFile(path, BuildParameterFile("second", {2020, 4, 30}, {})).isEmpty());
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray kept = file.readAll();
    EXPECT_EQ(Bytes(kept.begin(), kept.end()), first);
}

TEST(ParameterFileStore, ReadsWhatItWroteAndRejectsBigFilesUnread)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("Sensor.qor");
    ASSERT_TRUE(WriteParameterFile(path, BuildParameterFile("", {2020, 4, 30}, NumberedSet())).isEmpty());
    const auto read = ReadParameterFile(path);
    ASSERT_TRUE(std::holds_alternative<ParameterFileContents>(read));
    EXPECT_EQ(std::get<ParameterFileContents>(read).values[25], 3960607);

    QFile big(folder.filePath("big.qor"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write(QByteArray(65536, 'x'));
    big.close();
    EXPECT_EQ(std::get<FileRejection>(ReadParameterFile(big.fileName())), FileRejection::TooBig);
    EXPECT_TRUE(std::holds_alternative<FileAccessError>(ReadParameterFile(folder.filePath("missing.qor"))));
}

TEST(ParameterFileStore, BackupsGoToTheSensorsFolderByLocalTime)
{
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    TSSICom::ParameterStruct set = NumberedSet();
    set.FactoryNumber.Reply = "0012/AB";
    const QDateTime now(QDate(2026, 12, 11), QTime(9, 5, 7));

    const Backup first = WriteBackup(set, "Backup before loading Sensor.qor", now);
    const Backup second = WriteBackup(set, "Backup before loading Sensor.qor", now);
    EXPECT_EQ(first.path, data.filePath("QOR/backups/0012_AB/2026-12-11 09-05-07.qor"));
    EXPECT_EQ(second.path, data.filePath("QOR/backups/0012_AB/2026-12-11 09-05-07 (2).qor"));
    const auto read = ReadParameterFile(first.path);
    ASSERT_TRUE(std::holds_alternative<ParameterFileContents>(read));
    EXPECT_EQ(InfoTextLines(std::get<ParameterFileContents>(read).infoText).back(), "Backup before loading Sensor.qor");
    EXPECT_EQ(std::get<ParameterFileContents>(read).dateText, "2026-12-11");

    {
        ReadOnlyFolder readOnly(data.path().toStdString() + "/QOR/backups");
        set.FactoryNumber.Reply = "99";
        const Backup failed = WriteBackup(set, "x", now);
        EXPECT_TRUE(failed.path.isEmpty());
        EXPECT_FALSE(failed.error.isEmpty());
    }
    qunsetenv("XDG_DATA_HOME");
}

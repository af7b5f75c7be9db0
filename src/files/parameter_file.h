#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "sensor_link.h"

// A parameter file (".qor"): a counted information text, the date of saving, the record
// size and the values of the first 30 elements of the parameter set, little-endian, the
// whole image rotated right by two bits. There is no checksum.
//
//   offset   size  field
//   0        4     text length L
//   4        L     information text: header line, version line, empty line, comment
//   4 + L    4     year of saving
//   8 + L    1     day of saving
//   9 + L    1     month of saving
//   10 + L   4     record size, 912 (38 elements of 24 bytes): 912 / 24 - 8 = 30 values
//   14 + L   120   the values of elements 0 to 29, signed

inline constexpr std::string_view FileHeaderText = "QOR K-Serie SSI";
inline constexpr uint32_t WrittenSetSize = 912;
inline constexpr int StoredValueCount = 30;
inline constexpr uint64_t MaxParameterFileSize = 65535;
// Counted as the file stores it: a line break takes two characters.
inline constexpr size_t MaxCommentLength = 512;

// The bit string of the buffer, byte 0 first and each byte's top bit first, rotated by two
// places; each undoes the other.
void RotateRight2(std::span<uint8_t> bytes);
void RotateLeft2(std::span<uint8_t> bytes);

struct SaveDate {
    uint32_t year = 0;
    uint8_t month = 0;
    uint8_t day = 0;
};

// The comment as the file keeps it: line breaks as CR LF, ANSI characters. utf8 is taken
// as typed; the caller keeps it within MaxCommentLength.
std::string FileComment(std::string_view utf8);

// The comment stays within MaxCommentLength as the file stores it.
bool CommentFits(std::string_view utf8);

// The stored image of the set, the comment given as FileComment makes it.
std::vector<uint8_t> BuildParameterFile(
    std::string_view fileComment, SaveDate date, const TSSICom::ParameterStruct& set);

// Why a file cannot be opened, in the order of the checks.
enum class FileRejection { TooBig, ErrorInFile, NotCompatible };

// A parameter file that passed the checks: what the confirmation shows, and the values.
struct ParameterFileContents {
    std::string infoText;  // ANSI, as stored
    std::string dateText;  // yyyy-mm-dd
    std::array<int32_t, StoredValueCount> values{};
};

// The first stage of opening. A file must hold the whole layout with exactly 30 values;
// anything shorter or with another record size is an error in the file.
std::variant<ParameterFileContents, FileRejection> OpenParameterImage(std::vector<uint8_t> image);

// The date as the confirmation shows it: year-month-day, month and day with two digits
// (read as signed bytes, so that a damaged file shows what it holds).
std::string SaveDateText(uint32_t year, int8_t month, int8_t day);

// The information text as lines, split at CR LF, LF or CR, in UTF-8; a break at the end
// opens no further line.
std::vector<std::string> InfoTextLines(std::string_view infoText);

// The second stage: the stored values replace the values of elements 0 to 29.
void LoadStoredValues(const ParameterFileContents& file, TSSICom::ParameterStruct& set);

// Loading into a sensor: the second stage, but the sensor keeps its own read-only firmware
// version and SSI sample time, which decide the commands it understands.
void LoadIntoSensorSet(const ParameterFileContents& file, TSSICom::ParameterStruct& set);

// A stored value that a load changes.
struct ValueDifference {
    int index;
    int32_t sensor;
    int32_t file;
};

std::vector<ValueDifference> StoredDifferences(
    const TSSICom::ParameterStruct& sensor, const ParameterFileContents& file);
// The same as lines "Name: sensor value -> file value".
std::vector<std::string> DifferenceLines(const TSSICom::ParameterStruct& sensor, const ParameterFileContents& file);

#include "parameter_file.h"

#include <optional>

#include "ansi_text.h"
#include "program_version.h"

namespace {

constexpr size_t TextLengthSize = 4;
constexpr size_t DateSize = 6;  // year, day, month
constexpr size_t SetSizeSize = 4;
constexpr size_t ValueSize = 4;
constexpr uint32_t TextLengthLimit = 65536;
constexpr uint32_t ElementRecordSize = 24;
constexpr uint32_t UnstoredElements = 8;

void AppendU32(std::vector<uint8_t>& image, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        image.push_back(static_cast<uint8_t>(value >> shift));
}

uint32_t U32At(std::span<const uint8_t> image, size_t offset)
{
    uint32_t value = 0;
    for (size_t index = 0; index < 4; ++index)
        value |= uint32_t{image[offset + index]} << (8 * index);
    return value;
}

// Where the fields after the information text begin.
struct Layout {
    size_t textLength;
    size_t dateOffset() const { return TextLengthSize + textLength; }
    size_t setSizeOffset() const { return dateOffset() + DateSize; }
    size_t valuesOffset() const { return setSizeOffset() + SetSizeSize; }
};

bool Holds(std::span<const uint8_t> image, size_t offset, size_t size) { return image.size() >= offset + size; }

std::optional<FileRejection> LayoutFault(std::span<const uint8_t> image, const Layout& layout)
{
    if (!Holds(image, layout.valuesOffset(), 0))
        return FileRejection::ErrorInFile;
    const uint32_t setSize = U32At(image, layout.setSizeOffset());
    const int64_t count = int64_t{setSize / ElementRecordSize} - UnstoredElements;
    if (count != StoredValueCount || !Holds(image, layout.valuesOffset(), StoredValueCount * ValueSize))
        return FileRejection::ErrorInFile;
    return std::nullopt;
}

}  // namespace

void RotateRight2(std::span<uint8_t> bytes)
{
    if (bytes.empty())
        return;
    uint8_t carry = 0;
    for (uint8_t& byte : bytes) {
        const uint8_t b = byte;
        byte = static_cast<uint8_t>((b >> 2) | carry);
        carry = static_cast<uint8_t>((b & 3) << 6);
    }
    bytes.front() |= carry;
}

void RotateLeft2(std::span<uint8_t> bytes)
{
    if (bytes.empty())
        return;
    uint8_t carry = 0;
    for (auto byte = bytes.rbegin(); byte != bytes.rend(); ++byte) {
        const uint8_t b = *byte;
        *byte = static_cast<uint8_t>((b << 2) | carry);
        carry = static_cast<uint8_t>(b >> 6);
    }
    bytes.back() |= carry;
}

std::string FileComment(std::string_view utf8)
{
    std::string withBreaks;
    for (size_t index = 0; index < utf8.size(); ++index) {
        const char character = utf8[index];
        if (character == '\r' || character == '\n') {
            withBreaks += "\r\n";
            if (character == '\r' && index + 1 < utf8.size() && utf8[index + 1] == '\n')
                ++index;
        } else {
            withBreaks += character;
        }
    }
    return AnsiFromUtf8(withBreaks);
}

bool CommentFits(std::string_view utf8) { return FileComment(utf8).size() <= MaxCommentLength; }

std::vector<uint8_t> BuildParameterFile(
    std::string_view fileComment, SaveDate date, const TSSICom::ParameterStruct& set)
{
    const std::string infoText
        = std::string(FileHeaderText) + "\nVersion: " + ProgramVersionText + "\n\n" + std::string(fileComment);
    std::vector<uint8_t> image;
    image.reserve(TextLengthSize + infoText.size() + DateSize + SetSizeSize + StoredValueCount * ValueSize);
    AppendU32(image, static_cast<uint32_t>(infoText.size()));
    image.insert(image.end(), infoText.begin(), infoText.end());
    AppendU32(image, date.year);
    image.push_back(date.day);
    image.push_back(date.month);
    AppendU32(image, WrittenSetSize);
    for (int index = 0; index < StoredValueCount; ++index)
        AppendU32(image, static_cast<uint32_t>(set[index].Value));
    RotateRight2(image);
    return image;
}

std::variant<ParameterFileContents, FileRejection> OpenParameterImage(std::vector<uint8_t> image)
{
    if (image.size() > MaxParameterFileSize)
        return FileRejection::TooBig;
    RotateLeft2(image);
    if (!Holds(image, 0, TextLengthSize))
        return FileRejection::ErrorInFile;
    const uint32_t textLength = U32At(image, 0);
    const Layout layout{textLength};
    if (textLength >= TextLengthLimit || !Holds(image, TextLengthSize, textLength))
        return FileRejection::ErrorInFile;
    ParameterFileContents contents;
    contents.infoText.assign(
        image.begin() + TextLengthSize, image.begin() + static_cast<ptrdiff_t>(layout.dateOffset()));
    if (!contents.infoText.starts_with(FileHeaderText))
        return FileRejection::NotCompatible;
    if (const std::optional<FileRejection> fault = LayoutFault(image, layout))
        return *fault;
    const size_t date = layout.dateOffset();
    contents.dateText
        = SaveDateText(U32At(image, date), static_cast<int8_t>(image[date + 5]), static_cast<int8_t>(image[date + 4]));
    for (size_t index = 0; index < contents.values.size(); ++index)
        contents.values[index] = static_cast<int32_t>(U32At(image, layout.valuesOffset() + index * ValueSize));
    return contents;
}

std::string SaveDateText(uint32_t year, int8_t month, int8_t day)
{
    const auto twoDigits = [](int8_t number) {
        const std::string digits = std::to_string(number);
        return digits.size() == 1 ? "0" + digits : digits;
    };
    return std::to_string(year) + "-" + twoDigits(month) + "-" + twoDigits(day);
}

std::vector<std::string> InfoTextLines(std::string_view infoText)
{
    std::vector<std::string> lines(1);
    for (size_t index = 0; index < infoText.size(); ++index) {
        const char character = infoText[index];
        if (character != '\r' && character != '\n') {
            lines.back() += character;
            continue;
        }
        if (character == '\r' && index + 1 < infoText.size() && infoText[index + 1] == '\n')
            ++index;
        lines.emplace_back();
    }
    // As a text's lines: a break at the very end closes the last line and opens none.
    if (lines.size() > 1 && lines.back().empty())
        lines.pop_back();
    for (std::string& line : lines)
        line = Utf8FromAnsi(line);
    return lines;
}

void LoadStoredValues(const ParameterFileContents& file, TSSICom::ParameterStruct& set)
{
    for (int index = 0; index < StoredValueCount; ++index)
        set[index].Value = file.values[static_cast<size_t>(index)];
}

void LoadIntoSensorSet(const ParameterFileContents& file, TSSICom::ParameterStruct& set)
{
    const int32_t firmwareVersion = set.FirmwareVersion.Value;
    const int32_t sampleTime = set.SSISampleTime.Value;
    LoadStoredValues(file, set);
    set.FirmwareVersion.Value = firmwareVersion;
    set.SSISampleTime.Value = sampleTime;
}

std::vector<ValueDifference> StoredDifferences(
    const TSSICom::ParameterStruct& sensor, const ParameterFileContents& file)
{
    std::vector<ValueDifference> differences;
    for (int index = 0; index < StoredValueCount; ++index) {
        const int32_t stored = file.values[static_cast<size_t>(index)];
        if (sensor[index].Value != stored)
            differences.push_back({index, sensor[index].Value, stored});
    }
    return differences;
}

std::vector<std::string> DifferenceLines(const TSSICom::ParameterStruct& sensor, const ParameterFileContents& file)
{
    std::vector<std::string> lines;
    for (const ValueDifference& difference : StoredDifferences(sensor, file))
        lines.push_back(std::string(TSSICom::ElementName(difference.index)) + ": " + std::to_string(difference.sensor)
            + " -> " + std::to_string(difference.file));
    return lines;
}

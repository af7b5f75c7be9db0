#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "arguments.h"
#include "cli_error.h"
#include "element_input.h"
#include "element_output.h"

namespace {

using cli::CliError;
using cli::ExitCode;

std::vector<std::string_view> Words(std::initializer_list<std::string_view> words)
{
    return std::vector<std::string_view>(words);
}

TEST(CliArguments, OptionsBeforeTheCommandAndArgumentsAfterIt)
{
    const cli::Options options = cli::ParseArguments(Words({"--json", "--port", "97", "set", "Offset", "-5"}));
    EXPECT_TRUE(options.json);
    EXPECT_EQ(options.port, 97);
    EXPECT_EQ(options.command, "set");
    EXPECT_EQ(options.arguments, (std::vector<std::string>{"Offset", "-5"}));

    const cli::Options device = cli::ParseArguments(Words({"--device", "/dev/pts/3", "read"}));
    EXPECT_EQ(device.device, "/dev/pts/3");
    EXPECT_FALSE(device.port);
}

TEST(CliArguments, MalformedCommandLinesAreBadUsage)
{
    const std::vector<std::vector<std::string_view>> cases = {
        {},
        {"--json"},
        {"--port"},
        {"--port", "256", "read"},
        {"--port", "-1", "read"},
        {"--port", "9x", "read"},
        {"--port", "1", "--device", "/dev/null", "read"},
        {"--port", "1", "--port", "2", "read"},
        {"--device", "", "read"},
        {"--verbose", "read"},
    };
    for (const auto& arguments : cases) {
        try {
            cli::ParseArguments(arguments);
            ADD_FAILURE() << "accepted: " << testing::PrintToString(arguments);
        } catch (const CliError& error) {
            EXPECT_EQ(error.code, ExitCode::BadInput);
            EXPECT_FALSE(error.message.empty());
        }
    }
}

struct InputCase {
    std::string_view name;
    std::string_view text;
    std::optional<int32_t> value;  // nullopt: refused
};

class CliElementInput : public testing::Test {
protected:
    TSSICom link_;
};

TEST_F(CliElementInput, ValuesMustFitTheElementsField)
{
    const InputCase cases[] = {
        {"Filter", "3", 3},
        {"Filter", "4", std::nullopt},  // two bits
        {"Filter", "-1", std::nullopt},
        {"BitWidth", "255", 255},
        {"BitWidth", "256", std::nullopt},
        {"SyncTiming", "65535", 65535},
        {"SyncTiming", "65536", std::nullopt},
        {"Scale", "16777215", 16777215},
        {"Offset", "-8388608", -8388608},
        {"Offset", "8388607", 8388607},
        {"Offset", "8388608", std::nullopt},
        {"Offset", "-8388609", std::nullopt},
        {"LinStartValue", "-2", -2},
        {"ErrorValue", "-1", -1},
        {"ErrorValue", "4294967295", -1},
        {"ErrorValue", "-2147483648", INT32_MIN},
        {"ErrorValue", "4294967296", std::nullopt},
        {"Blanking", "4294967295", -1},
        {"Blanking", "-1", std::nullopt},
        {"Resolution", "99999999", 99999999},
        {"Resolution", "100000000", std::nullopt},
        {"UltrasonicSpeed", "999999", 999999},
        {"UltrasonicSpeed", "1000000", std::nullopt},
        {"Length", "9999", 9999},
        {"Length", "12350", 12350},
        {"Length", "12340", std::nullopt},  // above 9999 mm only steps of 50
        {"SecErrorValue", "1", 1},
        {"SecErrorValue", "2", std::nullopt},
        {"LinValue", "255", 255},
        {"Model", "KH", ('K' << 8) + 'H'},
        {"Model", "kh", std::nullopt},
        {"Model", "KHP", std::nullopt},
        {"Filter", "", std::nullopt},
        {"Filter", "1.0", std::nullopt},
        {"Filter", "+1", std::nullopt},
        {"Filter", "0x1", std::nullopt},
    };
    for (const InputCase& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::string(c.text));
        try {
            const cli::ElementInput input = cli::CheckElementInput(link_.Parameter, c.name, c.text);
            ASSERT_TRUE(c.value) << "accepted";
            EXPECT_EQ(input.value, *c.value);
        } catch (const CliError& error) {
            EXPECT_FALSE(c.value) << "refused: " << error.message;
            EXPECT_EQ(error.code, ExitCode::BadInput);
        }
    }
}

TEST_F(CliElementInput, ElementsWithoutAValueWriteAreRefused)
{
    for (const std::string_view name : {"FirmwareVersion", "SSISampleTime", "OperatingTime", "LinAddress", "StartPoint",
             "EndPoint", "NoSuchElement"}) {
        SCOPED_TRACE(name);
        try {
            cli::CheckElementInput(link_.Parameter, name, "1");
            ADD_FAILURE() << "accepted";
        } catch (const CliError& error) {
            EXPECT_EQ(error.code, ExitCode::BadInput);
            EXPECT_NE(error.message.find(name), std::string::npos) << error.message;
        }
    }
}

TEST_F(CliElementInput, FactoryNumberIsAssignedAsText)
{
    const cli::ElementInput input = cli::CheckElementInput(link_.Parameter, "FactoryNumber", "ab12");
    link_.Parameter.FactoryNumber.Value = 7;
    cli::AssignElementInput(link_.Parameter, input);
    EXPECT_EQ(link_.Parameter.FactoryNumber.Reply, "ab12");
    EXPECT_EQ(link_.Parameter.FactoryNumber.Value, 7);

    for (const std::string_view text : {"", "123456789", "12-34"})
        EXPECT_THROW(cli::CheckElementInput(link_.Parameter, "FactoryNumber", text), CliError) << text;
}

class CliOutput : public testing::Test {
protected:
    void SetUp() override
    {
        link_.Parameter.Filter.Value = 2;
        link_.Parameter.Filter.Valid = 1;
        link_.Parameter.Offset.Value = -5;
        link_.Parameter.Model.Value = ('W' << 8) + 'B';
        link_.Parameter.Model.Valid = 1;
        link_.Parameter.FactoryNumber.Value = -1;
        link_.Parameter.FactoryNumber.Reply = "A\"1\\\x01";
        link_.Parameter.FactoryNumber.Valid = 1;
    }

    std::vector<int> Indices() const
    {
        return {TSSICom::ElementIndex("Filter"), TSSICom::ElementIndex("Offset"), TSSICom::ElementIndex("Model"),
            TSSICom::ElementIndex("FactoryNumber")};
    }

    TSSICom link_;
};

TEST_F(CliOutput, TextShowsValuesTextsAndInvalidElements)
{
    EXPECT_EQ(cli::FormatElementsText(link_.Parameter, Indices()),
        "Filter = 2\n"
        "Offset = -5 (invalid)\n"
        "Model = WB\n"
        "FactoryNumber = A\"1\\\\\\x01\n");  // the control character and the backslash escaped
}

TEST(PrintableText, EscapesWhatCouldSteerATerminal)
{
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"12345678", "12345678"},
        {"\x1b[2J\x1b[H", "\\x1b[2J\\x1b[H"},
        {"a\rb\nc\x7f", "a\\x0db\\x0ac\\x7f"},
        {"F\xc3\xaflter", "F\\xc3\\xaflter"},
        {"C:\\x1b", "C:\\\\x1b"},
        {std::string_view("\0A", 2), "\\x00A"},
    };
    for (const auto& [raw, shown] : cases)
        EXPECT_EQ(cli::PrintableText(raw), shown) << shown;
}

// File names and the texts of parameter files keep their characters; what could steer a
// terminal, break a JSON string or is no UTF-8 is escaped all the same.
TEST(PrintableText, Utf8TextKeepsItsCharacters)
{
    struct Case {
        std::string_view raw;
        std::string_view printable;
        std::string_view json;
    };
    const Case cases[] = {
        {"Grüße €", "Grüße €", "\"Grüße €\""},
        {"a\r\nb\x1b", "a\\x0d\\x0ab\\x1b", "\"a\\u000d\\u000ab\\u001b\""},
        {"\xc2\x9b", "\\xc2\\x9b", "\"\\u00c2\\u009b\""},  // U+009B, a control character
        {"\xff\xc3", "\\xff\\xc3", "\"\\u00ff\\u00c3\""},  // no UTF-8
        {"C:\\\"x\"", "C:\\\\\"x\"", "\"C:\\\\\\\"x\\\"\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cli::PrintableText(c.raw, cli::Encoding::Utf8), c.printable) << c.printable;
        EXPECT_EQ(cli::JsonString(c.raw, cli::Encoding::Utf8), c.json) << c.json;
    }
}

TEST_F(CliOutput, JsonAddsTextAndEscapesIt)
{
    EXPECT_EQ(cli::FormatElementsJson(link_.Parameter, Indices()),
        "{\n"
        "  \"Filter\": {\"value\": 2, \"valid\": true},\n"
        "  \"Offset\": {\"value\": -5, \"valid\": false},\n"
        "  \"Model\": {\"value\": 22338, \"valid\": true, \"text\": \"WB\"},\n"
        "  \"FactoryNumber\": {\"value\": -1, \"valid\": true, \"text\": \"A\\\"1\\\\\\u0001\"}\n"
        "}\n");
}

}  // namespace

#include "file_commands.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <array>
#include <cctype>
#include <optional>
#include <vector>

#include "ansi_text.h"
#include "cli_error.h"
#include "element_output.h"
#include "files_texts.h"
#include "parameter_change.h"
#include "parameter_file_store.h"

namespace cli {

namespace {

// The one option a file command may take besides its file.
enum class FileOption : uint8_t { None, Comment, Yes };

struct FileArguments {
    std::string file;
    std::string comment;
    bool yes = false;
};

FileArguments ParseFileArguments(std::string_view command, Arguments arguments, FileOption option)
{
    FileArguments parsed;
    bool fileGiven = false;
    for (size_t position = 0; position < arguments.size(); ++position) {
        const std::string& argument = arguments[position];
        if (option == FileOption::Comment && argument == "--comment") {
            if (++position == arguments.size())
                FailBadInput("--comment needs a text");
            parsed.comment = arguments[position];
        } else if (option == FileOption::Yes && argument == "--yes") {
            parsed.yes = true;
        } else if (!fileGiven && !argument.empty() && !argument.starts_with("--")) {
            parsed.file = argument;
            fileGiven = true;
        } else {
            FailBadInput(std::string(command) + ": unexpected argument '" + argument + "'");
        }
    }
    if (!fileGiven)
        FailBadInput(std::string(command) + ": no FILE given");
    return parsed;
}

QFileInfo FileInfoOf(const std::string& file) { return QFileInfo(QFile::decodeName(file.c_str())); }

std::string PathText(const QString& path) { return QFile::encodeName(path).toStdString(); }

// The file's contents; a file that cannot be read or that the checks reject is bad input.
ParameterFileContents OpenFile(const std::string& file)
{
    auto read = ReadParameterFile(FileInfoOf(file).filePath());
    if (auto* contents = std::get_if<ParameterFileContents>(&read))
        return std::move(*contents);
    if (const auto* rejection = std::get_if<FileRejection>(&read))
        FailBadInput(file + ": " + RejectionMessage(*rejection).text.english);
    FailBadInput(file + ": " + std::get<FileAccessError>(read).reason.toStdString());
}

// The one line of a command that wrote a file: its path, or the JSON object that names it.
void PrintPath(Session& session, std::string_view name, const std::string& path)
{
    if (session.Json())
        session.Out() << JsonObject(std::array{PathMember(name, path)}) << '\n';
    else
        session.Out() << PrintableText(path, Encoding::Utf8) << '\n';
}

// The information text's lines and the date, as the window's confirmation shows them.
std::string InformationText(const ParameterFileContents& file)
{
    std::string text;
    for (const std::string& line : InfoTextLines(file.infoText))
        text += PrintableText(line, Encoding::Utf8) + '\n';
    return text + texts::SaveDateLabel.english + file.dateText + '\n';
}

std::string ValueMember(int index, int32_t value)
{
    return JsonString(TSSICom::ElementName(index)) + ": " + std::to_string(value);
}

// The answer to "Really load this file?": yes or y in any case; end of input is no answer.
bool AnswerIsYes(std::istream& in)
{
    std::string answer;
    if (!std::getline(in, answer))
        FailBadInput("no answer: use --yes to load without asking");
    std::string word;
    for (const char character : answer)
        if (!std::isspace(static_cast<unsigned char>(character)))
            word += static_cast<char>(std::tolower(static_cast<unsigned char>(character)));
    return word == "y" || word == "yes";
}

// Shows the file and what loading it changes, and asks.
bool LoadConfirmed(Session& session, const ParameterFileContents& file, const TSSICom::ParameterStruct& sensor)
{
    std::string text = InformationText(file) + texts::DifferencesLabel.english + '\n';
    const std::vector<std::string> differences = DifferenceLines(sensor, file);
    for (const std::string& difference : differences)
        text += difference + '\n';
    if (differences.empty())
        text += std::string(texts::NoDifferences.english) + '\n';
    session.Out() << text << texts::ReallyLoad.english << " [y/N] " << std::flush;
    return AnswerIsYes(session.In());
}

}  // namespace

std::string BackUp(const TSSICom::ParameterStruct& set, std::string_view comment)
{
    const Backup backup = WriteBackup(set, comment, QDateTime::currentDateTime());
    if (backup.path.isEmpty())
        FailLink("backup failed, nothing was sent to the sensor: " + backup.error.toStdString());
    return PathText(QFileInfo(backup.path).absoluteFilePath());
}

std::string PathMember(std::string_view name, const std::string& path)
{
    return JsonString(name) + ": " + JsonString(path, Encoding::Utf8);
}

void RunSave(Session& session, Arguments arguments)
{
    const FileArguments parsed = ParseFileArguments("save", arguments, FileOption::Comment);
    const std::string comment = FileComment(parsed.comment);
    if (comment.size() > MaxCommentLength)
        FailBadInput("the comment has " + std::to_string(comment.size()) + " characters, at most "
            + std::to_string(MaxCommentLength) + " are stored (a line break counts two)");
    const QFileInfo target = FileInfoOf(parsed.file);
    if (!target.absoluteDir().exists())
        FailBadInput(parsed.file + ": no such folder");
    const TSSICom& link = ReadCompleteSet(session);
    const std::vector<uint8_t> image
        = BuildParameterFile(comment, SaveDateOf(QDateTime::currentDateTime()), link.Parameter);
    if (const QString error = WriteParameterFile(target.absoluteFilePath(), image); !error.isEmpty())
        FailBadInput(parsed.file + ": " + error.toStdString());
    PrintPath(session, "file", PathText(target.absoluteFilePath()));
}

void RunShow(Session& session, Arguments arguments)
{
    const ParameterFileContents file = OpenFile(ParseFileArguments("show", arguments, FileOption::None).file);
    if (!session.Json()) {
        session.Out() << InformationText(file);
        for (int index = 0; index < StoredValueCount; ++index)
            session.Out() << TSSICom::ElementName(index) << " = " << file.values[static_cast<size_t>(index)] << '\n';
        return;
    }
    std::vector<std::string> values;
    for (int index = 0; index < StoredValueCount; ++index)
        values.push_back(ValueMember(index, file.values[static_cast<size_t>(index)]));
    const std::array members = {"\"info\": " + JsonString(Utf8FromAnsi(file.infoText), Encoding::Utf8),
        "\"date\": " + JsonString(file.dateText), "\"values\": " + JsonObject(values)};
    session.Out() << JsonObject(members) << '\n';
}

void RunDiff(Session& session, Arguments arguments)
{
    const ParameterFileContents file = OpenFile(ParseFileArguments("diff", arguments, FileOption::None).file);
    const TSSICom::ParameterStruct& sensor = ReadCompleteSet(session).Parameter;
    if (!session.Json()) {
        for (const std::string& difference : DifferenceLines(sensor, file))
            session.Out() << difference << '\n';
        return;
    }
    std::vector<std::string> members;
    for (const ValueDifference& difference : StoredDifferences(sensor, file))
        members.push_back(JsonString(TSSICom::ElementName(difference.index)) + ": {\"sensor\": "
            + std::to_string(difference.sensor) + ", \"file\": " + std::to_string(difference.file) + "}");
    session.Out() << JsonObject(std::array{"\"differences\": " + JsonObject(members)}) << '\n';
}

void RunLoad(Session& session, Arguments arguments)
{
    const FileArguments parsed = ParseFileArguments("load", arguments, FileOption::Yes);
    if (session.Json() && !parsed.yes)
        FailBadInput("load: --json needs --yes, a question would break the output");
    const ParameterFileContents file = OpenFile(parsed.file);
    TSSICom& link = ReadCompleteSet(session);
    if (!parsed.yes && !LoadConfirmed(session, file, link.Parameter)) {
        session.Out() << "Nothing loaded.\n";
        return;
    }
    const std::string backup
        = BackUp(link.Parameter, texts::BackupBeforeLoading + PathText(FileInfoOf(parsed.file).fileName()));
    LoadIntoSensorSet(file, link.Parameter);
    Require(link.WriteAll(), "WriteAll", "not every write was confirmed by the sensor");
    // As after the window's open: the speed, as if just typed, recomputes scale and offset.
    const ParameterRequest speed{
        .index = TSSICom::ElementIndex("UltrasonicSpeed"), .value = link.Parameter.UltrasonicSpeed.Value};
    WriteVerified(link, ApplyParameterRequest(link.Parameter, speed).writes);
    PrintPath(session, "backup", backup);
}

}  // namespace cli

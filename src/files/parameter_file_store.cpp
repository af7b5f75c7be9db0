#include "parameter_file_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

// The sensor's answer names the folder; anything a path could misread becomes "_".
QString FolderNameOf(const std::string& factoryNumber)
{
    QString name;
    for (const char character : factoryNumber) {
        const bool plain = (character >= '0' && character <= '9') || (character >= 'A' && character <= 'Z')
            || (character >= 'a' && character <= 'z') || character == '-' || character == '_';
        name += plain ? QChar(character) : QChar('_');
    }
    return name.isEmpty() ? QStringLiteral("unknown") : name;
}

QString FreeBackupPath(const QDir& folder, const QDateTime& now)
{
    const QString stamp = now.toString(QStringLiteral("yyyy-MM-dd hh-mm-ss"));
    QString path = folder.filePath(stamp + ".qor");
    for (int counter = 2; QFileInfo::exists(path); ++counter)
        path = folder.filePath(stamp + " (" + QString::number(counter) + ").qor");
    return path;
}

}  // namespace

QString WriteParameterFile(const QString& path, std::span<const uint8_t> image)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    const auto size = static_cast<qint64>(image.size());
    if (file.write(reinterpret_cast<const char*>(image.data()), size) != size || !file.commit())
        return file.errorString();
    return {};
}

std::variant<ParameterFileContents, FileRejection, FileAccessError> ReadParameterFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FileAccessError{file.errorString()};
    if (static_cast<uint64_t>(file.size()) > MaxParameterFileSize)
        return FileRejection::TooBig;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return FileAccessError{file.errorString()};
    std::vector<uint8_t> image(bytes.begin(), bytes.end());
    std::variant<ParameterFileContents, FileRejection> opened = OpenParameterImage(std::move(image));
    if (auto* contents = std::get_if<ParameterFileContents>(&opened))
        return std::move(*contents);
    return std::get<FileRejection>(opened);
}

SaveDate SaveDateOf(const QDateTime& now)
{
    const QDate date = now.date();
    return {static_cast<uint32_t>(date.year()), static_cast<uint8_t>(date.month()), static_cast<uint8_t>(date.day())};
}

QString BackupFolder(const TSSICom::ParameterStruct& set)
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(data).filePath(QStringLiteral("QOR/backups/") + FolderNameOf(set.FactoryNumber.Reply));
}

Backup WriteBackup(const TSSICom::ParameterStruct& set, std::string_view comment, const QDateTime& now)
{
    const QString folderPath = BackupFolder(set);
    QDir folder(folderPath);
    if (!folder.mkpath(QStringLiteral(".")))
        return {{}, QStringLiteral("cannot create the folder ") + folderPath};
    const QString path = FreeBackupPath(folder, now);
    const std::vector<uint8_t> image = BuildParameterFile(FileComment(comment), SaveDateOf(now), set);
    if (const QString error = WriteParameterFile(path, image); !error.isEmpty())
        return {{}, path + ": " + error};
    return {path, {}};
}

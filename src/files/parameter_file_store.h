#pragma once

#include <QDateTime>
#include <QString>
#include <span>
#include <string_view>
#include <variant>

#include "parameter_file.h"

// Parameter files on disk and the automatic backups made before a sensor's set is
// overwritten.

// Writes the image whole or not at all: an existing file is replaced only by a complete new
// one. Returns the reason of a failure, empty on success.
QString WriteParameterFile(const QString& path, std::span<const uint8_t> image);

// The file could not be read; reason says why.
struct FileAccessError {
    QString reason;
};

// Reads a parameter file and runs the checks of opening. A file above the size limit is
// rejected before anything is read.
std::variant<ParameterFileContents, FileRejection, FileAccessError> ReadParameterFile(const QString& path);

// The local date of now, as a file stores it.
SaveDate SaveDateOf(const QDateTime& now);

// The folder of one sensor's backups: <data folder>/QOR/backups/<factory number>.
QString BackupFolder(const TSSICom::ParameterStruct& set);

struct Backup {
    QString path;   // the file written; empty when it failed
    QString error;  // why it failed
};

// Saves the set as the sensor holds it, with comment (UTF-8), as
// <backup folder>/<yyyy-MM-dd hh-mm-ss>.qor of the local time now; a backup already made
// in the same second is kept and the new one gets a counter.
Backup WriteBackup(const TSSICom::ParameterStruct& set, std::string_view comment, const QDateTime& now);

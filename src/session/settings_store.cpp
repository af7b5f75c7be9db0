#include "settings_store.h"

#include <QSettings>
#include <QStandardPaths>
#include <filesystem>
#include <system_error>

namespace {

constexpr const char* Organisation = "QOR";
constexpr const char* Application = "SSI Tesmira";

// Empty for a regular file and for a missing one, the usual first start.
std::string UnusableReason(const std::filesystem::path& file)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(file, error);
    const std::string store = "the settings store \"" + file.string() + "\" ";
    if (status.type() == std::filesystem::file_type::not_found || status.type() == std::filesystem::file_type::regular)
        return {};
    if (error)
        return store + "cannot be examined (" + error.message() + ") and is ignored";
    return store + "is no regular file and is ignored";
}

}  // namespace

SettingsStore::SettingsStore()
{
#ifdef Q_OS_WIN
    settings_ = std::make_unique<QSettings>(Organisation, Application);
    location_ = settings_->fileName();
#else
    // The file QSettings(Organisation, Application) uses, without its fallback files.
    location_ = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + '/' + Organisation + '/'
        + Application + ".conf";
    problem_ = UnusableReason(location_.toStdString());
    if (problem_.empty())
        settings_ = std::make_unique<QSettings>(location_, QSettings::IniFormat);
#endif
}

SettingsStore::~SettingsStore() = default;

bool SettingsStore::Contains(const QString& key) const { return settings_ && settings_->contains(key); }

QVariant SettingsStore::Value(const QString& key) const { return settings_ ? settings_->value(key) : QVariant(); }

std::optional<int> SettingsStore::ComPort() const
{
    bool isNumber = false;
    const int port = Value("COM-Port").toInt(&isNumber);
    return isNumber ? std::optional<int>(port) : std::nullopt;
}

bool SettingsStore::Write(const QString& key, const QVariant& value)
{
    if (!settings_)
        return false;
    settings_->setValue(key, value);
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}

#pragma once

#include <QString>
#include <QVariant>
#include <memory>
#include <optional>
#include <string>

class QSettings;

// The per-user settings of the program: Language, COM-Port and FactoryKey. On Windows
// they live in the registry; elsewhere in an INI file that is opened only when it is a
// regular file or absent. QSettings would block on a FIFO and cannot use a folder or a
// device, so such a store counts as absent and is never touched.
class SettingsStore {
public:
    SettingsStore();
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // Why the store is left alone, as one English sentence; empty while it is usable.
    const std::string& Problem() const { return problem_; }
    // The file or registry key of the store.
    const QString& Location() const { return location_; }

    bool Contains(const QString& key) const;
    // An invalid QVariant for a missing value.
    QVariant Value(const QString& key) const;
    // COM-Port as a number; nullopt when it is missing or no number.
    std::optional<int> ComPort() const;
    // False when the value did not reach the store.
    bool Write(const QString& key, const QVariant& value);

private:
    QString location_;
    std::string problem_;
    std::unique_ptr<QSettings> settings_;  // null while the store is unusable
};

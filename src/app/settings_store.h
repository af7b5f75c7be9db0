#pragma once

#include <QSettings>
#include <memory>

// The per-user settings of the program: Language, COM-Port and FactoryKey.
inline std::unique_ptr<QSettings> OpenSettingsStore() { return std::make_unique<QSettings>("QOR", "SSI Tesmira"); }

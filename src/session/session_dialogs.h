#pragma once

#include <QString>
#include <optional>

#include "dialog_service.h"
#include "catalogue.h"

class QWidget;

// A message of the catalogue in the session's language, its text followed by detail;
// nothing is shown (nullopt) for language codes other than 0 and 1.
std::optional<DialogAnswer> ShowMessage(DialogService& dialogs, QWidget* parent, uint8_t languageCode,
    const BilingualMessage& message, DialogButtons buttons, DialogIcon icon, const QString& detail = {});

// The communication-error message of the catalogue.
void ReportCommunicationError(DialogService& dialogs, QWidget* parent, uint8_t languageCode);

// Asks whether an existing file may be overwritten, in every language; only the answer No
// keeps the file.
bool AskOverwrite(DialogService& dialogs, QWidget* parent, uint8_t languageCode);

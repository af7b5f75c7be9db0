#include "session_dialogs.h"

std::optional<DialogAnswer> ShowMessage(DialogService& dialogs, QWidget* parent, uint8_t languageCode,
    const BilingualMessage& message, DialogButtons buttons, DialogIcon icon, const QString& detail)
{
    const std::optional<MessageText> text = Pick(message, languageCode);
    if (!text)
        return std::nullopt;
    return dialogs.Message(
        parent, QString::fromStdString(text->caption), QString::fromStdString(text->text) + detail, buttons, icon);
}

void ReportCommunicationError(DialogService& dialogs, QWidget* parent, uint8_t languageCode)
{
    ShowMessage(dialogs, parent, languageCode, texts::CommunicationError, DialogButtons::Ok, DialogIcon::Error);
}

bool AskOverwrite(DialogService& dialogs, QWidget* parent, uint8_t languageCode)
{
    const std::optional<MessageText> text = Pick(texts::OverwriteFileQuestion, languageCode);
    const auto label = [languageCode](const BilingualText& button) {
        return QString::fromStdString(Pick(button, languageCode).value_or(""));
    };
    const DialogAnswer answer = text
        ? dialogs.Message(parent, QString::fromStdString(text->caption), QString::fromStdString(text->text),
            DialogButtons::YesNo, DialogIcon::Question,
            {label(texts::OverwriteYesButton), label(texts::OverwriteNoButton)})
        : dialogs.Message(parent, texts::OverwriteLayoutCaption, texts::OverwriteFileQuestion.text.english,
            DialogButtons::YesNo, DialogIcon::Question);
    return answer != DialogAnswer::No;
}

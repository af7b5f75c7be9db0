#include "session_dialogs.h"

#include "session_texts.h"

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
    const std::optional<MessageText> picked = Pick(texts::OverwriteFileQuestion, languageCode);
    const MessageText text
        = picked.value_or(MessageText{texts::OverwriteLayoutCaption, texts::OverwriteFileQuestion.text.english});
    QStringList buttons;
    for (const BilingualText& button : {texts::OverwriteYesButton, texts::OverwriteNoButton})
        if (const std::optional<std::string> label = Pick(button, languageCode))
            buttons << QString::fromStdString(*label);
    return dialogs.Message(parent, QString::fromStdString(text.caption), QString::fromStdString(text.text),
               DialogButtons::YesNo, DialogIcon::Question, buttons)
        != DialogAnswer::No;
}

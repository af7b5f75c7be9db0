#include "editing_controller.h"

#include "presentation.h"
#include "sensor_session.h"
#include "session_dialogs.h"

EditingController::EditingController(SensorSession& session, DialogService& dialogs, const EditingPages& pages) :
    session_(session), dialogs_(dialogs), pages_(pages)
{
}

void EditingController::CorrectParameterSet()
{
    TSSICom::ParameterStruct& p = session_.Parameter();
    if (p.BitWidth.Valid && BitWidthRule(p.FirmwareVersion.Value, p.FrameOptions.Value, p.BitWidth.Value).correct)
        Correct(p.BitWidth, CorrectedBitWidth, texts::BitWidthCorrection, &TSSICom::WriteBitWidth);
    if (p.Filter.Valid && FilterRule(p.FirmwareVersion.Value, p.PosDifVel.Value, p.Filter.Value).correct)
        Correct(p.Filter, CorrectedFilter, texts::FilterCorrection, &TSSICom::WriteFilter);
}

// The corrected value shows as changed until it is committed.
void EditingController::Correct(
    TSSICom::DataElement& element, int32_t corrected, const BilingualMessage& message, bool (TSSICom::*write)())
{
    pendingMessages_.push_back(&message);
    element.Value = corrected;
    element.Changed = 1;
    if (session_.Call(write)) {
        session_.MarkUnsaved();
        return;
    }
    pendingMessages_.push_back(&texts::CommunicationError);
    session_.MarkSaved();
    session_.SetSessionActive(false);
}

void EditingController::ShowCorrectionMessages()
{
    const std::vector<const BilingualMessage*> messages = std::move(pendingMessages_);
    pendingMessages_.clear();
    QWidget* window = pages_.ssiSettings.window();
    for (const BilingualMessage* message : messages)
        if (message == &texts::CommunicationError)
            ReportCommunicationError(dialogs_, window, session_.LanguageCode());
        else
            ShowMessage(
                dialogs_, window, session_.LanguageCode(), *message, DialogButtons::Ok, DialogIcon::Information);
}

#pragma once

#include <vector>

#include "editing_pages.h"
#include "sensor_link.h"
#include "texts.h"

class DialogService;
class SensorSession;

// The pages whose fields the user edits.
struct EditingPages {
    TSSISettingsPage& ssiSettings;
    TErrorIndicationPage& errorIndication;
    TMeasurementPage& measurement;
    TMeasurement2Page& measurement2;
    TExpertSettingsPage& expertSettings;
    TExpertSettings2Page& expertSettings2;
};

// The parameter fields and their rules. Before the pages are filled, it corrects what the
// firmware cannot use and writes the correction to the sensor at once; the messages
// follow once the pages show the corrected values.
class EditingController {
public:
    EditingController(SensorSession& session, DialogService& dialogs, const EditingPages& pages);

    // The session step: bit width 24 while the temperature bit is set, filter 0 in
    // velocity mode, on the firmware that needs it. A failed write ends the session.
    void CorrectParameterSet();
    void ShowCorrectionMessages();

private:
    void Correct(
        TSSICom::DataElement& element, int32_t corrected, const BilingualMessage& message, bool (TSSICom::*write)());

    SensorSession& session_;
    DialogService& dialogs_;
    EditingPages pages_;
    std::vector<const BilingualMessage*> pendingMessages_;
};

#include "linearization_controller.h"

#include "control_colours.h"
#include "editing_rules.h"
#include "element_controls.h"
#include "linearization_rules.h"
#include "sensor_session.h"

LinearizationController::LinearizationController(SensorSession& session, DialogService& dialogs, TLinPage& page) :
    session_(session), dialogs_(dialogs), page_(page)
{
}

void LinearizationController::ReadPageValues()
{
    TSSICom::DataElement& linValue = session_.Parameter().LinValue;
    pageUsable_ = linValue.Valid;
    if (!pageUsable_)
        return;
    if (page_.AdresLabel->text().isEmpty())
        page_.AdresLabel->setText(DefaultLinAddress);
    session_.Call(&TSSICom::ReadLinValue, LinAddressFrom(page_.AdresLabel->text().toStdString()));
    valueShown_ = linValue.Value;
    session_.Call(&TSSICom::ReadLinValue, LinFactorAddress);
    factor_ = linValue.Value;
}

void LinearizationController::ShowPage()
{
    const std::initializer_list<TLabeledEdit*> edits{page_.ValueLabel, page_.AdresLabel, page_.FactorLabel};
    const std::initializer_list<QWidget*> buttons{page_.ReadLinValue, page_.WriteLinFile, page_.PrintLinFile};
    for (TLabeledEdit* edit : edits) {
        edit->setEnabled(pageUsable_);
        SetControlColour(edit, pageUsable_ ? WindowColour : ButtonFaceColour());
    }
    for (QWidget* button : buttons)
        button->setEnabled(pageUsable_);
    page_.WriteLinValue->setEnabled(pageUsable_ && session_.DeveloperAccess());
    if (!pageUsable_) {
        for (TLabeledEdit* edit : {page_.AdresLabel, page_.ValueLabel, page_.FactorLabel, page_.LinStartValue})
            edit->setText("");
        return;
    }
    page_.ValueLabel->setText(Number(valueShown_));
    page_.FactorLabel->setText(Number(factor_));
}

// The early 39604 firmware has no start value: it counts as 0 there.
void LinearizationController::ShowLinStartValue()
{
    TSSICom::DataElement& start = session_.Parameter().LinStartValue;
    if (start.Valid) {
        page_.LinStartValue->setEnabled(true);
        page_.LinStartValue->setReadOnly(!session_.DeveloperAccess());
        if (IsEarly39604Firmware(session_.Parameter().FirmwareVersion.Value)) {
            start.Value = 0;
            page_.LinStartValue->setEnabled(false);
        }
        page_.LinStartValue->setText(Number(start.Value));
    } else {
        page_.LinStartValue->setEnabled(false);
    }
    SetControlColour(page_.LinStartValue, ColourOf(LinStartValueColour(start.Changed, session_.DeveloperAccess())));
}

// The fields of the error indication page.

#include <QCheckBox>

#include "control_colours.h"
#include "editing_controller.h"
#include "editing_rules.h"
#include "editing_texts.h"
#include "labeled_edit.h"
#include "sensor_session.h"

namespace {

constexpr int32_t WSeriesErrorCount = 1;

}  // namespace

void EditingController::OnEditErrorValue() { ChangeField(pages_.errorIndication.ErrorValue); }

void EditingController::OnChangeErrorValue() { ExitField(pages_.errorIndication.ErrorValue, texts::ErrorValueExit); }

// A W-series sensor indicates every error at once: the counter goes back to 1 unwritten.
void EditingController::OnEditErrorCount()
{
    TLabeledEdit* edit = pages_.errorIndication.ErrorCount;
    if (Viewing() || GuardTaken())
        return;
    if (WSeriesSelected() && LenientInteger(edit->text().toStdString()) > WSeriesErrorCount) {
        Show(texts::WSeriesRefusal);
        Set().IndicationCounter.Value = WSeriesErrorCount;
        ArmGuard();
        edit->setText(QString::number(WSeriesErrorCount));
        edit->repaint();
        return;
    }
    ChangeField(edit);
}

void EditingController::OnChangeErrorCount() { ExitField(pages_.errorIndication.ErrorCount, texts::ErrorCountExit); }

// 0 switches the under-voltage detection off: the user is told before it is written.
void EditingController::OnEditPowerFail()
{
    TLabeledEdit* edit = pages_.errorIndication.PowerFail;
    if (Viewing())
        return;
    const std::optional<int32_t> value = ChangeValue(*FieldRuleOf("PowerFail"), edit->text().toStdString());
    if (!value)
        return;
    TSSICom::DataElement& powerfail = Set().PowerfailTime;
    powerfail.Value = *value;
    MarkChanged(powerfail, edit);
    if (*value == 0) {
        Show(texts::PowerFailOff);
        GiveFocusBack(edit);
    }
    Conclude(Send(&TSSICom::WritePowerfailTime));
}

void EditingController::OnChangePowerFail() { ExitField(pages_.errorIndication.PowerFail, texts::PowerFailExit); }

// Checked means the second error value is active.
void EditingController::ErrorValue2Click()
{
    QCheckBox* box = pages_.errorIndication.ErrorValue2;
    if (ClickIgnored(Guard::On)
        || Refused(box->isChecked(), texts::WSeriesRefusal, box, [&] { box->setChecked(false); }))
        return;
    Commit(Set().SecErrorValue, SecondErrorValueFor(box->isChecked()), box, &TSSICom::WriteSecErrorValue);
    showRangePoints_();
}

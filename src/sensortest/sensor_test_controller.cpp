#include "sensor_test_controller.h"

#include "range_points.h"
#include "sensor_session.h"
#include "session_dialogs.h"
#include "sensortest_texts.h"

SensorTestController::SensorTestController(
    SensorSession& session, DialogService& dialogs, TMeasurementPage& measurement, TMeasurement2Page& page) :
    session_(session), dialogs_(dialogs), measurement_(measurement), page_(page)
{
}

bool SensorTestController::ShowRangePoints()
{
    TSSICom::ParameterStruct& p = session_.Parameter();
    const auto fail = [&](TSSICom::DataElement& point, const BilingualMessage& message) {
        ShowMessage(dialogs_, page_.window(), session_.LanguageCode(), message, DialogButtons::Ok, DialogIcon::Error);
        point.Valid = 0;
        return false;
    };
    if (!session_.Call(&TSSICom::ReadStartPoint))
        return fail(p.StartPoint, texts::StartPointReadError);
    page_.StartPoint->setText(QString::fromStdString(RangePointText(p.StartPoint, UndefinedStartPoint)));
    p.StartPoint.Valid = 1;
    if (!session_.Call(&TSSICom::ReadEndPoint))
        return fail(p.EndPoint, texts::EndPointReadError);
    page_.EndPoint->setText(QString::fromStdString(RangePointText(p.EndPoint, UndefinedEndPoint)));
    p.EndPoint.Valid = 1;
    if (RangeIsValid(p.StartPoint.Value, p.EndPoint.Value))
        return true;
    ShowMessage(
        dialogs_, page_.window(), session_.LanguageCode(), texts::RangeError, DialogButtons::Ok, DialogIcon::Warning);
    return false;
}

void SensorTestController::ShowRangePointFields()
{
    struct RangePoint {
        const TSSICom::DataElement& element;
        int32_t undefinedValue;
        TLabeledEdit* edit;
        QWidget* setButton;
        QWidget* deleteButton;
    };
    const TSSICom::ParameterStruct& p = session_.Parameter();
    for (const RangePoint& point :
        {RangePoint{p.StartPoint, UndefinedStartPoint, page_.StartPoint, page_.SetStartPoint, page_.DelStartPoint},
            RangePoint{p.EndPoint, UndefinedEndPoint, page_.EndPoint, page_.SetEndPoint, page_.DelEndPoint}}) {
        if (point.element.Valid)
            point.edit->setText(QString::fromStdString(RangePointText(point.element, point.undefinedValue)));
        for (QWidget* control : {static_cast<QWidget*>(point.edit), point.setButton, point.deleteButton})
            control->setEnabled(point.element.Valid);
    }
}

// The shown offset and the Linearisierung option decide how a point reads in millimetres.
std::string SensorTestController::RangePointText(const TSSICom::DataElement& point, int32_t undefinedValue) const
{
    return ::RangePointText(point.Value, undefinedValue, measurement_.Offset->text().toStdString(),
        page_.Linearisierung->isChecked(), session_.Parameter().Resolution.Value, session_.LanguageCode());
}

#pragma once

#include <QObject>

#include <string>

#include "editing_pages.h"
#include "sensor_link.h"

class DialogService;
class SensorSession;

// The sensor test and the measuring range: the two range points taught into the sensor,
// shown in millimetres on the second measurement page.
class SensorTestController : public QObject {
    Q_OBJECT

public:
    SensorTestController(
        SensorSession& session, DialogService& dialogs, TMeasurementPage& measurement, TMeasurement2Page& page);

    // Reads both range points, shows them and checks that the range is not empty.
    bool ShowRangePoints();
    // Shows the range points of the register set.
    void ShowRangePointFields();

private:
    std::string RangePointText(const TSSICom::DataElement& point, int32_t undefinedValue) const;

    SensorSession& session_;
    DialogService& dialogs_;
    TMeasurementPage& measurement_;
    TMeasurement2Page& page_;
};

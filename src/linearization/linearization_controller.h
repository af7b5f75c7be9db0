#pragma once

#include <QObject>

#include <cstdint>

#include "lin_page.h"

class DialogService;
class SensorSession;

// The sensor's internal linearization memory on its page. Before the page is filled, the
// byte at the address it shows and the factor at address 501 are read from the sensor.
class LinearizationController : public QObject {
    Q_OBJECT

public:
    LinearizationController(SensorSession& session, DialogService& dialogs, TLinPage& page);

    // The session step: reads what the page will show (nothing without a linearization
    // memory). A failed read leaves the last value of LinValue in place.
    void ReadPageValues();
    void ShowPage();
    void ShowLinStartValue();
    // The sensor has a linearization memory, as the last session step found.
    bool PageUsable() const { return pageUsable_; }
    // The byte at address 501: what the Linearisierung option means on this sensor.
    int32_t Factor() const { return factor_; }

private:
    SensorSession& session_;
    DialogService& dialogs_;
    TLinPage& page_;
    bool pageUsable_ = false;
    int32_t valueShown_ = 0;
    int32_t factor_ = 0;
};

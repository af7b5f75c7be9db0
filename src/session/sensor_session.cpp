#include "sensor_session.h"

namespace {

constexpr uint32_t ReleasePulseMs = 100;

}  // namespace

SensorSession::SensorSession(TSerialCom::Sleeper linkSleep) : link_(std::make_unique<TSSICom>())
{
    link_->SetSleep(std::move(linkSleep));
    thread_ = std::make_unique<LinkThread>(*link_);
}

// One RTS pulse tells the adapter that the program lets go of the sensor.
SensorSession::~SensorSession()
{
    Run([](TSSICom& link) {
        link.SetRts();
        link.Sleep(ReleasePulseMs);
        link.ClearRts();
        link.Close();
    });
    thread_.reset();
}

TSSICom::ParameterStruct& SensorSession::Parameter() { return link_->Parameter; }

const TSSICom& SensorSession::Link() const { return *link_; }

void SensorSession::MarkUnsaved()
{
    unsavedChanges_ = true;
    emit UnsavedChangesMarked(true);
}

void SensorSession::MarkSaved()
{
    unsavedChanges_ = false;
    emit UnsavedChangesMarked(false);
}

#include "sensor_session.h"

#include <utility>

namespace {

constexpr uint32_t ReleasePulseMs = 100;

}  // namespace

SensorSession::SensorSession(TSerialCom::Sleeper linkSleep) : link_(std::make_unique<TSSICom>())
{
    link_->SetSleep(std::move(linkSleep));
    thread_ = std::make_unique<LinkThread>(*link_);
}

SensorSession::~SensorSession() = default;

void SensorSession::Release()
{
    if (std::exchange(released_, true))
        return;
    Run([](TSSICom& link) {
        link.SetRts();
        link.Sleep(ReleasePulseMs);
        link.ClearRts();
        link.Close();
    });
}

void SensorSession::CancelOperation()
{
    if (cancelOperation_)
        cancelOperation_();
}

void SensorSession::EndOperation()
{
    held_ = false;
    cancelOperation_ = {};
    emit LinkHeldChanged(false);
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

#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>

#include "link_thread.h"
#include "sensor_link.h"

// The one owner of the sensor link and of the state of a session with the sensor. Sensor
// jobs run on the link thread; the window reads and changes the register set only while
// no job that uses it runs: a short job's caller waits for it, and a long operation holds
// the link until it has ended.
class SensorSession : public QObject {
    Q_OBJECT

public:
    // The factory number no sensor has: the next sensor found is a new one.
    static constexpr const char* NoFactoryNumber = "XXXXXXXX";

    explicit SensorSession(TSerialCom::Sleeper linkSleep = {});
    ~SensorSession() override;

    // Runs one job on the link thread and returns its result when it is done.
    template <class Job> auto Run(Job&& job, LinkThread::InputDuringJob input = LinkThread::InputDuringJob::Held)
    {
        return thread_->Run(std::forward<Job>(job), input);
    }
    // One operation of the link as a job: Call(&TSSICom::ReadAll).
    template <class Result, class Link, class... Parameters, class... Arguments>
    Result Call(Result (Link::*operation)(Parameters...), Arguments&&... arguments)
    {
        static_assert(std::is_base_of_v<Link, TSSICom>);
        return Run([&](TSSICom& link) { return (link.*operation)(std::forward<Arguments>(arguments)...); });
    }
    // Starts a long operation: its job runs on the link thread while the window's own loop
    // goes on, posting progress (and results) through the promise and checking it for a
    // cancel between two steps. The operation holds the link until the job has ended:
    // LinkHeldChanged(true) comes before the job is queued, so that controls can be disabled
    // (and fields left) first; LinkHeldChanged(false) and then finished(future) come when it
    // has ended, done, cancelled or failed. One operation at a time.
    template <class Result>
    QFuture<Result> StartOperation(
        std::function<void(TSSICom&, QPromise<Result>&)> job, std::function<void(const QFuture<Result>&)> finished)
    {
        emit LinkHeldChanged(true);
        held_ = true;
        QFuture<Result> future = thread_->Start<Result>(std::move(job));
        auto* watcher = new QFutureWatcher<Result>(this);
        connect(watcher, &QFutureWatcherBase::progressTextChanged, this, &SensorSession::OperationProgress);
        connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, finished = std::move(finished)] {
            thread_->TakeOverFromLongJob();
            EndOperation();
            finished(watcher->future());
            watcher->deleteLater();
            emit OperationEnded();
        });
        watcher->setFuture(future);
        cancelOperation_ = [future]() mutable { future.cancel(); };
        return future;
    }
    // A long operation holds the link.
    bool LinkHeld() const { return held_; }
    // Asks the running operation to stop at its next step; it still ends as usual.
    void CancelOperation();
    // A job runs, a caller waits for one, or a long operation holds the link.
    bool LinkBusy() const { return held_ || thread_->Busy(); }
    // One RTS pulse tells the adapter that the program lets go of the sensor; the port is
    // closed. Once per run: later calls do nothing.
    void Release();
    // The user acted while a job ran and the window has not taken it up yet.
    bool InputWaiting() const { return thread_->InputWaiting(); }

    // The sensor's register set as last read or written.
    TSSICom::ParameterStruct& Parameter();
    const TSSICom& Link() const;

    bool SessionActive() const { return sessionActive_; }
    void SetSessionActive(bool active) { sessionActive_ = active; }
    bool UnsavedChanges() const { return unsavedChanges_; }
    void MarkUnsaved();
    void MarkSaved();
    // Clears UnsavedChanges without a word to the Update button, which keeps its state.
    void ForgetUnsavedChanges() { unsavedChanges_ = false; }
    uint32_t MissedPolls() const { return missedPolls_; }
    void SetMissedPolls(uint32_t polls) { missedPolls_ = polls; }
    const std::string& LastFactoryNumber() const { return lastFactoryNumber_; }
    void SetLastFactoryNumber(const std::string& factoryNumber) { lastFactoryNumber_ = factoryNumber; }
    const std::string& ModelCode() const { return modelCode_; }
    void SetModelCode(const std::string& modelCode) { modelCode_ = modelCode; }
    uint8_t LanguageCode() const { return languageCode_; }
    void SetLanguageCode(uint8_t languageCode) { languageCode_ = languageCode; }
    uint8_t ComPortNumber() const { return comPortNumber_; }
    void SetComPortNumber(uint8_t portNumber) { comPortNumber_ = portNumber; }
    // The access level of this run lets the user write linearization values and the
    // linearization start value.
    bool DeveloperAccess() const { return developerAccess_; }
    void SetDeveloperAccess(bool access) { developerAccess_ = access; }
    // A parameter set has been read from a sensor in this session of the program.
    bool ParameterSetRead() const { return parameterSetRead_; }
    void SetParameterSetRead() { parameterSetRead_ = true; }
    // The set in memory is no longer the sensor's: closing sends nothing until it is read again.
    void ForgetParameterSet() { parameterSetRead_ = false; }

    // While the view is being filled from the register set, the controls' handlers do
    // nothing: their changes are no user edits.
    bool UpdatingView() const { return updatingView_ > 0; }
    class ViewUpdate {
    public:
        explicit ViewUpdate(SensorSession& session) : session_(session) { ++session_.updatingView_; }
        ~ViewUpdate() { --session_.updatingView_; }
        ViewUpdate(const ViewUpdate&) = delete;
        ViewUpdate& operator=(const ViewUpdate&) = delete;

    private:
        SensorSession& session_;
    };
    [[nodiscard]] ViewUpdate UpdateView() { return ViewUpdate(*this); }

signals:
    // UnsavedChanges has just been set (true) or cleared (false).
    void UnsavedChangesMarked(bool unsaved);
    // A long operation is about to hold the link (true), or has let go of it (false).
    void LinkHeldChanged(bool held);
    // The running operation's progress text.
    void OperationProgress(const QString& text);
    // A long operation has ended and its finishing step has run.
    void OperationEnded();

private:
    void EndOperation();

    std::unique_ptr<TSSICom> link_;
    std::unique_ptr<LinkThread> thread_;
    bool sessionActive_ = false;
    bool unsavedChanges_ = false;
    uint32_t missedPolls_ = 0;
    std::string lastFactoryNumber_ = NoFactoryNumber;
    std::string modelCode_;
    uint8_t languageCode_ = 0;
    uint8_t comPortNumber_ = 0;
    bool developerAccess_ = false;
    bool parameterSetRead_ = false;
    int updatingView_ = 0;
    bool held_ = false;
    std::function<void()> cancelOperation_;
    bool released_ = false;
};

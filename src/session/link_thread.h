#pragma once

#include <QEventLoop>
#include <QFuture>
#include <QPromise>
#include <QThread>
#include <functional>
#include <optional>
#include <type_traits>

#include "input_deferral.h"
#include "sensor_link.h"

// Runs the window's sensor jobs one at a time on a thread of their own. The caller waits
// for a job as for a plain call, so each handler keeps its order of steps on the wire,
// while the window's event loop goes on repainting.
class LinkThread {
public:
    // What becomes of the user's input while a job runs.
    enum class InputDuringJob {
        Held,             // carried out once the handler that waits for the job is done
        HeldAndAbandons,  // held, and the job gives up as failed between two transactions
        // Handled at once: a job the user ends from the window, such as a stream. A job
        // another handler starts meanwhile waits behind it, with the input still handled.
        Handled,
    };

    explicit LinkThread(TSSICom& link);
    ~LinkThread();
    LinkThread(const LinkThread&) = delete;
    LinkThread& operator=(const LinkThread&) = delete;

    template <class Job> auto Run(Job&& job, InputDuringJob input = InputDuringJob::Held)
    {
        using Result = std::invoke_result_t<Job&, TSSICom&>;
        if constexpr (std::is_void_v<Result>) {
            RunAndWait([&] { job(link_); }, input);
        } else {
            std::optional<Result> result;
            RunAndWait([&] { result.emplace(job(link_)); }, input);
            return std::move(*result);
        }
    }

    // Starts a long job on the link thread, after the jobs queued before it, and returns at once.
    template <class Result> QFuture<Result> Start(std::function<void(TSSICom&, QPromise<Result>&)> job)
    {
        auto promise = std::make_shared<QPromise<Result>>();
        QFuture<Result> future = promise->future();
        QMetaObject::invokeMethod(worker_, [this, job = std::move(job), promise] {
            promise->start();
            job(link_, *promise);
            promise->finish();
        });
        return future;
    }

    // A job is running or waiting: its caller waits in an event loop.
    bool Busy() const { return waitingCallers_ > 0; }
    // The user has acted while a job ran, and the window has not taken it up yet. Safe to
    // ask from the link thread.
    bool InputWaiting() const { return deferral_.InputWaiting(); }

private:
    void RunAndWait(const std::function<void()>& job, InputDuringJob input);

    TSSICom& link_;
    QThread thread_;
    QObject* worker_;
    // Lives in the window's thread: the end of a job is reported through it.
    QObject notifier_;
    InputDeferral deferral_;
    int waitingCallers_ = 0;
    int handledInputJobs_ = 0;
};

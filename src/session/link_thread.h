#pragma once

#include <QFuture>
#include <QPromise>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <type_traits>
#include <vector>

#include "input_deferral.h"
#include "sensor_link.h"

// Runs the window's sensor jobs one at a time on a thread of their own. Run's caller waits
// for a job as for a plain call, so each handler keeps its order of steps on the wire,
// while the window's event loop goes on repainting. Start's caller gets a future at once
// and follows a long job through its progress and results.
class LinkThread {
public:
    // What becomes of the user's input while a Run job runs.
    enum class InputDuringJob {
        Held,             // carried out once the handler that waits for the job is done
        HeldAndAbandons,  // held, and the job gives up as failed between two transactions
    };

    explicit LinkThread(TSSICom& link);
    // Cancels the long jobs still running or queued, then waits for the thread.
    ~LinkThread();
    LinkThread(const LinkThread&) = delete;
    LinkThread& operator=(const LinkThread&) = delete;

    // A job that throws hands its exception to the caller; the thread goes on.
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
    // The job looks at promise.isCanceled() between two steps; meanwhile the link's
    // queries give up between two attempts once the future is cancelled. An exception
    // the job throws is set on the promise. The user's input is not held back.
    template <class Result> QFuture<Result> Start(std::function<void(TSSICom&, QPromise<Result>&)> job)
    {
        // Shared: the queue holds jobs that copy, and a promise only moves.
        auto promise = std::make_shared<QPromise<Result>>();
        QFuture<Result> future = promise->future();
        Track(QFuture<void>(future));
        Queue([this, promise, job = std::move(job)] {
            promise->start();
            if (!promise->isCanceled()) {
                link_.SetAbandonCheck([&canceled = *promise] { return canceled.isCanceled(); });
                try {
                    job(link_, *promise);
                } catch (...) {
                    promise->setException(std::current_exception());
                }
                link_.SetAbandonCheck({});
            }
            longJobsEnded_.fetch_add(1, std::memory_order_release);
            promise->finish();
        });
        return future;
    }

    // Called in the window's thread once a long job's future has finished, before it takes
    // up what the job left in the link: Qt passes the end on through locks that the
    // race-checking build cannot see, so the job's end is also handed over here.
    void TakeOverFromLongJob() const { (void)longJobsEnded_.load(std::memory_order_acquire); }

    // A Run caller waits for its job.
    bool Busy() const { return waitingCallers_ > 0; }
    // The user has acted while a job ran, and the window has not taken it up yet. Safe to
    // ask from the link thread.
    bool InputWaiting() const { return deferral_.InputWaiting(); }

private:
    void RunAndWait(const std::function<void()>& job, InputDuringJob input);
    void Queue(std::function<void()> job);
    void Track(QFuture<void> longJob);
    // The thread's own loop: the jobs in the order they came, until the end is asked for
    // and none is left.
    void Serve();

    TSSICom& link_;
    // A plain thread with a queue of its own rather than Qt's events: its locks and its join
    // are visible to the race-checking build of the tests, whereas those inside Qt are not.
    std::mutex queueMutex_;
    std::condition_variable jobQueued_;
    std::deque<std::function<void()>> jobs_;
    bool ending_ = false;
    std::thread thread_;
    InputDeferral deferral_;
    int waitingCallers_ = 0;
    // Long jobs not known to be finished; only the window's thread touches the list.
    std::vector<QFuture<void>> longJobs_;
    std::atomic<unsigned> longJobsEnded_ = 0;
};

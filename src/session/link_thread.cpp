#include "link_thread.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <algorithm>
#include <atomic>

LinkThread::LinkThread(TSSICom& link) : link_(link), thread_([this] { Serve(); }) { }

// A queued long job still runs its start and finish, with its body skipped as cancelled.
LinkThread::~LinkThread()
{
    for (QFuture<void>& longJob : longJobs_)
        longJob.cancel();
    {
        const std::lock_guard lock(queueMutex_);
        ending_ = true;
    }
    jobQueued_.notify_one();
    thread_.join();
}

void LinkThread::Queue(std::function<void()> job)
{
    {
        const std::lock_guard lock(queueMutex_);
        jobs_.push_back(std::move(job));
    }
    jobQueued_.notify_one();
}

void LinkThread::Serve()
{
    for (;;) {
        std::function<void()> job;
        {
            std::unique_lock lock(queueMutex_);
            jobQueued_.wait(lock, [this] { return ending_ || !jobs_.empty(); });
            if (jobs_.empty())
                return;
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        job();
    }
}

void LinkThread::Track(QFuture<void> longJob)
{
    std::erase_if(longJobs_, [](const QFuture<void>& job) { return job.isFinished(); });
    longJobs_.push_back(std::move(longJob));
}

// The caller handles events until its job is done rather than running a nested exec():
// while the application quits, exec() returns at once and the wait would spin. Waiting
// for more events blocks until an event comes, and the link thread wakes it at the end of
// the job. A caller may wait inside another caller's wait: its job then runs after the
// other's.
void LinkThread::RunAndWait(const std::function<void()>& job, InputDuringJob input)
{
    const bool abandon = input == InputDuringJob::HeldAndAbandons;
    ++waitingCallers_;
    deferral_.Begin();
    std::atomic<bool> done = false;
    std::exception_ptr failure;
    QAbstractEventDispatcher* const callerEvents = QAbstractEventDispatcher::instance();
    Queue([this, &job, &done, &failure, abandon, callerEvents] {
        if (abandon)
            link_.SetAbandonCheck([this] { return deferral_.InputWaiting(); });
        try {
            job();
        } catch (...) {
            failure = std::current_exception();
        }
        link_.SetAbandonCheck({});
        done = true;
        // From here on the caller may have returned: nothing of its own is touched.
        callerEvents->wakeUp();
    });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    deferral_.End();
    --waitingCallers_;
    if (failure)
        std::rethrow_exception(failure);
}

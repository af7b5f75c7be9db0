#include "link_thread.h"

#include <QPointer>
#include <atomic>

LinkThread::LinkThread(TSSICom& link) : link_(link), worker_(new QObject)
{
    worker_->moveToThread(&thread_);
    QObject::connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
    thread_.start();
}

LinkThread::~LinkThread()
{
    thread_.quit();
    thread_.wait();
}

// The job's end quits the loop its caller waits in; the wait is repeated until the job is
// done, since quitting the application ends every event loop. A caller may wait inside
// another caller's wait: its job then runs after the other's.
void LinkThread::RunAndWait(const std::function<void()>& job, InputDuringJob input)
{
    const bool holdInput = input != InputDuringJob::Handled && handledInputJobs_ == 0;
    const bool abandon = input == InputDuringJob::HeldAndAbandons;
    ++waitingCallers_;
    handledInputJobs_ += input == InputDuringJob::Handled ? 1 : 0;
    if (holdInput)
        deferral_.Begin();
    QEventLoop waiting;
    std::atomic<bool> done = false;
    const auto finish = [loop = QPointer<QEventLoop>(&waiting)] {
        if (loop)
            loop->quit();
    };
    QMetaObject::invokeMethod(worker_, [this, &job, &done, abandon, finish] {
        if (abandon)
            link_.SetAbandonCheck([this] { return deferral_.InputWaiting(); });
        job();
        link_.SetAbandonCheck({});
        done = true;
        QMetaObject::invokeMethod(&notifier_, finish);
    });
    while (!done)
        waiting.exec();
    if (holdInput)
        deferral_.End();
    handledInputJobs_ -= input == InputDuringJob::Handled ? 1 : 0;
    --waitingCallers_;
}

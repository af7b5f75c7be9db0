#include "link_thread.h"

#include <QEventLoop>
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

// The job's end is reported through an object of the window's thread that outlives every
// wait; the wait itself is repeated until the job is done, since quitting the application
// ends every event loop.
void LinkThread::RunAndWait(const std::function<void()>& job, OnInput onInput)
{
    Q_ASSERT(!busy_);
    busy_ = true;
    deferral_.Begin();
    if (onInput == OnInput::Abandon)
        link_.SetAbandonCheck([this] { return deferral_.InputWaiting(); });
    QEventLoop waiting;
    waiting_ = &waiting;
    std::atomic<bool> done = false;
    QMetaObject::invokeMethod(worker_, [this, &job, &done] {
        job();
        done = true;
        QMetaObject::invokeMethod(&notifier_, [this] {
            if (waiting_)
                waiting_->quit();
        });
    });
    while (!done)
        waiting.exec();
    waiting_ = nullptr;
    link_.SetAbandonCheck({});
    deferral_.End();
    busy_ = false;
}

#include <QDialog>
#include <QEventLoop>
#include <QFutureWatcher>
#include <QPushButton>
#include <QTest>
#include <atomic>
#include <chrono>
#include <ctime>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "com_port_select_form.h"
#include "main_form_fixture.h"

namespace {

using namespace std::chrono_literals;

void PostClick(QWidget* button)
{
    const QPointF centre = QRectF(button->rect()).center();
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        QCoreApplication::postEvent(button,
            new QMouseEvent(type, centre, button->mapToGlobal(centre), Qt::LeftButton,
                type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier));
}

// A shown button that counts the clicks it gets.
struct CountedButton {
    CountedButton()
    {
        button.show();
        QObject::connect(&button, &QPushButton::clicked, [this] { ++clicks; });
    }
    QPushButton button;
    std::atomic<int> clicks = 0;
};

// Waits on the link thread until the condition holds, for 5 s at most.
bool WaitOnLinkThread(const std::function<bool()>& condition)
{
    for (int waited = 0; waited < 5000; ++waited) {
        if (condition())
            return true;
        std::this_thread::sleep_for(1ms);
    }
    return condition();
}

std::chrono::nanoseconds ThreadCpuTime()
{
    timespec time{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &time);
    return std::chrono::seconds(time.tv_sec) + std::chrono::nanoseconds(time.tv_nsec);
}

}  // namespace

// A job runs on the link thread while the window's event loop goes on; a click made
// meanwhile is carried out after the handler, not inside it.
TEST(LinkThreadJobs, RunOffTheWindowThreadAndHoldBackInput)
{
    TSSICom link;
    LinkThread thread(link);
    CountedButton counted;
    QPushButton& button = counted.button;
    std::atomic<int>& clicks = counted.clicks;
    // The click can only be posted while the job runs if the window's loop goes on.
    QTimer::singleShot(0, [&] { PostClick(&button); });

    const std::thread::id jobThread = thread.Run([&thread](TSSICom&) {
        for (int waited = 0; waited < 5000 && !thread.InputWaiting(); ++waited)
            std::this_thread::sleep_for(1ms);
        return std::this_thread::get_id();
    });
    EXPECT_NE(jobThread, std::this_thread::get_id());
    EXPECT_TRUE(thread.InputWaiting());
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return clicks == 1; }, 1000));
    EXPECT_FALSE(thread.InputWaiting());
}

// A tick runs while a message box is up; a click on the box made meanwhile closes it
// once the tick is done, while a click meant for the window behind it waits for the box.
TEST(LinkThreadJobs, HeldClickOnTheDialogOnTopReachesIt)
{
    TSSICom link;
    LinkThread thread(link);
    QPushButton behind("behind");
    behind.show();
    int behindClicks = 0;
    QObject::connect(&behind, &QPushButton::clicked, [&] { ++behindClicks; });
    QDialog box;
    auto* ok = new QPushButton("OK", &box);
    QObject::connect(ok, &QPushButton::clicked, &box, &QDialog::accept);
    QTimer::singleShot(0, [&] {
        PostClick(&behind);
        PostClick(ok);
        thread.Run([&thread](TSSICom&) {
            for (int waited = 0; waited < 5000 && !thread.InputWaiting(); ++waited)
                std::this_thread::sleep_for(1ms);
        });
    });

    EXPECT_EQ(box.exec(), QDialog::Accepted);
    EXPECT_EQ(behindClicks, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return behindClicks == 1; }, 1000));
}

// A long job reports its progress and its results to a watcher in the window's thread
// while the window's own loop goes on: a click made meanwhile is handled before the job ends.
TEST(LinkThreadJobs, LongJobReportsToTheWindowWhileInputGoesOn)
{
    TSSICom link;
    LinkThread thread(link);
    CountedButton counted;
    QPushButton& button = counted.button;
    std::atomic<int>& clicks = counted.clicks;
    // Holds the link thread until the watcher follows the job, so that it sees each report
    // as it comes rather than the state so far.
    std::atomic<bool> watching = false;
    thread.Start<void>([&](TSSICom&, QPromise<void>&) { WaitOnLinkThread([&] { return watching.load(); }); });

    std::atomic<std::thread::id> jobThread;
    std::atomic<bool> clickedDuringJob = false;
    const QFuture<int> future = thread.Start<int>([&](TSSICom&, QPromise<int>& promise) {
        jobThread = std::this_thread::get_id();
        promise.setProgressRange(0, 3);
        for (int step = 1; step <= 3; ++step) {
            // Qt passes on at most 25 progress reports a second.
            std::this_thread::sleep_for(50ms);
            promise.addResult(step * 10);
            promise.addResult(step * 10 + 1);
            promise.setProgressValueAndText(step, QString("step %1").arg(step));
        }
        clickedDuringJob = WaitOnLinkThread([&] { return clicks == 1; });
    });
    QFutureWatcher<int> watcher;
    std::vector<std::string> reports;
    const auto report = [&](const std::string& text) { reports.push_back(text); };
    QObject::connect(&watcher, &QFutureWatcherBase::started, [&] { report("started"); });
    QObject::connect(&watcher, &QFutureWatcherBase::progressRangeChanged,
        [&](int minimum, int maximum) { report("range " + std::to_string(minimum) + "-" + std::to_string(maximum)); });
    QObject::connect(&watcher, &QFutureWatcherBase::progressValueChanged,
        [&](int value) { report("value " + std::to_string(value)); });
    QObject::connect(
        &watcher, &QFutureWatcherBase::progressTextChanged, [&](const QString& text) { report(text.toStdString()); });
    QObject::connect(&watcher, &QFutureWatcherBase::resultsReadyAt, [&](int begin, int end) {
        for (int index = begin; index < end; ++index)
            report("result " + std::to_string(future.resultAt(index)));
    });
    QObject::connect(&watcher, &QFutureWatcherBase::finished, [&] { report("finished"); });
    watcher.setFuture(future);
    QTimer::singleShot(0, [&] { PostClick(&button); });
    watching = true;

    ASSERT_TRUE(QTest::qWaitFor([&] { return watcher.isFinished(); }, 5000));
    EXPECT_EQ(reports,
        (std::vector<std::string>{"started", "range 0-3", "result 10", "result 11", "value 1", "step 1", "result 20",
            "result 21", "value 2", "step 2", "result 30", "result 31", "value 3", "step 3", "finished"}));
    EXPECT_NE(jobThread, std::this_thread::get_id());
    EXPECT_TRUE(clickedDuringJob);
    EXPECT_FALSE(thread.InputWaiting());
}

// Cancelling a long job stops it at its next check, and the link's queries give up at
// once while the cancelled job still runs; the next job has the link back as before.
TEST(LinkThreadJobs, CancelStopsALongJobBetweenTwoSteps)
{
    TSSICom link;  // demo mode: a query succeeds without a sensor unless it gives up
    LinkThread thread(link);
    std::atomic<int> steps = 0;
    std::atomic<bool> queryAfterCancel = true;
    const QFuture<void> future = thread.Start<void>([&](TSSICom& sensor, QPromise<void>& promise) {
        for (int step = 1; step <= 5 && !promise.isCanceled(); ++step) {
            steps = step;
            if (step == 2) {
                WaitOnLinkThread([&] { return promise.isCanceled(); });
                queryAfterCancel = sensor.ReadFactoryNumber();
            }
        }
    });
    QFutureWatcher<void> watcher;
    bool canceled = false;
    QObject::connect(&watcher, &QFutureWatcherBase::canceled, [&] { canceled = true; });
    watcher.setFuture(future);

    ASSERT_TRUE(QTest::qWaitFor([&] { return steps == 2; }, 5000));
    watcher.cancel();
    ASSERT_TRUE(QTest::qWaitFor([&] { return watcher.isFinished(); }, 5000));
    EXPECT_TRUE(canceled);
    EXPECT_EQ(steps, 2);
    EXPECT_FALSE(queryAfterCancel);
    EXPECT_TRUE(thread.Run([](TSSICom& sensor) { return sensor.ReadFactoryNumber(); }));
}

// Long jobs and Run's jobs share one queue: a Run waits for the long job started before it.
TEST(LinkThreadJobs, LongAndShortJobsRunInTheOrderTheyCame)
{
    TSSICom link;
    LinkThread thread(link);
    std::vector<std::string> order;
    const QFuture<void> longJob = thread.Start<void>([&](TSSICom&, QPromise<void>& promise) {
        for (int step = 1; step <= 3 && !promise.isCanceled(); ++step) {
            std::this_thread::sleep_for(20ms);
            order.push_back("long job step " + std::to_string(step));
        }
    });
    EXPECT_FALSE(thread.Busy());  // no caller waits for a long job

    thread.Run([&](TSSICom&) { order.push_back("short job"); });
    EXPECT_TRUE(longJob.isFinished());
    EXPECT_EQ(order, (std::vector<std::string>{"long job step 1", "long job step 2", "long job step 3", "short job"}));
}

// A job that throws fails its own caller only: held input is handed on, and the thread
// runs the next job.
TEST(LinkThreadJobs, JobThatThrowsFailsItsCallerAndTheThreadGoesOn)
{
    TSSICom link;
    LinkThread thread(link);
    CountedButton counted;
    QPushButton& button = counted.button;
    std::atomic<int>& clicks = counted.clicks;
    QTimer::singleShot(0, [&] { PostClick(&button); });

    EXPECT_THROW(thread.Run([&thread](TSSICom&) -> int {
        WaitOnLinkThread([&thread] { return thread.InputWaiting(); });
        throw std::runtime_error("no reply");
    }),
        std::runtime_error);
    EXPECT_FALSE(thread.Busy());
    EXPECT_TRUE(QTest::qWaitFor([&] { return clicks == 1; }, 1000));

    QFuture<int> longJob = thread.Start<int>([](TSSICom&, QPromise<int>&) { throw std::runtime_error("no reply"); });
    EXPECT_THROW(longJob.waitForFinished(), std::runtime_error);
    EXPECT_EQ(thread.Run([](TSSICom&) { return 7; }), 7);
}

// While the application quits, every nested event loop returns at once; a caller's wait
// still lasts until its job is done, and blocks rather than spins meanwhile.
TEST(LinkThreadJobs, WaitWhileTheApplicationQuitsEndsWithTheJobWithoutSpinning)
{
    TSSICom link;
    LinkThread thread(link);
    std::atomic<bool> jobDone = false;
    bool quitUnderWay = false;
    std::chrono::nanoseconds wall{};
    std::chrono::nanoseconds cpu{};
    // A quit only takes hold inside the application's own exec, as in the program; exec
    // clears it again on its way out, so the tests that follow have working event loops.
    QTimer::singleShot(0, qApp, [&] {
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        const auto wallStart = std::chrono::steady_clock::now();
        const std::chrono::nanoseconds cpuStart = ThreadCpuTime();
        thread.Run([&](TSSICom&) {
            std::this_thread::sleep_for(300ms);
            jobDone = true;
        });
        cpu = ThreadCpuTime() - cpuStart;
        wall = std::chrono::steady_clock::now() - wallStart;
        quitUnderWay = QEventLoop().exec() == -1;
    });
    QCoreApplication::exec();

    EXPECT_TRUE(quitUnderWay);
    EXPECT_TRUE(jobDone);
    EXPECT_GE(wall, 300ms);
    EXPECT_LT(cpu, wall * 3 / 10);
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&loop] { loop.exit(1); });
    EXPECT_EQ(loop.exec(), 1);
}

// Closing the link thread cancels the long job that runs and drops the one queued behind
// it, finishing both futures.
TEST(LinkThreadJobs, EndOfTheThreadCancelsItsLongJobs)
{
    TSSICom link;
    QFuture<void> running;
    QFuture<void> queued;
    std::atomic<bool> started = false;
    std::atomic<bool> cancelSeen = false;
    std::atomic<bool> queuedRan = false;
    {
        LinkThread thread(link);
        running = thread.Start<void>([&](TSSICom&, QPromise<void>& promise) {
            started = true;
            cancelSeen = WaitOnLinkThread([&] { return promise.isCanceled(); });
        });
        queued = thread.Start<void>([&](TSSICom&, QPromise<void>&) { queuedRan = true; });
        ASSERT_TRUE(QTest::qWaitFor([&] { return started.load(); }, 5000));
    }
    EXPECT_TRUE(cancelSeen);
    EXPECT_TRUE(running.isFinished());
    EXPECT_TRUE(queued.isCanceled());
    EXPECT_TRUE(queued.isFinished());
    EXPECT_FALSE(queuedRan);
}

// While no sensor answers, the user's click ends the probe between two attempts.
TEST_F(MainWindow, ProbeOfAMissingSensorGivesWayToTheUser)
{
    StartWithSensor();
    Tick();
    host->SetFaults({.dead = true});
    host->ClearLog();
    QTimer::singleShot(30, [&] { PostClick(Ui().SelComPort); });
    bool portDialog = false;
    AnswerForm<TComPortSelectForm>(dialogs, [&](TComPortSelectForm& dialog) {
        portDialog = true;
        dialog.done(DialogAbort);
    });
    Tick();
    EXPECT_LT(CountSent("FA"), 5);
    EXPECT_TRUE(Session().SessionActive());  // the tick counts as not run
    EXPECT_EQ(Session().MissedPolls(), 0u);
    EXPECT_TRUE(QTest::qWaitFor([&] { return portDialog; }, 2000));
}

// A tick that falls due while a handler waits for its job is not run.
TEST_F(MainWindow, NoTickWhileAnotherJobRuns)
{
    StartWithSensor();
    Tick();
    host->ClearLog();
    std::atomic<bool> tickCalled = false;
    QTimer::singleShot(0, [&] {
        form->Supervisor().IdleFunction();
        tickCalled = true;
    });
    Session().Run([&tickCalled](TSSICom&) {
        for (int waited = 0; waited < 5000 && !tickCalled; ++waited)
            std::this_thread::sleep_for(1ms);
    });
    EXPECT_TRUE(tickCalled);
    EXPECT_TRUE(Sent().empty());
}

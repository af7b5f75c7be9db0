#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <atomic>
#include <chrono>
#include <thread>

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

}  // namespace

// A job runs on the link thread while the window's event loop goes on; a click made
// meanwhile is carried out after the handler, not inside it.
TEST(LinkThreadJobs, RunOffTheWindowThreadAndHoldBackInput)
{
    TSSICom link;
    LinkThread thread(link);
    QPushButton button;
    button.show();
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] { ++clicks; });
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

// A job the user ends from the window, such as a stream: clicks are handled at once, and
// a job another handler starts meanwhile runs after it.
TEST(LinkThreadJobs, JobThatTheUserEndsLetsInputThrough)
{
    TSSICom link;
    LinkThread thread(link);
    QPushButton other("other");
    QPushButton quit("quit");
    std::atomic<bool> streaming = true;
    std::vector<std::string> order;
    QObject::connect(&other, &QPushButton::clicked, [&] {
        order.push_back("other clicked");
        thread.Run([&order](TSSICom&) { order.push_back("other's job"); });
    });
    QObject::connect(&quit, &QPushButton::clicked, [&] {
        order.push_back("quit clicked");
        streaming = false;
    });
    QTimer::singleShot(0, [&] { PostClick(&other); });
    QTimer::singleShot(20, [&] { PostClick(&quit); });

    thread.Run(
        [&](TSSICom&) {
            for (int waited = 0; waited < 5000 && streaming; ++waited)
                std::this_thread::sleep_for(1ms);
            order.push_back("stream ended");
        },
        LinkThread::InputDuringJob::Handled);
    EXPECT_EQ(order, (std::vector<std::string>{"other clicked", "quit clicked", "stream ended", "other's job"}));
    EXPECT_FALSE(thread.Busy());
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

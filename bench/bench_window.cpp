// How lively the main window stays while it works with the sensor: the real window on the
// offscreen platform against the simulated sensor, with the link's real waits and Timer1
// running as in production. Each benchmark is one state of the window; it reports the
// longest gap between two runs of the window's event loop and the delay of posted clicks.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEventLoop>
#include <QMouseEvent>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <deque>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "dialog_service.h"
#include "main_form.h"
#include "port_folder.h"
#include "pty_host.h"
#include "sensor_session.h"
#include "ui_main_form.h"

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr int kPort = 97;
// A firmware that has every register, so that the whole set is transferred.
constexpr int32_t kFullFirmware = 3960610;
constexpr Milliseconds kStateTimeout{30000};

// Goals of the window: it repaints at least every 50 ms; a click is handled within
// 200 ms in a steady session and within 250 ms while no sensor answers.
constexpr double kMaxGapGoalMs = 50;

struct PauseRange {
    int minMs, maxMs;
};

// Posts a mouse click (press and release) onto a control as the window system delivers
// one: it passes the application's event filters, so the window holds it back while a
// sensor job runs.
void PostClick(QWidget& control)
{
    const QPointF local = QRectF(control.rect()).center();
    const QPointF global = control.mapToGlobal(local);
    QCoreApplication::postEvent(&control,
        new QMouseEvent(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(&control,
        new QMouseEvent(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
}

// The time the virtual machine's host has taken from all its processors so far (the
// "steal" column of /proc/stat, in clock ticks of 10 ms): a gap the host made is no gap
// of the window's.
Milliseconds StolenSoFar()
{
    std::ifstream stat("/proc/stat");
    std::string cpu;
    uint64_t user = 0, nice = 0, system = 0, idle = 0, iowait = 0, irq = 0, softirq = 0, steal = 0;
    stat >> cpu >> user >> nice >> system >> idle >> iowait >> irq >> softirq >> steal;
    return Milliseconds(10.0 * static_cast<double>(steal));
}

// Runs the window's event loop until done() holds; false when the time ran out first.
// done() is asked every 10 ms, also from the loops that sensor jobs wait in: the loop
// ends once the handler that runs has finished.
bool RunWindowUntil(const std::function<bool()>& done, Milliseconds timeout)
{
    QEventLoop loop;
    QTimer poll;
    const Clock::time_point start = Clock::now();
    bool timedOut = false;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        timedOut = Clock::now() - start > timeout;
        if (timedOut || done())
            loop.quit();
    });
    poll.start(10);
    loop.exec();
    return !timedOut;
}

struct Liveliness {
    double maxGapMs = 0;
    // How much of the longest gap the window's thread was ready to run but waited for a
    // core, that other programs had.
    double maxGapQueuedMs = 0;
    // The longest time the window's thread ran between two turns of its event loop: the
    // window's own work, whatever other programs do (on a virtual machine, time the host
    // takes away from the thread while it runs counts here too).
    double maxWorkMs = 0;
    std::vector<double> inputDelaysMs;
    std::vector<double> gapsMs;

    // The gap that 99 of 100 gaps do not exceed, and how many gaps exceeded the limit.
    double GapPercentileMs(double share) const
    {
        if (gapsMs.empty())
            return 0;
        std::vector<double> sorted = gapsMs;
        std::sort(sorted.begin(), sorted.end());
        return sorted[static_cast<size_t>(share * static_cast<double>(sorted.size() - 1))];
    }
    long GapsOver(double limitMs) const
    {
        return std::count_if(gapsMs.begin(), gapsMs.end(), [limitMs](double gap) { return gap > limitMs; });
    }
    double MaxInputDelayMs() const
    {
        return inputDelaysMs.empty() ? 0 : *std::max_element(inputDelaysMs.begin(), inputDelaysMs.end());
    }
    double MedianInputDelayMs() const
    {
        if (inputDelaysMs.empty())
            return 0;
        std::vector<double> sorted = inputDelaysMs;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    }
};

// The calling thread's time on a processor and its time ready in the run queue so far,
// as the Linux scheduler counts them.
struct ThreadTimes {
    Milliseconds running{}, queued{};

    static ThreadTimes Now()
    {
        std::ifstream schedstat("/proc/thread-self/schedstat");
        uint64_t runningNs = 0, queuedNs = 0;
        schedstat >> runningNs >> queuedNs;
        return {std::chrono::nanoseconds(runningNs), std::chrono::nanoseconds(queuedNs)};
    }
};

// Measures how lively the window's thread stays.
// Gaps: a 1 ms precise timer whose timeouts are timestamped. Its timeouts come only while
// an event loop of the window's thread runs (the main loop or the loop a sensor job waits
// in), so the longest time between two of them is the longest time the window could
// neither repaint nor take input.
// Input delay: clicks posted onto a push button the meter adds to the window's status bar,
// each timed from posting until the button's clicked signal. The button is connected to
// nothing else, so its click does no sensor work and opens no dialog, and it is enabled in
// every state; the window holds its clicks back like any other while a job runs. Clicks
// are posted at random moments, whether or not the last one has been handled yet.
class LivelinessMeter {
public:
    explicit LivelinessMeter(TMainForm& form) : button_(new QPushButton("Probe"))
    {
        form.statusBar()->addPermanentWidget(button_);
        QObject::connect(button_, &QPushButton::clicked, [this] { ClickHandled(); });
        heartbeat_.setTimerType(Qt::PreciseTimer);
        heartbeat_.setInterval(1);
        QObject::connect(&heartbeat_, &QTimer::timeout, [this] { Beat(); });
        nextClick_.setSingleShot(true);
        QObject::connect(&nextClick_, &QTimer::timeout, [this] { Click(); });
    }

    void Start(PauseRange pauses)
    {
        result_ = {};
        pauses_ = pauses;
        lastBeat_ = Clock::now();
        lastBeatTimes_ = ThreadTimes::Now();
        heartbeat_.start();
        ScheduleClick();
    }
    Liveliness Stop()
    {
        heartbeat_.stop();
        nextClick_.stop();
        return result_;
    }
    bool ClickWaiting() const { return !clicksPosted_.empty(); }

private:
    void Beat()
    {
        const Clock::time_point now = Clock::now();
        const ThreadTimes times = ThreadTimes::Now();
        const double gapMs = Milliseconds(now - lastBeat_).count();
        result_.gapsMs.push_back(gapMs);
        if (gapMs > result_.maxGapMs) {
            result_.maxGapMs = gapMs;
            result_.maxGapQueuedMs = (times.queued - lastBeatTimes_.queued).count();
        }
        result_.maxWorkMs = std::max(result_.maxWorkMs, (times.running - lastBeatTimes_.running).count());
        lastBeat_ = now;
        lastBeatTimes_ = times;
    }
    void Click()
    {
        clicksPosted_.push_back(Clock::now());
        PostClick(*button_);
        ScheduleClick();
    }
    void ClickHandled()
    {
        result_.inputDelaysMs.push_back(Milliseconds(Clock::now() - clicksPosted_.front()).count());
        clicksPosted_.pop_front();
    }
    void ScheduleClick() { nextClick_.start(std::uniform_int_distribution(pauses_.minMs, pauses_.maxMs)(random_)); }

    QPushButton* button_;  // owned by the window
    QTimer heartbeat_;
    QTimer nextClick_;
    std::mt19937 random_{20240617};
    PauseRange pauses_{};
    Clock::time_point lastBeat_;
    ThreadTimes lastBeatTimes_;
    std::deque<Clock::time_point> clicksPosted_;  // handled in the order they were posted
    Liveliness result_;
};

// The main window as the user starts it, with the simulated sensor on COM 97, in the
// private settings and port folder of this process; every message box answers itself and
// every form of ours is closed unanswered.
class Window {
public:
    Window() : sensor_(NewSensor())
    {
        QSettings store("QOR", "SSI Tesmira");
        store.setValue("Language", 0);
        store.setValue("COM-Port", kPort);
        store.sync();
        form_ = std::make_unique<TMainForm>(dialogs_);
        meter_ = std::make_unique<LivelinessMeter>(*form_);
    }
    ~Window()
    {
        meter_.reset();
        form_.reset();
    }
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    TMainForm& Form() { return *form_; }
    SensorSession& Session() { return form_->Session(); }
    sim::PtyHost& Sensor() { return *sensor_; }
    LivelinessMeter& Meter() { return *meter_; }

    // Another sensor, with a factory number the window has not seen, takes the port.
    std::string ReplaceSensor()
    {
        sensor_.reset();
        sensor_ = NewSensor();
        return factoryNumber_;
    }
    // Between two ticks of a running session.
    bool SessionReady() const
    {
        const SensorSession& session = form_->Session();
        return session.SessionActive() && !session.LinkBusy() && form_->Timer1->isActive();
    }
    // Lets the window find its sensor again (plugged in, when it was not).
    bool ReachSession()
    {
        if (sensor_->DevicePath().empty())
            sensor_->Replug();
        return RunWindowUntil([this] { return SessionReady(); }, kStateTimeout);
    }
    bool EndSession()
    {
        return RunWindowUntil([this] { return !form_->Session().SessionActive(); }, kStateTimeout);
    }

private:
    std::unique_ptr<sim::PtyHost> NewSensor()
    {
        sim::SensorSettings settings;
        settings.firmwareVersion = kFullFirmware;
        settings.factoryNumber = factoryNumber_ = std::to_string(12345678 + sensorsMade_++);
        auto sensor = std::make_unique<sim::PtyHost>(settings);
        sensor->Start();
        sensor->LinkAsPort(kPort);
        return sensor;
    }

    int sensorsMade_ = 0;
    std::string factoryNumber_;
    ScriptedDialogService dialogs_;
    std::unique_ptr<sim::PtyHost> sensor_;
    std::unique_ptr<TMainForm> form_;
    std::unique_ptr<LivelinessMeter> meter_;
};

Window* window = nullptr;

// One measured state: begin() starts its sequence; the state lasts until done() holds,
// at least `minimum`, and until the last posted click has been handled.
struct StateRun {
    std::function<void()> begin = [] {};
    std::function<bool()> done = [] { return true; };
    Milliseconds minimum{0};
    PauseRange pauses{100, 400};
    std::optional<double> clickGoalMs;
};

std::string GoalLabel(const Liveliness& measured, const std::optional<double>& clickGoalMs)
{
    const auto verdict = [](bool met) { return met ? "met" : "MISSED"; };
    std::string label = std::string("goals: gap <= 50 ms ") + verdict(measured.maxGapMs <= kMaxGapGoalMs);
    if (clickGoalMs)
        label += ", click <= " + std::to_string(static_cast<int>(*clickGoalMs)) + " ms "
            + verdict(measured.MaxInputDelayMs() <= *clickGoalMs);
    return label;
}

void Measure(benchmark::State& state, const StateRun& run)
{
    LivelinessMeter& meter = window->Meter();
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        const Milliseconds stolenBefore = StolenSoFar();
        meter.Start(run.pauses);
        run.begin();
        const bool finished = RunWindowUntil(
            [&] { return Clock::now() - start >= run.minimum && run.done() && !meter.ClickWaiting(); }, kStateTimeout);
        const Liveliness measured = meter.Stop();
        state.counters["host_stole_ms"] = (StolenSoFar() - stolenBefore).count();
        if (!finished)
            state.SkipWithError("the state's sequence did not finish in time");
        state.counters["max_gap_ms"] = measured.maxGapMs;
        state.counters["gap_p99_ms"] = measured.GapPercentileMs(0.99);
        state.counters["gaps_over_50ms"] = static_cast<double>(measured.GapsOver(kMaxGapGoalMs));
        state.counters["max_gap_queued_ms"] = measured.maxGapQueuedMs;
        state.counters["max_work_ms"] = measured.maxWorkMs;
        state.counters["input_delay_max_ms"] = measured.MaxInputDelayMs();
        state.counters["input_delay_median_ms"] = measured.MedianInputDelayMs();
        state.counters["samples"] = static_cast<double>(measured.inputDelaysMs.size());
        state.SetLabel(GoalLabel(measured, run.clickGoalMs));
    }
}

// The same window with Timer1 stopped: what the machine alone does to the gaps.
void BM_QuietWindow(benchmark::State& state)
{
    if (!window->ReachSession())
        return state.SkipWithError("no session");
    window->Form().Timer1->stop();
    Measure(state, {.minimum = Milliseconds(4000)});
    window->Form().Timer1->start();
}

// A session runs: each tick purges and asks for the factory number and the operating time.
void BM_SteadySession(benchmark::State& state)
{
    if (!window->ReachSession())
        return state.SkipWithError("no session");
    Measure(state, {.minimum = Milliseconds(4000), .clickGoalMs = 200});
}

// The sensor is unplugged: probes of five failed attempts and wake-up bursts, one after
// the other. The pauses between clicks are long, so that some cycles run whole.
void BM_SensorMissing(benchmark::State& state)
{
    if (!window->ReachSession())
        return state.SkipWithError("no session");
    Measure(state,
        {.begin = [] { window->Sensor().Unplug(); },
            .minimum = Milliseconds(12000),
            .pauses = {300, 1500},
            .clickGoalMs = 250});
}

// A new sensor answers: the session starts with reading its whole set.
void BM_WholeSetRead(benchmark::State& state)
{
    if (!window->ReachSession())
        return state.SkipWithError("no session");
    window->Sensor().Unplug();
    if (!window->EndSession())
        return state.SkipWithError("the session did not end");
    std::string factoryNumber;
    Measure(state,
        {.begin = [&factoryNumber] { factoryNumber = window->ReplaceSensor(); },
            .done =
                [&factoryNumber] {
                    return window->SessionReady() && window->Session().LastFactoryNumber() == factoryNumber;
                }});
}

// The same sensor comes back while edits are unsaved: the session starts with writing its
// whole set.
void BM_WholeSetWrite(benchmark::State& state)
{
    if (!window->ReachSession())
        return state.SkipWithError("no session");
    window->Session().MarkUnsaved();
    window->Sensor().Unplug();
    if (!window->EndSession())
        return state.SkipWithError("the session did not end");
    Measure(state, {.begin = [] { window->Sensor().Replug(); }, .done = [] { return window->SessionReady(); }});
}

// A click on the EEPROM update button stores the unsaved edits and wakes the sensor.
void BM_EepromStore(benchmark::State& state)
{
    if (!window->ReachSession())
        return state.SkipWithError("no session");
    window->Session().MarkUnsaved();
    Measure(state,
        {.begin = [] { PostClick(*window->Form().Controls()->EEPROMUpdateButton); },
            .done = [] { return window->SessionReady() && !window->Session().UnsavedChanges(); }});
}

BENCHMARK(BM_QuietWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_SteadySession)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_SensorMissing)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_WholeSetRead)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_WholeSetWrite)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_EepromStore)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace

int main(int argc, char* argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const PrivatePortFolder folders;  // XDG_CONFIG_HOME: the settings and the port folder
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    {
        Window started;
        window = &started;
        benchmark::RunSpecifiedBenchmarks();
        window = nullptr;
    }
    benchmark::Shutdown();
    return 0;
}

#pragma once

#include <QEventLoop>
#include <QThread>
#include <functional>
#include <optional>
#include <type_traits>

#include "input_deferral.h"
#include "sensor_link.h"

// Runs the window's sensor jobs one at a time on a thread of their own. The caller waits
// for a job as for a plain call, so each handler keeps its order of steps on the wire,
// while the window's event loop goes on repainting and holds back the user's input.
class LinkThread {
public:
    // What a job does when the user acts while it runs.
    enum class OnInput {
        Continue,
        Abandon,  // give up between two transactions, as failed
    };

    explicit LinkThread(TSSICom& link);
    ~LinkThread();
    LinkThread(const LinkThread&) = delete;
    LinkThread& operator=(const LinkThread&) = delete;

    template <class Job> auto Run(Job&& job, OnInput onInput = OnInput::Continue)
    {
        using Result = std::invoke_result_t<Job&, TSSICom&>;
        if constexpr (std::is_void_v<Result>) {
            RunAndWait([&] { job(link_); }, onInput);
        } else {
            std::optional<Result> result;
            RunAndWait([&] { result.emplace(job(link_)); }, onInput);
            return std::move(*result);
        }
    }

    // A job is running: the caller is waiting in the event loop.
    bool Busy() const { return busy_; }
    // The user has acted while a job ran, and the window has not taken it up yet.
    bool InputWaiting() const { return deferral_.InputWaiting(); }

private:
    void RunAndWait(const std::function<void()>& job, OnInput onInput);

    TSSICom& link_;
    QThread thread_;
    QObject* worker_;
    QObject notifier_;
    QEventLoop* waiting_ = nullptr;
    InputDeferral deferral_;
    bool busy_ = false;
};

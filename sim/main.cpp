#include <pthread.h>
#include <signal.h>

#include <iostream>
#include <stdexcept>

#include "command_line.h"
#include "pty_host.h"

namespace {

int Fail(int exitCode, const std::exception& error)
{
    std::cerr << "ssi-sensor-sim: " << error.what() << '\n';
    return exitCode;
}

}  // namespace

int main(int argc, char** argv)
{
    sim::CommandLine commandLine;
    try {
        commandLine = sim::ParseCommandLine({argv + 1, argv + argc});
    } catch (const std::invalid_argument& error) {
        return Fail(2, error);
    }
    if (commandLine.help) {
        std::cout << sim::kUsage;
        return 0;
    }

    // Blocked before the serving thread starts, so that only sigwait sees them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    try {
        sim::PtyHost host(commandLine.settings);
        host.SetFaults(commandLine.faults);
        host.Start();
        host.LinkAsPort(commandLine.port);
        std::cout << "COM" << commandLine.port << " -> " << host.DevicePath() << std::endl;
        int received = 0;
        sigwait(&stopSignals, &received);
        host.Stop();
    } catch (const std::invalid_argument& error) {
        return Fail(2, error);
    } catch (const std::exception& error) {
        return Fail(1, error);
    }
    return 0;
}

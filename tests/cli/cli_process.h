#pragma once

#include <string>
#include <vector>

// The outcome of one run of the ssi-tesmira-cli executable.
struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// How to start it: through a wrapper command (such as one that changes the user), with
// its standard output sent to a given file instead of the captured one, and with the text
// its standard input holds (it ends there).
struct CliLaunch {
    std::vector<std::string> wrapper;
    std::string stdoutPath;
    std::string stdinText;
};

// Runs ssi-tesmira-cli with arguments in this process's environment, capturing its output
// through files in scratchFolder.
CliRun RunCli(
    const std::vector<std::string>& arguments, const std::string& scratchFolder, const CliLaunch& launch = {});

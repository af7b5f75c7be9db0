#pragma once

#include <string>
#include <vector>

// The outcome of one run of the ssi-tesmira-cli executable.
struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs ssi-tesmira-cli with arguments in this process's environment, capturing its output
// through files in scratchFolder.
CliRun RunCli(const std::vector<std::string>& arguments, const std::string& scratchFolder);

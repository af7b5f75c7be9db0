#include "cli_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace {

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

// posix_spawn file actions that take stdin from a file and send stdout and stderr into two.
class Redirection {
public:
    Redirection(const std::string& inPath, const std::string& outPath, const std::string& errPath)
    {
        posix_spawn_file_actions_init(&actions_);
        posix_spawn_file_actions_addopen(&actions_, 0, inPath.c_str(), O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions_, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&actions_, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    }
    ~Redirection() { posix_spawn_file_actions_destroy(&actions_); }
    Redirection(const Redirection&) = delete;
    Redirection& operator=(const Redirection&) = delete;

    const posix_spawn_file_actions_t* Actions() const { return &actions_; }

private:
    posix_spawn_file_actions_t actions_{};
};

}  // namespace

CliRun RunCli(const std::vector<std::string>& arguments, const std::string& scratchFolder, const CliLaunch& launch)
{
    const std::string outPath = launch.stdoutPath.empty() ? scratchFolder + "/cli.out" : launch.stdoutPath;
    const std::string errPath = scratchFolder + "/cli.err";
    const std::string inPath = scratchFolder + "/cli.in";
    std::ofstream(inPath, std::ios::binary) << launch.stdinText;
    const Redirection redirection(inPath, outPath, errPath);

    std::vector<std::string> words = launch.wrapper;
    words.push_back(SSI_TESMIRA_CLI);
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    pid_t child = 0;
    if (posix_spawnp(&child, argv[0], redirection.Actions(), nullptr, argv.data(), environ) != 0)
        throw std::runtime_error("cannot start " + words.front());
    int status = 0;
    waitpid(child, &status, 0);
    const std::string out = launch.stdoutPath.empty() ? ReadWholeFile(outPath) : std::string();
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out, ReadWholeFile(errPath)};
}

#include "process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace {

// Every folder handed out, removed as the test program ends, whether its tests passed or
// failed; a program killed by a signal leaves its folders behind.
struct MadeDirs {
    std::vector<std::string> paths;
    ~MadeDirs()
    {
        for (const std::string& path : paths) {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    }
};

MadeDirs& madeDirs()
{
    static MadeDirs dirs;
    return dirs;
}

} // namespace

std::string makeTempDir()
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base != nullptr ? base : "/tmp") + "/cube-test-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        return {};
    }
    madeDirs().paths.push_back(pattern);
    return pattern;
}

ChildProcess startProcess(const std::vector<std::string>& argv, const std::string& input,
                          const std::optional<std::string>& display, const std::string& dir)
{
    const std::string inputPath = dir + "/stdin";
    std::ofstream(inputPath, std::ios::binary) << input;
    return startProcessReading(argv, inputPath, display, dir);
}

ChildProcess startProcessReading(const std::vector<std::string>& argv, const std::string& inputPath,
                                 const std::optional<std::string>& display, const std::string& dir)
{
    ChildProcess child{-1, dir + "/stdout", dir + "/stderr"};

    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        if (std::strncmp(*e, "DISPLAY=", 8) != 0) {
            env.emplace_back(*e);
        }
    }
    if (display) {
        env.push_back("DISPLAY=" + *display);
    }

    auto pointers = [](std::vector<std::string>& strings) {
        std::vector<char*> result;
        for (std::string& s : strings) {
            result.push_back(s.data());
        }
        result.push_back(nullptr);
        return result;
    };
    std::vector<std::string> args = argv;
    std::vector<char*> argPointers = pointers(args);
    std::vector<char*> envPointers = pointers(env);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, inputPath.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, child.stdoutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, child.stderrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (posix_spawnp(&child.pid, argPointers[0], &actions, nullptr, argPointers.data(), envPointers.data()) != 0) {
        child.pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    return child;
}

std::optional<int> waitForExit(pid_t pid, std::chrono::milliseconds timeout)
{
    if (pid <= 0) {
        return std::nullopt; // never started; waitpid would take any child instead
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        int status = 0;
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        if (done < 0 || std::chrono::steady_clock::now() > deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20)); // the poll's interval; the deadline decides
    }
}

void killProcess(pid_t pid)
{
    if (pid > 0 && kill(pid, SIGKILL) == 0) {
        waitpid(pid, nullptr, 0);
    }
}

std::string readFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

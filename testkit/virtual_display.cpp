#include "virtual_display.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr int kStartTimeoutMs = 20000;

} // namespace

VirtualDisplay::VirtualDisplay()
{
    // The server picks a free display number itself and writes it to this pipe once it
    // accepts connections, which avoids both guessing numbers and racing its start.
    int ready[2];
    if (pipe(ready) != 0) {
        return;
    }
    std::vector<std::string> args = {"bash", CUBE_TESTKIT_DIR "/xvfb.sh", "--displayfd", std::to_string(ready[1])};
    std::vector<char*> argv;
    for (std::string& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, ready[0]);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const int spawned = posix_spawnp(&pid_, "bash", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(ready[1]);
    if (spawned != 0) {
        pid_ = -1;
        close(ready[0]);
        return;
    }

    std::string number;
    pollfd readable{ready[0], POLLIN, 0};
    while (poll(&readable, 1, kStartTimeoutMs) > 0) {
        char c;
        if (read(ready[0], &c, 1) != 1 || c == '\n') {
            break;
        }
        number.push_back(c);
    }
    close(ready[0]);
    if (!number.empty()) {
        name_ = ":" + number;
    }
}

VirtualDisplay::~VirtualDisplay()
{
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

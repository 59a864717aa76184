// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Launcher.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tagnomen {

bool LaunchDetached(const std::vector<std::string>& argv) {
    if (argv.empty()) {
        return false;
    }
    std::vector<char*> args;
    for (const std::string& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    // A pipe tells the parent whether exec succeeded: it is closed on exec,
    // and written to when exec fails.
    int status[2];
    if (pipe2(status, O_CLOEXEC) != 0) {
        return false;
    }
    pid_t child = fork();
    if (child < 0) {
        close(status[0]);
        close(status[1]);
        return false;
    }
    if (child == 0) {
        // The grandchild is re-parented to init, so no zombie is left behind.
        setsid();
        if (fork() != 0) {
            _exit(0);
        }
        int devnull = open("/dev/null", O_RDWR);
        if (devnull >= 0) {
            dup2(devnull, 0);
            dup2(devnull, 1);
            dup2(devnull, 2);
        }
        execvp(args[0], args.data());
        char failed = 1;
        (void)!write(status[1], &failed, 1);
        _exit(127);
    }
    close(status[1]);
    waitpid(child, nullptr, 0);
    char failed = 0;
    ssize_t got = read(status[0], &failed, 1);
    close(status[0]);
    return got == 0;
}

bool OpenInBrowser(const std::string& address) {
    return LaunchDetached({"xdg-open", address});
}

}  // namespace tagnomen

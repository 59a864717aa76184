// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChildProcess.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <random>
#include <thread>

namespace tagnomen::testing {

ChildProcess::ChildProcess(const std::function<int(ChildProcess& self)>& body) {
    int fds[2];
    if (pipe(fds) != 0) {
        return;
    }
    readFd_ = fds[0];
    writeFd_ = fds[1];
    pid_ = fork();
    if (pid_ == 0) {
        close(readFd_);
        // _exit: the child must not run the test framework's exit handlers.
        _exit(body(*this));
    }
    close(writeFd_);
    writeFd_ = -1;
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0 && !reaped_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (readFd_ >= 0) {
        close(readFd_);
    }
}

void ChildProcess::Signal() {
    const char byte = 1;
    (void)write(writeFd_, &byte, 1);
}

bool ChildProcess::WaitForSignal(std::chrono::milliseconds timeout) {
    pollfd ready{readFd_, POLLIN, 0};
    char byte = 0;
    return poll(&ready, 1, static_cast<int>(timeout.count())) == 1 && read(readFd_, &byte, 1) == 1;
}

void ChildProcess::Kill() {
    if (pid_ > 0 && !reaped_) {
        kill(pid_, SIGKILL);
    }
}

bool ChildProcess::Wait(std::chrono::milliseconds timeout, int& exitStatus) {
    exitStatus = -1;
    if (pid_ <= 0) {
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    for (;;) {
        const pid_t done = waitpid(pid_, &status, WNOHANG);
        if (done == pid_) {
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            Kill();
            waitpid(pid_, &status, 0);
            reaped_ = true;
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    reaped_ = true;
    if (WIFEXITED(status)) {
        exitStatus = WEXITSTATUS(status);
    }
    return true;
}

unsigned KillSeed() {
    const char* text = std::getenv("TAGNOMEN_KILL_SEED");
    return text != nullptr && *text != '\0' ? static_cast<unsigned>(std::strtoul(text, nullptr, 10))
                                            : std::random_device{}();
}

}  // namespace tagnomen::testing

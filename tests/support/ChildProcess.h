// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A piece of a test run in a forked child process, for what must not happen
// in the test's own process: an operation that might hang for good (a FIFO
// opened without care), or one that is killed half-way on purpose.
#include <chrono>
#include <functional>

namespace tagnomen::testing {

class ChildProcess {
  public:
    // Starts body in a child; its return value becomes the child's exit
    // status. Through Signal() the body can tell the parent it got somewhere.
    explicit ChildProcess(const std::function<int(ChildProcess& self)>& body);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // In the child: sends one byte to the parent.
    void Signal();
    // In the parent: waits for that byte; false when none came in time.
    bool WaitForSignal(std::chrono::milliseconds timeout);
    // In the parent: SIGKILL, now.
    void Kill();
    // In the parent: waits for the child to end; false when it did not end
    // in time (it is killed then). exitStatus is -1 unless it exited itself.
    bool Wait(std::chrono::milliseconds timeout, int& exitStatus);

  private:
    int pid_ = -1;
    int readFd_ = -1;
    int writeFd_ = -1;
    bool reaped_ = false;
};

// The seed of a test that kills children at random moments: from
// TAGNOMEN_KILL_SEED when it is set, so that a run can be repeated, else a
// fresh one.
unsigned KillSeed();

}  // namespace tagnomen::testing

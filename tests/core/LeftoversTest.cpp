// SPDX-License-Identifier: GPL-3.0-or-later
// Which temporary copies the tools take for leftovers of killed runs: only
// those that no running process can still be writing.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "ChildProcess.h"
#include "TempDir.h"
#include "platform/FileSystem.h"
#include "platform/Leftovers.h"
#include "tags/TagEdit.h"

namespace tagnomen {
namespace {

pid_t EndedProcess() {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::_exit(0);
    }
    ::waitpid(pid, nullptr, 0);
    return pid;
}

std::string Rebuild(pid_t maker, const std::string& name) {
    return std::string(kRebuildPrefix) + std::to_string(maker) + "-" + name + ".tmp";
}

TEST(LeftoversTest, OnlyCopiesThatNoRunningProcessCanBeWritingAreRemoved) {
    testing::TempDir dir;
    const pid_t alive = ::getpid();
    // Made before the sweeping process starts.
    std::string held;
    const int heldFd = CreateLockedTemporary(dir.Path(), kRebuildPrefix, ".tmp", held);
    ASSERT_GE(heldFd, 0);
    dir.Write(Rebuild(alive, "old"), "an older process's copy");
    dir.Write(".tagnomen-notes.txt", "not a copy");
    ASSERT_EQ(::mkdir((dir / Rebuild(alive, "folder")).c_str(), 0700), 0);
    ASSERT_EQ(::symlink("x", (dir / (".tagnomen-move-" + std::to_string(alive) + "-l")).c_str()),
              0);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));

    const pid_t ended = EndedProcess();
    testing::ChildProcess sweeper([&](testing::ChildProcess&) {
        // Made after the sweeping process started.
        testing::WriteFile(dir / Rebuild(ended, "gone"), "its maker ended");
        testing::WriteFile(dir / Rebuild(alive, "new"), "its maker may be writing it");
        return RemoveStaleRebuildFiles(dir.Path()) * 10 + RemoveMoveLeftovers(dir.Path());
    });
    int status = -1;
    ASSERT_TRUE(sweeper.Wait(std::chrono::seconds(30), status));
    EXPECT_EQ(status, 21);
    std::vector<std::string> kept = {".tagnomen-notes.txt", Rebuild(alive, "folder"),
                                     Rebuild(alive, "new"), NamePart(held)};
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(dir.List(), kept);
    ::close(heldFd);
}

}  // namespace
}  // namespace tagnomen

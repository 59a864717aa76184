// SPDX-License-Identifier: GPL-3.0-or-later
// The files organizer killed at random moments while it moves files to
// another file system: the next organize finishes or drops every move a kill
// cut off, so that afterwards every file is found once, whole, and no copy
// is left behind. The seed is printed; TAGNOMEN_KILL_SEED repeats a run.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <optional>
#include <random>
#include <string>
#include <thread>

#include "ChildProcess.h"
#include "ScriptedUi.h"
#include "TempDir.h"
#include "platform/FileSystem.h"
#include "session/RenamingContext.h"
#include "settings/SettingsStore.h"
#include "tools/FilesOrganizer.h"

namespace tagnomen {
namespace {

using namespace std::chrono;
using testing::TempDir;

constexpr int kFiles = 12;
constexpr int kRuns = 15;

std::string NameOf(int i) {
    return "f" + std::to_string(100 + i) + ".mp3";
}

std::string BytesOf(int i) {
    return std::string(1 << 20, static_cast<char>('a' + i % 26)) + NameOf(i);
}

// Organizes by title every file of `work` (as a Rename lists them) into
// `root`; with killAfter, kills the child that long after its start.
int OrganizeInChild(const TempDir& work, const std::string& root,
                    std::optional<microseconds> killAfter = std::nullopt) {
    testing::ChildProcess child([&](testing::ChildProcess&) {
        SettingsStore store(work / ".settings.reg");
        store.FirstRunCheck();
        store.SetPathToWork(work.Path());
        store.SetRootOrganizePath(root);
        ScriptedUi ui;
        RenamingContext context(store, ui);
        for (int i = 0; i < kFiles; ++i) {
            if (work.Exists(NameOf(i))) {
                context.table.AppendRow({NameOf(i), "Title", "", "", "", "0", "255"});
            }
        }
        const OrganizeResult result =
            OrganizeFiles(context, {SortMethod::Title, SortDetail::Alphabetically});
        return static_cast<int>(result.moveFailures);
    });
    if (killAfter) {
        std::this_thread::sleep_for(*killAfter);
        child.Kill();
    }
    int status = -1;
    EXPECT_TRUE(child.Wait(seconds(60), status));
    return status;
}

TEST(OrganizerKillTest, TheNextOrganizeResolvesEveryMoveAKillCutOff) {
    TempDir work;
    struct stat workInfo {};
    struct stat shmInfo {};
    if (::stat(work.Path().c_str(), &workInfo) != 0 || ::stat("/dev/shm", &shmInfo) != 0 ||
        workInfo.st_dev == shmInfo.st_dev || ::access("/dev/shm", W_OK) != 0) {
        GTEST_SKIP() << "no second file system at /dev/shm";
    }
    const unsigned seed = testing::KillSeed();
    std::cout << "kill seed " << seed << " (TAGNOMEN_KILL_SEED repeats it)\n";
    std::mt19937 random(seed);
    TempDir root("/dev/shm");
    const std::string folder = root / "T";
    auto reset = [&] {
        std::filesystem::remove_all(folder);
        for (int i = 0; i < kFiles; ++i) {
            work.Write(NameOf(i), BytesOf(i));
        }
    };
    reset();
    const auto start = steady_clock::now();
    ASSERT_EQ(OrganizeInChild(work, root.Path()), 0);
    std::uniform_int_distribution<long long> moment(
        0, duration_cast<microseconds>(steady_clock::now() - start).count());

    int twice = 0, lost = 0, damaged = 0, failures = 0, copiesLeft = 0;
    for (int run = 0; run < kRuns; ++run) {
        reset();
        OrganizeInChild(work, root.Path(), microseconds(moment(random)));
        failures += OrganizeInChild(work, root.Path()) != 0;
        for (int i = 0; i < kFiles; ++i) {
            const bool here = work.Exists(NameOf(i));
            const bool there = PathExists(folder + "/" + NameOf(i));
            twice += here && there;
            lost += !here && !there;
            damaged += there && testing::ReadFile(folder + "/" + NameOf(i)) != BytesOf(i);
        }
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            copiesLeft += entry.path().extension() != ".mp3";
        }
    }
    EXPECT_EQ(twice, 0) << "seed " << seed;
    EXPECT_EQ(lost, 0) << "seed " << seed;
    EXPECT_EQ(damaged, 0) << "seed " << seed;
    EXPECT_EQ(failures, 0) << "seed " << seed;
    EXPECT_EQ(copiesLeft, 0) << "seed " << seed;
}

}  // namespace
}  // namespace tagnomen

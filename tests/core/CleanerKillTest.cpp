// SPDX-License-Identifier: GPL-3.0-or-later
// The tag cleaner killed at random moments: after every kill each file holds
// either its old tags or its new ones, and its audio, whatever the moment.
// The seed is printed; TAGNOMEN_KILL_SEED repeats a run.
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <iostream>
#include <optional>
#include <random>
#include <string>
#include <thread>

#include "ChildProcess.h"
#include "ScriptedUi.h"
#include "TableRows.h"
#include "TagsTestBytes.h"
#include "TempDir.h"
#include "session/RenamingContext.h"
#include "settings/SettingsStore.h"
#include "tags/TagEdit.h"
#include "tools/CleanReviewModel.h"
#include "tools/TagCleaner.h"

namespace tagnomen {
namespace {

using testing::TempDir;
using namespace testing::tags;

constexpr int kFiles = 2000;
constexpr int kRuns = 20;

std::string NameOf(int i) {
    return "f" + std::to_string(10000 + i) + ".mp3";
}

// A file as taggers leave it: ID3v2 with a cover, audio, ID3v1.
Bytes OriginalFile() {
    static const Bytes file =
        Tag(3,
            TextFrame(3, "TIT2", "Old") + Frame(3, "APIC", Bytes("\0image/png\0\3\0", 13) + "PNG"),
            100) +
        Audio(1500) + V1Block({"Old", "Band"});
    return file;
}

// Cleans every file of `dir` with one table row each, in a child process.
// Waits for it to end unless killAfter is given; then kills it at that time.
void CleanInChild(const std::string& dir, int files,
                  std::optional<std::chrono::microseconds> killAfter = std::nullopt) {
    testing::ChildProcess child([&](testing::ChildProcess&) {
        SettingsStore store(dir + "/.settings.reg");
        store.FirstRunCheck();
        store.SetPathToWork(dir);
        ScriptedUi ui;
        ui.dialogs.cleanReview.Push([](CleanReviewModel& review) {
            review.Accept();
            return true;
        });
        RenamingContext context(store, ui);
        context.fullTagSupport = true;
        for (int i = 0; i < files; ++i) {
            context.table.AppendRow(
                testing::RowOf({NameOf(i), "New Title", "Artist", "Album", "2001", "3", "17"}));
        }
        CleanTags(context, {});
        return 0;
    });
    if (killAfter) {
        std::this_thread::sleep_for(*killAfter);
        child.Kill();
    }
    int status = -1;
    EXPECT_TRUE(child.Wait(std::chrono::seconds(120), status));
}

// Files in memory where the system has a place for them (/dev/shm): each
// rebuild syncs its file, which a disk makes slow and memory does not.
class MemoryTempDir : public TempDir {
  public:
    MemoryTempDir() : TempDir(Base()) {}

  private:
    static std::string Base() {
        return ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : std::string();
    }
};

TEST(CleanerKillTest, EveryFileHasItsOldTagsOrItsNewOnesAfterAKill) {
    const unsigned seed = testing::KillSeed();
    std::cout << "kill seed " << seed << " (TAGNOMEN_KILL_SEED repeats it)\n";
    std::mt19937 random(seed);

    // The cleaned file, from one run to its end.
    MemoryTempDir reference;
    reference.Write(NameOf(0), OriginalFile());
    CleanInChild(reference.Path(), 1);
    const Bytes cleaned = reference.Read(NameOf(0));
    ASSERT_NE(cleaned, OriginalFile());

    MemoryTempDir dir;
    auto writeOriginals = [&dir] {
        for (int i = 0; i < kFiles; ++i) {
            dir.Write(NameOf(i), OriginalFile());
        }
    };
    writeOriginals();
    const auto start = std::chrono::steady_clock::now();
    CleanInChild(dir.Path(), kFiles);
    const auto whole = std::chrono::steady_clock::now() - start;

    int lost = 0, torn = 0, changed = 0, leftovers = 0;
    for (int run = 0; run < kRuns; ++run) {
        leftovers = 0;
        writeOriginals();
        std::uniform_int_distribution<long long> moment(
            0, std::chrono::duration_cast<std::chrono::microseconds>(whole).count());
        CleanInChild(dir.Path(), kFiles, std::chrono::microseconds(moment(random)));
        for (int i = 0; i < kFiles; ++i) {
            if (!dir.Exists(NameOf(i))) {
                ++lost;
                continue;
            }
            const Bytes now = dir.Read(NameOf(i));
            torn += now != OriginalFile() && now != cleaned;
            changed += now == cleaned;
        }
        // A kill may leave the one file being rebuilt; it never has an MP3
        // name, and the next run removes it.
        for (const std::string& name : dir.List()) {
            leftovers += name.rfind(kRebuildPrefix, 0) == 0;
        }
        EXPECT_EQ(RemoveStaleRebuildFiles(dir.Path()), leftovers);
    }
    EXPECT_EQ(lost, 0) << "seed " << seed;
    EXPECT_EQ(torn, 0) << "seed " << seed;
    std::cout << changed << " files of " << kFiles * kRuns << " cleaned before the kills\n";
}

}  // namespace
}  // namespace tagnomen

// SPDX-License-Identifier: GPL-3.0-or-later
// Runs of the tag editor and the files organizer killed at random moments:
// after every kill a file has its old tag or its new one, the next organize
// finishes or drops every move a kill cut off, and the next run removes the
// copies the kills left, never one a running process may still be writing.
// TAGNOMEN_KILL_SEED repeats the run of a seed a failure names.
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <random>
#include <thread>

#include "ChildProcess.h"
#include "ScriptedUi.h"
#include "TagsTestBytes.h"
#include "TempDir.h"
#include "platform/FileSystem.h"
#include "platform/Leftovers.h"
#include "session/RenamingContext.h"
#include "settings/SettingsStore.h"
#include "tags/TagEdit.h"
#include "tools/FileInfoEditorModel.h"
#include "tools/FilesOrganizer.h"
#include "tools/Tools.h"

namespace tagnomen {
namespace {

using namespace std::chrono;
using Tool = std::function<bool(RenamingContext&, ScriptedUi&, testing::ChildProcess&)>;

// Runs `tool` in a child working in `dir`, which signals before it writes.
// With `after`, the child is killed that long after the signal, or after
// `watched` starts to change. Returns how long it ran after the signal.
microseconds RunTool(const std::string& dir, const Tool& tool,
                     std::optional<microseconds> after = std::nullopt,
                     const std::string& watched = {}) {
    testing::ChildProcess child([&](testing::ChildProcess& self) {
        SettingsStore store(dir + "/.settings.reg");
        store.FirstRunCheck();
        store.SetPathToWork(dir);
        ScriptedUi ui;
        RenamingContext context(store, ui);
        return tool(context, ui, self) ? 0 : 1;
    });
    const FileStamp before = StampOf(watched);
    EXPECT_TRUE(child.WaitForSignal(seconds(60)));
    const auto signalled = steady_clock::now();
    while (after && !watched.empty() && StampOf(watched) == before &&
           steady_clock::now() < signalled + seconds(10)) {
    }
    for (const auto from = steady_clock::now(); after && steady_clock::now() < from + *after;) {
    }
    if (after) {
        child.Kill();
    }
    int status = -1;
    EXPECT_TRUE(child.Wait(seconds(60), status));
    EXPECT_TRUE(after || status == 0) << "the run to its end failed";
    return duration_cast<microseconds>(steady_clock::now() - signalled);
}

std::string Copy(pid_t maker, const std::string& name) {
    return std::string(kRebuildPrefix) + std::to_string(maker) + "-" + name + ".tmp";
}

TEST(KilledRunsTest, ATagWithABigCoverIsOldOrNewAfterEveryKillOfTheEditor) {
    using namespace testing::tags;
    const unsigned seed = testing::KillSeed();
    std::mt19937 random(seed);
    // A longer title moves every frame behind it, the 16 MiB cover included.
    const Bytes cover = Frame(3, "APIC", Bytes("\0image/png\0\3\0", 13) + Bytes(16 << 20, 'c'));
    const Bytes original = Tag(3, TextFrame(3, "TIT2", "Old") + cover, 4096) + Audio(3000);
    const Tool edit = [](RenamingContext& context, ScriptedUi& ui, testing::ChildProcess& self) {
        ui.dialogs.fileInfoEditor.Push([&self](FileInfoEditorModel& editor) {
            editor.SetText(EditorField::Title, "A Longer Title");
            self.Signal();
            return editor.Accept();
        });
        return RunTagEditor(context, "a.mp3", "a.mp3").Succeeded();
    };
    testing::TempDir dir(::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "");
    dir.Write("a.mp3", original);
    const microseconds writing = RunTool(dir.Path(), edit);
    const Bytes edited = dir.Read("a.mp3");
    ASSERT_NE(edited, original);
    int torn = 0;
    for (int run = 0; run < 10; ++run) {
        dir.Write("a.mp3", original);
        // Half the kills come just after the file starts to change.
        const bool atChange = run % 2 == 1;
        RunTool(dir.Path(), edit, microseconds(random() % (atChange ? 3000 : writing.count())),
                atChange ? dir / "a.mp3" : "");
        const Bytes now = dir.Read("a.mp3");
        torn += now != original && now != edited;
    }
    EXPECT_EQ(torn, 0) << "kill seed " << seed;
    // The next edit removes the killed runs' copies and an unheld one older than
    // it; it keeps one this process holds and one made after the edit began.
    std::string held;
    const int heldFd = CreateLockedTemporary(dir.Path(), kRebuildPrefix, ".tmp", held);
    dir.Write(Copy(::getpid(), "old"), "copy");
    std::this_thread::sleep_for(milliseconds(100));
    dir.Write("a.mp3", original);
    RunTool(dir.Path(), [&](RenamingContext& context, ScriptedUi& ui, testing::ChildProcess& self) {
        testing::WriteFile(dir / Copy(::getppid(), "new"), "copy");
        return edit(context, ui, self);
    });
    std::vector<std::string> kept = {".settings.reg", ".settings.reg.lock", "a.mp3",
                                     Copy(::getpid(), "new"), NamePart(held)};
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(dir.List(), kept);
    ::close(heldFd);
}

TEST(KilledRunsTest, TheNextOrganizeResolvesEveryMoveToAnotherFileSystemThatAKillCutOff) {
    testing::TempDir work;
    if (::access("/dev/shm", W_OK) != 0 ||
        IdentityOf(work.Path())->device == IdentityOf("/dev/shm")->device) {
        GTEST_SKIP() << "no second file system at /dev/shm";
    }
    const unsigned seed = testing::KillSeed();
    std::mt19937 random(seed);
    testing::TempDir root("/dev/shm");
    const auto name = [](int i) { return "f" + std::to_string(i) + ".mp3"; };
    const auto bytes = [&name](int i) { return std::string(1 << 20, 'x') + name(i); };
    constexpr int kFiles = 12;
    // By title into the folder T, every file a Rename would list now.
    const Tool organize = [&](RenamingContext& context, ScriptedUi&, testing::ChildProcess& self) {
        context.settings.SetRootOrganizePath(root.Path());
        for (int i = 0; i < kFiles; ++i) {
            if (work.Exists(name(i))) {
                context.table.AppendRow({name(i), "Title", "", "", "", "0", "255"});
            }
        }
        self.Signal();
        const OrganizeRule rule{SortMethod::Title, SortDetail::Alphabetically};
        return OrganizeFiles(context, rule).moveFailures == 0;
    };
    const auto reset = [&] {
        std::filesystem::remove_all(root / "T");
        for (int i = 0; i < kFiles; ++i) {
            work.Write(name(i), bytes(i));
        }
    };
    reset();
    const microseconds whole = RunTool(work.Path(), organize);
    long wrong = 0, copiesLeft = 0;
    for (int run = 0; run < 15; ++run) {
        reset();
        RunTool(work.Path(), organize, microseconds(random() % whole.count()));
        RunTool(work.Path(), organize);
        for (int i = 0; i < kFiles; ++i) {
            wrong += work.Exists(name(i)) || testing::ReadFile(root / ("T/" + name(i))) != bytes(i);
        }
        copiesLeft += std::distance(std::filesystem::directory_iterator(root / "T"), {}) - kFiles;
    }
    EXPECT_EQ(wrong, 0) << "files not found once and whole, kill seed " << seed;
    EXPECT_EQ(copiesLeft, 0) << "kill seed " << seed;
}

}  // namespace
}  // namespace tagnomen

// SPDX-License-Identifier: GPL-3.0-or-later
// The tag editor killed at random moments while it writes a tag that holds a
// 16 MiB cover (half of the kills come just after the file starts to
// change): after every kill the file holds its old tag or its new one, never
// a torn one, and the next edit removes the copies the kills left.
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
#include "TagsTestBytes.h"
#include "TempDir.h"
#include "session/RenamingContext.h"
#include "settings/SettingsStore.h"
#include "tags/TagEdit.h"
#include "tags/TagFile.h"
#include "tools/FileInfoEditorModel.h"
#include "tools/Tools.h"

namespace tagnomen {
namespace {

using namespace std::chrono;
using namespace testing::tags;

constexpr int kRuns = 10;

// A longer title moves every frame behind it, the cover included: the whole
// tag differs from the old one although it keeps its length.
Bytes OriginalFile() {
    static const Bytes file =
        Tag(3,
            TextFrame(3, "TIT2", "Old") +
                Frame(3, "APIC", Bytes("\0image/png\0\3\0", 13) + Bytes(16 << 20, 'c')) +
                TextFrame(3, "TALB", "Album"),
            4096) +
        Audio(3000);
    return file;
}

// Edits the title of a.mp3 in a child. A kill comes `after` the moment OK
// was pressed, or, atFirstChange, after the moment a.mp3 starts to change
// (its time is set before the first byte is written). Returns how long the
// write took when not killed.
microseconds EditInChild(const std::string& dir, std::optional<microseconds> after,
                         bool atFirstChange = false) {
    testing::ChildProcess child([&dir](testing::ChildProcess& self) {
        SettingsStore store(dir + "/.settings.reg");
        store.FirstRunCheck();
        store.SetPathToWork(dir);
        ScriptedUi ui;
        ui.dialogs.fileInfoEditor.Push([&self](FileInfoEditorModel& editor) {
            editor.SetText(EditorField::Title, "A Longer Title");
            self.Signal();
            return editor.Accept();
        });
        RenamingContext context(store, ui);
        context.fullTagSupport = true;
        return RunTagEditor(context, "a.mp3", "a.mp3").Succeeded() ? 0 : 1;
    });
    const FileStamp before = StampOf(dir + "/a.mp3");
    EXPECT_TRUE(child.WaitForSignal(seconds(60)));
    const auto pressed = steady_clock::now();
    if (after) {
        while (atFirstChange && StampOf(dir + "/a.mp3") == before &&
               steady_clock::now() < pressed + seconds(10)) {
        }
        for (const auto from = steady_clock::now(); steady_clock::now() < from + *after;) {
        }
        child.Kill();
    }
    int status = -1;
    EXPECT_TRUE(child.Wait(seconds(60), status));
    if (!after) {
        EXPECT_EQ(status, 0);
    }
    return duration_cast<microseconds>(steady_clock::now() - pressed);
}

TEST(EditorKillTest, ABigTagIsOldOrNewAfterEveryKillAndTheNextEditRemovesTheCopies) {
    const unsigned seed = testing::KillSeed();
    std::cout << "kill seed " << seed << " (TAGNOMEN_KILL_SEED repeats it)\n";
    std::mt19937 random(seed);

    testing::MemoryTempDir reference;
    reference.Write("a.mp3", OriginalFile());
    const microseconds writing = EditInChild(reference.Path(), std::nullopt);
    const Bytes edited = reference.Read("a.mp3");
    ASSERT_NE(edited, OriginalFile());

    testing::MemoryTempDir dir;
    std::uniform_int_distribution<long long> moment(0, writing.count());
    std::uniform_int_distribution<long long> soonAfterTheFirstChange(0, 3000);
    int torn = 0, changed = 0;
    dir.Write("a.mp3", OriginalFile());
    for (int run = 0; run < kRuns; ++run) {
        const bool atFirstChange = run % 2 == 1;
        EditInChild(dir.Path(),
                    microseconds(atFirstChange ? soonAfterTheFirstChange(random) : moment(random)),
                    atFirstChange);
        const Bytes now = dir.Read("a.mp3");
        torn += now != OriginalFile() && now != edited;
        changed += now == edited;
        if (now != OriginalFile()) {
            dir.Write("a.mp3", OriginalFile());
        }
    }
    EXPECT_EQ(torn, 0) << "seed " << seed;
    std::cout << changed << " of " << kRuns << " edits done before the kill\n";

    // Beside the copies of the killed runs, one of a process that is still
    // running (this one) but older than the next edit.
    dir.Write(std::string(kRebuildPrefix) + std::to_string(::getpid()) + "-old.tmp", "copy");
    std::this_thread::sleep_for(milliseconds(100));
    dir.Write("a.mp3", OriginalFile());
    EditInChild(dir.Path(), std::nullopt);
    EXPECT_EQ(dir.Read("a.mp3"), edited);
    for (const std::string& name : dir.List()) {
        EXPECT_NE(name.rfind(kRebuildPrefix, 0), 0u) << name << " left behind";
    }
}

}  // namespace
}  // namespace tagnomen

// SPDX-License-Identifier: GPL-3.0-or-later
// Undo killed at a random moment. The work directory holds 5,000 files as a
// Save left them, with their undo file; a tenth of the old names have been
// taken by other files since, so that their renames back fail. A child
// process runs Undo and is killed with SIGKILL at a random point of it; this
// is done 20 times. After each kill a second Undo must take back exactly the
// rest: every file whose old name is free is back under it with its bytes,
// the failures it reports are exactly the taken names (never "No such file"
// for a file already back), and the undo file then holds exactly their pairs.
//
// The seed is printed; TAGNOMEN_KILL_SEED=<number> repeats an arrangement.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "ChildProcess.h"
#include "ScriptedUi.h"
#include "TempDir.h"
#include "app/Workbench.h"
#include "platform/FileSystem.h"
#include "settings/SettingsStore.h"

namespace tagnomen {
namespace {

namespace fs = std::filesystem;

constexpr int kFiles = 5000;
constexpr int kRuns = 20;

std::string Name(const char* pattern, int i) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, pattern, i);
    return buffer;
}
std::string OldName(int i) {
    return Name("track %04d.mp3", i);
}
std::string NewName(int i) {
    return Name("Title %04d.mp3", i);
}
std::string Content(int i) {
    return Name("bytes of file %d", i);
}
bool Taken(int i) {
    return i % 10 == 9;
}

// The child's person: answers Yes and tells the parent when Undo starts renaming.
class SignallingUi : public ScriptedUi {
  public:
    explicit SignallingUi(testing::ChildProcess& child) : child_(child) { yesNoAnswers = {true}; }
    void OpenProgressWindow(const std::string& text) override {
        child_.Signal();
        ScriptedUi::OpenProgressWindow(text);
    }

  private:
    testing::ChildProcess& child_;
};

struct Outcome {
    int lost = 0, notBack = 0, falseReports = 0, missedReports = 0, stalePairs = 0;
};

class UndoKillTest : public ::testing::Test {
  protected:
    // The directory as a Save of every file left it, with its undo file.
    void Prepare() {
        fs::remove_all(work_);
        fs::create_directory(work_);
        std::string record;
        for (int i = 0; i < kFiles; ++i) {
            testing::WriteFile(work_ + "/" + NewName(i), Content(i));
            if (Taken(i)) {
                testing::WriteFile(work_ + "/" + OldName(i), "taken");
            }
            record += OldName(i) + "\r\n" + NewName(i) + "\r\n";
        }
        testing::WriteFile(work_ + "/Undo.inf", record + '\x01');
        SettingsStore store(settings_);
        store.FirstRunCheck();
        store.SetPathToWork(work_);
    }

    // Runs Undo in a child, killed that long after it started renaming
    // (never, for a negative delay); how long the child ran from there, in
    // microseconds.
    long long UndoInChild(long long killAfter) {
        testing::ChildProcess child([this](testing::ChildProcess& self) {
            SettingsStore store(settings_);
            SignallingUi ui(self);
            Workbench bench(store, ui);
            bench.Start();
            bench.Undo();
            return 0;
        });
        EXPECT_TRUE(child.WaitForSignal(std::chrono::seconds(60))) << "Undo never started";
        const auto started = std::chrono::steady_clock::now();
        if (killAfter >= 0) {
            std::this_thread::sleep_for(std::chrono::microseconds(killAfter));
            child.Kill();
        }
        int status = -1;
        EXPECT_TRUE(child.Wait(std::chrono::seconds(60), status));
        return std::chrono::duration_cast<std::chrono::microseconds>(
                   std::chrono::steady_clock::now() - started)
            .count();
    }

    // How many files the killed Undo had brought back.
    int BackAlready() const {
        int back = 0;
        for (int i = 0; i < kFiles; ++i) {
            back += !Taken(i) && !PathExists(work_ + "/" + NewName(i));
        }
        return back;
    }

    // The second Undo, as after a restart, and the directory afterwards.
    Outcome FinishAndCheck() {
        Outcome o;
        testing::CurrentDirectoryGuard cwd;
        SettingsStore store(settings_);
        ScriptedUi ui;
        ui.yesNoAnswers = {true};
        Workbench bench(store, ui);
        bench.Start();
        bench.Undo();
        std::vector<bool> reported(kFiles, false);
        for (const UiCall& call : ui.CallsOfKind("message")) {
            const std::string prefix = "Unable to rename track ";
            if (call.text.rfind(prefix, 0) != 0) {
                continue;
            }
            const int i = std::stoi(call.text.substr(prefix.size()));
            reported[i] = true;
            o.falseReports += !Taken(i) || call.reason != ErrorReason(EEXIST);
        }
        std::string expectedRecord;
        for (int i = 0; i < kFiles; ++i) {
            const std::string at = testing::ReadFile(work_ + "/" + OldName(i));
            const std::string still = testing::ReadFile(work_ + "/" + NewName(i));
            if (Taken(i)) {
                o.lost += at != "taken" || still != Content(i);
                o.missedReports += !reported[i];
                expectedRecord += OldName(i) + "\r\n" + NewName(i) + "\r\n";
            } else {
                o.lost += at != Content(i) && still != Content(i);
                o.notBack += at != Content(i) || PathExists(work_ + "/" + NewName(i));
            }
        }
        o.stalePairs += testing::ReadFile(work_ + "/Undo.inf") != expectedRecord + '\x01';
        o.stalePairs += PathExists(work_ + "/Undo.inf.new");
        return o;
    }

    // Many tiny files: on a memory file system when there is one.
    testing::TempDir scratch_{access("/dev/shm", W_OK) == 0 ? std::string("/dev/shm")
                                                            : fs::temp_directory_path().string()};
    std::string work_ = scratch_ / "work";
    std::string settings_ = scratch_ / "settings.reg";
};

TEST_F(UndoKillTest, TheNextUndoFinishesWhatAKilledOneBegan) {
    const unsigned seed = testing::KillSeed();
    std::mt19937 random(seed);
    Prepare();
    const long long undoTime = UndoInChild(-1);

    Outcome total;
    int halfWay = 0;
    for (int run = 0; run < kRuns; ++run) {
        Prepare();
        const long long delay =
            std::uniform_int_distribution<long long>(0, undoTime * 3 / 4)(random);
        UndoInChild(delay);
        const int back = BackAlready();
        halfWay += back > 0 && back < kFiles - kFiles / 10;
        const Outcome o = FinishAndCheck();
        SCOPED_TRACE("seed " + std::to_string(seed) + ", run " + std::to_string(run) +
                     ", killed after " + std::to_string(delay) + " us");
        EXPECT_EQ(o.lost, 0) << "files lost";
        EXPECT_EQ(o.notBack, 0) << "files the second Undo did not bring back";
        EXPECT_EQ(o.falseReports, 0) << "failures reported that are not so";
        EXPECT_EQ(o.missedReports, 0) << "taken names not reported";
        EXPECT_EQ(o.stalePairs, 0) << "the undo file holds other pairs than the failed ones";
        for (auto [sum, value] : {std::pair{&total.lost, o.lost},
                                  {&total.notBack, o.notBack},
                                  {&total.falseReports, o.falseReports},
                                  {&total.missedReports, o.missedReports},
                                  {&total.stalePairs, o.stalePairs}}) {
            *sum += value;
        }
    }
    std::printf(
        "[ figures  ] seed %u: %d runs of Undo over %d files (a tenth failing), killed within "
        "%.1f ms of its start, %d half-way; %d lost, %d not brought back, %d false reports, %d "
        "missed reports, %d undo files not as they should be\n",
        seed, kRuns, kFiles, static_cast<double>(undoTime) / 1000.0, halfWay, total.lost,
        total.notBack, total.falseReports, total.missedReports, total.stalePairs);
}

}  // namespace
}  // namespace tagnomen

// SPDX-License-Identifier: GPL-3.0-or-later
// Reliability of Save and Undo under failing renames: 1,000 files of which a
// random tenth cannot be renamed, for the reasons a real directory gives
// (a name already taken by a file or a folder, a file removed while Save runs,
// a name reaching outside the directory, two files proposed the same name, a
// name still held by a later file of the set). Afterwards every file must
// exist under exactly one name with its content unchanged, the undo file must
// list exactly the renames that happened, and Undo must bring all of them back.
//
// The seed is fixed; TAGNOMEN_FAULT_SEED=<number> runs another arrangement.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "ScriptedUi.h"
#include "TempDir.h"
#include "WorkingSetLists.h"
#include "app/Workbench.h"
#include "platform/FileSystem.h"
#include "settings/SettingsStore.h"

namespace tagnomen {
namespace {

namespace fs = std::filesystem;

constexpr int kFiles = 1000;
constexpr int kFaults = kFiles / 10;
constexpr unsigned kDefaultSeed = 20240605;

enum class Fault {
    None,
    TargetFileExists,
    TargetFolderExists,
    RemovedDuringSave,
    NameLeavesDirectory,
    SameNameAsEarlierFile,
    NameOfLaterFile,
};
constexpr Fault kFaultKinds[] = {Fault::TargetFileExists,      Fault::TargetFolderExists,
                                 Fault::RemovedDuringSave,     Fault::NameLeavesDirectory,
                                 Fault::SameNameAsEarlierFile, Fault::NameOfLaterFile};

const char* FaultName(Fault fault) {
    switch (fault) {
        case Fault::TargetFileExists:
            return "target name taken by a file";
        case Fault::TargetFolderExists:
            return "target name taken by a folder";
        case Fault::RemovedDuringSave:
            return "file removed while Save runs";
        case Fault::NameLeavesDirectory:
            return "name with '/' or '..'";
        case Fault::SameNameAsEarlierFile:
            return "same name as an earlier file";
        case Fault::NameOfLaterFile:
            return "old name of a later file";
        case Fault::None:
            break;
    }
    return "none";
}

// The person at the screen, and someone else who removes files from the
// work directory the moment Save shows its progress window.
class InterferingUi : public ScriptedUi {
  public:
    std::function<void()> whileSaving;
    void OpenProgressWindow(const std::string& text) override {
        ScriptedUi::OpenProgressWindow(text);
        if (whileSaving) {
            whileSaving();
            whileSaving = nullptr;
        }
    }
};

unsigned Seed() {
    const char* text = std::getenv("TAGNOMEN_FAULT_SEED");
    return text != nullptr && *text != '\0' ? static_cast<unsigned>(std::strtoul(text, nullptr, 10))
                                            : kDefaultSeed;
}

std::string Numbered(const char* pattern, int i) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, pattern, i);
    return buffer;
}

using Census = std::map<std::size_t, std::vector<std::string>>;

// Content hash -> every path holding that content, below the given roots.
Census TakeCensus(const std::vector<std::string>& roots) {
    Census census;
    for (const std::string& root : roots) {
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            if (entry.is_regular_file()) {
                census[std::hash<std::string>{}(testing::ReadFile(entry.path().string()))]
                    .push_back(entry.path().string());
            }
        }
    }
    return census;
}

// The pairs of an undo file, split by this test itself.
std::vector<std::pair<std::string, std::string>> UndoPairs(const std::string& bytes,
                                                           bool& endMarkLast) {
    endMarkLast = !bytes.empty() && bytes.back() == '\x01';
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(bytes.substr(start, end - start));
    }
    std::vector<std::pair<std::string, std::string>> pairs;
    for (std::size_t k = 0; k + 1 < lines.size(); k += 2) {
        pairs.emplace_back(lines[k], lines[k + 1]);
    }
    return pairs;
}

// How many of the contents counted before are found under exactly one name.
int SingleNamed(const Census& before, const Census& after) {
    int count = 0;
    for (const auto& [hash, paths] : before) {
        auto found = after.find(hash);
        if (found != after.end() && found->second.size() == 1) {
            ++count;
        }
    }
    return count;
}

TEST(SaveFaultInjection, ThousandFilesWithATenthOfTheRenamesFailing) {
    const unsigned seed = Seed();
    std::mt19937 random(seed);
    testing::CurrentDirectoryGuard guard;
    testing::ScopedSettingsFile settings;
    testing::TempDir root;
    const std::string work = root / "work";
    const std::string removed = root / "removed";
    ASSERT_TRUE(CreateDirectoryLevel(work));
    ASSERT_TRUE(CreateDirectoryLevel(removed));
    ASSERT_TRUE(CreateDirectoryLevel(work + "/sub"));

    // The files, each with content of its own.
    std::vector<std::string> oldNames, newNames, contents;
    for (int i = 0; i < kFiles; ++i) {
        oldNames.push_back(Numbered("track %04d.mp3", i));
        newNames.push_back(Numbered("Artist - Title %04d.mp3", i));
        std::string content = Numbered("ID3 file %d ", i);
        for (int b = 0; b < 256; ++b) {
            content.push_back(static_cast<char>(random() & 0xFF));
        }
        contents.push_back(content);
        testing::WriteFile(work + "/" + oldNames.back(), content);
    }
    // Some files are read-only; they must be renamed all the same, and stay
    // read-only.
    for (int i = 0; i < kFiles; i += 7) {
        ASSERT_EQ(chmod((work + "/" + oldNames[i]).c_str(), 0444), 0);
    }

    InterferingUi ui;
    SettingsStore store(settings.Path());
    store.FirstRunCheck();
    store.SetPathToWork(work);
    Workbench bench(store, ui);
    ASSERT_EQ(bench.Start(), StartResult::Ready);
    ASSERT_EQ(bench.Set().OldNames(), oldNames);

    // A random tenth fails, the kinds of failure dealt out in turn.
    std::vector<int> order(kFiles);
    for (int i = 0; i < kFiles; ++i) {
        order[i] = i;
    }
    std::shuffle(order.begin(), order.end(), random);
    std::vector<Fault> fault(kFiles, Fault::None);
    for (int k = 0; k < kFaults; ++k) {
        fault[order[k]] = kFaultKinds[k % std::size(kFaultKinds)];
    }
    // The kinds that borrow another file's name need a fitting file on the
    // right side: an earlier one that is renamed, a later one still there.
    auto pick = [&](int from, int to, auto fits) {
        std::vector<int> candidates;
        for (int j = from; j < to; ++j) {
            if (fits(fault[j])) {
                candidates.push_back(j);
            }
        }
        if (candidates.empty()) {
            return -1;
        }
        return candidates[std::uniform_int_distribution<std::size_t>(
            0, candidates.size() - 1)(random)];
    };
    std::map<Fault, int> faultCount;
    std::vector<int> toRemove;
    int occupants = 0;
    for (int k = 0; k < kFaults; ++k) {
        const int i = order[k];
        int other = -1;
        if (fault[i] == Fault::SameNameAsEarlierFile) {
            other = pick(0, i, [](Fault f) { return f == Fault::None; });
        }
        if (fault[i] == Fault::NameOfLaterFile) {
            other = pick(i + 1, kFiles, [](Fault f) { return f != Fault::RemovedDuringSave; });
        }
        if ((fault[i] == Fault::SameNameAsEarlierFile || fault[i] == Fault::NameOfLaterFile) &&
            other < 0) {
            fault[i] = Fault::TargetFileExists;
        }
        ++faultCount[fault[i]];
        switch (fault[i]) {
            case Fault::TargetFileExists:
                // Appeared since the listing, as a download might.
                testing::WriteFile(work + "/" + newNames[i], Numbered("occupant %d", i));
                ++occupants;
                break;
            case Fault::TargetFolderExists:
                ASSERT_TRUE(CreateDirectoryLevel(work + "/" + newNames[i]));
                break;
            case Fault::RemovedDuringSave:
                toRemove.push_back(i);
                break;
            case Fault::NameLeavesDirectory:
                newNames[i] = (k % 2 == 0 ? "sub/" : "../") + newNames[i];
                break;
            case Fault::SameNameAsEarlierFile:
                newNames[i] = newNames[other];
                break;
            case Fault::NameOfLaterFile:
                newNames[i] = oldNames[other];
                break;
            case Fault::None:
                break;
        }
    }

    const Census before = TakeCensus({work});
    ASSERT_EQ(before.size(), static_cast<std::size_t>(kFiles + occupants));

    testing::SetProposals(bench.Set(), newNames);
    ui.calls.clear();
    ui.whileSaving = [&]() {
        for (int i : toRemove) {
            ASSERT_TRUE(MoveFileNoReplace(work + "/" + oldNames[i], removed + "/" + oldNames[i]));
        }
    };

    const auto saveStart = std::chrono::steady_clock::now();
    bench.Save();
    const auto saveTime = std::chrono::steady_clock::now() - saveStart;

    // Exactly the faulty files were reported, in list order.
    std::vector<std::string> expectedMessages, messages;
    std::vector<std::pair<std::string, std::string>> expectedPairs;
    for (int i = 0; i < kFiles; ++i) {
        if (fault[i] != Fault::None) {
            expectedMessages.push_back("Unable to rename " + oldNames[i] + " file");
        } else {
            expectedPairs.emplace_back(oldNames[i], newNames[i]);
        }
    }
    for (const UiCall& call : ui.CallsOfKind("message")) {
        messages.push_back(call.text);
    }
    EXPECT_EQ(messages, expectedMessages);

    // Every file under exactly one name, nothing overwritten.
    const Census afterSave = TakeCensus({work, removed});
    EXPECT_EQ(afterSave.size(), before.size() + 1);  // and the undo file
    for (const auto& [hash, paths] : before) {
        auto found = afterSave.find(hash);
        ASSERT_NE(found, afterSave.end()) << paths.front() << " lost";
        EXPECT_EQ(found->second.size(), 1u) << paths.front();
    }
    for (int i = 0; i < kFiles; ++i) {
        const std::string where = fault[i] == Fault::None ? work + "/" + newNames[i]
                                  : fault[i] == Fault::RemovedDuringSave
                                      ? removed + "/" + oldNames[i]
                                      : work + "/" + oldNames[i];
        EXPECT_EQ(testing::ReadFile(where), contents[i]) << where;
        if (fault[i] == Fault::None) {
            EXPECT_EQ(IsReadOnly(where), i % 7 == 0) << where;
        }
    }

    // The undo file lists exactly the successes, then the end mark.
    bool endMarkLast = false;
    const auto pairs = UndoPairs(testing::ReadFile(work + "/Undo.inf"), endMarkLast);
    EXPECT_TRUE(endMarkLast);
    EXPECT_EQ(pairs, expectedPairs);

    // Undo brings every renamed file back.
    ui.calls.clear();
    ui.yesNoAnswers = {true};
    const auto undoStart = std::chrono::steady_clock::now();
    bench.Undo();
    const auto undoTime = std::chrono::steady_clock::now() - undoStart;
    EXPECT_TRUE(ui.CallsOfKind("message").size() == 1 &&
                ui.CallsOfKind("message").front().text == "All the files have been renamed");
    EXPECT_FALSE(PathExists(work + "/Undo.inf"));
    int restored = 0;
    for (int i = 0; i < kFiles; ++i) {
        const std::string where = fault[i] == Fault::RemovedDuringSave ? removed + "/" + oldNames[i]
                                                                       : work + "/" + oldNames[i];
        EXPECT_EQ(testing::ReadFile(where), contents[i]) << where;
        if (fault[i] == Fault::None && testing::ReadFile(where) == contents[i]) {
            ++restored;
        }
    }
    // Occupants and files alike are back where they began, bar the removed ones.
    Census home = before;
    for (int i : toRemove) {
        home[std::hash<std::string>{}(contents[i])] = {removed + "/" + oldNames[i]};
    }
    const Census afterUndo = TakeCensus({work, removed});
    EXPECT_EQ(afterUndo, home);

    using Ms = std::chrono::duration<double, std::milli>;
    std::printf("[ figures  ] seed %u: %d files, %d renames made to fail:\n", seed, kFiles,
                kFaults);
    for (Fault kind : kFaultKinds) {
        std::printf("[ figures  ]   %-32s %d\n", FaultName(kind), faultCount[kind]);
    }
    std::printf("[ figures  ] Save: %zu renamed, %zu reported, %zu pairs in Undo.inf, %.1f ms\n",
                expectedPairs.size(), messages.size(), pairs.size(), Ms(saveTime).count());
    std::printf(
        "[ figures  ] contents: %zu before; under exactly one name: %d after Save, %d "
        "after Undo\n",
        before.size(), SingleNamed(before, afterSave), SingleNamed(before, afterUndo));
    std::printf("[ figures  ] Undo: %d of %zu restored, %.1f ms\n", restored, expectedPairs.size(),
                Ms(undoTime).count());
}

}  // namespace
}  // namespace tagnomen

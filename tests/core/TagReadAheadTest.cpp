// SPDX-License-Identifier: GPL-3.0-or-later
// Reading tags ahead of the Rename: the same questions, rows and proposals in
// the same order with and without it; a file rewritten after it was read
// ahead is read again; the workers stay within their bound and stop.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <system_error>
#include <thread>

#include "RenameTestFiles.h"
#include "TableRows.h"
#include "TempDir.h"
#include "WorkbenchFixture.h"
#include "app/Workbench.h"
#include "tags/TagReadAhead.h"

namespace tagnomen {
namespace {

using testing::Id3v1Bytes;
using testing::Id3v2Bytes;
using testing::Mp3Bytes;
using testing::TempDir;

class TagReadAheadTest : public testing::WorkbenchFixture {};

TEST_F(TagReadAheadTest, QuestionsRowsAndProposalsAreTheSameWithAndWithoutIt) {
    // Files whose two tags disagree, so that every one asks.
    for (int i = 0; i < 40; ++i) {
        const std::string n = std::to_string(i);
        music_.Write(
            "f" + n + ".mp3",
            Mp3Bytes(Id3v2Bytes({{"TIT2", "Two " + n}, {"TPE1", "Band " + n}}),
                     Id3v1Bytes({.title = "One " + n, .artist = "Group", .track = i % 7})));
    }
    store_.SetFileInfoLoader(1);
    store_.SetRenamingMethod(RenamingMethod::Id3Tag);
    std::vector<std::vector<UiCall>> calls;
    std::vector<std::vector<std::string>> proposals;
    std::vector<std::vector<testing::RowTexts>> rows;
    for (const int threads : {0, 8}) {
        store_.SetNumber("ReadAheadThreads", threads);
        ui_.calls.clear();
        ui_.mismatchAnswers.clear();
        for (int i = 0; i < 80; ++i) {
            ui_.mismatchAnswers.push_back(1 + i % 2);
        }
        Workbench& wb = Start();
        wb.Rename();
        calls.push_back(ui_.calls);
        proposals.push_back(wb.Set().Proposals());
        std::vector<testing::RowTexts> table;
        for (std::size_t row = 0; row < wb.Context().table.RowCount(); ++row) {
            table.push_back(testing::TextsOf(wb.Context().table, row));
        }
        rows.push_back(table);
    }
    ASSERT_GE(calls[0].size(), 80u);
    ASSERT_EQ(calls[0].size(), calls[1].size());
    for (std::size_t i = 0; i < calls[0].size(); ++i) {
        EXPECT_EQ(calls[0][i].kind, calls[1][i].kind) << i;
        EXPECT_EQ(calls[0][i].text, calls[1][i].text) << i;
        EXPECT_EQ(calls[0][i].file, calls[1][i].file) << i;
        EXPECT_EQ(calls[0][i].answer, calls[1][i].answer) << i;
    }
    EXPECT_EQ(proposals[0], proposals[1]);
    EXPECT_EQ(rows[0], rows[1]);
}

// Waits until the workers hold `count` files.
void AwaitHeld(const TagReadAhead& readAhead, std::size_t count) {
    for (int i = 0; i < 2000 && readAhead.PeakHeld() < count; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

TEST(TagReadAheadUnitTest, AFileRewrittenAfterItWasReadAheadIsReadAgain) {
    TempDir dir;
    dir.Write("a.mp3", Mp3Bytes(Id3v2Bytes({{"TIT2", "Before"}}), ""));
    dir.Write("b.mp3", Mp3Bytes(Id3v2Bytes({{"TIT2", "B"}}), ""));
    TagReadAhead readAhead(dir.Path(), {"a.mp3", "b.mp3"}, TagSupport::Full, {2, 8});
    AwaitHeld(readAhead, 2);
    ASSERT_EQ(readAhead.PeakHeld(), 2u);
    dir.Write("a.mp3", Mp3Bytes(Id3v2Bytes({{"TIT2", "After, longer"}}), ""));
    EXPECT_EQ(readAhead.Take("a.mp3").id3v2.title, "After, longer");
    EXPECT_EQ(readAhead.Take("b.mp3").id3v2.title, "B");
    EXPECT_EQ(readAhead.Take("not listed.mp3").id3v2.tagPresent, 0);
}

TEST(TagReadAheadUnitTest, WorkersStayWithinTheirBoundAndStopWithTheCommand) {
    TempDir dir;
    std::vector<std::string> names;
    for (int i = 0; i < 500; ++i) {
        names.push_back("f" + std::to_string(i) + ".mp3");
        dir.Write(names.back(), Mp3Bytes(Id3v2Bytes({{"TIT2", names.back()}}), ""));
    }
    {
        TagReadAhead readAhead(dir.Path(), names, TagSupport::Basic, {4, 16});
        AwaitHeld(readAhead, 16);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_EQ(readAhead.PeakHeld(), 16u) << "never more ahead than the bound";
        EXPECT_EQ(readAhead.Take(names[0]).id3v2.title, names[0]);
        // A file far past the bound (the files before it passed over) arrives.
        EXPECT_EQ(readAhead.Take(names[300]).id3v2.title, names[300]);
        EXPECT_EQ(readAhead.Take(names[301]).id3v2.title, names[301]);
        // A command cancelled here ends the object: its workers stop and are joined.
    }
}

// The system refuses threads past a limit (ulimit -u): the pool works with
// the threads it got, with none as the sequential path, never asks again
// after a refusal, and never runs more than its cap, whatever it is asked for.
TEST(TagReadAheadUnitTest, ThreadsTheSystemRefusesLeaveThePoolWithThoseItGot) {
    TempDir dir;
    std::vector<std::string> names;
    for (int i = 0; i < 300; ++i) {
        names.push_back("f" + std::to_string(i) + ".mp3");
        dir.Write(names.back(), Mp3Bytes(Id3v2Bytes({{"TIT2", names.back()}}), ""));
    }
    const struct {
        unsigned asked;
        int allowed;  // threads the system gives before it refuses
        unsigned limit;
    } cases[] = {{8, 0, 8}, {8, 1, 8}, {8, 3, 8}, {1000000, 1000, 64}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.asked) + " asked, " + std::to_string(c.allowed) + " given");
        std::atomic<int> attempts{0};
        const ThreadStarter refusing = [&attempts, &c](std::function<void()> work) {
            if (attempts++ >= c.allowed) {
                throw std::system_error(EAGAIN, std::generic_category(), "no more threads");
            }
            return std::thread(std::move(work));
        };
        TagReadAhead readAhead(dir.Path(), names, TagSupport::Basic, {c.asked, 16, refusing});
        EXPECT_EQ(readAhead.ThreadLimit(), c.limit);
        // In order, then past files never taken, as a Rename and the cleaner take them.
        for (std::size_t i = 0; i < names.size(); i = i == 99 ? 250 : i + 1) {
            ASSERT_EQ(readAhead.Take(names[i]).id3v2.title, names[i]);
        }
        EXPECT_LE(readAhead.WorkersStarted(), static_cast<std::size_t>(c.allowed));
        if (c.allowed < 2) {
            EXPECT_EQ(attempts, c.allowed + 1) << "no thread asked for after the refusal";
        }
    }
}

}  // namespace
}  // namespace tagnomen

// SPDX-License-Identifier: GPL-3.0-or-later
// The undo file on disk: opening it in the work directory, its CR LF lines
// and end mark, and the reader's terminators, CR dropping and length cut.
#include "app/UndoFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "TempDir.h"
#include "platform/FileSystem.h"

namespace tagnomen {
namespace {

class UndoFileTest : public ::testing::Test {
  protected:
    // Every line the reader gives until the first empty one.
    std::vector<std::string> ReadAll(const std::string& bytes) {
        work_.Write(kUndoFileName, bytes);
        std::vector<std::string> lines;
        if (!undoFile_.OpenForReading(work_.Path())) {
            return {"<not opened>"};
        }
        for (std::string line = undoFile_.ReadLine(); !line.empty(); line = undoFile_.ReadLine()) {
            lines.push_back(line);
        }
        undoFile_.Close();
        return lines;
    }

    testing::CurrentDirectoryGuard guard_;
    testing::TempDir work_;
    // Closes itself after each test, before the directory goes.
    UndoFile undoFile_;
};

TEST_F(UndoFileTest, WritesCrLfLinesAndTheEndMarkAndReadsThemBack) {
    ASSERT_TRUE(undoFile_.OpenForWriting(work_.Path()));
    ASSERT_TRUE(undoFile_.IsOpen());
    undoFile_.WriteLine("01 old name.mp3");
    undoFile_.WriteLine("Artist - Title.mp3");
    undoFile_.WriteLine("b.mp3");
    undoFile_.WriteLine("B.mp3");
    undoFile_.Close();
    EXPECT_FALSE(undoFile_.IsOpen());
    const std::string written = "01 old name.mp3\r\nArtist - Title.mp3\r\nb.mp3\r\nB.mp3\r\n\x01";
    EXPECT_EQ(work_.Read(kUndoFileName), written);

    ASSERT_TRUE(undoFile_.OpenForReading(work_.Path()));
    EXPECT_EQ(undoFile_.ReadLine(), "01 old name.mp3");
    EXPECT_EQ(undoFile_.ReadLine(), "Artist - Title.mp3");
    EXPECT_EQ(undoFile_.ReadLine(), "b.mp3");
    EXPECT_EQ(undoFile_.ReadLine(), "B.mp3");
    EXPECT_EQ(undoFile_.ReadLine(), "");
    EXPECT_EQ(undoFile_.ReadLine(), "");
    // Closing a file opened for reading adds no end mark.
    undoFile_.Close();
    EXPECT_FALSE(undoFile_.IsOpen());
    EXPECT_EQ(work_.Read(kUndoFileName), written);
    // Nothing open: closing does nothing, writing and reading give nothing.
    undoFile_.Close();
    undoFile_.WriteLine("x");
    EXPECT_EQ(undoFile_.ReadLine(), "");
}

// A Save that keeps no pair (nothing renamed, or every pair taken back after
// its rename failed) leaves the previous undo file as it was.
TEST_F(UndoFileTest, PreviousFileIsReplacedOnlyByAFileThatKeepsAPair) {
    const std::string previous = "older.mp3\r\nnewer.mp3\r\n\x01";
    const struct {
        const char* what;
        bool hadPrevious;
        int recorded, dropped;
        std::string left;
    } cases[] = {
        {"nothing recorded", true, 0, 0, previous},
        {"every pair taken back", true, 2, 2, previous},
        {"one pair kept", true, 2, 1, "a0.mp3\r\nb0.mp3\r\n\x01"},
        {"no previous file", false, 1, 1, "\x01"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RemoveFile(work_ / kUndoFileName);
        if (c.hadPrevious) {
            work_.Write(kUndoFileName, previous);
        }
        ASSERT_TRUE(undoFile_.OpenForWriting(work_.Path()));
        for (int i = 0; i < c.recorded; ++i) {
            const std::string n = std::to_string(i);
            undoFile_.RecordPair("a" + n + ".mp3", "b" + n + ".mp3");
            if (i >= c.recorded - c.dropped) {
                undoFile_.DropLastPair();
            }
        }
        undoFile_.Close();
        EXPECT_EQ(work_.Read(kUndoFileName), c.left);
        EXPECT_EQ(work_.List(), std::vector<std::string>{kUndoFileName}) << "no temporary left";
    }
}

TEST_F(UndoFileTest, ReaderTerminatorsCrAndLength) {
    const std::string x300(300, 'x');
    std::string e150;  // 150 characters, 300 bytes
    for (int i = 0; i < 150; ++i) {
        e150 += "\xC3\xA9";
    }
    struct Case {
        const char* what;
        std::string bytes;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {"LF only, no end mark", "a.mp3\nb.mp3\n", {"a.mp3", "b.mp3"}},
        {"truncated inside the last line", "a.mp3\r\nb.m", {"a.mp3", "b.m"}},
        {"end of file right after a CR", "a.mp3\r\nb.mp3\r", {"a.mp3", "b.mp3"}},
        {"end mark ends a line", "a.mp3\x01", {"a.mp3"}},
        {"end mark first", "\x01stale.mp3\r\nother.mp3\r\n", {}},
        {"empty file", "", {}},
        {"an empty line ends the pairs", "a.mp3\r\n\r\nb.mp3\r\n", {"a.mp3"}},
        {"only a trailing CR is dropped", "a\rb.mp3\r\nc.mp3\r\r\n", {"a\rb.mp3", "c.mp3\r"}},
        {"long line cut to 255 bytes, the next line intact",
         x300 + "\r\nnext.mp3\r\n\x01",
         {std::string(255, 'x'), "next.mp3"}},
        {"cut on a character boundary", e150 + "\r\n", {e150.substr(0, 254)}},
        {"a CR at byte 256 goes with the cut",
         std::string(255, 'y') + "\r\r\n",
         {std::string(255, 'y')}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadAll(c.bytes), c.lines) << c.what;
    }
}

TEST_F(UndoFileTest, OpeningWorksInTheWorkDirectoryAndRestoresTheCurrentOne) {
    testing::TempDir elsewhere;
    ASSERT_TRUE(ChangeDirectory(elsewhere.Path()));
    const std::string before = CurrentDirectory();
    elsewhere.Write(kRollbackFileName, "not ours");
    work_.Write(kRollbackFileName, "rollback");

    ASSERT_TRUE(undoFile_.OpenForWriting(work_.Path()));
    EXPECT_EQ(CurrentDirectory(), before);
    undoFile_.WriteLine("a.mp3");
    undoFile_.Close();
    EXPECT_FALSE(work_.Exists(kRollbackFileName));
    EXPECT_TRUE(elsewhere.Exists(kRollbackFileName));
    EXPECT_FALSE(elsewhere.Exists(kUndoFileName));
    EXPECT_EQ(work_.Read(kUndoFileName), "a.mp3\r\n\x01");

    ASSERT_TRUE(undoFile_.OpenForReading(work_.Path()));
    EXPECT_EQ(CurrentDirectory(), before);
    EXPECT_EQ(undoFile_.ReadLine(), "a.mp3");
}

TEST_F(UndoFileTest, OpeningFails) {
    // No undo file yet: nothing to read.
    EXPECT_FALSE(undoFile_.OpenForReading(work_.Path()));
    EXPECT_FALSE(undoFile_.IsOpen());

    // A directory named "Undo.inf" can be neither written (not even by root)
    // nor read as an undo file.
    ASSERT_EQ(mkdir((work_ / kUndoFileName).c_str(), 0777), 0);
    EXPECT_FALSE(undoFile_.OpenForWriting(work_.Path()));
    EXPECT_FALSE(undoFile_.IsOpen());
    EXPECT_FALSE(undoFile_.OpenForReading(work_.Path()));
    ASSERT_EQ(rmdir((work_ / kUndoFileName).c_str()), 0);

    // A symbolic link named "Undo.inf" must not truncate the file it points to.
    testing::TempDir other;
    other.Write("precious.mp3", "music");
    ASSERT_EQ(symlink((other / "precious.mp3").c_str(), (work_ / kUndoFileName).c_str()), 0);
    EXPECT_FALSE(undoFile_.OpenForWriting(work_.Path()));
    EXPECT_EQ(other.Read("precious.mp3"), "music");
    ASSERT_EQ(unlink((work_ / kUndoFileName).c_str()), 0);

    // A work directory that does not exist: nothing is opened or deleted in
    // whatever directory is current.
    testing::TempDir current;
    ASSERT_TRUE(ChangeDirectory(current.Path()));
    current.Write(kRollbackFileName, "keep");
    current.Write(kUndoFileName, "a.mp3\r\nb.mp3\r\n\x01");
    EXPECT_FALSE(undoFile_.OpenForWriting(work_ / "missing"));
    EXPECT_FALSE(undoFile_.OpenForReading(work_ / "missing"));
    EXPECT_FALSE(undoFile_.IsOpen());
    EXPECT_TRUE(current.Exists(kRollbackFileName));
    EXPECT_EQ(current.Read(kUndoFileName), "a.mp3\r\nb.mp3\r\n\x01");
}

TEST(UndoFileLine, RecordableNames) {
    EXPECT_TRUE(IsRecordableUndoLine("Artist - Title.mp3"));
    EXPECT_TRUE(IsRecordableUndoLine("a\rb.mp3"));
    EXPECT_TRUE(IsRecordableUndoLine(std::string(255, 'n')));
    EXPECT_FALSE(IsRecordableUndoLine(""));
    EXPECT_FALSE(IsRecordableUndoLine(std::string(256, 'n')));
    EXPECT_FALSE(IsRecordableUndoLine("two\nlines.mp3"));
    EXPECT_FALSE(IsRecordableUndoLine("end\x01mark.mp3"));
    EXPECT_FALSE(IsRecordableUndoLine("trailing.mp3\r"));
}

}  // namespace
}  // namespace tagnomen

// SPDX-License-Identifier: GPL-3.0-or-later
// Save and Undo through the Workbench, with real files in a temporary work
// directory: the dialog sequence, the files on disk, the undo file and the
// working set afterwards.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ChildProcess.h"
#include "ScriptedUi.h"
#include "TableRows.h"
#include "TempDir.h"
#include "WorkingSetLists.h"
#include "app/UndoFile.h"
#include "app/Workbench.h"
#include "platform/FileSystem.h"
#include "settings/SettingsStore.h"

namespace tagnomen {
namespace {

namespace fs = std::filesystem;

const char* IconName(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Stop:
            return "stop";
        case MessageIcon::Warning:
            return "warning";
        case MessageIcon::Question:
            return "question";
        case MessageIcon::Information:
            return "information";
        case MessageIcon::None:
            break;
    }
    return "none";
}

// One line per Ui call: "progress open <text>", "message <caption> (<icon>): <text>",
// "question <caption> (<icon>) <answer>: <text>".
std::vector<std::string> Dialogs(const ScriptedUi& ui) {
    std::vector<std::string> lines;
    for (const UiCall& call : ui.calls) {
        if (call.kind == "progress") {
            lines.push_back("progress " + call.answer + (call.text.empty() ? "" : " " + call.text));
        } else if (call.kind == "message") {
            lines.push_back("message " + call.caption + " (" + IconName(call.icon) +
                            "): " + call.text);
        } else if (call.kind == "question") {
            lines.push_back("question " + call.caption + " (" + IconName(call.icon) + ") " +
                            call.answer + ": " + call.text);
        } else {
            lines.push_back(call.kind);
        }
    }
    return lines;
}

const std::string kProgressOpen = "progress open Renaming your Mp3 Files...";
const std::string kProgressClose = "progress close";
const std::string kUnableToCreate =
    "question Error (warning) %: Unable to create an UNDO file\nDo you want to continue "
    "renaming the files?";
const std::string kUndoFinished =
    "message Undo finished (information): All the files have been "
    "renamed";

std::string Failure(const std::string& name) {
    return "message Error (warning): Unable to rename " + name + " file";
}

std::string WithAnswer(std::string line, const std::string& answer) {
    line.replace(line.find('%'), 1, answer);
    return line;
}

class SaveUndoTest : public ::testing::Test {
  protected:
    SaveUndoTest() : work_(root_ / "work"), store_(settings_.Path()) {
        EXPECT_EQ(mkdir(work_.c_str(), 0777), 0);
        store_.FirstRunCheck();
        store_.SetPathToWork(work_);
        bench_ = std::make_unique<Workbench>(store_, ui_);
        EXPECT_EQ(bench_->Start(), StartResult::Ready);
    }

    std::string At(const std::string& name) const { return work_ + "/" + name; }
    void Write(const std::string& name, const std::string& bytes) const {
        testing::WriteFile(At(name), bytes);
    }
    std::string Read(const std::string& name) const { return testing::ReadFile(At(name)); }
    std::vector<std::string> Listing() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(work_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    // Puts the pairs into the two lists as a Rename would leave them, with
    // the progress bar full, and forgets the dialogs so far.
    void Propose(const std::vector<std::pair<std::string, std::string>>& renames) {
        WorkingSet& set = bench_->Set();
        std::vector<std::string> oldNames, newNames;
        for (const auto& [from, to] : renames) {
            oldNames.push_back(from);
            newNames.push_back(to);
        }
        testing::SetLists(set, oldNames, newNames);
        set.progressMaximum = set.progressValue = static_cast<int>(renames.size());
        set.percentText = "100%";
        ui_.calls.clear();
    }

    void ExpectEmptyWorkingSet() const {
        const WorkingSet& set = bench_->Set();
        EXPECT_EQ(set.Size(), 0u);
        EXPECT_EQ(set.ProposalCount(), 0u);
        EXPECT_EQ(set.progressValue, 0);
        EXPECT_EQ(set.percentText, "0%");
    }

    std::string UndoQuestion() const {
        return "question Undo renamed files (question) yes: Are you sure that do you want Undo "
               "renamed files in the directory:\n" +
               work_;
    }

    testing::CurrentDirectoryGuard guard_;
    testing::ScopedSettingsFile settings_;
    testing::TempDir root_;
    std::string work_;
    SettingsStore store_;
    ScriptedUi ui_;
    std::unique_ptr<Workbench> bench_;
};

using SaveTest = SaveUndoTest;
using UndoTest = SaveUndoTest;

TEST_F(SaveTest, RenamesEveryFileRecordsThePairsAndEmptiesTheWorkingSet) {
    Write("a.mp3", "AAA");
    Write("b.mp3", "BBB");
    Write("c.mp3", "CCC");
    Write("Rollback.inf", "left by someone");
    Write("Undo.inf", "older.mp3\r\nnewer.mp3\r\n\x01");
    Propose({{"a.mp3", "Artist - One.mp3"}, {"b.mp3", "Artist - Two.mp3"}, {"c.mp3", "c.mp3"}});
    FileInfoTable& table = bench_->Context().table;
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"}) {
        table.AppendRow(testing::RowOf({name, "t", "ar", "al", "2001", "1", "17"}));
    }
    testing::TempDir elsewhere;
    ASSERT_TRUE(ChangeDirectory(elsewhere.Path()));
    const std::string before = CurrentDirectory();

    bench_->Save();

    EXPECT_EQ(Dialogs(ui_), (std::vector<std::string>{kProgressOpen, kProgressClose}));
    EXPECT_EQ(ui_.progressWindowsOpen, 0);
    EXPECT_EQ(Listing(), (std::vector<std::string>{"Artist - One.mp3", "Artist - Two.mp3",
                                                   "Undo.inf", "c.mp3"}));
    EXPECT_EQ(Read("Artist - One.mp3"), "AAA");
    EXPECT_EQ(Read("Artist - Two.mp3"), "BBB");
    EXPECT_EQ(Read("c.mp3"), "CCC");
    // c.mp3 keeps its name: that is no rename and gets no pair.
    EXPECT_EQ(Read("Undo.inf"), "a.mp3\r\nArtist - One.mp3\r\nb.mp3\r\nArtist - Two.mp3\r\n\x01");
    EXPECT_EQ(table.FileName(0), "Artist - One.mp3");
    EXPECT_EQ(table.FileName(1), "Artist - Two.mp3");
    EXPECT_EQ(table.FileName(2), "c.mp3");
    EXPECT_EQ(table.Value(1, SongField::Title), "t");
    ExpectEmptyWorkingSet();
    EXPECT_EQ(CurrentDirectory(), before);

    // With nothing proposed any more, Save refuses.
    ui_.calls.clear();
    bench_->Save();
    EXPECT_EQ(Dialogs(ui_),
              (std::vector<std::string>{"message Error (warning): No mp3 files renamed to save!"}));
}

TEST_F(SaveTest, ExistingTargetIsReportedAndNothingIsLost) {
    Write("a.mp3", "first");
    Write("b.mp3", "second");
    Write("taken.mp3", "someone else's");
    Propose({{"a.mp3", "new.mp3"}, {"b.mp3", "taken.mp3"}});
    // The table holds a row for the first file only: the second keeps none.
    bench_->Context().table.AppendRow(testing::RowOf({"a.mp3", "", "", "", "", "0", "255"}));

    bench_->Save();

    EXPECT_EQ(Dialogs(ui_),
              (std::vector<std::string>{kProgressOpen, Failure("b.mp3"), kProgressClose}));
    EXPECT_EQ(Listing(), (std::vector<std::string>{"Undo.inf", "b.mp3", "new.mp3", "taken.mp3"}));
    EXPECT_EQ(Read("new.mp3"), "first");
    EXPECT_EQ(Read("b.mp3"), "second");
    EXPECT_EQ(Read("taken.mp3"), "someone else's");
    EXPECT_EQ(Read("Undo.inf"), "a.mp3\r\nnew.mp3\r\n\x01");
    EXPECT_EQ(bench_->Context().table.RowCount(), 1u);
    EXPECT_EQ(bench_->Context().table.FileName(0), "new.mp3");
    ExpectEmptyWorkingSet();
}

// A rename needs no write permission on the file itself: its mode is left
// exactly as it was (a file of mode 000 does not end as 200).
TEST_F(SaveTest, FilesAreRenamedWithTheirModesUnchanged) {
    const mode_t modes[] = {0444, 0000, 0640, 0600};
    std::vector<std::pair<std::string, std::string>> renames;
    for (mode_t mode : modes) {
        const std::string name = "mode " + std::to_string(mode) + ".mp3";
        Write(name, "x");
        ASSERT_EQ(chmod(At(name).c_str(), mode), 0);
        renames.emplace_back(name, "Renamed " + name);
    }
    Propose(renames);

    bench_->Save();

    EXPECT_EQ(Dialogs(ui_), (std::vector<std::string>{kProgressOpen, kProgressClose}));
    for (std::size_t i = 0; i < renames.size(); ++i) {
        struct stat info {};
        ASSERT_EQ(stat(At(renames[i].second).c_str(), &info), 0) << renames[i].second;
        EXPECT_EQ(info.st_mode & 07777, modes[i]) << renames[i].second;
    }
}

TEST_F(SaveTest, UndoFileNotCreatable) {
    // A directory in the way stops even root from creating the undo file.
    ASSERT_EQ(mkdir(At("Undo.inf").c_str(), 0777), 0);
    Write("a.mp3", "A");
    Write("Rollback.inf", "r");
    Propose({{"a.mp3", "b.mp3"}});

    ui_.yesNoAnswers = {false};
    bench_->Save();
    EXPECT_EQ(Dialogs(ui_), (std::vector<std::string>{WithAnswer(kUnableToCreate, "no")}));
    EXPECT_EQ(Listing(), (std::vector<std::string>{"Undo.inf", "a.mp3"}));  // Rollback.inf gone
    EXPECT_EQ(bench_->Set().Proposals(), std::vector<std::string>{"b.mp3"});
    EXPECT_EQ(bench_->Set().percentText, "100%");

    ui_.calls.clear();
    ui_.yesNoAnswers = {true};
    bench_->Save();
    EXPECT_EQ(Dialogs(ui_), (std::vector<std::string>{WithAnswer(kUnableToCreate, "yes"),
                                                      kProgressOpen, kProgressClose}));
    EXPECT_EQ(Listing(), (std::vector<std::string>{"Undo.inf", "b.mp3"}));
    EXPECT_TRUE(IsDirectory(At("Undo.inf")));
    ExpectEmptyWorkingSet();

    ui_.calls.clear();
    ui_.yesNoAnswers = {true};
    bench_->Undo();
    EXPECT_EQ(Dialogs(ui_),
              (std::vector<std::string>{UndoQuestion(),
                                        "message Error (warning): Unable to load Undo file"}));
    EXPECT_EQ(Listing(), (std::vector<std::string>{"Undo.inf", "b.mp3"}));
}

// Names that would leave the directory, hide the file (".mp3" from an empty
// template, "...mp3" from a name edited to "..") or mean nothing are refused.
TEST_F(SaveTest, NamesThatWouldLeaveTheWorkDirectoryOrHideTheFileAreRefused) {
    ASSERT_EQ(mkdir(At("sub").c_str(), 0777), 0);
    for (const char* name :
         {"a.mp3", "b.mp3", "c.mp3", "d.mp3", "e.mp3", "f.mp3", "g.mp3", "h.mp3", "i.mp3"}) {
        Write(name, name);
    }
    testing::WriteFile(root_ / "outside.mp3", "outside");
    ASSERT_EQ(chmod((root_ / "outside.mp3").c_str(), 0444), 0);
    Propose({{"a.mp3", "sub/a.mp3"},
             {"b.mp3", "../b.mp3"},
             {"c.mp3", "."},
             {"d.mp3", ".."},
             {"e.mp3", ""},
             {"f.mp3", ".mp3"},
             {"g.mp3", "...mp3"},
             {"h.mp3", " . .MP3"},
             {"i.mp3", ".hidden.mp3"},
             {"../outside.mp3", "inside.mp3"}});

    bench_->Save();

    EXPECT_EQ(Dialogs(ui_),
              (std::vector<std::string>{
                  kProgressOpen, Failure("a.mp3"), Failure("b.mp3"), Failure("c.mp3"),
                  Failure("d.mp3"), Failure("e.mp3"), Failure("f.mp3"), Failure("g.mp3"),
                  Failure("h.mp3"), Failure("i.mp3"), Failure("../outside.mp3"), kProgressClose}));
    EXPECT_EQ(Listing(),
              (std::vector<std::string>{"Undo.inf", "a.mp3", "b.mp3", "c.mp3", "d.mp3", "e.mp3",
                                        "f.mp3", "g.mp3", "h.mp3", "i.mp3", "sub"}));
    EXPECT_TRUE(fs::is_empty(At("sub")));
    EXPECT_FALSE(PathExists(root_ / "b.mp3"));
    EXPECT_EQ(testing::ReadFile(root_ / "outside.mp3"), "outside");
    EXPECT_TRUE(IsReadOnly(root_ / "outside.mp3"));  // not even made writable
    EXPECT_EQ(Read("Undo.inf"), "\x01");
}

TEST_F(SaveTest, CaseOnlyAndSameNameRenamesSucceedAndComeBack) {
    Write("song.mp3", "s");
    Write("keep.mp3", "k");
    Propose({{"keep.mp3", "keep.mp3"}, {"song.mp3", "Song.mp3"}});

    bench_->Save();

    EXPECT_EQ(Dialogs(ui_), (std::vector<std::string>{kProgressOpen, kProgressClose}));
    EXPECT_EQ(Listing(), (std::vector<std::string>{"Song.mp3", "Undo.inf", "keep.mp3"}));
    EXPECT_EQ(Read("Song.mp3"), "s");
    // The file that keeps its name was not renamed: no pair for it.
    EXPECT_EQ(Read("Undo.inf"), "song.mp3\r\nSong.mp3\r\n\x01");

    ui_.calls.clear();
    ui_.yesNoAnswers = {true};
    bench_->Undo();
    EXPECT_EQ(Dialogs(ui_), (std::vector<std::string>{UndoQuestion(), kProgressOpen, kProgressClose,
                                                      kUndoFinished}));
    EXPECT_EQ(Listing(), (std::vector<std::string>{"keep.mp3", "song.mp3"}));
}

TEST_F(SaveTest, NamesTheUndoFileCannotHoldAreRenamedOnlyWithoutOne) {
    Write("two\nlines.mp3", "1");
    Write("plain.mp3", "2");
    Write("ok.mp3", "3");
    Propose(
        {{"ok.mp3", "fine.mp3"}, {"plain.mp3", "mark\x01.mp3"}, {"two\nlines.mp3", "clean.mp3"}});

    bench_->Save();

    // Recorded, these would read back as other names and mislead Undo.
    EXPECT_EQ(Dialogs(ui_), (std::vector<std::string>{kProgressOpen, Failure("plain.mp3"),
                                                      Failure("two\nlines.mp3"), kProgressClose}));
    EXPECT_EQ(Read("Undo.inf"), "ok.mp3\r\nfine.mp3\r\n\x01");

    // Without an undo file there is nothing to mislead.
    ASSERT_TRUE(RemoveFile(At("Undo.inf")));
    ASSERT_EQ(mkdir(At("Undo.inf").c_str(), 0777), 0);
    Propose({{"two\nlines.mp3", "clean.mp3"}});
    ui_.yesNoAnswers = {true};
    bench_->Save();
    EXPECT_EQ(Dialogs(ui_), (std::vector<std::string>{WithAnswer(kUnableToCreate, "yes"),
                                                      kProgressOpen, kProgressClose}));
    EXPECT_EQ(Read("clean.mp3"), "1");
}

TEST_F(SaveTest, WorkDirectoryThatCannotBeEnteredRenamesNothingElsewhere) {
    testing::TempDir elsewhere;
    elsewhere.Write("a.mp3", "not in the work directory");
    elsewhere.Write("Rollback.inf", "r");
    ASSERT_TRUE(ChangeDirectory(elsewhere.Path()));
    const std::string before = CurrentDirectory();
    // The listed directory has gone since it was listed.
    ASSERT_EQ(rename(work_.c_str(), (root_ / "gone").c_str()), 0);
    Propose({{"a.mp3", "b.mp3"}});
    ui_.yesNoAnswers = {true};

    bench_->Save();

    EXPECT_EQ(Dialogs(ui_),
              (std::vector<std::string>{WithAnswer(kUnableToCreate, "yes"), kProgressOpen,
                                        Failure("a.mp3"), kProgressClose}));
    EXPECT_EQ(elsewhere.List(), (std::vector<std::string>{"Rollback.inf", "a.mp3"}));
    EXPECT_EQ(CurrentDirectory(), before);
}

TEST_F(UndoTest, SinglePairIsRenamedBackAndTheWorkDirectoryStaysCurrent) {
    Write("New Name.mp3", "music");
    Write("Undo.inf", "old name.mp3\r\nNew Name.mp3\r\n\x01");
    bench_->Context().table.AppendRow(testing::RowOf({"New Name.mp3", "", "", "", "", "0", "255"}));
    testing::TempDir elsewhere;
    ASSERT_TRUE(ChangeDirectory(elsewhere.Path()));
    ui_.calls.clear();
    ui_.yesNoAnswers = {true};

    bench_->Undo();

    EXPECT_EQ(Dialogs(ui_), (std::vector<std::string>{UndoQuestion(), kProgressOpen, kProgressClose,
                                                      kUndoFinished}));
    EXPECT_EQ(Listing(), std::vector<std::string>{"old name.mp3"});
    EXPECT_EQ(Read("old name.mp3"), "music");
    EXPECT_EQ(CurrentDirectory(), fs::canonical(work_).string());
    // The row follows its file back to the old name.
    EXPECT_EQ(bench_->Context().table.FileName(0), "old name.mp3");
    ExpectEmptyWorkingSet();
}

TEST_F(UndoTest, EachQuestionCanStopIt) {
    Write("b.mp3", "x");
    const std::string undoFile = "a.mp3\r\nb.mp3\r\n\x01";
    Write("Undo.inf", undoFile);
    const std::string unsaved =
        "question Warning (warning) %: You didn't save your renamed files.\nIf you continue you "
        "will lose your renamed files!\nDo you want to continue?";
    std::string no = UndoQuestion();
    no.replace(no.find(") yes:"), 6, ") no:");

    Propose({{"b.mp3", "c.mp3"}});
    ui_.yesNoAnswers = {false};
    bench_->Undo();
    EXPECT_EQ(Dialogs(ui_), std::vector<std::string>{WithAnswer(unsaved, "no")});

    Propose({{"b.mp3", "c.mp3"}});
    ui_.yesNoAnswers = {true, false};
    bench_->Undo();
    EXPECT_EQ(Dialogs(ui_), (std::vector<std::string>{WithAnswer(unsaved, "yes"), no}));

    Propose({});
    ui_.yesNoAnswers = {false};
    bench_->Undo();
    EXPECT_EQ(Dialogs(ui_), std::vector<std::string>{no});

    EXPECT_EQ(Listing(), (std::vector<std::string>{"Undo.inf", "b.mp3"}));
    EXPECT_EQ(Read("Undo.inf"), undoFile);
}

TEST_F(UndoTest, MissingUndoFileChangesNothing) {
    Write("a.mp3", "x");
    Propose({{"a.mp3", "b.mp3"}});
    const std::string before = CurrentDirectory();
    ui_.yesNoAnswers = {true, true};

    bench_->Undo();

    EXPECT_EQ(Dialogs(ui_).size(), 3u);
    EXPECT_EQ(Dialogs(ui_).back(), "message Error (warning): Unable to load Undo file");
    EXPECT_EQ(bench_->Set().Proposals(), std::vector<std::string>{"b.mp3"});
    EXPECT_EQ(bench_->Set().percentText, "100%");
    EXPECT_EQ(CurrentDirectory(), before);
}

TEST_F(UndoTest, AfterASaveWithoutSuccessReadsTheEndMarkFirst) {
    Write("a.mp3", "a");
    Write("b.mp3", "b");
    Propose({{"a.mp3", "b.mp3"}, {"b.mp3", "a.mp3"}});
    bench_->Save();
    ASSERT_EQ(Read("Undo.inf"), "\x01");

    ui_.calls.clear();
    ui_.yesNoAnswers = {true};
    bench_->Undo();

    EXPECT_EQ(Dialogs(ui_), (std::vector<std::string>{UndoQuestion(), kProgressOpen, kProgressClose,
                                                      kUndoFinished}));
    EXPECT_EQ(Listing(), (std::vector<std::string>{"a.mp3", "b.mp3"}));
    EXPECT_EQ(Read("a.mp3"), "a");
}

// After failures Undo does not claim success, and the undo file keeps exactly
// the pairs still to undo.
TEST_F(UndoTest, GoneFileIsReportedInATruncatedFileAndTheRestComesBack) {
    Write("A.mp3", "a");
    Write("C.mp3", "c");
    // No end mark, and the last line cut short of its line break.
    Write("Undo.inf", "a.mp3\r\nA.mp3\r\nb.mp3\r\nB.mp3\r\nc.mp3\r\nC.mp3");
    ui_.calls.clear();
    ui_.yesNoAnswers = {true};

    EXPECT_EQ(bench_->Undo().outcome, CommandOutcome::Failed);

    EXPECT_EQ(Dialogs(ui_), (std::vector<std::string>{UndoQuestion(), kProgressOpen,
                                                      Failure("b.mp3"), kProgressClose}));
    EXPECT_EQ(ui_.CallsOfKind("message").front().reason, ErrorReason(ENOENT));
    EXPECT_EQ(Listing(), (std::vector<std::string>{"Undo.inf", "a.mp3", "c.mp3"}));
    EXPECT_EQ(Read("Undo.inf"), "b.mp3\r\nB.mp3\r\n\x01");
    ExpectEmptyWorkingSet();
}

TEST_F(UndoTest, DoctoredUndoFileCannotMoveOrReplaceFiles) {
    ASSERT_EQ(mkdir(At("sub").c_str(), 0777), 0);
    for (const char* name : {"in1.mp3", "in2.mp3", "in3.mp3", "in4.mp3", "victim.mp3"}) {
        Write(name, name);
    }
    testing::WriteFile(root_ / "outside.mp3", "outside");
    Write("Undo.inf",
          "../escaped.mp3\r\nin1.mp3\r\n"
          "sub/x.mp3\r\nin2.mp3\r\n"
          "victim.mp3\r\nin3.mp3\r\n"
          "..\r\nin4.mp3\r\n"
          "back.mp3\r\n../outside.mp3\r\n\x01");
    ui_.calls.clear();
    ui_.yesNoAnswers = {true};

    bench_->Undo();

    EXPECT_EQ(Dialogs(ui_),
              (std::vector<std::string>{UndoQuestion(), kProgressOpen, Failure("../escaped.mp3"),
                                        Failure("sub/x.mp3"), Failure("victim.mp3"), Failure(".."),
                                        Failure("back.mp3"), kProgressClose}));
    EXPECT_EQ(Listing(), (std::vector<std::string>{"Undo.inf", "in1.mp3", "in2.mp3", "in3.mp3",
                                                   "in4.mp3", "sub", "victim.mp3"}));
    EXPECT_EQ(Read("victim.mp3"), "victim.mp3");
    EXPECT_TRUE(fs::is_empty(At("sub")));
    EXPECT_FALSE(PathExists(root_ / "escaped.mp3"));
    EXPECT_EQ(testing::ReadFile(root_ / "outside.mp3"), "outside");
}

TEST_F(UndoTest, ChainedRenamesOfOneSaveAllComeBack) {
    // Each new name is the old name of the next file, so every pair but the
    // last is blocked until the one after it has been undone.
    Write("1.mp3", "one");
    Write("2.mp3", "two");
    Write("3.mp3", "three");
    Propose({{"1.mp3", "0.mp3"}, {"2.mp3", "1.mp3"}, {"3.mp3", "2.mp3"}});
    bench_->Save();
    ASSERT_EQ(Listing(), (std::vector<std::string>{"0.mp3", "1.mp3", "2.mp3", "Undo.inf"}));
    ASSERT_EQ(Read("0.mp3"), "one");

    ui_.calls.clear();
    ui_.yesNoAnswers = {true};
    bench_->Undo();

    EXPECT_EQ(Dialogs(ui_), (std::vector<std::string>{UndoQuestion(), kProgressOpen, kProgressClose,
                                                      kUndoFinished}));
    EXPECT_EQ(Listing(), (std::vector<std::string>{"1.mp3", "2.mp3", "3.mp3"}));
    EXPECT_EQ(Read("1.mp3"), "one");
    EXPECT_EQ(Read("2.mp3"), "two");
    EXPECT_EQ(Read("3.mp3"), "three");
}

// A symbolic link proposed the name of the file it points to (both carry the
// same tags), or a hard link whose name differs only in letter case: two
// entries of one file are never merged, whatever the inode says.
TEST_F(SaveUndoTest, TwoEntriesOfOneFileAreNeverMerged) {
    const std::string song = "(Queen) - Bohemian Rhapsody.mp3";
    Write(song, "music");
    ASSERT_EQ(symlink(song.c_str(), At("favourite.mp3").c_str()), 0);
    Write("take.mp3", "take");
    ASSERT_EQ(link(At("take.mp3").c_str(), At("Take.mp3").c_str()), 0);
    Propose({{song, song}, {"favourite.mp3", song}, {"take.mp3", "Take.mp3"}});

    EXPECT_EQ(bench_->Save().outcome, CommandOutcome::Failed);

    EXPECT_EQ(Dialogs(ui_), (std::vector<std::string>{kProgressOpen, Failure("favourite.mp3"),
                                                      Failure("take.mp3"), kProgressClose}));
    // The song that keeps its name is no rename: nothing is recorded.
    EXPECT_EQ(Read("Undo.inf"), "\x01");
    // Undo meets the same names the other way round.
    Write("Undo.inf", song + "\r\nfavourite.mp3\r\nTake.mp3\r\ntake.mp3\r\n\x01");
    ui_.calls.clear();
    ui_.yesNoAnswers = {true};
    EXPECT_EQ(bench_->Undo().outcome, CommandOutcome::Failed);
    EXPECT_EQ(TypeOf(At(song)), EntryType::Regular);
    EXPECT_EQ(Read(song), "music");
    EXPECT_EQ(TypeOf(At("favourite.mp3")), EntryType::Link);
    EXPECT_EQ(Listing(), (std::vector<std::string>{song, "Take.mp3", "Undo.inf", "favourite.mp3",
                                                   "take.mp3"}));
}

TEST_F(SaveTest, ASaveThatRenamesNothingKeepsThePreviousUndoFile) {
    Write("b.mp3", "first saved");
    Write("taken.mp3", "t");
    const std::string previous = "a.mp3\r\nb.mp3\r\n\x01";
    Write("Undo.inf", previous);
    Propose({{"b.mp3", "taken.mp3"}});

    bench_->Save();

    EXPECT_EQ(Read("Undo.inf"), previous);
    EXPECT_EQ(Listing(), (std::vector<std::string>{"Undo.inf", "b.mp3", "taken.mp3"}));
    ui_.yesNoAnswers = {true};
    EXPECT_EQ(bench_->Undo().outcome, CommandOutcome::Done);
    EXPECT_EQ(Read("a.mp3"), "first saved");
}

// Two files were proposed the same name and the second rename failed: its
// row must not carry the name the first file now has.
TEST_F(SaveTest, RowsKeepTheNamesTheirFilesReallyHave) {
    Write("1.mp3", "one");
    Write("2.mp3", "two");
    FileInfoTable& table = bench_->Context().table;
    table.SetDirectory(work_);
    table.AppendRow(
        testing::RowOf({"Same.mp3", "One", "", "", "", "0", "255"}, IdentityOf(At("1.mp3"))));
    table.AppendRow(
        testing::RowOf({"Same.mp3", "Two", "", "", "", "0", "255"}, IdentityOf(At("2.mp3"))));
    Propose({{"1.mp3", "Same.mp3"}, {"2.mp3", "Same.mp3"}});

    bench_->Save();

    EXPECT_EQ(Read("Same.mp3"), "one");
    EXPECT_EQ(table.FileName(0), "Same.mp3");
    EXPECT_EQ(table.FileName(1), "2.mp3");
}

// Another running copy, or a preview run of "tagnomen-cli DIR", stores
// another work directory between Rename and Save.
TEST_F(SaveUndoTest, SaveAndUndoActWhereTheListsWereMade) {
    Write("a.mp3", "mine");
    testing::TempDir other;
    other.Write("a.mp3", "someone else's");
    Propose({{"a.mp3", "b.mp3"}});
    store_.SetPathToWork(other.Path());

    EXPECT_EQ(bench_->Save().outcome, CommandOutcome::Done);
    EXPECT_EQ(Listing(), (std::vector<std::string>{"Undo.inf", "b.mp3"}));
    ui_.calls.clear();
    ui_.yesNoAnswers = {true};
    EXPECT_EQ(bench_->Undo().outcome, CommandOutcome::Done);
    EXPECT_EQ(Dialogs(ui_).front(), UndoQuestion());
    EXPECT_EQ(Listing(), std::vector<std::string>{"a.mp3"});
    EXPECT_EQ(other.List(), std::vector<std::string>{"a.mp3"});
    EXPECT_EQ(other.Read("a.mp3"), "someone else's");
}

// Save renames the link itself; the file it points to, outside the work
// directory and read-only, is neither made writable nor touched.
TEST_F(SaveTest, ALinkToAFileOutsideIsRenamedAsALink) {
    const std::string outside = root_ / "outside.mp3";
    testing::WriteFile(outside, "outside");
    ASSERT_EQ(chmod(outside.c_str(), 0444), 0);
    ASSERT_EQ(symlink(outside.c_str(), At("ext.mp3").c_str()), 0);
    Propose({{"ext.mp3", "External.mp3"}});

    bench_->Save();

    EXPECT_EQ(TypeOf(At("External.mp3")), EntryType::Link);
    struct stat info {};
    ASSERT_EQ(stat(outside.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0444u);
    EXPECT_EQ(testing::ReadFile(outside), "outside");
}

// A FIFO put where the undo file goes would block an open for good.
TEST_F(SaveUndoTest, AFifoNamedUndoInfBlocksNeitherSaveNorUndo) {
    ASSERT_EQ(mkfifo(At("Undo.inf").c_str(), 0600), 0);
    Write("a.mp3", "a");
    testing::ChildProcess child([this](testing::ChildProcess&) {
        Propose({{"a.mp3", "b.mp3"}});
        ui_.yesNoAnswers = {false, true};
        bench_->Save();
        bench_->Set().ClearProposals();
        bench_->Undo();
        const std::vector<std::string> expected = {
            WithAnswer(kUnableToCreate, "no"), UndoQuestion(),
            "message Error (warning): Unable to load Undo file"};
        return Dialogs(ui_) == expected ? 0 : 1;
    });
    int status = -1;
    ASSERT_TRUE(child.Wait(std::chrono::seconds(20), status)) << "blocked on the FIFO";
    EXPECT_EQ(status, 0) << "other boxes than expected";
    EXPECT_EQ(TypeOf(At("Undo.inf")), EntryType::Other);
}

// Removes every entry of the work directory, between the cases of a table.
void EmptyDirectory(const std::string& directory) {
    for (const auto& entry : fs::directory_iterator(directory)) {
        fs::remove_all(entry.path());
    }
}

// A file proposed its own name is not renamed: no pair, no failure, and a
// Save that renames nothing else leaves the undo file of the Save before.
TEST_F(SaveTest, AProposalEqualToTheOldNameIsNoRename) {
    const std::string previous = "first.mp3\r\nkeep.mp3\r\n\x01";
    const struct {
        const char* what;
        bool hadPrevious;
        std::vector<std::pair<std::string, std::string>> proposals;
        std::string undoAfter;
    } cases[] = {
        {"only equal names", true, {{"keep.mp3", "keep.mp3"}, {"move.mp3", "move.mp3"}}, previous},
        {"only equal names, no undo file before", false, {{"keep.mp3", "keep.mp3"}}, "\x01"},
        {"an equal name beside a rename",
         true,
         {{"keep.mp3", "keep.mp3"}, {"move.mp3", "moved.mp3"}},
         "move.mp3\r\nmoved.mp3\r\n\x01"},
        {"an equal name whose file has gone", true, {{"gone.mp3", "gone.mp3"}}, previous},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EmptyDirectory(work_);
        Write("keep.mp3", "k");
        Write("move.mp3", "m");
        if (c.hadPrevious) {
            Write("Undo.inf", previous);
        }
        Propose(c.proposals);
        const CommandResult result = bench_->Save();
        EXPECT_EQ(result.outcome, CommandOutcome::Done);
        EXPECT_EQ(result.failures, 0u);
        EXPECT_EQ(Dialogs(ui_), (std::vector<std::string>{kProgressOpen, kProgressClose}));
        EXPECT_EQ(Read("Undo.inf"), c.undoAfter);
        EXPECT_FALSE(PathExists(At("Undo.inf.previous")));
    }
}

// What a Save killed at each moment leaves: the undo file of the Save before
// parked as "Undo.inf.previous", and the new one missing, empty, holding a
// pair whose rename never happened or one that did, or closed without a
// pair. The next Save or Undo uses the record that describes the files as
// they are and leaves nothing behind (nor the new text of a killed Undo).
TEST_F(UndoTest, AfterASaveKilledAtAnyMomentTheRecordOfTheFilesAsTheyAreServes) {
    const std::string pair = "song.mp3\r\nSong Title.mp3\r\n";
    const std::vector<std::string> earlierUndone = {"first.mp3", "song.mp3"};
    const std::vector<std::string> songUndone = {"earlier.mp3", "song.mp3"};
    const struct {
        const char* what;
        bool undoFile;
        std::string bytes;
        bool songRenamed;
        std::vector<std::string> after;
    } cases[] = {
        {"the new undo file not yet made", false, "", false, earlierUndone},
        {"the new undo file empty", true, "", false, earlierUndone},
        {"a pair written, its rename not made", true, pair, false, earlierUndone},
        {"a pair written and its rename made", true, pair, true, songUndone},
        {"closed without a pair", true, "\x01", false, earlierUndone},
    };
    for (const auto& c : cases) {
        for (const bool saveFirst : {false, true}) {
            SCOPED_TRACE(std::string(c.what) + (saveFirst ? ", then a Save of nothing" : ""));
            EmptyDirectory(work_);
            Write("earlier.mp3", "earlier");
            Write(c.songRenamed ? "Song Title.mp3" : "song.mp3", "song");
            Write("Undo.inf.previous", "first.mp3\r\nearlier.mp3\r\n\x01");
            Write("Undo.inf.new", "left by a killed Undo");
            if (c.undoFile) {
                Write("Undo.inf", c.bytes);
            }
            if (saveFirst) {
                Propose({{"song.mp3", "song.mp3"}});
                EXPECT_EQ(bench_->Save().outcome, CommandOutcome::Done);
                EXPECT_EQ(Listing().size(), 3u) << "only the files and Undo.inf";
            }
            ui_.calls.clear();
            ui_.yesNoAnswers = {true};
            EXPECT_EQ(bench_->Undo().outcome, CommandOutcome::Done);
            EXPECT_EQ(Dialogs(ui_).back(), kUndoFinished);
            EXPECT_EQ(Listing(), c.after);
        }
    }
}

// An Undo killed after it marked a step: every marked step but the last was
// taken back, and the last one counts only when the directory shows it. The
// next Undo takes back the rest and reports nothing that is not so.
TEST_F(UndoTest, AStoppedUndoIsFinishedFromItsMarks) {
    const std::string record = "a.mp3\r\nA.mp3\r\nb.mp3\r\nB.mp3\r\nc.mp3\r\nC.mp3\r\n\x01";
    const struct {
        const char* what;
        std::string marks;
        std::vector<std::string> files;
    } cases[] = {
        {"the last marked rename made", "2\r\n1\r\n", {"A.mp3", "b.mp3", "c.mp3"}},
        {"the last marked rename not made", "2\r\n1\r\n", {"A.mp3", "B.mp3", "c.mp3"}},
        {"a mark torn by the kill", "2\r\n1", {"A.mp3", "B.mp3", "c.mp3"}},
        {"killed before its first mark", "", {"A.mp3", "B.mp3", "C.mp3"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EmptyDirectory(work_);
        for (const std::string& name : c.files) {
            Write(name, std::string(1, static_cast<char>(std::tolower(name[0]))));
        }
        Write("Undo.inf", record + c.marks);
        ui_.calls.clear();
        ui_.yesNoAnswers = {true};
        EXPECT_EQ(bench_->Undo().outcome, CommandOutcome::Done);
        EXPECT_EQ(Dialogs(ui_), (std::vector<std::string>{UndoQuestion(), kProgressOpen,
                                                          kProgressClose, kUndoFinished}));
        EXPECT_EQ(Listing(), (std::vector<std::string>{"a.mp3", "b.mp3", "c.mp3"}));
        EXPECT_EQ(Read("b.mp3"), "b");
    }
}

// A record is a list of rename steps in the order they were made, so a swap
// made through a temporary name comes back, also when the Save that made it
// was stopped before its last step.
TEST_F(UndoTest, StepsThroughATemporaryNameComeBackLastFirst) {
    const std::string steps = "a.mp3\r\n.swap\r\nb.mp3\r\na.mp3\r\n.swap\r\nb.mp3\r\n";
    const struct {
        const char* what;
        std::string record;
        std::vector<std::pair<std::string, std::string>> files;
    } cases[] = {
        {"the swap done", steps + "\x01", {{"a.mp3", "B"}, {"b.mp3", "A"}}},
        {"stopped before its last step", steps, {{".swap", "A"}, {"a.mp3", "B"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EmptyDirectory(work_);
        for (const auto& [name, bytes] : c.files) {
            Write(name, bytes);
        }
        Write("Undo.inf", c.record);
        ui_.yesNoAnswers = {true};
        EXPECT_EQ(bench_->Undo().outcome, CommandOutcome::Done);
        EXPECT_EQ(Listing(), (std::vector<std::string>{"a.mp3", "b.mp3"}));
        EXPECT_EQ(Read("a.mp3"), "A");
        EXPECT_EQ(Read("b.mp3"), "B");
    }
}

}  // namespace
}  // namespace tagnomen

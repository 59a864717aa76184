// SPDX-License-Identifier: GPL-3.0-or-later
// The files organizer: the dialog's rules, the folder names, and whole runs
// through the Workbench's command on real files and folders.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <memory>

#include "ScriptedUi.h"
#include "TableRows.h"
#include "TempDir.h"
#include "WorkbenchFixture.h"
#include "WorkingSetLists.h"
#include "app/Workbench.h"
#include "platform/FileSystem.h"
#include "tools/DirectoryChooserModel.h"
#include "tools/FilesOrganizer.h"
#include "tools/FilesOrganizerModel.h"

namespace tagnomen {
namespace {

using testing::TempDir;

constexpr const char* kFirstQuestion =
    "Before proceeding, check that the File Information loaded is correct, going to Tools -> "
    "File Info Viewer.\nDo you want to proceed with Files Organizer?";
constexpr const char* kLastQuestion =
    "After organizing your files you will no longer be able to undo your renamed files.\nDo you "
    "want to proceed organizing files?";

class FilesOrganizerTest : public testing::WorkbenchFixture {
  protected:
    void SetUp() override {
        WorkbenchFixture::SetUp();
        store_.SetFileInfoLoader(1);
        Start();
    }

    RenamingContext& Context() { return workbench_->Context(); }

    // "FullTagSupport" 0: a file stays only for an empty folder name, silently.
    void LiteralMode() {
        store_.SetFullTagSupport(false);
        Context().fullTagSupport = false;
    }

    void AddFile(const std::string& name, const std::string& title, const std::string& artist = "",
                 const std::string& album = "", const std::string& year = "",
                 const std::string& genre = "255") {
        music_.Write(name, "audio of " + name);
        Context().table.AppendRow(testing::RowOf({name, title, artist, album, year, "0", genre}));
    }

    // Yes to both questions, the root typed into the chooser, the method chosen and OK.
    void Answer(const std::string& root, SortMethod method,
                SortDetail detail = SortDetail::Alphabetically) {
        ui_.yesNoAnswers = {true, true};
        ui_.dialogs.directoryChooser.Push([root](DirectoryChooserModel& chooser) {
            chooser.SetText(root);
            return chooser.Accept();
        });
        ui_.dialogs.filesOrganizer.Push([method, detail](FilesOrganizerModel& dialog) {
            dialog.Choose(method);
            dialog.SetArtistDetail(detail);
            dialog.SetAlbumDetail(detail);
            return dialog.Accept();
        });
    }

    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const UiCall& call : ui_.CallsOfKind("message")) {
            texts.push_back(call.text);
        }
        return texts;
    }

    TempDir root_;
};

TEST_F(FilesOrganizerTest, DialogOpensWithTheStoredMethodAndItsList) {
    const struct {
        int stored;
        SortMethod chosen;
        bool artistList, albumList;
    } cases[] = {
        {0, SortMethod::Title, false, false}, {1, SortMethod::Artist, true, false},
        {2, SortMethod::Album, false, true},  {3, SortMethod::Year, false, false},
        {4, SortMethod::Genre, false, false}, {5, SortMethod::None, false, false},
        {-1, SortMethod::None, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        store_.SetSortMethod(c.stored);
        FilesOrganizerModel dialog(Context());
        EXPECT_STREQ(dialog.Title(), "Files Organizer");
        EXPECT_EQ(dialog.Chosen(), c.chosen);
        EXPECT_EQ(dialog.ArtistListEnabled(), c.artistList);
        EXPECT_EQ(dialog.AlbumListEnabled(), c.albumList);
        EXPECT_EQ(dialog.ArtistDetail(), SortDetail::Alphabetically);
        EXPECT_EQ(dialog.AlbumDetail(), SortDetail::Alphabetically);
    }
}

TEST_F(FilesOrganizerTest, ChoosingAButtonEnablesOnlyItsOwnListAtAlphabetically) {
    store_.SetSortMethod(1);
    FilesOrganizerModel dialog(Context());
    dialog.SetArtistDetail(SortDetail::ByName);
    dialog.SetAlbumDetail(SortDetail::ByName);  // disabled: ignored
    EXPECT_EQ(dialog.ArtistDetail(), SortDetail::ByName);
    EXPECT_EQ(dialog.AlbumDetail(), SortDetail::Alphabetically);

    dialog.Choose(SortMethod::Artist);  // already chosen: nothing changes
    EXPECT_EQ(dialog.ArtistDetail(), SortDetail::ByName);

    dialog.Choose(SortMethod::Album);
    EXPECT_FALSE(dialog.ArtistListEnabled());
    EXPECT_TRUE(dialog.AlbumListEnabled());
    dialog.SetAlbumDetail(SortDetail::ByName);
    EXPECT_EQ(dialog.Rule().method, SortMethod::Album);
    EXPECT_EQ(dialog.Rule().detail, SortDetail::ByName);

    dialog.Choose(SortMethod::Artist);
    EXPECT_EQ(dialog.ArtistDetail(), SortDetail::Alphabetically) << "reset on choosing";
    dialog.Choose(SortMethod::Year);
    EXPECT_FALSE(dialog.ArtistListEnabled());
    EXPECT_FALSE(dialog.AlbumListEnabled());
    EXPECT_EQ(dialog.Rule().detail, SortDetail::Alphabetically);
}

TEST_F(FilesOrganizerTest, OkWithoutAChosenButtonDoesNothingUntilOneIsChosen) {
    store_.SetSortMethod(7);
    FilesOrganizerModel dialog(Context());
    EXPECT_FALSE(dialog.Accept());
    EXPECT_FALSE(dialog.Accepted());
    EXPECT_TRUE(ui_.calls.empty()) << "no question";
    int stored = -1;
    store_.GetSortMethod(stored);
    EXPECT_EQ(stored, 7);

    dialog.Choose(SortMethod::Genre);
    ui_.yesNoAnswers = {true};
    EXPECT_TRUE(dialog.Accept());
    EXPECT_TRUE(dialog.Proceed());
    store_.GetSortMethod(stored);
    EXPECT_EQ(stored, 4);
}

TEST(FilesOrganizerFolderNameTest, FolderNamesStayOneLevelBelowTheRoot) {
    const std::string artist40 = "The Artist Whose Name Runs To Forty Char";
    ASSERT_EQ(artist40.size(), 40u);
    const struct {
        const char* name;
        testing::RowTexts row;  // file, title, artist, album, year, track, genre
        OrganizeRule rule;
        std::string folder;
    } cases[] = {
        {"title initial", {"f", "angel", "", "", "", "0", "255"}, {SortMethod::Title}, "A"},
        {"accented initial",
         {"f", "\xC3\xA9lan", "", "", "", "0", "255"},
         {SortMethod::Title},
         "\xC3\x89"},
        {"Cyrillic initial",
         {"f", "\xD1\x8F", "", "", "", "0", "255"},
         {SortMethod::Title},
         "\xD0\xAF"},
        {"digit initial",
         {"f", "99 Luftballons", "", "", "", "0", "255"},
         {SortMethod::Title},
         "9"},
        {"artist initial", {"f", "", "queen", "", "", "0", "255"}, {SortMethod::Artist}, "Q"},
        {"artist name, 40 characters",
         {"f", "", artist40, "", "", "0", "255"},
         {SortMethod::Artist, SortDetail::ByName},
         artist40},
        {"placeholder artist",
         {"f", "", "Unknown Artist", "", "", "0", "255"},
         {SortMethod::Artist, SortDetail::ByName},
         "Unknown Artist"},
        {"slash in a name",
         {"f", "", "AC/DC", "", "", "0", "255"},
         {SortMethod::Artist, SortDetail::ByName},
         "AC-DC"},
        {"slash initial", {"f", "/etc", "", "", "", "0", "255"}, {SortMethod::Title}, "-"},
        {"dot dot album",
         {"f", "", "", "..", "", "0", "255"},
         {SortMethod::Album, SortDetail::ByName},
         ""},
        {"dot album initial", {"f", "", "", ".hidden", "", "0", "255"}, {SortMethod::Album}, ""},
        {"three dots stay",
         {"f", "", "", "...", "", "0", "255"},
         {SortMethod::Album, SortDetail::ByName},
         "..."},
        {"parent path",
         {"f", "", "../../x", "", "", "0", "255"},
         {SortMethod::Artist, SortDetail::ByName},
         "..-..-x"},
        {"year", {"f", "", "", "", "1999", "0", "255"}, {SortMethod::Year}, "1999"},
        {"empty year", {"f", "t", "", "", "", "0", "255"}, {SortMethod::Year}, ""},
        {"genre name", {"f", "", "", "", "", "0", "17"}, {SortMethod::Genre}, "Rock"},
        {"no genre", {"f", "", "", "", "", "0", "255"}, {SortMethod::Genre}, ""},
        {"genre text without a number",
         {"f", "", "", "", "", "0", "x"},
         {SortMethod::Genre},
         "Blues"},
        {"empty title", {"f", "", "a", "b", "", "0", "255"}, {SortMethod::Title}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FolderNameFor(testing::RowOf(c.row).values, c.rule), c.folder);
    }
    // A name longer than a file name may be is cut on a character boundary.
    std::string accents;
    for (int i = 0; i < 200; ++i) {
        accents += "\xC3\xA9";
    }
    const std::string cut =
        FolderNameFor(testing::RowOf({"f", "", accents, "", "", "0", "255"}).values,
                      {SortMethod::Artist, SortDetail::ByName});
    EXPECT_EQ(cut.size(), 254u);
}

TEST(FilesOrganizerFolderNameTest, UpperCasesOneCharacter) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"a", "A"},
        {"Z", "Z"},
        {"1", "1"},
        {"\xC3\xA0", "\xC3\x80"},  // à
        {"\xC3\xBF", "\xC5\xB8"},  // ÿ
        {"\xC3\xB7", "\xC3\xB7"},  // ÷
        {"\xC3\x9F", "\xC3\x9F"},  // ß has no one-character capital
        {"\xC4\x87", "\xC4\x86"},  // ć
        {"\xC5\x82", "\xC5\x81"},  // ł
        {"\xC5\xBE", "\xC5\xBD"},  // ž
        {"\xCF\x82", "\xCE\xA3"},  // final sigma
        {"\xD1\x91", "\xD0\x81"},  // ё
        {"\xE6\x97\xA5", "\xE6\x97\xA5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(UpperCaseCharacter(c.in), c.out);
    }
}

TEST_F(FilesOrganizerTest, UnsavedNamesOrAnEmptyTableStopTheCommandWithItsMessage) {
    AddFile("a.mp3", "angel");
    testing::SetProposals(workbench_->Set(), {"A.mp3"});
    workbench_->FilesOrganizer();
    workbench_->Set().ClearProposals();
    Context().table.Empty();
    workbench_->FilesOrganizer();
    ASSERT_EQ(ui_.calls.size(), 2u);
    EXPECT_EQ(ui_.calls[0].text, "You must save your renamed files first (Press Save Button)");
    EXPECT_EQ(ui_.calls[1].text.rfind("Files Organizer can't proceed because there is not File "
                                      "Information loaded.\n",
                                      0),
              0u);
    EXPECT_TRUE(music_.Exists("a.mp3"));
}

TEST_F(FilesOrganizerTest, EachStepBeforeTheRunCanStopIt) {
    AddFile("a.mp3", "angel");
    music_.Write("Undo.inf", "undo");
    store_.SetSortMethod(3);
    // No to the first question; Cancel in the chooser; Cancel in the dialog;
    // No to the last question, which still stores the chosen method.
    ui_.yesNoAnswers = {false, true, true, true, false};
    workbench_->FilesOrganizer();
    workbench_->FilesOrganizer();
    ui_.dialogs.directoryChooser.Push([&](DirectoryChooserModel& chooser) {
        EXPECT_EQ(chooser.Mode(), ChooserMode::Root);
        chooser.SetText(root_.Path());
        return chooser.Accept();
    });
    workbench_->FilesOrganizer();
    ui_.dialogs.directoryChooser.Push([&](DirectoryChooserModel& chooser) {
        chooser.SetText(root_.Path());
        return chooser.Accept();
    });
    ui_.dialogs.filesOrganizer.Push([](FilesOrganizerModel& dialog) {
        dialog.Choose(SortMethod::Title);
        return dialog.Accept();
    });
    workbench_->FilesOrganizer();

    const std::vector<UiCall> questions = ui_.CallsOfKind("question");
    ASSERT_EQ(questions.size(), 5u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(questions[static_cast<std::size_t>(i)].text, kFirstQuestion);
    }
    EXPECT_EQ(questions[4].text, kLastQuestion);
    EXPECT_EQ(questions[4].caption, "Warning");
    int stored = -1;
    store_.GetSortMethod(stored);
    EXPECT_EQ(stored, 0) << "stored on OK, before the question";
    std::string root;
    store_.GetRootOrganizePath(root);
    EXPECT_EQ(root, root_.Path());
    EXPECT_TRUE(music_.Exists("a.mp3"));
    EXPECT_TRUE(music_.Exists("Undo.inf"));
    EXPECT_TRUE(root_.List().empty());
    EXPECT_TRUE(ui_.CallsOfKind("progress").empty());
}

TEST_F(FilesOrganizerTest, ByTitleInitialMovesFilesAndDeletesTheUndoFile) {
    LiteralMode();
    AddFile("1.mp3", "angel");
    AddFile("2.mp3", "Another");
    AddFile("3.mp3", "bee");
    AddFile("4.mp3", "");
    music_.Write("Undo.inf", "undo");
    Answer(root_.Path(), SortMethod::Title);
    workbench_->FilesOrganizer();
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(root_.List(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(root_.Read("A/1.mp3"), "audio of 1.mp3");
    EXPECT_EQ(root_.Read("A/2.mp3"), "audio of 2.mp3");
    EXPECT_EQ(root_.Read("B/3.mp3"), "audio of 3.mp3");
    EXPECT_EQ(music_.List(), (std::vector<std::string>{"4.mp3"}))
        << "the empty title stays; Undo.inf is gone";
    const std::vector<UiCall> progress = ui_.CallsOfKind("progress");
    ASSERT_EQ(progress.size(), 2u);
    EXPECT_EQ(progress[0].text, "Organizing your Mp3 Files...");
    EXPECT_EQ(ui_.progressWindowsOpen, 0);
    EXPECT_EQ(Context().table.RowCount(), 4u) << "the table is not touched";
}

TEST_F(FilesOrganizerTest, SkipsEmptyValuesSilentlyAndASecondRunCannotMoveAnything) {
    LiteralMode();
    AddFile("a.mp3", "t", "", "", "1999", "17");
    AddFile("b.mp3", "t", "", "", "", "255");
    AddFile("c.mp3", "t", "", "", "2001", "13");
    Answer(root_.Path(), SortMethod::Year);
    workbench_->FilesOrganizer();
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(root_.Exists("1999/a.mp3"));
    EXPECT_TRUE(root_.Exists("2001/c.mp3"));
    EXPECT_TRUE(music_.Exists("b.mp3"));

    // By genre, b (255) stays silently; a and c have already left.
    ui_.calls.clear();
    Answer(root_.Path(), SortMethod::Genre);
    workbench_->FilesOrganizer();
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{"Unable to move a.mp3", "Unable to move c.mp3"}));
    for (const UiCall& call : ui_.CallsOfKind("message")) {
        EXPECT_EQ(call.caption, "Error");
        EXPECT_EQ(call.icon, MessageIcon::Stop);
    }
    EXPECT_TRUE(music_.Exists("b.mp3"));
}

// Full tag support: a file without a value for the sort stays and is
// counted; a root typed before it exists is made on Yes.
TEST_F(FilesOrganizerTest, UntaggedFilesStayAndANewRootIsMadeOnYes) {
    const struct {
        testing::RowTexts row;  // name, title, artist, album, year, track, genre
        ValueSource source;
        bool moves;
    } rows[] = {
        {{"a.mp3", "Unknown Title", "Unknown Artist", "", "", "0", "255"},
         ValueSource::None,
         false},
        {{"b.mp3", "", "", "", "", "0", "255"}, ValueSource::None, false},
        {{"c.mp3", "Song", "Queen", "", "", "0", "255"}, ValueSource::Tag, true},
        {{"d.mp3", "", "The Unknown Band", "", "", "0", "255"}, ValueSource::Tag, true},
    };
    for (const auto& r : rows) {
        music_.Write(r.row[0], "audio");
        TableRow row = testing::RowOf(r.row);
        row.sources.of.fill(r.source);
        Context().table.AppendRow(row);
    }
    const std::string root = root_ / "Sorted/By Artist";
    Answer(root, SortMethod::Artist, SortDetail::ByName);
    ui_.yesNoAnswers = {true, true, true};  // go on, make the root, go on
    workbench_->FilesOrganizer();
    EXPECT_EQ(ui_.MessageTexts().at(1), root + " does not exist.\nDo you want to create it?");
    for (const auto& r : rows) {
        EXPECT_EQ(music_.Exists(r.row[0]), !r.moves) << r.row[0];
    }
    EXPECT_EQ(ListSubdirectories(root), (std::vector<std::string>{"Queen", "The Unknown Band"}));
    const UiCall summary = ui_.calls.back();
    EXPECT_EQ(summary.text, "2 files have no artist and stay in the folder");
    EXPECT_EQ(summary.caption, "Files Organizer");
    EXPECT_EQ(summary.icon, MessageIcon::Information);
    EXPECT_EQ(ui_.progressWindowsOpen, 0);
}

// While no file has left the work directory, the renames can still be undone.
TEST_F(FilesOrganizerTest, UndoFileStaysWhenNoFileLeft) {
    LiteralMode();
    AddFile("a.mp3", "angel");
    AddFile("b.mp3", "bee");
    music_.Write("Undo.inf", "undo");
    Answer(root_.Path(), SortMethod::Genre);  // no genre: every file stays
    workbench_->FilesOrganizer();
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(music_.Read("Undo.inf"), "undo");
}

// The files are taken from where the table was made, whatever "PathToWork"
// says now; a row whose file was replaced since is reported, not moved; a
// link moves as a link, and what it points to stays where it is.
TEST_F(FilesOrganizerTest, MovesOnlyTheFilesTheTableWasReadFrom) {
    AddFile("a.mp3", "angel");
    AddFile("b.mp3", "bee");
    TempDir outside, elsewhere;
    outside.Write("target.mp3", "target");
    ASSERT_EQ(symlink((outside / "target.mp3").c_str(), (music_ / "c.mp3").c_str()), 0);
    FileInfoTable& table = Context().table;
    table.AppendRow(testing::RowOf({"c.mp3", "cat", "", "", "", "0", "255"}));
    table.SetDirectory(music_.Path());
    for (std::size_t row = 0; row < table.RowCount(); ++row) {
        table.SetIdentity(row, IdentityOf(music_ / table.FileName(row)));
    }
    // The old b.mp3 is kept elsewhere, so that the new one cannot get its inode.
    ASSERT_TRUE(MoveFileNoReplace(music_ / "b.mp3", outside / "b.mp3"));
    music_.Write("b.mp3", "another file under the name");
    elsewhere.Write("a.mp3", "not the table's");
    store_.SetPathToWork(elsewhere.Path());
    Answer(root_.Path(), SortMethod::Title);

    EXPECT_EQ(workbench_->FilesOrganizer().outcome, CommandOutcome::Failed);

    EXPECT_EQ(Messages(), std::vector<std::string>{"Unable to move b.mp3"});
    EXPECT_EQ(root_.Read("A/a.mp3"), "audio of a.mp3");
    EXPECT_EQ(music_.Read("b.mp3"), "another file under the name");
    EXPECT_EQ(TypeOf(root_ / "C/c.mp3"), EntryType::Link);
    EXPECT_EQ(outside.Read("target.mp3"), "target");
    EXPECT_EQ(elsewhere.Read("a.mp3"), "not the table's");
}

TEST_F(FilesOrganizerTest, AMoveNeverReplacesAFileInTheFolder) {
    AddFile("a.mp3", "angel");
    ASSERT_TRUE(CreateDirectoryLevel(root_ / "A"));
    root_.Write("A/a.mp3", "someone else's file");
    Answer(root_.Path(), SortMethod::Title);
    workbench_->FilesOrganizer();
    EXPECT_EQ(Messages(), std::vector<std::string>{"Unable to move a.mp3"});
    EXPECT_EQ(root_.Read("A/a.mp3"), "someone else's file");
    EXPECT_EQ(music_.Read("a.mp3"), "audio of a.mp3");
}

TEST_F(FilesOrganizerTest, AFolderThatCannotBeCreatedAbortsAndKeepsTheUndoFile) {
    AddFile("a.mp3", "angel");
    AddFile("b.mp3", "bee");
    AddFile("c.mp3", "cat");
    music_.Write("Undo.inf", "undo");
    root_.Write("B", "a file where the folder B should go");
    Answer(root_.Path(), SortMethod::Title);
    workbench_->FilesOrganizer();
    EXPECT_EQ(Messages(), std::vector<std::string>{"Unable to create " + (root_ / "B") +
                                                   " Files Organizer will abort now!"});
    EXPECT_TRUE(root_.Exists("A/a.mp3")) << "moved before the failure: stays moved";
    EXPECT_TRUE(music_.Exists("b.mp3"));
    EXPECT_TRUE(music_.Exists("c.mp3")) << "rows after the failure are not processed";
    EXPECT_FALSE(root_.Exists("C"));
    EXPECT_TRUE(music_.Exists("Undo.inf"));
    EXPECT_EQ(ui_.progressWindowsOpen, 0);
}

TEST_F(FilesOrganizerTest, NamesFromTagsNeverLeaveTheRoot) {
    LiteralMode();
    AddFile("a.mp3", "", "../escape");
    AddFile("b.mp3", "", "..");
    AddFile("c.mp3", "", "/");
    Answer(root_.Path(), SortMethod::Artist, SortDetail::ByName);
    workbench_->FilesOrganizer();
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(root_.List(), (std::vector<std::string>{"-", "..-escape"}));
    EXPECT_TRUE(root_.Exists("..-escape/a.mp3"));
    EXPECT_TRUE(root_.Exists("-/c.mp3"));
    EXPECT_TRUE(music_.Exists("b.mp3")) << "'..' counts as an empty value";
}

TEST_F(FilesOrganizerTest, ATableNameWithASlashIsNotFollowed) {
    ASSERT_TRUE(CreateDirectoryLevel(music_ / "sub"));
    AddFile("sub/a.mp3", "angel");
    Answer(root_.Path(), SortMethod::Title);
    workbench_->FilesOrganizer();
    EXPECT_EQ(Messages(), std::vector<std::string>{"Unable to move sub/a.mp3"});
    EXPECT_TRUE(music_.Exists("sub/a.mp3"));
}

TEST_F(FilesOrganizerTest, AMoveCutOffAfterItsCopyTookItsNameIsFinishedByTheNextOne) {
    if (access("/dev/shm", W_OK) != 0 ||
        IdentityOf(music_.Path())->device == IdentityOf("/dev/shm")->device) {
        GTEST_SKIP() << "no second file system at /dev/shm";
    }
    TempDir root("/dev/shm");
    ASSERT_TRUE(CreateDirectoryLevel(root / "A"));
    // The file's copy (its time kept to a second), and another of its size and time.
    const struct {
        const char* name;
        std::string copy;
        long seconds;
    } cases[] = {{"a.mp3", "audio", 1234567891}, {"b.mp3", "other", 1234567890}};
    for (const auto& c : cases) {
        AddFile(c.name, "angel");
        music_.Write(c.name, "audio");
        testing::WriteFile(root / "A/" + c.name, c.copy);
        const struct timespec source[2] = {{0, 0}, {1234567890, 5}},
                              copy[2] = {{0, 0}, {c.seconds, 5}};
        ASSERT_EQ(utimensat(AT_FDCWD, (music_ / c.name).c_str(), source, 0), 0);
        ASSERT_EQ(utimensat(AT_FDCWD, (root / "A/" + c.name).c_str(), copy, 0), 0);
    }
    Answer(root.Path(), SortMethod::Title);
    workbench_->FilesOrganizer();
    EXPECT_EQ(root.List(), std::vector<std::string>{"A"});
    EXPECT_FALSE(music_.Exists("a.mp3"));
    EXPECT_EQ(music_.Read("b.mp3"), "audio");
    EXPECT_EQ(testing::ReadFile(root / "A/b.mp3"), "other");
    EXPECT_EQ(Messages(), std::vector<std::string>{"Unable to move b.mp3"});
}

TEST_F(FilesOrganizerTest, MovesToAnotherFileSystemCopyThenRemove) {
    struct stat work {
    }, shm{};
    if (stat(music_.Path().c_str(), &work) != 0 || stat("/dev/shm", &shm) != 0 ||
        work.st_dev == shm.st_dev || access("/dev/shm", W_OK) != 0) {
        GTEST_SKIP() << "no second file system at /dev/shm";
    }
    char pattern[] = "/dev/shm/tagnomen-organizer-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string root = pattern;
    std::string big(300000, '\0');
    for (std::size_t i = 0; i < big.size(); ++i) {
        big[i] = static_cast<char>(i * 7 + 3);
    }
    AddFile("a.mp3", "angel");
    music_.Write("a.mp3", big);
    // The copy keeps the modification time and the mode.
    const struct timespec times[2] = {{1000000000, 0}, {1234567890, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, (music_ / "a.mp3").c_str(), times, 0), 0);
    ASSERT_EQ(chmod((music_ / "a.mp3").c_str(), 0640), 0);
    AddFile("b.mp3", "bee");
    ASSERT_TRUE(CreateDirectoryLevel(root + "/B"));
    testing::WriteFile(root + "/B/b.mp3", "already there");
    // A link is made again as a link.
    ASSERT_EQ(symlink("a.mp3", (music_ / "c.mp3").c_str()), 0);
    Context().table.AppendRow(testing::RowOf({"c.mp3", "cat", "", "", "", "0", "255"}));
    Answer(root, SortMethod::Title);
    workbench_->FilesOrganizer();
    EXPECT_EQ(testing::ReadFile(root + "/A/a.mp3"), big);
    EXPECT_FALSE(music_.Exists("a.mp3"));
    struct stat moved {};
    ASSERT_EQ(stat((root + "/A/a.mp3").c_str(), &moved), 0);
    EXPECT_EQ(moved.st_mtim.tv_sec, 1234567890);
    EXPECT_EQ(moved.st_mode & 07777, 0640u);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Unable to move b.mp3"});
    EXPECT_EQ(testing::ReadFile(root + "/B/b.mp3"), "already there");
    EXPECT_EQ(music_.Read("b.mp3"), "audio of b.mp3");
    EXPECT_EQ(TypeOf(root + "/C/c.mp3"), EntryType::Link);
    for (const char* folder : {"/A", "/B", "/C"}) {
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root + folder),
                                std::filesystem::directory_iterator()),
                  1)
            << "no temporary left in " << folder;
    }
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

}  // namespace
}  // namespace tagnomen

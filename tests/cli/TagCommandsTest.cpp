// SPDX-License-Identifier: GPL-3.0-or-later
// tagnomen-cli's tag commands on real files: tags-file, tags, table,
// table-edit, clean and organize, run in-process.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "../core/RenameTestFiles.h"
#include "CliRunner.h"
#include "TempDir.h"
#include "tags/Id3v1Record.h"
#include "tags/Id3v2Record.h"

namespace tagnomen::cli {
namespace {

using testing::Id3v1Bytes;
using testing::Id3v2Bytes;
using testing::Mp3Bytes;
using testing::TempDir;

struct CliResult {
    int status;
    std::string out;
    std::string err;
};

class TagCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        music_.Write("a.mp3", Mp3Bytes(Id3v2Bytes({{"TIT2", "Angel Song"}, {"TPE1", "Band"}}),
                                       Id3v1Bytes({.title = "Angel",
                                                   .artist = "Band",
                                                   .year = "1998",
                                                   .track = 2,
                                                   .genre = 17})));
        music_.Write("b.mp3", Mp3Bytes("", Id3v1Bytes({.title = "Bee", .artist = "AC/DC"})));
        Run({"-c", "settings"});  // the first run
    }

    CliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--settings", settings_, "--quiet"});
        std::ostringstream out, err;
        std::istringstream in;
        const int status = RunCli(args, out, err, in, false);
        return {status, out.str(), err.str()};
    }

    // dir, loader on, rename and save: a table whose names are on disk.
    std::vector<std::string> Saved() const {
        return {"-c", "dir " + music_.Path(), "-c", "loader on", "-c", "rename", "-c", "save"};
    }

    std::vector<std::string> Plus(std::vector<std::string> args,
                                  std::initializer_list<std::string> more) const {
        for (const std::string& command : more) {
            args.push_back("-c");
            args.push_back(command);
        }
        return args;
    }

    std::vector<std::string> Lines(const std::string& text) const {
        std::vector<std::string> lines;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }

    testing::CurrentDirectoryGuard cwd_;
    TempDir dir_;
    TempDir music_;
    TempDir root_;
    std::string settings_ = dir_ / "settings.reg";
};

TEST_F(TagCommandsTest, GreyedToolsAreRefusedWhileTheLoaderIsOff) {
    for (const std::string& command : {std::string("clean"), std::string("table-edit 0 title=x"),
                                       "organize '" + root_.Path() + "' title"}) {
        SCOPED_TRACE(command);
        CliResult r = Run({"--answer", "yes", "-c", "dir " + music_.Path(), "-c", "loader off",
                           "-c", "rename", "-c", "save", "-c", command});
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find("greyed while the file information loader is off"), std::string::npos)
            << r.err;
    }
    EXPECT_TRUE(root_.List().empty());
}

TEST_F(TagCommandsTest, TagsFilePrintsBothReadersAndChangesNothing) {
    const std::string before = music_.Read("a.mp3");
    CliResult r = Run({"-c", "tags-file '" + (music_ / "a.mp3") + "'"});
    EXPECT_EQ(r.status, 0);
    ASSERT_EQ(Lines(r.out).size(), 1u);
    EXPECT_EQ(r.out.back(), '\n');
    EXPECT_NE(r.out.find("\"id3v1\": {\"present\": true, \"version\": 2, \"title\": \"Angel\""),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\"title\": \"Angel Song\""), std::string::npos);
    EXPECT_EQ(music_.Read("a.mp3"), before);
}

TEST_F(TagCommandsTest, UsageErrorsStopBeforeAnythingRuns) {
    const std::string before = music_.Read("a.mp3");
    const std::vector<std::vector<std::string>> cases = {
        {"-c", "tags-file"},
        {"-c", "dir " + music_.Path(), "-c", "tags 5 title=x"},
        {"-c", "dir " + music_.Path(), "-c", "tags 0 colour=red"},
        {"-c", "dir " + music_.Path(), "-c", "tags 0 title"},
        {"-c", "dir " + music_.Path(), "-c", "tags 0 genre=Polka-Dot"},
        {"-c", "table x"},
        {"-c", "table-edit 0 comment=x"},
        {"-c", "clean now"},
        {"--set", "FullTagSupport=0", "-c", "dir " + music_.Path(), "-c", "loader on", "-c",
         "rename", "-c", "clean --dry-run"},
        {"-c", "organize " + root_.Path() + " colour"},
        {"-c", "organize " + root_.Path()},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args.back());
        CliResult r = Run(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find("usage: "), std::string::npos) << r.err;
    }
    EXPECT_EQ(music_.Read("a.mp3"), before);
}

TEST_F(TagCommandsTest, TagsPrintsTheReconciledValuesAndWritesTypedFields) {
    // The titles disagree: the "no" policy keeps the ID3v1 text.
    CliResult shown = Run({"-c", "dir " + music_.Path(), "-c", "tags 0"});
    EXPECT_EQ(shown.status, 0);
    EXPECT_EQ(shown.out,
              "{\"file\": \"a.mp3\", \"label\": \"Uses ID3 TAGv1 and TAGv2\", \"title\": "
              "\"Angel\", \"artist\": \"Band\", \"album\": \"\", \"year\": \"1998\", \"track\": "
              "\"2\", \"genre\": \"17\", \"comment\": \"\"}\n");

    CliResult typed = Run({"--answer", "yes", "-c", "dir " + music_.Path(), "-c",
                           "tags 0 title='Angel (Live)' year=2001 track= genre=Pop comment=Hi"});
    EXPECT_EQ(typed.status, 0);
    EXPECT_NE(typed.out.find("\"title\": \"Angel Song\""), std::string::npos)
        << "the yes policy takes the ID3v2 text";
    Id3v1Record v1;
    Id3v2Record v2;
    v1.ReadTag(music_ / "a.mp3");
    v2.ReadTag(music_ / "a.mp3");
    EXPECT_EQ(v1.title, "Angel (Live)");
    EXPECT_EQ(v1.year, "2001");
    EXPECT_EQ(v1.track, 0);
    EXPECT_EQ(v1.genre, 13);
    EXPECT_EQ(v1.comment, "Hi");
    EXPECT_EQ(v2.title, "Angel (Live)") << "the file had an ID3v2 tag";
    EXPECT_EQ(v2.genre, "13");
}

TEST_F(TagCommandsTest, TagsWithARefusedYearWritesNothing) {
    const std::string before = music_.Read("b.mp3");
    CliResult r = Run({"-c", "dir " + music_.Path(), "-c", "tags 1 year=1899 title=Changed"});
    EXPECT_EQ(r.status, 1) << "a refused value fails the command, whatever its box's caption";
    EXPECT_EQ(music_.Read("b.mp3"), before);
}

TEST_F(TagCommandsTest, TablePrintsTheRawTextsAndTableEditChangesARow) {
    CliResult r = Run(Plus(Saved(), {"table", "table-edit 1 genre=17 track= year=1977", "table",
                                     "table-edit 7 title=x"}));
    EXPECT_EQ(r.status, 1) << "row 7 does not exist: \"You must select an item to edit\"";
    const std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 6u) << r.out;
    EXPECT_EQ(lines[0], "File Name\tTitle\tArtist\tAlbum\tYear\tTrack\tGenre");
    EXPECT_EQ(lines[3], lines[0]);
    // Row 1 before and after the edit: only year, track and genre changed.
    auto cells = [](const std::string& line) {
        std::vector<std::string> out;
        std::istringstream in(line);
        for (std::string cell; std::getline(in, cell, '\t');) {
            out.push_back(cell);
        }
        while (out.size() < 7) {
            out.emplace_back();
        }
        return out;
    };
    std::vector<std::string> before = cells(lines[2]);
    const std::vector<std::string> after = cells(lines[5]);
    EXPECT_EQ(before[6], "255");
    before[4] = "1977";
    before[5] = "0";
    before[6] = "17";
    EXPECT_EQ(after, before);
}

TEST_F(TagCommandsTest, CleanRewritesTheTagsOnlyWhenConfirmed) {
    // How many of the MP3 files carry an ID3v1 and an ID3v2 tag.
    auto count = [this](int& withId3v1, int& withId3v2) {
        withId3v1 = withId3v2 = 0;
        for (const std::string& name : music_.List()) {
            if (name == "Undo.inf") {
                continue;
            }
            Id3v1Record v1;
            Id3v2Record v2;
            v1.ReadTag(music_ / name);
            v2.ReadTag(music_ / name);
            withId3v1 += v1.tagPresent;
            withId3v2 += v2.tagPresent;
        }
    };
    // Fresh tags from the table, as with "FullTagSupport" 0.
    std::vector<std::string> literal = Saved();
    literal.insert(literal.begin(), {"--set", "FullTagSupport=0"});
    CliResult no = Run(Plus(literal, {"clean"}));
    EXPECT_EQ(no.status, 0);
    int withId3v1 = 0, withId3v2 = 0;
    count(withId3v1, withId3v2);
    EXPECT_EQ(withId3v1, 2);
    EXPECT_EQ(withId3v2, 1) << "No to the question leaves the tags";

    CliResult yes =
        Run({"--set", "FullTagSupport=0", "--answer", "yes", "-c", "dir " + music_.Path(), "-c",
             "loader on", "-c", "rename", "-c", "save", "-c", "clean"});
    EXPECT_EQ(yes.status, 0) << yes.err;
    count(withId3v1, withId3v2);
    EXPECT_EQ(withId3v1, 2);
    EXPECT_EQ(withId3v2, 0) << "short values: an ID3v1 tag alone";
}

TEST_F(TagCommandsTest, CleanDryRunListsTheChangesAndCleanLeavesGuessedOverwrites) {
    TempDir named;
    const std::string tagged =
        Mp3Bytes(Id3v2Bytes({{"TIT2", "Killer Queen"}, {"TPE1", "Freddie"}}), "");
    named.Write("Queen - Killer Queen.mp3", tagged);
    named.Write("Queen - Bohemian Rhapsody.mp3", Mp3Bytes("", ""));
    const std::vector<std::string> mass = {"-c", "dir " + named.Path(), "-c", "loader on",
                                           "-c", "method mass",         "-c", "rename"};
    CliResult dry = Run(Plus(mass, {"clean --dry-run"}));
    EXPECT_EQ(dry.status, 0) << dry.err;
    EXPECT_EQ(dry.out,
              "Queen - Bohemian Rhapsody.mp3\ttitle\t\tBohemian Rhapsody\tfilename\n"
              "Queen - Bohemian Rhapsody.mp3\tartist\t\tQueen\tfilename\n"
              "Queen - Killer Queen.mp3\tartist\tFreddie\tQueen\tfilename\n");
    EXPECT_EQ(named.Read("Queen - Bohemian Rhapsody.mp3"), Mp3Bytes("", "")) << "changes nothing";

    std::vector<std::string> yes = mass;
    yes.insert(yes.begin(), {"--answer", "yes"});
    EXPECT_EQ(Run(Plus(yes, {"clean"})).status, 0);
    EXPECT_EQ(named.Read("Queen - Killer Queen.mp3"), tagged) << "the guess over a tag is skipped";
    Id3v2Record v2;
    v2.ReadTag(named / "Queen - Bohemian Rhapsody.mp3");
    EXPECT_EQ(v2.title + " / " + v2.artist, "Bohemian Rhapsody / Queen");
}

TEST_F(TagCommandsTest, OrganizeMovesTheFilesBelowTheRoot) {
    CliResult r =
        Run({"--answer", "yes", "-c", "dir " + music_.Path(), "-c", "loader on", "-c", "rename",
             "-c", "save", "-c", "organize '" + root_.Path() + "' artist-name"});
    EXPECT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> folders = root_.List();
    EXPECT_EQ(folders.size(), 2u);
    EXPECT_TRUE(std::find(folders.begin(), folders.end(), "Band") != folders.end());
    for (const std::string& folder : folders) {
        EXPECT_EQ(folder.find('/'), std::string::npos);
    }
    EXPECT_TRUE(music_.List().empty()) << "both files moved and Undo.inf deleted";
}

TEST_F(TagCommandsTest, OrganizeWithAnInvalidRootMovesNothing) {
    CliResult r = Run({"--set", "FullTagSupport=0", "--answer", "yes", "-c", "dir " + music_.Path(),
                       "-c", "loader on", "-c", "rename", "-c", "save", "-c",
                       "organize '" + (root_ / "missing") + "' title"});
    EXPECT_EQ(r.status, 1) << "a refused root fails the command, whatever its box's caption";
    EXPECT_TRUE(root_.List().empty());
    EXPECT_EQ(music_.List().size(), 3u) << "two files and Undo.inf";
}

}  // namespace
}  // namespace tagnomen::cli

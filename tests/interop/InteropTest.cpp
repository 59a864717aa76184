// SPDX-License-Identifier: GPL-3.0-or-later
// Interop with other tag tools: what Tagnomen writes, mutagen, eyeD3 and
// id3v2 (id3lib) read with the same values; what they write in ISO-8859-1,
// Tagnomen reads with the same values.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../core/TagsTestBytes.h"
#include "ScriptedUi.h"
#include "TempDir.h"
#include "app/Workbench.h"
#include "session/RenamingContext.h"
#include "settings/SettingsStore.h"
#include "tags/GenreTable.h"
#include "tags/Id3v1Record.h"
#include "tags/Id3v2FrameList.h"
#include "tags/Id3v2Record.h"
#include "tags/ReadTags.h"
#include "tags/TagValues.h"
#include "tools/CleanReviewModel.h"
#include "tools/FileInfoEditorModel.h"
#include "tools/TagCleaner.h"
#include "tools/Tools.h"

namespace tagnomen {
namespace {

using testing::TempDir;
using PeerValues = std::map<std::string, std::string>;

struct RunResult {
    int status = -1;
    std::string output;
};

// Runs a program without a shell and captures its standard output.
RunResult Run(const std::vector<std::string>& argv) {
    RunResult result;
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) {
        return result;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(pipeFds[1], STDOUT_FILENO);
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        std::vector<char*> args;
        for (const std::string& arg : argv) {
            args.push_back(const_cast<char*>(arg.c_str()));
        }
        args.push_back(nullptr);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(pipeFds[0], buffer, sizeof buffer);
        if (got <= 0) {
            break;
        }
        result.output.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

RunResult Peers(std::vector<std::string> args) {
    args.insert(args.begin(), {TAGNOMEN_PEER_PYTHON, TAGNOMEN_PEERS_SCRIPT});
    return Run(args);
}

bool PeerAvailable(const std::string& tool) {
    return Peers({"check", tool}).status == 0;
}

PeerValues PeerRead(const std::string& tool, const std::string& path,
                    const std::string& action = "read") {
    const RunResult run = Peers({action, tool, path});
    EXPECT_EQ(run.status, 0) << tool << " could not " << action << " " << path;
    PeerValues values;
    std::size_t start = 0;
    while (start < run.output.size()) {
        std::size_t end = run.output.find('\n', start);
        if (end == std::string::npos) {
            end = run.output.size();
        }
        const std::string line = run.output.substr(start, end - start);
        const std::size_t tab = line.find('\t');
        if (tab != std::string::npos) {
            values[line.substr(0, tab)] = line.substr(tab + 1);
        }
        start = end + 1;
    }
    return values;
}

std::string FakeAudio(std::size_t n) {
    std::string audio(n, '\0');
    for (std::size_t i = 0; i < n; ++i) {
        audio[i] = static_cast<char>(0x41 + (i * 13) % 26);
    }
    audio[0] = static_cast<char>(0xFF);
    audio[1] = static_cast<char>(0xFB);
    return audio;
}

// The values of both tags, as UTF-8; characters all within ISO-8859-1.
struct Song {
    std::string title = "Caf\xC3\xA9 Noir";
    std::string artist = "Bj\xC3\xB6rk";
    std::string album = "Hom\xC3\xB3genic";
    std::string year = "1997";
    int track = 5;
    int genre = 17;
    std::string comment = "Tr\xC3\xA8s bien";
};

SongValues ValuesOf(const Song& song) {
    return {song.title,
            song.artist,
            song.album,
            song.year,
            std::to_string(song.track),
            std::to_string(song.genre),
            song.comment};
}

void WriteWithTagnomen(const std::string& path, const Song& song) {
    Id3v2Record v2;
    v2.Reset();
    SetValues(v2, ValuesOf(song));
    v2.SetComposer("Bj\xC3\xB6rk Gu\xC3\xB0mundsd\xC3\xB3ttir");
    v2.SetEncodedBy("Tagnomen");
    v2.SetRightsNotice("\xC2\xA9 1997 One Little Indian");
    v2.SetLanguage("eng");
    v2.SetUrl("http://example.org/bj\xC3\xB6rk");
    ASSERT_EQ(v2.WriteTag(path), 1);

    Id3v1Record v1;
    v1.Reset();
    SetTexts(v1, ValuesOf(song));
    v1.trackByte = static_cast<std::uint8_t>(song.track);
    v1.genreByte = static_cast<std::uint8_t>(song.genre);
    ASSERT_EQ(v1.WriteTag(path), 1);
}

class PeerTest : public ::testing::TestWithParam<std::string> {
  protected:
    void SetUp() override {
        if (!PeerAvailable(GetParam())) {
            GTEST_SKIP() << GetParam() << " is not installed";
        }
    }
};

// How each peer shows a genre number written as "(17)" in TCON.
std::string GenreAsShownBy(const std::string& tool, int genre) {
    if (tool == "mutagen") {
        return "(" + std::to_string(genre) + ")";  // the raw frame text
    }
    if (tool == "id3v2") {
        return GenreName(genre) + " (" + std::to_string(genre) + ")";
    }
    return std::to_string(genre);
}

TEST_P(PeerTest, ReadsWhatTagnomenWrites) {
    const std::string tool = GetParam();
    TempDir dir;
    const Song song;
    dir.Write("song.mp3", FakeAudio(6000));
    WriteWithTagnomen(dir / "song.mp3", song);
    // Written a second time in place, with other values.
    Song second = song;
    second.title = "Joga \xC3\x86on";
    second.track = 12;
    WriteWithTagnomen(dir / "song.mp3", second);

    PeerValues v = PeerRead(tool, dir / "song.mp3");
    EXPECT_EQ(v["v2.title"], second.title);
    EXPECT_EQ(v["v2.artist"], song.artist);
    EXPECT_EQ(v["v2.album"], song.album);
    EXPECT_EQ(v["v2.year"], song.year);
    EXPECT_EQ(v["v2.track"], "12");
    EXPECT_EQ(v["v2.genre"], GenreAsShownBy(tool, song.genre));
    EXPECT_EQ(v["v2.comment"], song.comment);
    if (tool == "mutagen") {
        EXPECT_EQ(v["v2.version"], "3");
        EXPECT_EQ(v["v2.composer"], "Bj\xC3\xB6rk Gu\xC3\xB0mundsd\xC3\xB3ttir");
        EXPECT_EQ(v["v2.encodedBy"], "Tagnomen");
        EXPECT_EQ(v["v2.rightsNotice"], "\xC2\xA9 1997 One Little Indian");
        EXPECT_EQ(v["v2.language"], "eng");
        EXPECT_EQ(v["v2.url"], "http://example.org/bj\xC3\xB6rk");
    }
    EXPECT_EQ(v["v1.title"], second.title);
    EXPECT_EQ(v["v1.artist"], song.artist);
    EXPECT_EQ(v["v1.album"], song.album);
    EXPECT_EQ(v["v1.year"], song.year);
    EXPECT_EQ(v["v1.track"], "12");
    EXPECT_EQ(v["v1.genre"], "17");
    if (tool != "mutagen") {  // mutagen only reads a v1 comment into a described COMM frame
        EXPECT_EQ(v["v1.comment"], song.comment);
    }
}

TEST_P(PeerTest, ReadsTagsRebuiltAroundLargeOldTags) {
    const std::string tool = GetParam();
    TempDir dir;
    // A file whose old tag is too large to be overwritten in place.
    std::string oldTag = std::string("ID3\x03\0\0\0\0\x30\x00", 10) + std::string(6144, '\0');
    dir.Write("big.mp3", oldTag + FakeAudio(3000));
    Song song;
    song.title = std::string(120, 'L');  // longer than an ID3v1 field
    WriteWithTagnomen(dir / "big.mp3", song);
    ASSERT_EQ(dir.Read("big.mp3").size(), 512u + 3000u + 128u);
    PeerValues v = PeerRead(tool, dir / "big.mp3");
    EXPECT_EQ(v["v2.title"], song.title);
    EXPECT_EQ(v["v1.title"], std::string(30, 'L'));
    EXPECT_EQ(v["v2.artist"], song.artist);
}

TEST_P(PeerTest, TagnomenReadsWhatThePeerWrites) {
    const std::string tool = GetParam();
    TempDir dir;
    dir.Write("peer.mp3", FakeAudio(5000));
    const Song song;
    const RunResult written =
        Peers({"write", tool, dir / "peer.mp3", "title=" + song.title, "artist=" + song.artist,
               "album=" + song.album, "year=" + song.year, "track=5", "genre=17",
               "comment=" + song.comment});
    ASSERT_EQ(written.status, 0) << tool << " could not write";

    Id3v1Record v1;
    Id3v2Record v2;
    ASSERT_EQ(ReadTags(dir / "peer.mp3", v1, v2), 1);
    ASSERT_EQ(v2.tagPresent, 1);
    EXPECT_EQ(v2.majorVersion, 3);
    EXPECT_EQ(v2.title, song.title);
    EXPECT_EQ(v2.artist, song.artist);
    EXPECT_EQ(v2.album, song.album);
    EXPECT_EQ(v2.year, song.year);
    EXPECT_EQ(v2.track, 5);
    // eyeD3 writes the genre's name, the others its number.
    EXPECT_EQ(v2.genre, tool == "eyed3" ? "Rock" : "17");
    EXPECT_EQ(v2.comment, song.comment);

    ASSERT_EQ(v1.tagPresent, 1);
    EXPECT_EQ(v1.version, 2);
    EXPECT_EQ(v1.title, song.title);
    EXPECT_EQ(v1.artist, song.artist);
    EXPECT_EQ(v1.album, song.album);
    EXPECT_EQ(v1.year, song.year);
    EXPECT_EQ(v1.track, 5);
    EXPECT_EQ(v1.genre, 17);
    if (tool != "mutagen") {  // mutagen writes no ID3v1 comment from an undescribed COMM frame
        EXPECT_EQ(v1.comment, song.comment);
    }
}

// Files tagged as today's taggers tag them: UTF-8 and UTF-16 frames, covers,
// lyrics, ids, described comments (full tag support).
class WildTagTest : public PeerTest {};

// The audio: what follows the ID3v2 tag.
std::string AudioAfterTag(const std::string& file) {
    const std::optional<std::size_t> tag = Id3v2FrameList::DeclaredBytes(file, nullptr);
    return tag ? file.substr(*tag) : file;
}

TEST_P(WildTagTest, TagnomenReadsWhatMutagenReadsAndATitleEditChangesOnlyTheTitle) {
    TempDir dir;
    const std::string path = dir / "wild.mp3";
    dir.Write("wild.mp3", FakeAudio(6000));
    ASSERT_EQ(Peers({"wild", GetParam(), path}).status, 0);

    PeerValues expected = PeerRead("mutagen", path, "values");
    Id3v1Record v1(TagSupport::Full);
    Id3v2Record v2(TagSupport::Full);
    ASSERT_EQ(ReadTags(path, v1, v2), 1);
    EXPECT_EQ(v2.title, expected["title"]);
    EXPECT_EQ(v2.artist, expected["artist"]);
    EXPECT_EQ(v2.album, expected["album"]);
    EXPECT_EQ(v2.year, expected["year"]);
    EXPECT_EQ(std::to_string(v2.track), expected["track"]);
    EXPECT_EQ(GenreName(std::stoi(v2.genre)), expected["genre"]);
    EXPECT_EQ(v2.comment, expected["comment"]);

    const std::string before = dir.Read("wild.mp3");
    const PeerValues framesBefore = PeerRead("mutagen", path, "frames");
    const bool id3libReads = !PeerRead("id3v2", path)["v2.title"].empty();
    Id3v2Record edit(TagSupport::Full);
    edit.Reset();
    edit.SetTitle("Neuer Titel");
    ASSERT_EQ(edit.WriteTag(path), 1) << edit.failureReason;

    PeerValues framesAfter = PeerRead("mutagen", path, "frames");
    EXPECT_NE(framesAfter["frame TIT2"], framesBefore.at("frame TIT2"));
    framesAfter["frame TIT2"] = framesBefore.at("frame TIT2");
    EXPECT_EQ(framesAfter, framesBefore) << "every other frame, and the version, as they were";
    EXPECT_EQ(AudioAfterTag(dir.Read("wild.mp3")), AudioAfterTag(before));
    expected["title"] = "Neuer Titel";
    EXPECT_EQ(PeerRead("mutagen", path, "values"), expected);
    EXPECT_EQ(PeerRead("eyed3", path)["v2.title"], "Neuer Titel");
    if (id3libReads) {
        EXPECT_EQ(PeerRead("id3v2", path)["v2.title"], "Neuer Titel");
    }
}

// The cleaner on a file as today's taggers tag it, beside an untagged one:
// from an ID3-method table with one value edited, mutagen finds that value
// changed and every other frame and the version as they were, and no ID3v1
// tag where there was none; from a mass-method table, whose artist and title
// are guesses from the file name, nothing the tags held changes.
TEST_P(WildTagTest, TheCleanerChangesOnlyTheValuesOfTheTable) {
    TempDir dir;
    const std::string name = "Guessed Artist - Guessed Title.mp3";
    const std::string path = dir / name;
    dir.Write(name, FakeAudio(6000));
    ASSERT_EQ(Peers({"wild", GetParam(), path}).status, 0);
    dir.Write("untagged.mp3", FakeAudio(3000));
    const PeerValues framesBefore = PeerRead("mutagen", path, "frames");
    PeerValues values = PeerRead("mutagen", path, "values");
    const bool hadId3v1 = dir.Read(name).substr(dir.Read(name).size() - 128, 3) == "TAG";

    SettingsStore store(dir / ".settings.reg");
    store.FirstRunCheck();
    store.SetPathToWork(dir.Path());
    store.SetFileInfoLoader(1);
    ScriptedUi ui;
    Workbench wb(store, ui);
    ASSERT_EQ(wb.Start(), StartResult::Ready);
    auto clean = [&](RenamingMethod method, bool editTitle) {
        wb.SelectMethod(method);
        wb.Rename();
        wb.Set().ClearProposals();
        FileInfoTable& table = wb.Context().table;
        ASSERT_EQ(table.FileName(0).empty(), false);
        if (editTitle) {
            table.SetValue(0, SongField::Title, "Neuer Titel");
            table.SetSource(0, SongField::Title, ValueSource::Edited);
        }
        ui.dialogs.cleanReview.Push([](CleanReviewModel& review) {
            review.Accept();
            return true;
        });
        EXPECT_EQ(CleanTags(wb.Context(), wb.Set().OldNames()).failures, 0u);
    };
    clean(RenamingMethod::Id3Tag, true);
    PeerValues framesAfter = PeerRead("mutagen", path, "frames");
    EXPECT_NE(framesAfter["frame TIT2"], framesBefore.at("frame TIT2"));
    framesAfter["frame TIT2"] = framesBefore.at("frame TIT2");
    EXPECT_EQ(framesAfter, framesBefore) << "every other frame, and the version, as they were";
    values["title"] = "Neuer Titel";
    EXPECT_EQ(PeerRead("mutagen", path, "values"), values);
    EXPECT_EQ(dir.Read(name).substr(dir.Read(name).size() - 128, 3) == "TAG", hadId3v1);

    const std::string cleaned = dir.Read(name);
    clean(RenamingMethod::Mass, false);
    EXPECT_EQ(PeerRead("mutagen", path, "values"), values) << "no guess replaced a tag's value";
    EXPECT_TRUE(dir.Read(name) == cleaned);
    EXPECT_TRUE(dir.Read("untagged.mp3") == FakeAudio(3000));
}

// Two ID3v2 tags in a row, as some old taggers leave them: readers take the
// front one; the one behind it is stale and must never come to light.
class StackedTagTest : public PeerTest {};

TEST_P(StackedTagTest, TheCleanerAndTheEditorLeaveOnlyTheNewTag) {
    using namespace testing::tags;
    const struct {
        bool editor;        // the editor (title "Edited"), else the cleaner
        bool full;          // tag support
        std::string title;  // the ID3v2 title afterwards (empty: no ID3v2 tag)
    } cases[] = {{true, false, "Edited"},
                 {true, true, "Edited"},
                 {false, false, ""},
                 {false, true, "Clean"},  // full support keeps the front tag, with the row's values
                 {false, true, std::string(40, 'L')}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "editor " << c.editor << ", full " << c.full);
        TempDir dir;
        dir.Write("s.mp3",
                  Tag(3, TextFrame(3, "TIT2", "Front") + TextFrame(3, "TPE1", "Front Band"), 64) +
                      Tag(3, TextFrame(3, "TIT2", "Stale") + TextFrame(3, "TALB", "Stale Album")) +
                      FakeAudio(4000));
        SettingsStore store(dir / ".settings.reg");
        store.FirstRunCheck();
        store.SetPathToWork(dir.Path());
        ScriptedUi ui;
        RenamingContext context(store, ui);
        context.fullTagSupport = c.full;
        if (c.editor) {
            ui.dialogs.fileInfoEditor.Push([](FileInfoEditorModel& editor) {
                editor.SetText(EditorField::Title, "Edited");
                return editor.Accept();
            });
            ASSERT_EQ(RunTagEditor(context, "s.mp3", "s.mp3").outcome, CommandOutcome::Done);
        } else {
            ui.yesNoAnswers = {true};
            ui.dialogs.cleanReview.Push([](CleanReviewModel& review) {
                review.Accept();
                return true;
            });
            context.table.AppendRow(
                {"s.mp3", c.title.empty() ? "Clean" : c.title, "Band", "Album", "2001", "3", "17"});
            ASSERT_EQ(CleanTags(context, {}).failures, 0u);
        }
        EXPECT_NE(AudioAfterTag(dir.Read("s.mp3")).substr(0, 3), "ID3") << "a tag left behind";
        PeerValues v = PeerRead(GetParam(), dir / "s.mp3");
        EXPECT_EQ(v["v2.title"], c.title);
        for (const auto& [key, value] : v) {
            EXPECT_EQ(value.find("Stale"), std::string::npos) << key << " is stale";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Readers, StackedTagTest, ::testing::Values("mutagen", "eyed3", "kid3"),
                         [](const ::testing::TestParamInfo<std::string>& param) {
                             return param.param;
                         });

INSTANTIATE_TEST_SUITE_P(Taggers, WildTagTest,
                         ::testing::Values("mutagen-v24-utf8", "mutagen-v24-utf16be",
                                           "mutagen-v23-utf16", "eyed3-v24", "id3v2-v23", "kid3"),
                         [](const ::testing::TestParamInfo<std::string>& param) {
                             std::string name = param.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

INSTANTIATE_TEST_SUITE_P(Peers, PeerTest, ::testing::Values("mutagen", "eyed3", "id3v2"),
                         [](const ::testing::TestParamInfo<std::string>& param) {
                             return param.param;
                         });

}  // namespace
}  // namespace tagnomen

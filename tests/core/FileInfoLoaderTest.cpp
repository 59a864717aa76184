// SPDX-License-Identifier: GPL-3.0-or-later
// The file information loader: reconciling the two tags of a file, and
// reading them from files of the work directory.
#include "rename/FileInfoLoader.h"
#include "tags/TagSource.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "RenameTestFiles.h"
#include "ScriptedUi.h"
#include "TempDir.h"
#include "platform/FileSystem.h"
#include "session/RenamingContext.h"
#include "settings/SettingsStore.h"

namespace tagnomen {
namespace {

using testing::Id3v1Bytes;
using testing::Id3v2Bytes;
using testing::Mp3Bytes;
using testing::V1Tag;

const SongValues kPlaceholders{"Unknown Title", "Unknown Artist", "Unknown Album",
                               "Unknown Year",  "Unknown Track",  "Unknown Genre"};
constexpr const char* kAllSix = "TIT1ART1ALB1YEA1TRCGEN";

// The loader key written as tokens, for short case tables: "TIT", "ART",
// "ALB", "YEA", "TRC" and "GEN" ask for a value, a "1" after one of the
// first four allows the prompt for it.
LoaderKey KeyOf(std::string_view tokens) {
    LoaderKey key;
    while (!tokens.empty()) {
        const std::string_view token = tokens.substr(0, 3);
        tokens.remove_prefix(token.size());
        const bool prompt = !tokens.empty() && tokens.front() == '1';
        if (prompt) {
            tokens.remove_prefix(1);
        }
        if (token == "TIT") {
            key.title = true;
            key.promptTitle = prompt;
        } else if (token == "ART") {
            key.artist = true;
            key.promptArtist = prompt;
        } else if (token == "ALB") {
            key.album = true;
            key.promptAlbum = prompt;
        } else if (token == "YEA") {
            key.year = true;
            key.promptYear = prompt;
        } else if (token == "TRC") {
            key.track = true;
        } else if (token == "GEN") {
            key.genre = true;
        } else {
            ADD_FAILURE() << "unknown token " << token;
        }
    }
    return key;
}

void ExpectInfo(const SongValues& actual, const SongValues& expected, const std::string& what) {
    EXPECT_EQ(actual.title, expected.title) << what;
    EXPECT_EQ(actual.artist, expected.artist) << what;
    EXPECT_EQ(actual.album, expected.album) << what;
    EXPECT_EQ(actual.year, expected.year) << what;
    EXPECT_EQ(actual.track, expected.track) << what;
    EXPECT_EQ(actual.genre, expected.genre) << what;
}

std::vector<std::string> Captions(const ScriptedUi& ui) {
    std::vector<std::string> captions;
    for (const UiCall& call : ui.CallsOfKind("mismatch")) {
        captions.push_back(call.text);
    }
    return captions;
}

struct ReconcileCase {
    const char* what;
    const char* key;
    SongValues v1;
    SongValues v2;
    std::vector<int> answers;  // 1 = ID3v1 button, 2 = ID3v2 button
    SongValues expected;
    std::vector<std::string> captions;
};

TEST(ReconcileFileInformation, Rules) {
    const std::string title30 = "Abcdefghij Klmnopqrst Uvwxyz12";
    const std::string title40 = title30 + " 34567890";
    const std::string inner27 = "bcdefghij Klmnopqrst Uvwxyz";
    const std::string inner26 = inner27.substr(1);
    std::string accents26;  // 26 characters, 52 bytes
    for (int i = 0; i < 26; ++i) {
        accents26 += "\xC3\xA9";
    }

    const ReconcileCase cases[] = {
        {"short ID3v1 title is asked about",
         "TIT1ART1",
         {"Hello"},
         {"Hello World"},
         {1},
         {"Hello", "Unknown Artist"},
         {"Title - Song Name"}},
        {"without the mark ID3v2 wins", "TIT", {"Hello"}, {"Hello World"}, {}, {"Hello World"}, {}},
        {"30-character start of a 40-character title",
         "TIT1",
         {title30},
         {title40},
         {},
         {title40},
         {}},
        {"27 characters inside, not at the start", "TIT1", {inner27}, {title40}, {}, {title40}, {}},
        {"26 characters inside are asked about",
         "TIT1",
         {inner26},
         {title40},
         {2},
         {title40},
         {"Title - Song Name"}},
        {"characters are counted, not bytes",
         "TIT1",
         {accents26},
         {"x" + accents26 + "x"},
         {1},
         {accents26},
         {"Title - Song Name"}},
        {"letter case counts",
         "ART1",
         {"", "abba"},
         {"", "ABBA"},
         {2},
         {"", "ABBA"},
         {"Artist - Author"}},
        {"equal texts", "ALB1", {"", "", "Gold"}, {"", "", "Gold"}, {}, {"", "", "Gold"}, {}},
        {"only one side set", "TIT1ART1", {"", "Ana"}, {"Song"}, {}, {"Song", "Ana"}, {}},
        {"year has no 27-character rule",
         "YEA1",
         {"", "", "", std::string(27, '9')},
         {"", "", "", std::string(28, '9')},
         {1},
         {"", "", "", std::string(27, '9')},
         {"Year"}},
        {"year without the mark",
         "YEA",
         {"", "", "", "1999"},
         {"", "", "", "2001"},
         {},
         {"", "", "", "2001"},
         {}},
        {"nothing anywhere", kAllSix, {}, {}, {}, kPlaceholders, {}},
        {"tracks differ: asked without a mark",
         "TRC",
         {"", "", "", "", "3"},
         {"", "", "", "", "5"},
         {1},
         {"", "", "", "", "3"},
         {"Track Number"}},
        {"track below one on the ID3v1 side",
         "TRC",
         {"", "", "", "", "-3"},
         {"", "", "", "", "5"},
         {},
         {"", "", "", "", "5"},
         {}},
        {"track below one on the ID3v2 side",
         "TRC",
         {"", "", "", "", "4"},
         {"", "", "", "", "-2"},
         {},
         {"", "", "", "", "4"},
         {}},
        {"both tracks below one",
         "TRC",
         {"", "", "", "", "-1"},
         {"", "", "", "", "-2"},
         {},
         {},
         {}},
        {"ID3v1 genre empty",
         "GEN",
         {"", "", "", "", "", ""},
         {"", "", "", "", "", "17"},
         {},
         {"", "", "", "", "", "17"},
         {}},
        {"ID3v2 genre is Blues",
         "GEN",
         {"", "", "", "", "", "17"},
         {"", "", "", "", "", "0"},
         {},
         {"", "", "", "", "", "17"},
         {}},
        {"ID3v2 genre given as a name reads as Blues",
         "GEN",
         {"", "", "", "", "", "17"},
         {"", "", "", "", "", "Rock"},
         {},
         {"", "", "", "", "", "17"},
         {}},
        {"ID3v2 genre without a name",
         "GEN",
         {"", "", "", "", "", "17"},
         {"", "", "", "", "", "200"},
         {},
         {"", "", "", "", "", "17"},
         {}},
        {"ID3v1 genre without a name",
         "GEN",
         {"", "", "", "", "", "150"},
         {"", "", "", "", "", "Rock"},
         {},
         {"", "", "", "", "", "Rock"},
         {}},
        {"genres differ, ID3v2 chosen",
         "GEN",
         {"", "", "", "", "", "17"},
         {"", "", "", "", "", "13"},
         {2},
         {"", "", "", "", "", "13"},
         {"Genre"}},
        {"genres differ, ID3v1 chosen",
         "GEN",
         {"", "", "", "", "", "17"},
         {"", "", "", "", "", "13"},
         {1},
         {"", "", "", "", "", "17"},
         {"Genre"}},
        {"questions follow the value order, not the key order",
         "GENTRCYEA1ALB1ART1TIT1",
         {"t1", "a1", "b1", "1999", "3", "17"},
         {"t2", "a2", "b2", "2001", "5", "13"},
         {2, 1, 2, 1, 2, 1},
         {"t2", "a1", "b2", "1999", "5", "17"},
         {"Title - Song Name", "Artist - Author", "Album", "Year", "Track Number", "Genre"}},
    };
    for (const ReconcileCase& c : cases) {
        ScriptedUi ui;
        ui.mismatchAnswers.assign(c.answers.begin(), c.answers.end());
        SongValues out{"old", "old", "old", "old", "old", "old"};
        ReconcileFileInformation(ui, KeyOf(c.key), "song.mp3", TagCandidates{c.v1, c.v2}, out);
        ExpectInfo(out, c.expected, c.what);
        EXPECT_EQ(Captions(ui), c.captions) << c.what;
        EXPECT_TRUE(ui.mismatchAnswers.empty()) << c.what << ": an answer was left over";
    }
}

// A Ui that also notes the current directory at each question.
class DirectoryNotingUi : public ScriptedUi {
  public:
    std::vector<std::string> directories;
    std::string AskTagMismatch(const std::string& caption, const std::string& fileName,
                               const std::string& v1, const std::string& v2) override {
        directories.push_back(CurrentDirectory());
        return ScriptedUi::AskTagMismatch(caption, fileName, v1, v2);
    }
};

class LoaderFiles : public ::testing::Test {
  protected:
    LoaderFiles() : store_(settingsDir_ / "settings.reg"), context_(store_, ui_) {
        store_.FirstRunCheck();
        store_.SetPathToWork(music_.Path());
    }

    SongValues Load(std::string_view key, const std::string& name) {
        SongValues out;
        DirectTagSource tags(WorkDirectory(context_), context_.Support());
        LoadFileInformation(context_.ui, tags, KeyOf(key), name, out);
        return out;
    }

    testing::CurrentDirectoryGuard guard_;
    testing::TempDir music_;
    testing::TempDir settingsDir_;
    SettingsStore store_;
    DirectoryNotingUi ui_;
    RenamingContext context_;
};

TEST_F(LoaderFiles, FilesWithoutTagsGiveEveryPlaceholder) {
    music_.Write("bare.mp3", testing::AudioBytes());
    music_.Write("tiny.mp3", "ID");
    ExpectInfo(Load(kAllSix, "bare.mp3"), kPlaceholders, "no tags");
    ExpectInfo(Load(kAllSix, "tiny.mp3"), kPlaceholders, "shorter than a tag");
    ExpectInfo(Load(kAllSix, "missing.mp3"), kPlaceholders, "no such file");
    EXPECT_TRUE(ui_.calls.empty());
}

TEST_F(LoaderFiles, TrackAndGenreFromBothTags) {
    context_.fullTagSupport = false;  // the ISO-8859-1 reader of old
    struct Case {
        const char* what;
        V1Tag v1;
        std::vector<std::pair<std::string, std::string>> v2;
        std::vector<int> answers;
        std::string track, genre;
        std::vector<std::string> captions;
    };
    const Case cases[] = {
        {"tracks differ",
         {"T", "", "", "", "", 3, 255},
         {{"TRCK", "5/12"}},
         {2},
         "5",
         "Unknown Genre",
         {"Track Number"}},
        {"same track",
         {"T", "", "", "", "", 5, 255},
         {{"TRCK", "05"}},
         {},
         "5",
         "Unknown Genre",
         {}},
        {"ID3v1 Blues never counts",
         {"T", "", "", "", "", 0, 0},
         {{"TCON", "17"}},
         {},
         "Unknown Track",
         "17",
         {}},
        {"ID3v1 genre 128 and up never counts",
         {"T", "", "", "", "", 0, 140},
         {},
         {},
         "Unknown Track",
         "Unknown Genre",
         {}},
        {"ID3v1 genre alone", {"T", "", "", "", "", 7, 17}, {}, {}, "7", "17", {}},
        {"ID3v2 genre in brackets",
         {"T", "", "", "", "", 0, 17},
         {{"TCON", "(13)"}},
         {2},
         "Unknown Track",
         "13",
         {"Genre"}},
        {"ID3v2 Blues",
         {"T", "", "", "", "", 0, 17},
         {{"TCON", "(0)"}},
         {},
         "Unknown Track",
         "17",
         {}},
        {"ID3v2 genre by name passes unchanged",
         {},
         {{"TCON", "Rock"}},
         {},
         "Unknown Track",
         "Rock",
         {}},
    };
    for (const Case& c : cases) {
        const std::string v1 = c.v1.title.empty() ? std::string() : Id3v1Bytes(c.v1);
        const std::string v2 = c.v2.empty() ? std::string() : Id3v2Bytes(c.v2);
        music_.Write("t.mp3", Mp3Bytes(v2, v1));
        ui_.calls.clear();
        ui_.mismatchAnswers.assign(c.answers.begin(), c.answers.end());
        const SongValues out = Load("TRCGEN", "t.mp3");
        EXPECT_EQ(out.track, c.track) << c.what;
        EXPECT_EQ(out.genre, c.genre) << c.what;
        EXPECT_EQ(Captions(ui_), c.captions) << c.what;
        EXPECT_TRUE(out.title.empty()) << c.what;
    }
}

TEST_F(LoaderFiles, TagBytesArriveAsUtf8) {
    music_.Write("c.mp3",
                 Mp3Bytes(Id3v2Bytes({{"TIT2", "Caf\xE9"}}), Id3v1Bytes({"Caf\xE9", "Bj\xF6rk"})));
    const SongValues out = Load("TIT1ART1", "c.mp3");
    EXPECT_EQ(out.title, "Caf\xC3\xA9");
    EXPECT_EQ(out.artist, "Bj\xC3\xB6rk");
    EXPECT_TRUE(ui_.calls.empty());
}

TEST_F(LoaderFiles, WorkDirectoryIsCurrentOnlyWhileReading) {
    testing::TempDir elsewhere;
    ASSERT_TRUE(ChangeDirectory(elsewhere.Path()));
    const std::string before = CurrentDirectory();
    music_.Write("a.mp3", Mp3Bytes(Id3v2Bytes({{"TIT2", "Two"}}), Id3v1Bytes({"One"})));
    ui_.mismatchAnswers = {1};
    EXPECT_EQ(Load("TIT1", "a.mp3").title, "One");
    EXPECT_EQ(CurrentDirectory(), before);
    // The question comes after the previous directory is back.
    EXPECT_EQ(ui_.directories, std::vector<std::string>{before});

    // A file of the same name in the current directory is not the one read.
    elsewhere.Write("b.mp3", Mp3Bytes("", Id3v1Bytes({"Wrong"})));
    EXPECT_EQ(Load("TIT", "b.mp3").title, "Unknown Title");
}

TEST_F(LoaderFiles, WorkDirectoryIsReadAfreshEachCall) {
    testing::TempDir other;
    music_.Write("a.mp3", Mp3Bytes("", Id3v1Bytes({"First"})));
    other.Write("a.mp3", Mp3Bytes("", Id3v1Bytes({"Second"})));
    EXPECT_EQ(Load("TIT", "a.mp3").title, "First");
    store_.SetPathToWork(other.Path());
    EXPECT_EQ(Load("TIT", "a.mp3").title, "Second");
    EXPECT_EQ(context_.caches.workDirectory, other.Path());

    const std::string before = CurrentDirectory();
    store_.SetPathToWork(other / "no-such-directory");
    ExpectInfo(Load(kAllSix, "a.mp3"), kPlaceholders, "work directory missing");
    EXPECT_EQ(CurrentDirectory(), before);
}

}  // namespace
}  // namespace tagnomen

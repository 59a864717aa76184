// SPDX-License-Identifier: GPL-3.0-or-later
// The two file name editors without a window: the ".mp3" flag of the single
// editor and "&Get Old Name", the three positions of the mass editor, the
// 255-byte limit, and both as the main window opens them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScriptedUi.h"
#include "TempDir.h"
#include "WorkingSetLists.h"
#include "app/Workbench.h"
#include "settings/SettingsStore.h"
#include "tools/EditFileNameModel.h"
#include "tools/MassFileNameEditorModel.h"

namespace tagnomen {
namespace {

std::string Repeat(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

// ---- EditFileNameModel ----

TEST(EditFileNameModelTest, ShowsTheNameWithoutItsFirstLowerCaseExtension) {
    struct Case {
        std::string name;
        std::string shown;
        bool flag;
    };
    const std::vector<Case> cases = {
        {"Artist - Title.mp3", "Artist - Title", true},
        {"Song.MP3", "Song.MP3", false},
        {"Song.Mp3", "Song.Mp3", false},
        {"a.mp3.mp3", "a.mp3", true},
        {"live.mp3 set", "live set", true},  // the first ".mp3" wherever it is
        {"no extension", "no extension", false},
        {".mp3", "", true},
        {"", "", false},
    };
    ScriptedUi ui;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditFileNameModel model(ui, c.name, "old.mp3");
        EXPECT_EQ(model.Text(), c.shown);
        EXPECT_EQ(model.HasExtension(), c.flag);
        // OK with the text unchanged puts ".mp3" back at the end.
        EXPECT_TRUE(model.Accept());
        EXPECT_EQ(model.Result(), c.flag ? c.shown + ".mp3" : c.name);
    }
}

TEST(EditFileNameModelTest, GetOldNameDecidesTheFlagAfresh) {
    struct Case {
        std::string nameToEdit;
        std::string oldName;
        std::string shown;
        std::string result;
    };
    const std::vector<Case> cases = {
        {"Artist - Title.mp3", "track01.mp3", "track01", "track01.mp3"},
        {"Artist - Title.mp3", "TRACK01.MP3", "TRACK01.MP3", "TRACK01.MP3"},
        {"Artist - Title.MP3", "track01.mp3", "track01", "track01.mp3"},
    };
    ScriptedUi ui;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.oldName);
        EditFileNameModel model(ui, c.nameToEdit, c.oldName);
        model.GetOldName();
        EXPECT_EQ(model.Text(), c.shown);
        EXPECT_EQ(model.Result(), c.result);
        EXPECT_EQ(model.NameToEdit(), c.nameToEdit);
    }
}

TEST(EditFileNameModelTest, EditIsLimitedTo255CharactersAndTheNameTo255Bytes) {
    struct Case {
        std::string name;
        std::string typed;
        bool accepted;
    };
    const std::string e = "\xC3\xA9";  // é, two bytes
    const std::vector<Case> cases = {
        {"a.mp3", std::string(251, 'x'), true},   // 255 bytes with ".mp3"
        {"a.mp3", std::string(252, 'x'), false},  // 256
        {"a.MP3", std::string(255, 'x'), true},   // no extension to add
        {"a.MP3", Repeat(e, 127) + "x", true},    // 255 bytes
        {"a.MP3", Repeat(e, 128), false},         // 256 bytes in 128 characters
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.size());
        ScriptedUi ui;
        EditFileNameModel model(ui, c.name, "old.mp3");
        model.SetText(c.typed);
        EXPECT_EQ(model.Accept(), c.accepted);
        EXPECT_EQ(model.Accepted(), c.accepted);
        if (c.accepted) {
            EXPECT_TRUE(ui.calls.empty());
        } else {
            ASSERT_EQ(ui.calls.size(), 1u);
            EXPECT_EQ(ui.calls[0].caption, "Error");
            EXPECT_EQ(ui.calls[0].icon, MessageIcon::Stop);
            EXPECT_NE(ui.calls[0].text.find("\"" + c.name + "\""), std::string::npos)
                << ui.calls[0].text;
        }
    }
}

// ---- AddTextToName and MassFileNameEditorModel ----

TEST(AddTextToNameTest, ThreePositions) {
    using P = AddPosition;
    struct Case {
        std::string name;
        std::string text;
        P position;
        std::string token;
        std::string expected;
        bool found;
    };
    const std::vector<Case> cases = {
        {"Song.mp3", "01 ", P::Beginning, "", "01 Song.mp3", true},
        {"Song.mp3", " (live)", P::End, "", "Song (live).mp3", true},
        {"Song.MP3", "!", P::End, "", "Song!.MP3", true},
        {"abcde", "X", P::End, "", "aXbcde", true},
        {"abcd", "X", P::End, "", "Xabcd", true},  // four characters or fewer: in front
        {"mp3", "X", P::End, "", "Xmp3", true},
        {"", "X", P::End, "", "X", true},
        // The last four characters, not bytes: no sequence is split.
        {"Caf\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", "X", P::End, "",
         "CafX\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", true},
        {"Artist - Song.mp3", " Live", P::AfterToken, "-", "Artist - Live Song.mp3", true},
        {"A - B - C.mp3", "X", P::AfterToken, " - ", "A - XB - C.mp3", true},
        {"Song.mp3", ".old", P::AfterToken, ".mp3", "Song.mp3.old", true},
        {"Song.mp3", "X", P::AfterToken, "-", "Song.mp3", false},
        {"Song.mp3", "X", P::AfterToken, "s", "Song.mp3", false},  // case counts
        {"Song.mp3", "X", P::AfterToken, "", "XSong.mp3", true},
        {"Song.mp3", "", P::Beginning, "", "Song.mp3", true},
        {"Song.mp3", "", P::End, "", "Song.mp3", true},
        {"Artist - Song.mp3", "", P::AfterToken, "-", "Artist - Song.mp3", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name + " + " + c.text);
        bool found = !c.found;
        EXPECT_EQ(AddTextToName(c.name, c.text, c.position, c.token, found), c.expected);
        EXPECT_EQ(found, c.found);
    }
}

TEST(MassFileNameEditorModelTest, OkRebuildsSelectedEntriesAndDeselectsThem) {
    ScriptedUi ui;
    WorkingSet set;
    testing::SetProposals(set,
                          {"Artist - One.mp3", "Two.mp3", "Artist - Three.mp3", "Four - x.mp3"});
    testing::SetSelected(set, {true, true, false, true});
    MassFileNameEditorModel model(ui, set);
    model.Choose(AddPosition::AfterToken);
    model.SetToken("-");
    model.SetText(" Live");
    EXPECT_TRUE(model.Accept());
    EXPECT_TRUE(model.Accepted());
    EXPECT_EQ(set.Proposals(),
              (std::vector<std::string>{"Artist - Live One.mp3", "Two.mp3", "Artist - Three.mp3",
                                        "Four - Live x.mp3"}));
    // The entry without the token is left as it is and stays selected.
    EXPECT_EQ(testing::Selected(set), (std::vector<bool>{false, true, false, false}));
    EXPECT_TRUE(ui.calls.empty());
}

TEST(MassFileNameEditorModelTest, NamePastTheLimitKeepsItsTextAndTheOthersGoOn) {
    ScriptedUi ui;
    WorkingSet set;
    const std::string longName = std::string(246, 'n') + ".mp3";  // 250 bytes
    testing::SetProposals(set, {"a.mp3", longName, "b.mp3"});
    testing::SetSelected(set, {true, true, true});
    MassFileNameEditorModel model(ui, set);
    model.Choose(AddPosition::End);
    model.SetText(" (live)");  // 257 bytes for the long one
    EXPECT_TRUE(model.Accept());
    EXPECT_EQ(set.Proposals(),
              (std::vector<std::string>{"a (live).mp3", longName, "b (live).mp3"}));
    EXPECT_EQ(testing::Selected(set), (std::vector<bool>{false, true, false}));
    ASSERT_EQ(ui.calls.size(), 1u);
    EXPECT_EQ(ui.calls[0].caption, "Error");
    EXPECT_NE(ui.calls[0].text.find(longName), std::string::npos);

    // Exactly 255 bytes is still a name.
    testing::SetSelected(set, {false, true, false});
    MassFileNameEditorModel fits(ui, set);
    fits.SetText("12345");
    fits.Accept();
    EXPECT_EQ(set.Proposal(1), "12345" + longName);
}

// ---- Both editors as the main window opens them ----

class NameEditorCommandsTest : public ::testing::Test {
  protected:
    NameEditorCommandsTest() : store_(settingsDir_ / "settings.reg"), workbench_(store_, ui_) {
        store_.FirstRunCheck();
        WorkingSet& set = workbench_.Set();
        testing::SetLists(set, {"track01.mp3", "track02.mp3", "track03.mp3"});
        testing::SetProposals(set, {"Artist - One.mp3", "Artist - Two.mp3", "Artist - Three.mp3"});
    }

    testing::TempDir settingsDir_;
    SettingsStore store_;
    ScriptedUi ui_;
    Workbench workbench_;
};

TEST_F(NameEditorCommandsTest, DoubleClickReplacesTheEntryOnlyOnOk) {
    std::string seenOld;
    ui_.dialogs.editFileName.Push([&seenOld](EditFileNameModel& dialog) {
        seenOld = dialog.OldName();
        dialog.GetOldName();
        return dialog.Accept();
    });
    workbench_.DoubleClickRenamed(1);
    EXPECT_EQ(seenOld, "track02.mp3");
    EXPECT_EQ(workbench_.Set().Proposal(1), "track02.mp3");

    // Cancel, and a refused name, keep the entry.
    ui_.dialogs.editFileName.Push([](EditFileNameModel& dialog) {
        dialog.SetText("Changed");
        return false;
    });
    workbench_.DoubleClickRenamed(0);
    ui_.dialogs.editFileName.Push([](EditFileNameModel& dialog) {
        dialog.SetText(std::string(255, 'x'));
        return dialog.Accept();
    });
    workbench_.DoubleClickRenamed(2);
    EXPECT_EQ(workbench_.Set().Proposal(0), "Artist - One.mp3");
    EXPECT_EQ(workbench_.Set().Proposal(2), "Artist - Three.mp3");

    // A true answer without OK having been accepted changes nothing either.
    ui_.dialogs.editFileName.Push([](EditFileNameModel& dialog) {
        dialog.SetText("Sneaked");
        return true;
    });
    workbench_.DoubleClickRenamed(0);
    EXPECT_EQ(workbench_.Set().Proposal(0), "Artist - One.mp3");
}

}  // namespace
}  // namespace tagnomen

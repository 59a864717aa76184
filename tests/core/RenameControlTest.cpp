// SPDX-License-Identifier: GPL-3.0-or-later
// The Workbench's Rename under the person's control: answers kept for the
// rest of one Rename, a Rename stopped half-way, and the ways a folder is
// listed again (a dropped folder, List Folder Again).
#include <gtest/gtest.h>

#include "WorkbenchFixture.h"
#include "app/Workbench.h"
#include "platform/FileSystem.h"

namespace tagnomen {
namespace {

// Stops the Rename once the given number of files has a proposal.
class CancellingUi : public ScriptedUi {
  public:
    Workbench* workbench = nullptr;
    int stopAfter = 0;
    void ShowRenameProgress(int value, int maximum, const std::string& percentText) override {
        ScriptedUi::ShowRenameProgress(value, maximum, percentText);
        if (value == stopAfter) {
            workbench->CancelRename();
        }
    }
};

// Plays another running copy of the program that stores other options
// through its own store once the first file has its proposal.
class OtherCopyUi : public ScriptedUi {
  public:
    SettingsStore* otherCopy = nullptr;
    void ShowRenameProgress(int value, int maximum, const std::string& percentText) override {
        ScriptedUi::ShowRenameProgress(value, maximum, percentText);
        if (value == 1) {
            otherCopy->SetRenamingMethod(RenamingMethod::Mass);
            otherCopy->SetBrackets(0);
            otherCopy->SetUseTemplate(1);
            otherCopy->SetTemplate("%Title");
        }
    }
};

class RenameControlTest : public testing::WorkbenchFixture {
  protected:
    std::vector<UiCall> Questions(const std::string& kind) const { return ui_.CallsOfKind(kind); }
};

TEST_F(RenameControlTest, ATickedAnswerAnswersTheLaterQuestionsOfItsKindInThisRenameOnly) {
    // Each name raises one garbage group question; the last also a year question.
    for (const char* name : {"a - one (www x).mp3", "b - two (www y).mp3", "c - three (www z).mp3",
                             "d - four 1999 2000.mp3"}) {
        music_.Write(name, "x");
    }
    Workbench& wb = Start();
    ui_.garbageAnswers = {GarbageAnswer::Yes};
    ui_.sameForRestTicks = {true};
    wb.Rename();
    const std::vector<UiCall> garbage = Questions("garbage");
    ASSERT_EQ(garbage.size(), 3u);
    EXPECT_TRUE(garbage[0].shown && garbage[0].sameForRest);
    for (std::size_t i = 1; i < garbage.size(); ++i) {
        EXPECT_FALSE(garbage[i].shown) << garbage[i].text;
        EXPECT_EQ(garbage[i].answer, "yes");
    }
    EXPECT_EQ(wb.Set().Proposal(1), "(B) - Two.mp3") << "the group was erased";
    // Another kind is still asked.
    const std::vector<UiCall> questions = Questions("question");
    ASSERT_FALSE(questions.empty());
    EXPECT_TRUE(questions.front().shown);

    // The next Rename asks again.
    ui_.calls.clear();
    ui_.yesNoAnswers = {true};  // discard the unsaved names
    wb.Rename();
    for (const UiCall& call : Questions("garbage")) {
        EXPECT_TRUE(call.shown) << call.text;
    }
}

TEST_F(RenameControlTest, AStoppedRenameKeepsItsProposalsAndTheOtherFilesTheirNames) {
    for (const char* name : {"a - one.mp3", "b - two.mp3", "c - three.mp3", "d - four.mp3"}) {
        music_.Write(name, "x");
    }
    CancellingUi ui;
    Workbench wb(store_, ui);
    ui.workbench = &wb;
    ASSERT_EQ(wb.Start(), StartResult::Ready);
    ui.stopAfter = 2;
    wb.Rename();
    EXPECT_EQ(wb.Set().Proposals(), (std::vector<std::string>{"(A) - One.mp3", "(B) - Two.mp3",
                                                              "c - three.mp3", "d - four.mp3"}));
    EXPECT_EQ(wb.LastRename().proposed, 2u);
    EXPECT_TRUE(wb.LastRename().cancelled);
    EXPECT_FALSE(wb.Renaming());
    EXPECT_TRUE(ui.CallsOfKind("message").empty()) << "no completion message";
    // Save renames what was proposed and leaves the rest as they are.
    wb.Save();
    EXPECT_TRUE(music_.Exists("(B) - Two.mp3"));
    EXPECT_TRUE(music_.Exists("c - three.mp3"));

    // Asking to stop outside a Rename stops nothing later.
    wb.ListAgain();
    wb.CancelRename();
    ui.stopAfter = 0;
    wb.Rename();
    EXPECT_FALSE(wb.LastRename().cancelled);
    EXPECT_EQ(wb.Set().ProposalCount(), 4u);
}

TEST_F(RenameControlTest, OptionsStoredByAnotherCopyDuringARenameDoNotChangeIt) {
    for (const char* name : {"a - one (www x).mp3", "b - two (www y).mp3"}) {
        music_.Write(name, "x");
    }
    OtherCopyUi ui;
    SettingsStore otherCopy(settingsDir_ / "s.reg");
    ui.otherCopy = &otherCopy;
    Workbench wb(store_, ui);
    ASSERT_EQ(wb.Start(), StartResult::Ready);
    ui.garbageAnswers = {GarbageAnswer::Yes, GarbageAnswer::Yes};
    wb.Rename();
    // Both files by the smart engine in the bracketed format, each with its
    // garbage question, as the Rename found the options when it started.
    EXPECT_EQ(wb.Set().Proposals(), (std::vector<std::string>{"(A) - One.mp3", "(B) - Two.mp3"}));
    EXPECT_EQ(ui.CallsOfKind("garbage").size(), 2u);
    // The next Rename takes what is stored by then.
    wb.Set().ClearProposals();
    wb.SelectMethod(RenamingMethod::Mass);
    wb.Rename();
    EXPECT_EQ(wb.Set().Proposals(),
              (std::vector<std::string>{"One (Www X).mp3", "Two (Www Y).mp3"}));
}

TEST_F(RenameControlTest, EscapeOnAQuestionStopsAMusicAwareRenameAndIsNoOtherwise) {
    for (const char* name : {"a - one.mp3", "b - two (take five).mp3", "c - three.mp3"}) {
        music_.Write(name, "x");
    }
    for (bool musicAware : {false, true}) {
        SCOPED_TRACE(musicAware ? "music-aware" : "the rules of old");
        store_.SetOverlay("MusicAwareNames", musicAware ? "1" : "0");
        Workbench& wb = Start();
        ui_.calls.clear();
        ui_.garbageAnswers = {GarbageAnswer::Stop, GarbageAnswer::Stop, GarbageAnswer::Stop};
        wb.Rename();
        EXPECT_EQ(wb.LastRename().cancelled, musicAware);
        EXPECT_EQ(wb.LastRename().proposed, musicAware ? 2u : 3u);
        // The question's file keeps what it was proposed with the group kept.
        EXPECT_EQ(wb.Set().Proposal(1), "(B) - Two (Take Five).mp3");
    }
}

TEST_F(RenameControlTest, ADroppedFolderIsCheckedStoredAndListed) {
    testing::TempDir other;
    other.Write("x.mp3", "x");
    Workbench& wb = Start();
    wb.OpenDroppedDirectory(other / "missing");
    ASSERT_EQ(ui_.calls.size(), 1u);
    EXPECT_EQ(ui_.calls[0].caption, "Invalid Directory");
    wb.OpenDroppedDirectory(other.Path());
    EXPECT_EQ(wb.Set().OldNames(), std::vector<std::string>{"x.mp3"});
    EXPECT_EQ(wb.WorkDirectory(), other.Path());
    // Unsaved names are asked about first; No keeps them and the folder.
    wb.Rename();
    ui_.calls.clear();
    ui_.yesNoAnswers = {false};
    wb.OpenDroppedDirectory(music_.Path());
    EXPECT_EQ(wb.WorkDirectory(), other.Path());
    EXPECT_TRUE(wb.Set().Unsaved());
    EXPECT_EQ(ui_.calls.at(0).caption, "Warning");
}

}  // namespace
}  // namespace tagnomen

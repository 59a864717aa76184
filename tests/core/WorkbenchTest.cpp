// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>

#include "ScriptedUi.h"
#include "TableRows.h"
#include "TempDir.h"
#include "WorkbenchFixture.h"
#include "WorkingSetLists.h"
#include "app/Workbench.h"
#include "platform/FileSystem.h"
#include "tools/DirectoryChooserModel.h"

namespace tagnomen {
namespace {

using testing::TempDir;

class WorkbenchTest : public testing::WorkbenchFixture {
  protected:
    void AddFiles(std::initializer_list<const char*> names) {
        for (const char* name : names) {
            music_.Write(name, "audio");
        }
    }
};

TEST_F(WorkbenchTest, StartListsRegularMp3FilesSortedWithoutRegardToCase) {
    AddFiles({"b.MP3", "a.mp3", "C.Mp3", "notes.txt", "x.mp3.bak", ".mp3"});
    CreateDirectoryLevel(music_ / "folder.mp3");
    Workbench& wb = Start();
    EXPECT_EQ(wb.Set().OldNames(), (std::vector<std::string>{".mp3", "a.mp3", "b.MP3", "C.Mp3"}));
    EXPECT_EQ(wb.Set().ProposalCount(), 0u);
    EXPECT_EQ(wb.Set().percentText, "0%");
    EXPECT_TRUE(ui_.calls.empty()) << "no message at start-up after the first run";
}

TEST_F(WorkbenchTest, StartLeavesTheCurrentDirectoryAsItWas) {
    AddFiles({"a.mp3"});
    const std::string before = CurrentDirectory();
    Start();
    EXPECT_EQ(CurrentDirectory(), before);
}

TEST_F(WorkbenchTest, FirstStartShowsTheFirstRunNotice) {
    TempDir fresh;
    SettingsStore store(fresh / "new.reg");
    Workbench wb(store, ui_);
    ASSERT_EQ(wb.Start(), StartResult::Ready);
    ASSERT_EQ(ui_.calls.size(), 1u);
    EXPECT_EQ(ui_.calls[0].caption, "Warning");
    EXPECT_EQ(ui_.calls[0].text,
              std::string("This is the first time you're running the renamer\nPlease read "
                          "carefully the instructions before using the renamer!\nCheck out: ") +
                  kWebPage);
}

TEST_F(WorkbenchTest, UnusableSettingsEndTheProgramWithTheFatalError) {
    TempDir dir;
    dir.Write("blocker", "x");
    SettingsStore store(dir / "blocker/s.reg");
    Workbench wb(store, ui_);
    EXPECT_EQ(wb.Start(), StartResult::Fatal);
    ASSERT_EQ(ui_.calls.size(), 1u);
    EXPECT_EQ(ui_.calls[0].caption, "Fatal Error");
    EXPECT_EQ(ui_.calls[0].text, "Error ID: EIK01\nProbable cause: Insufficient rights");
    EXPECT_EQ(ui_.calls[0].icon, MessageIcon::Stop);
}

TEST_F(WorkbenchTest, RenameShowsThePercentageAfterEachFile) {
    struct Case {
        int files;
        std::vector<std::string> percents;
    };
    for (const Case& c : {Case{3, {"33%", "66%", "100%"}}, Case{1, {"100%"}},
                          Case{7, {"14%", "28%", "42%", "57%", "71%", "85%", "100%"}}}) {
        TempDir dir;
        for (int i = 0; i < c.files; ++i) {
            dir.Write("f" + std::to_string(i) + ".mp3", "x");
        }
        store_.SetPathToWork(dir.Path());
        ui_.renameProgress.clear();
        Workbench& wb = Start();
        wb.Rename();
        std::vector<std::string> percents;
        for (const auto& [value, text] : ui_.renameProgress) {
            percents.push_back(text);
        }
        EXPECT_EQ(percents, c.percents);
        EXPECT_EQ(ui_.renameProgress.back().first, c.files);
        EXPECT_EQ(wb.Set().percentText, "100%");
        EXPECT_EQ(wb.Set().ProposalCount(), static_cast<std::size_t>(c.files));
    }
}

TEST_F(WorkbenchTest, RenameReportsCompletion) {
    AddFiles({"a.mp3"});
    Workbench& wb = Start();
    wb.Rename();
    ASSERT_EQ(ui_.calls.size(), 1u);
    EXPECT_EQ(ui_.calls[0].caption, "Rename of mp3 files completed");
    EXPECT_EQ(ui_.calls[0].icon, MessageIcon::Information);
}

TEST_F(WorkbenchTest, RenameWithNothingListedRefuses) {
    Workbench& wb = Start();
    wb.Rename();
    ASSERT_EQ(ui_.calls.size(), 1u);
    EXPECT_EQ(ui_.calls[0].caption, "Error");
    EXPECT_EQ(ui_.calls[0].text, "No mp3 files selected to rename!");
    EXPECT_TRUE(ui_.renameProgress.empty());
}

TEST_F(WorkbenchTest, RenameOverUnsavedNamesAsksFirst) {
    AddFiles({"a.mp3", "b.mp3"});
    Workbench& wb = Start();
    wb.Rename();
    const std::string proposed = wb.Set().Proposal(0);
    wb.Set().SetProposal(0, "edited.mp3");
    ui_.calls.clear();
    ui_.yesNoAnswers = {false};
    wb.Rename();
    ASSERT_EQ(ui_.calls.size(), 1u);
    EXPECT_EQ(ui_.calls[0].caption, "Warning");
    EXPECT_EQ(ui_.calls[0].text,
              "You didn't save your renamed files.\nIf you continue you will lose your renamed "
              "files!\nDo you want to continue?");
    EXPECT_EQ(wb.Set().Proposal(0), "edited.mp3") << "No keeps the proposed names";
    ui_.yesNoAnswers = {true};
    wb.Rename();
    EXPECT_EQ(wb.Set().Proposal(0), proposed);
}

TEST_F(WorkbenchTest, DirectoryCommandListsTheChosenDirectory) {
    AddFiles({"a.mp3"});
    TempDir other;
    other.Write("z.mp3", "x");
    Workbench& wb = Start();
    wb.Rename();
    ui_.calls.clear();
    ui_.yesNoAnswers = {true};
    ui_.dialogs.directoryChooser.Push([&](DirectoryChooserModel& chooser) {
        chooser.SetText(other.Path());
        return chooser.Accept();
    });
    wb.ChooseDirectory();
    EXPECT_EQ(wb.Set().OldNames(), std::vector<std::string>{"z.mp3"});
    EXPECT_EQ(wb.Set().ProposalCount(), 0u);
    EXPECT_EQ(wb.Set().percentText, "0%");
    std::string stored;
    store_.GetPathToWork(stored);
    EXPECT_EQ(stored, other.Path());
}

// The command lists the directory chosen, even when another running copy
// stores another one right after.
TEST_F(WorkbenchTest, DirectoryCommandListsTheChosenDirectoryWhateverIsStoredSince) {
    TempDir chosen, elsewhere;
    chosen.Write("chosen.mp3", "x");
    elsewhere.Write("elsewhere.mp3", "x");
    Workbench& wb = Start();
    ui_.dialogs.directoryChooser.Push([&](DirectoryChooserModel& chooser) {
        chooser.SetText(chosen.Path());
        const bool accepted = chooser.Accept();
        SettingsStore(settingsDir_ / "s.reg").SetPathToWork(elsewhere.Path());
        return accepted;
    });
    EXPECT_EQ(wb.ChooseDirectory().outcome, CommandOutcome::Done);
    EXPECT_EQ(wb.Set().OldNames(), std::vector<std::string>{"chosen.mp3"});
    EXPECT_EQ(wb.Context().listedDirectory, chosen.Path());
}

// Each row of the table records where it was read from: the directory, and
// the identity the file had under its old name.
TEST_F(WorkbenchTest, RenameRecordsWhereEachRowWasReadFrom) {
    AddFiles({"Alpha - One.mp3", "Beta - Two.mp3"});
    store_.SetFileInfoLoader(1);
    Workbench& wb = Start();
    wb.Rename();
    const FileInfoTable& table = wb.Context().table;
    ASSERT_EQ(table.RowCount(), 2u);
    EXPECT_EQ(table.Directory(), music_.Path());
    EXPECT_EQ(table.Identity(0), IdentityOf(music_ / "Alpha - One.mp3"));
    EXPECT_EQ(table.Identity(1), IdentityOf(music_ / "Beta - Two.mp3"));
    EXPECT_NE(table.Identity(0), table.Identity(1));
}

TEST_F(WorkbenchTest, DirectoryWithoutMp3FilesSaysSoOnlyForTheCommand) {
    TempDir empty;
    store_.SetPathToWork(empty.Path());
    Workbench& wb = Start();
    EXPECT_TRUE(ui_.calls.empty());
    ui_.dialogs.directoryChooser.Push(
        [&](DirectoryChooserModel& chooser) { return chooser.Accept(); });
    wb.ChooseDirectory();
    ASSERT_EQ(ui_.calls.size(), 1u);
    EXPECT_EQ(ui_.calls[0].text, "No mp3 files in current directory!");
}

TEST_F(WorkbenchTest, CancelledOrInvalidDirectoryChangesNothing) {
    AddFiles({"a.mp3"});
    Workbench& wb = Start();
    ui_.dialogs.directoryChooser.Push([&](DirectoryChooserModel& chooser) {
        chooser.SetText(music_ / "missing");
        return chooser.Accept();
    });
    wb.ChooseDirectory();
    ASSERT_EQ(ui_.calls.size(), 1u);
    EXPECT_EQ(ui_.calls[0].caption, "Invalid Directory");
    EXPECT_EQ(ui_.calls[0].text, music_ / "missing" + " is not a valid directory!");
    EXPECT_EQ(wb.Set().OldNames(), std::vector<std::string>{"a.mp3"});
    std::string stored;
    store_.GetPathToWork(stored);
    EXPECT_EQ(stored, music_.Path());
}

TEST_F(WorkbenchTest, UnderscoreOptionRewritesTheProposedNames) {
    AddFiles({"1.mp3", "2.mp3"});
    Workbench& wb = Start();
    wb.Rename();
    testing::SetProposals(wb.Set(), {"a b.mp3", "Best__Of  Me.mp3"});
    ui_.calls.clear();
    wb.ToggleUnderscore();  // on
    EXPECT_EQ(wb.Set().Proposals(), (std::vector<std::string>{"a_b.mp3", "Best__Of__Me.mp3"}));
    EXPECT_TRUE(wb.Menu().underscoreChecked);
    wb.ToggleUnderscore();  // off
    EXPECT_EQ(wb.Set().Proposals(), (std::vector<std::string>{"a b.mp3", "Best Of Me.mp3"}));
    ASSERT_EQ(ui_.calls.size(), 2u);
    EXPECT_EQ(ui_.calls[0].text, "All blank spaces have been replaced with underscores");
    EXPECT_EQ(ui_.calls[1].text, "All underscores have been replaced with blank spaces");
    EXPECT_EQ(ui_.calls[1].caption, "Replace process completed");
}

TEST_F(WorkbenchTest, UnderscoreOptionOnAnEmptyListFlipsSilentlyAndPersists) {
    Workbench& wb = Start();
    wb.ToggleUnderscore();
    EXPECT_TRUE(ui_.calls.empty());
    int option = -1;
    store_.GetUnderscoreOption(option);
    EXPECT_EQ(option, 1);
    // Any value other than 0 turns into 0.
    store_.SetUnderscoreOption(5);
    wb.ToggleUnderscore();
    store_.GetUnderscoreOption(option);
    EXPECT_EQ(option, 0);
}

TEST_F(WorkbenchTest, LoaderOptionPersistsGreysTheToolsAndEmptiesTheTable) {
    Workbench& wb = Start();
    EXPECT_FALSE(wb.Menu().loaderToolsEnabled);
    wb.ToggleLoader();
    EXPECT_TRUE(wb.Menu().loaderChecked);
    EXPECT_TRUE(wb.Menu().loaderToolsEnabled);
    int loader = -1;
    store_.GetFileInfoLoader(loader);
    EXPECT_EQ(loader, 1);
    wb.Context().table.AppendRow(testing::RowOf({"a.mp3", "t", "a", "", "", "0", "255"}));
    wb.ToggleLoader();
    EXPECT_EQ(wb.Context().table.RowCount(), 0u);
    EXPECT_FALSE(wb.Menu().loaderToolsEnabled);
    // The organizer is greyed now and does nothing.
    ui_.calls.clear();
    wb.FilesOrganizer();
    EXPECT_TRUE(ui_.calls.empty());
}

TEST_F(WorkbenchTest, MethodSelectionChecksOneItemAndPersists) {
    Workbench& wb = Start();
    EXPECT_TRUE(wb.Menu().smartEngineChecked);
    wb.SelectMethod(RenamingMethod::Id3Tag);
    EXPECT_TRUE(wb.Menu().id3TagChecked);
    EXPECT_FALSE(wb.Menu().smartEngineChecked);
    EXPECT_FALSE(wb.Menu().massChecked);
    RenamingMethod method{-1};
    store_.GetRenamingMethod(method);
    EXPECT_EQ(method, RenamingMethod::Id3Tag);
    wb.SelectMethod(RenamingMethod::Mass);
    EXPECT_TRUE(wb.Menu().massChecked);
    EXPECT_FALSE(wb.Menu().id3TagChecked);
}

TEST_F(WorkbenchTest, StoredMethodOutsideTheRangeChecksNoItem) {
    store_.SetRenamingMethod(RenamingMethod{7});
    Workbench& wb = Start();
    EXPECT_FALSE(wb.Menu().smartEngineChecked || wb.Menu().id3TagChecked || wb.Menu().massChecked);
    EXPECT_EQ(wb.CurrentMethod(), RenamingMethod{7});
}

TEST_F(WorkbenchTest, SelectingAnOldEntrySelectsExactlyTheSameProposedEntry) {
    AddFiles({"a.mp3", "b.mp3", "c.mp3", "d.mp3", "e.mp3"});
    Workbench& wb = Start();
    wb.Rename();
    wb.SetRenamedSelection({0, 1, 4});
    wb.SelectOld(3);
    EXPECT_EQ(wb.Set().SelectedRenamed(), std::vector<int>{3});
    EXPECT_EQ(wb.Set().oldSelection, 3);
    wb.SetRenamedSelection({1, 2});
    EXPECT_EQ(wb.Set().oldSelection, -1);
    EXPECT_EQ(wb.Set().SelectedRenamed(), (std::vector<int>{1, 2}));
}

TEST_F(WorkbenchTest, ExitAsksOnlyWhileNamesAreUnsaved) {
    AddFiles({"a.mp3"});
    Workbench& wb = Start();
    EXPECT_TRUE(wb.RequestExit());
    EXPECT_TRUE(ui_.calls.empty());
    wb.Rename();
    ui_.calls.clear();
    ui_.yesNoAnswers = {false, true};
    EXPECT_FALSE(wb.RequestExit());
    EXPECT_TRUE(wb.RequestExit());
    ASSERT_EQ(ui_.calls.size(), 2u);
    EXPECT_EQ(ui_.calls[0].text,
              "You didn't save your renamed files!\nAre you sure you want to exit?");
}

TEST_F(WorkbenchTest, ToolGuardsRefuseWithTheirMessages) {
    AddFiles({"a.mp3", "b.mp3"});
    Workbench& wb = Start();
    wb.ToggleLoader();
    wb.Rename();
    ui_.calls.clear();

    wb.TagEditor();  // nothing selected
    wb.SetRenamedSelection({0, 1});
    wb.TagEditor();
    wb.SetRenamedSelection({0});
    wb.MassFileNameEditor();
    wb.FilesOrganizer();
    std::vector<std::string> texts = ui_.MessageTexts();
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0], "You must select one item to edit");
    EXPECT_EQ(texts[1], "You must select only one item to edit");
    EXPECT_EQ(texts[2], "You must select at least two items from the Renamed File Names ListBox");
    EXPECT_EQ(texts[3], "You must save your renamed files first (Press Save Button)");
    for (const UiCall& call : ui_.calls) {
        EXPECT_EQ(call.caption, "Error");
    }
}

TEST_F(WorkbenchTest, OrganizerWithoutFileInformationRefuses) {
    Workbench& wb = Start();
    wb.ToggleLoader();
    wb.FilesOrganizer();
    ASSERT_EQ(ui_.calls.size(), 1u);
    EXPECT_EQ(ui_.calls[0].text.substr(0, 60),
              "Files Organizer can't proceed because there is not File Info");
}

TEST_F(WorkbenchTest, AboutBoxCanOpenTheWebPage) {
    Workbench& wb = Start();
    wb.About();
    ASSERT_EQ(ui_.CallsOfKind("about").size(), 1u);
    EXPECT_EQ(ui_.CallsOfKind("about")[0].caption, kProgramName);
}

}  // namespace
}  // namespace tagnomen

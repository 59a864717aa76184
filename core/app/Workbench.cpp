// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Workbench.h"

#include "app/HelpLocation.h"
#include "app/SaveAndUndo.h"
#include "platform/FileSystem.h"
#include "platform/Launcher.h"
#include "rename/DuplicateNames.h"
#include "rename/NameText.h"
#include "rename/RecordFileInformation.h"
#include "rename/RenameBatch.h"
#include "rename/RenamingMethods.h"
#include "tags/TagReadAhead.h"
#include "tools/DirectoryChooserModel.h"
#include "tools/Tools.h"

namespace tagnomen {

namespace {

constexpr const char* kUnsavedQuestion =
    "You didn't save your renamed files.\nIf you continue you will lose your renamed "
    "files!\nDo you want to continue?";

// Files whose tags are read ahead of the one Rename is at, at most.
constexpr std::size_t kFilesReadAhead = 256;

std::string PercentText(long long done, long long total) {
    return std::to_string(100 * done / total) + "%";
}

}  // namespace

Workbench::Workbench(SettingsStore& settings, Ui& ui) : context_(settings, ui) {}

StartResult Workbench::Start() {
    FirstRunResult firstRun = context_.settings.FirstRunCheck();
    if (firstRun == FirstRunResult::Fatal || firstRun == FirstRunResult::Unreadable) {
        ShowOk(context_.ui, "Fatal Error", "Error ID: EIK01\nProbable cause: Insufficient rights",
               MessageIcon::Stop);
        return StartResult::Fatal;
    }
    if (firstRun == FirstRunResult::NotASettingsFile) {
        // Writing the defaults would destroy whatever file is there.
        ShowOk(context_.ui, "Fatal Error",
               context_.settings.Path() + " is not a settings file; it is left as it is.",
               MessageIcon::Stop);
        return StartResult::Fatal;
    }
    if (firstRun == FirstRunResult::FirstRun) {
        ShowOk(context_.ui, "Warning",
               std::string("This is the first time you're running the renamer\nPlease read "
                           "carefully the instructions before using the renamer!\nCheck out: ") +
                   kWebPage,
               MessageIcon::Warning);
    }
    ListWorkDirectory(context_.ReadPathToWork(), false);
    set_.percentText = "0%";
    ReadOptions();
    UpdateMenu();
    return StartResult::Ready;
}

void Workbench::ReadOptions() {
    context_.settings.GetRenamingMethod(method_);
    context_.settings.GetUnderscoreOption(context_.underscoreOption);
    context_.ReadFileInfoLoader();
    context_.ReadUseTemplate();
    context_.fullTagSupport = context_.settings.FullTagSupport();
    context_.musicAwareNames = context_.settings.MusicAwareNames();
    context_.settings.GetNumber("ReadAheadThreads", context_.readAheadThreads);
}

void Workbench::UpdateMenu() {
    menu_.id3TagChecked = method_ == RenamingMethod::Id3Tag;
    menu_.smartEngineChecked = method_ == RenamingMethod::SmartEngine;
    menu_.massChecked = method_ == RenamingMethod::Mass;
    menu_.underscoreChecked = context_.underscoreOption == 1;
    menu_.loaderChecked = context_.fileInfoLoader;
    menu_.loaderToolsEnabled = context_.fileInfoLoader;
    menu_.fullTagSupportChecked = context_.fullTagSupport;
    menu_.musicAwareNamesChecked = context_.musicAwareNames;
}

bool Workbench::ListWorkDirectory(const std::string& directory, bool showMessage) {
    // When the directory cannot be entered nothing is listed: listing the
    // directory that happens to be current would offer the wrong files.
    context_.listedDirectory = AbsolutePath(directory);
    DirectoryScope scope;
    std::vector<std::string> found;
    if (scope.Enter(context_.listedDirectory)) {
        found = ListMp3Files();
    }
    if (found.empty() && showMessage) {
        ShowOk(context_.ui, "Error", "No mp3 files in current directory!", MessageIcon::Warning);
    }
    const bool any = !found.empty();
    set_.AppendListed(std::move(found));
    set_.SortRows();
    set_.ClearSelections();
    return any;
}

bool Workbench::ConfirmDiscardUnsaved() {
    return !set_.Unsaved() || AskYesNo(context_.ui, "Warning", kUnsavedQuestion);
}

CommandResult Workbench::ChooseDirectory() {
    if (!ConfirmDiscardUnsaved()) {
        return CommandResult::Cancelled();
    }
    DirectoryChooserModel chooser(context_, ChooserMode::WorkDirectory);
    if (!context_.ui.RunDirectoryChooser(chooser) || !chooser.Accepted()) {
        return CommandResult::Cancelled();
    }
    // The directory chosen, not "PathToWork" read again: another copy of the
    // program may have stored another one since.
    return ListAfresh(chooser.StoredPath());
}

std::string Workbench::WorkDirectory() {
    return ::tagnomen::WorkDirectory(context_);
}

CommandResult Workbench::ListAgain() {
    if (!ConfirmDiscardUnsaved()) {
        return CommandResult::Cancelled();
    }
    return ListAfresh(WorkDirectory());
}

CommandResult Workbench::ListAfresh(const std::string& directory) {
    set_.EmptyLists();
    return ListWorkDirectory(directory, true) ? CommandResult::Done() : CommandResult::Failed();
}

CommandResult Workbench::OpenDroppedDirectory(const std::string& path) {
    if (!ConfirmDiscardUnsaved()) {
        return CommandResult::Cancelled();
    }
    DirectoryChooserModel chooser(context_, ChooserMode::WorkDirectory);
    chooser.SetText(path);
    if (!chooser.Accept()) {  // the "Invalid Directory" box has been shown
        return CommandResult::Refused();
    }
    return ListAfresh(chooser.StoredPath());
}

CommandResult Workbench::Rename() {
    if (!ConfirmDiscardUnsaved()) {
        return CommandResult::Cancelled();
    }
    const long long n = static_cast<long long>(set_.Size());
    if (n == 0) {
        ShowOk(context_.ui, "Error", "No mp3 files selected to rename!", MessageIcon::Warning);
        return CommandResult::Refused();
    }
    set_.ClearProposals();
    set_.progressMaximum = static_cast<int>(n);
    set_.ClearSelections();
    renaming_ = true;
    cancelRequested_ = false;
    const std::string directory = WorkDirectory();
    // The tags of the files are read ahead by a few threads; the loop below
    // still takes the files one by one and asks every question in order.
    // The workers stop when the loop ends, cancelled or not.
    TagReadAhead readAhead(
        directory, set_.OldNames(), context_.Support(),
        {static_cast<unsigned>(std::max(0, context_.readAheadThreads)), kFilesReadAhead});
    RenameBatch batch(context_, ReadRenameOptions(context_, method_), readAhead);
    // The table starts afresh with the first row this Rename records.
    bool tableReset = false;
    for (long long i = 0; i < n && !cancelRequested_ && !batch.stopped; ++i) {
        const std::string& oldName = set_.OldName(static_cast<std::size_t>(i));
        Proposal proposal = ProposeName(batch, oldName);
        if (proposal.recorded) {
            if (!tableReset) {
                tableReset = true;
                context_.table.Empty();
                context_.table.SetDirectory(directory);
            }
            RecordRow(context_.table, directory, oldName, proposal.name,
                      std::move(*proposal.recorded), proposal.sources);
        }
        set_.AppendProposal(std::move(proposal.name));
        set_.progressValue = static_cast<int>(i + 1);
        set_.percentText = PercentText(i + 1, n);
        context_.ui.ShowRenameProgress(set_.progressValue, set_.progressMaximum, set_.percentText);
    }
    renaming_ = false;
    // Escape on a question stops the Rename as Cancel does.
    cancelRequested_ = cancelRequested_ || batch.stopped;
    lastRename_ = {set_.ProposalCount(), set_.Size(), cancelRequested_};
    // The files not reached keep their names as their proposals.
    while (set_.ProposalCount() < set_.Size()) {
        set_.AppendProposal(set_.OldName(set_.ProposalCount()));
    }
    if (batch.options.musicAwareNames) {
        // Copies of one song: the rows of the table follow their numbered names.
        for (std::size_t row : NumberDuplicateProposals(set_)) {
            if (tableReset && context_.table.HasRow(row)) {
                context_.table.SetFileName(row, set_.Proposal(row));
            }
        }
    }
    if (set_.Unsaved() && !cancelRequested_) {
        ShowOk(context_.ui, "Rename of mp3 files completed",
               "All your files have been renamed.\nYou can edit them by double clicking on the "
               "renamed filename.\nPress Save button to do the physical rename of files.",
               MessageIcon::Information);
    }
    const bool cancelled = cancelRequested_;
    cancelRequested_ = false;
    return cancelled ? CommandResult::Cancelled() : CommandResult::Done();
}

CommandResult Workbench::Save() {
    if (!set_.Unsaved()) {
        ShowOk(context_.ui, "Error", "No mp3 files renamed to save!", MessageIcon::Warning);
        return CommandResult::Refused();
    }
    return SaveRenames(context_, set_);
}

CommandResult Workbench::Undo() {
    if (!ConfirmDiscardUnsaved()) {
        return CommandResult::Cancelled();
    }
    return UndoRenames(context_, set_);
}

void Workbench::FormatToRename() {
    RunNameFormatDialog(context_, set_.Size() == 0 ? std::string() : set_.OldName(0));
}

bool Workbench::RequestExit() {
    return !set_.Unsaved() ||
           AskYesNo(context_.ui, "Warning",
                    "You didn't save your renamed files!\nAre you sure you want to exit?");
}

CommandResult Workbench::SettingNotStored() {
    ShowSettingNotStored(context_.ui, context_.settings);
    UpdateMenu();
    return CommandResult::Failed();
}

CommandResult Workbench::SelectMethod(RenamingMethod method) {
    if (!context_.settings.SetRenamingMethod(method)) {
        return SettingNotStored();
    }
    method_ = method;
    UpdateMenu();
    return CommandResult::Done();
}

CommandResult Workbench::ToggleUnderscore() {
    context_.settings.GetUnderscoreOption(context_.underscoreOption);
    const int switched = context_.underscoreOption == 0 ? 1 : 0;
    if (!context_.settings.SetUnderscoreOption(switched)) {
        return SettingNotStored();
    }
    context_.underscoreOption = switched;
    UpdateMenu();
    if (!set_.Unsaved()) {
        return CommandResult::Done();
    }
    for (std::size_t row = 0; row < set_.ProposalCount(); ++row) {
        set_.SetProposal(row, ApplyUnderscoreOption(set_.Proposal(row), context_.underscoreOption));
    }
    ShowOk(context_.ui, "Replace process completed",
           context_.underscoreOption == 1 ? "All blank spaces have been replaced with underscores"
                                          : "All underscores have been replaced with blank spaces",
           MessageIcon::Information);
    return CommandResult::Done();
}

CommandResult Workbench::ToggleLoader() {
    context_.ReadFileInfoLoader();
    const bool switched = !context_.fileInfoLoader;
    if (!context_.settings.SetFileInfoLoader(switched ? 1 : 0)) {
        return SettingNotStored();
    }
    context_.fileInfoLoader = switched;
    if (!context_.fileInfoLoader) {
        context_.table.Empty();
    }
    UpdateMenu();
    return CommandResult::Done();
}

CommandResult Workbench::ToggleFullTagSupport() {
    const bool switched = !context_.settings.FullTagSupport();
    if (!context_.settings.SetFullTagSupport(switched)) {
        return SettingNotStored();
    }
    context_.fullTagSupport = switched;
    UpdateMenu();
    return CommandResult::Done();
}

CommandResult Workbench::ToggleMusicAwareNames() {
    const bool switched = !context_.settings.MusicAwareNames();
    if (!context_.settings.SetMusicAwareNames(switched)) {
        return SettingNotStored();
    }
    context_.musicAwareNames = switched;
    UpdateMenu();
    return CommandResult::Done();
}

CommandResult Workbench::TagCleaner() {
    if (!menu_.loaderToolsEnabled) {
        return CommandResult::Refused();  // greyed
    }
    return RunTagCleaner(context_, set_);
}

CommandResult Workbench::TagEditor() {
    if (set_.oldSelection >= 0) {
        return EditTags(set_.oldSelection, false);
    }
    std::vector<int> selected = set_.SelectedRenamed();
    if (selected.size() != 1) {
        ShowOk(context_.ui, "Error",
               selected.empty() ? "You must select one item to edit"
                                : "You must select only one item to edit",
               MessageIcon::Stop);
        return CommandResult::Refused();
    }
    return EditTags(selected.front(), true);
}

CommandResult Workbench::EditTags(int index, bool foundInRenamedList) {
    if (index < 0 || static_cast<std::size_t>(index) >= set_.Size()) {
        return CommandResult::Refused();
    }
    const auto row = static_cast<std::size_t>(index);
    const std::string& oldName = set_.OldName(row);
    std::string shownName = oldName;
    if ((foundInRenamedList || set_.Unsaved()) && set_.HasProposal(row)) {
        shownName = set_.Proposal(row);
    }
    return RunTagEditor(context_, oldName, shownName);
}

CommandResult Workbench::MassFileNameEditor() {
    if (set_.SelectedRenamed().size() < 2) {
        ShowOk(context_.ui, "Error",
               "You must select at least two items from the Renamed File Names ListBox",
               MessageIcon::Stop);
        return CommandResult::Refused();
    }
    RunMassFileNameEditor(context_, set_);
    return CommandResult::Done();
}

CommandResult Workbench::FilesOrganizer() {
    if (!menu_.loaderToolsEnabled) {
        return CommandResult::Refused();  // greyed
    }
    if (set_.Unsaved()) {
        ShowOk(context_.ui, "Error", "You must save your renamed files first (Press Save Button)",
               MessageIcon::Stop);
        return CommandResult::Refused();
    }
    if (context_.table.RowCount() == 0) {
        ShowOk(context_.ui, "Error",
               "Files Organizer can't proceed because there is not File Information "
               "loaded.\nFile Information is loaded during renaming process.\nMake sure that "
               "File Information Loader is enabled (Menu Options -> Enable File Information "
               "Loader is checked) and start the renaming process (Press Rename Button).",
               MessageIcon::Stop);
        return CommandResult::Refused();
    }
    return RunFilesOrganizer(context_);
}

CommandResult Workbench::FileInfoViewer() {
    if (!menu_.loaderToolsEnabled) {
        return CommandResult::Refused();  // greyed
    }
    RunFileInfoViewer(context_);
    return CommandResult::Done();
}

void Workbench::About() {
    AboutInfo info{kProgramName, TAGNOMEN_VERSION,
                   "Gives the MP3 files of a directory consistent names and tidy ID3 tags.",
                   kWebPage,
                   "Free software under the GNU General Public License, version 3 or later.\n"
                   "There is no warranty."};
    if (context_.ui.ShowAbout(info)) {
        WebSite();
    }
}

void Workbench::WebSite() {
    OpenInBrowser(kWebPage);
}

void Workbench::Help() {
    context_.ui.OpenHelp(HelpFilePath());
}

void Workbench::SelectOld(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= set_.Size()) {
        return;
    }
    set_.oldSelection = index;
    set_.SelectRenamed({index});
}

void Workbench::SetRenamedSelection(const std::vector<int>& indexes) {
    set_.SelectRenamed(indexes);
    set_.oldSelection = -1;
}

void Workbench::DoubleClickOld(int index) {
    SelectOld(index);
    EditTags(index, false);
}

void Workbench::DoubleClickRenamed(int index) {
    if (index < 0 || !set_.HasProposal(static_cast<std::size_t>(index))) {
        return;
    }
    const auto row = static_cast<std::size_t>(index);
    std::string edited = set_.Proposal(row);
    if (RunEditFileName(context_, edited, set_.OldName(row))) {
        set_.SetProposal(row, std::move(edited));
    }
}

}  // namespace tagnomen

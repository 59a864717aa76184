// Save renames every file of the working set to its proposed name and records
// each success in the undo file; Undo reads that file and renames the files
// back. Both report every failure in its own box and go on with the next file.
#include <cstdio>
#include <string>
#include <vector>

#include "app/RenamingContext.h"
#include "app/Tools.h"
#include "app/UndoFile.h"
#include "app/WorkingSet.h"
#include "platform/FileSystem.h"

namespace tagnomen {

namespace {

constexpr const char* kProgressText = "Renaming your Mp3 Files...";
constexpr const char* kUnsavedQuestion =
    "You didn't save your renamed files.\nIf you continue you will lose your renamed "
    "files!\nDo you want to continue?";

void ReportRenameFailure(Ui& ui, const std::string& name) {
    ShowOk(ui, "Error", "Unable to rename " + name + " file", MessageIcon::Warning);
}

// Renames inside the current directory, never over another file. A name with
// "/" or one that is "." or ".." would reach outside it and is refused.
bool RenameHere(const std::string& from, const std::string& to) {
    return IsBareFileName(from) && IsBareFileName(to) && RenameNoReplace(from, to);
}

struct UndoPair {
    std::string oldName;  // the name before Save, to be given back
    std::string newName;  // the name Save gave
};

std::vector<UndoPair> ReadUndoPairs(RenamingContext& context) {
    std::vector<UndoPair> pairs;
    for (;;) {
        UndoPair pair;
        pair.oldName = ReadUndoLine(context);
        if (pair.oldName.empty())
            break;
        pair.newName = ReadUndoLine(context);
        pairs.push_back(std::move(pair));
    }
    return pairs;
}

}  // namespace

void SaveRenames(RenamingContext& context, WorkingSet& set) {
    if (!OpenUndoFileForWriting(context) &&
        !AskYesNo(context.ui, "Error",
                  "Unable to create an UNDO file\nDo you want to continue renaming the files?",
                  MessageIcon::Warning)) {
        return;
    }
    context.ui.OpenProgressWindow(kProgressText);
    {
        const std::size_t n = set.oldNames.size();
        std::string workDirectory;
        context.settings.GetPathToWork(workDirectory);
        DirectoryScope scope;
        // Outside the work directory the bare names would name other files:
        // then every rename fails instead.
        const bool inWorkDirectory = scope.Enter(workDirectory);
        for (std::size_t i = 0; i < n; ++i) {
            const std::string& oldName = set.oldNames[i];
            const std::string newName =
                i < set.renamedNames.size() ? set.renamedNames[i] : std::string();
            if (inWorkDirectory && IsBareFileName(oldName))
                MakeWritable(oldName);  // a failure here shows in the rename
            // A pair that would not read back as written could make a later
            // Undo rename files it never touched, so it is not renamed at all.
            const bool recordable = context.undoFile == nullptr || (IsRecordableUndoLine(oldName) &&
                                                                    IsRecordableUndoLine(newName));
            if (!inWorkDirectory || !recordable || !RenameHere(oldName, newName)) {
                ReportRenameFailure(context.ui, oldName);
                continue;
            }
            if (context.undoFile != nullptr) {
                WriteUndoLine(oldName, context);
                WriteUndoLine(newName, context);
                // Each pair reaches the file at once: if the program stops
                // half-way, the file still lists every rename done so far.
                std::fflush(context.undoFile);
            }
            if (context.table.HasRow(i))
                context.table.SetFileName(i, newName);
        }
        CloseUndoFile(context);
    }
    context.ui.CloseProgressWindow();
    set.EmptyLists();
}

void UndoRenames(RenamingContext& context, WorkingSet& set) {
    if (set.Unsaved() && !AskYesNo(context.ui, "Warning", kUnsavedQuestion))
        return;
    std::string workDirectory;
    context.settings.GetPathToWork(workDirectory);
    if (!AskYesNo(
            context.ui, "Undo renamed files",
            "Are you sure that do you want Undo renamed files in the directory:\n" + workDirectory,
            MessageIcon::Question)) {
        return;
    }
    if (!OpenUndoFileForReading(context)) {
        ShowOk(context.ui, "Error", "Unable to load Undo file", MessageIcon::Warning);
        return;
    }
    DirectoryScope scope;
    const bool inWorkDirectory = scope.Enter(workDirectory);
    scope.Keep();  // Undo leaves the work directory current
    context.ui.OpenProgressWindow(kProgressText);
    set.EmptyLists();

    const std::vector<UndoPair> pairs = ReadUndoPairs(context);
    std::vector<bool> undone(pairs.size(), false);
    auto undo = [&](std::size_t k) {
        const UndoPair& pair = pairs[k];
        if (!inWorkDirectory || !RenameHere(pair.newName, pair.oldName))
            return false;
        undone[k] = true;
        set.oldNames.push_back(pair.newName);
        set.renamedNames.push_back(pair.oldName);
        return true;
    };
    for (std::size_t k = 0; k < pairs.size(); ++k)
        undo(k);
    // A name Save gave can be the old name of a file renamed later in the same
    // Save (a renamed to c, then b to a): its pair fails until the later pair
    // has been undone. Going back in reverse order frees every such name.
    for (bool progress = true; progress;) {
        progress = false;
        for (std::size_t k = pairs.size(); k-- > 0;) {
            if (!undone[k] && undo(k))
                progress = true;
        }
    }
    for (std::size_t k = 0; k < pairs.size(); ++k) {
        if (!undone[k])
            ReportRenameFailure(context.ui, pairs[k].oldName);
    }

    CloseUndoFile(context);
    if (inWorkDirectory)
        RemoveFile(kUndoFileName);
    context.ui.CloseProgressWindow();
    ShowOk(context.ui, "Undo finished", "All the files have been renamed",
           MessageIcon::Information);
    set.EmptyLists();
}

}  // namespace tagnomen

// SPDX-License-Identifier: GPL-3.0-or-later
// Save renames every file of the working set to its proposed name and records
// each rename in the undo file before it happens; Undo reads that file and
// renames the files back. Both act in the directory the lists were made
// from, report every failure with its reason in its own box and go on with
// the next file.
#include <cerrno>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/SaveAndUndo.h"
#include "app/UndoFile.h"
#include "platform/FileSystem.h"
#include "session/RenamingContext.h"
#include "session/WorkingSet.h"

namespace tagnomen {

namespace {

constexpr const char* kProgressText = "Renaming your Mp3 Files...";

void ReportRenameFailure(Ui& ui, const std::string& name, int error) {
    ui.ShowFailure("Error", "Unable to rename " + name + " file", ErrorReason(error),
                   MessageIcon::Warning);
}

// Enters the directory; 0, or the reason it cannot be entered.
int EnterDirectory(DirectoryScope& scope, const std::string& directory) {
    errno = ENOENT;  // an empty path fails before the system is asked
    return scope.Enter(directory) ? 0 : errno;
}

// A table made in another directory (the lists have moved on since its
// Rename) has no row for the files of this one.
bool TableBelongsTo(const FileInfoTable& table, const std::string& directory) {
    return table.Directory().empty() || table.Directory() == directory;
}

// A row is the file's when it was recorded from this very file (or its
// identity was never known).
bool RowIsFile(const FileInfoTable& table, std::size_t row,
               const std::optional<FileIdentity>& identity) {
    const std::optional<FileIdentity> recorded = table.Identity(row);
    return table.HasRow(row) && (!recorded || recorded == identity);
}

// Renames one file of the current directory, recording the pair first; 0
// or the reason it failed. A name that would leave the directory, hide the
// file or mean nothing is refused, and so is a pair that would not read back
// from the undo file as written (a later Undo could rename files it never
// touched).
int SaveOne(UndoFile& undoFile, const std::string& oldName, const std::string& newName) {
    const bool recordable =
        !undoFile.IsOpen() || (IsRecordableUndoLine(oldName) && IsRecordableUndoLine(newName));
    const bool acceptable =
        newName == oldName ? IsBareFileName(newName) : IsVisibleFileName(newName);
    if (!IsBareFileName(oldName) || !acceptable || !recordable) {
        return EINVAL;
    }
    if (!undoFile.RecordPair(oldName, newName)) {
        return errno;
    }
    if (RenameNoReplace(oldName, newName)) {
        return 0;
    }
    const int error = errno;
    undoFile.DropLastPair();
    return error;
}

// Undoes the pairs of one undo file in the current directory; each pair is
// tried once, so the work grows with the number of pairs alone.
class UndoRun {
  public:
    UndoRun(RenamingContext& context, WorkingSet& set, const std::vector<UndoPair>& pairs,
            bool tableHere)
        : context_(context),
          set_(set),
          pairs_(pairs),
          errors_(pairs.size(), 0),
          state_(pairs.size(), State::Pending) {
        for (std::size_t k = 0; k < pairs_.size(); ++k) {
            byNewName_.emplace(pairs_[k].newName, k);
        }
        if (tableHere) {
            for (std::size_t row = 0; row < context_.table.RowCount(); ++row) {
                rowByName_[context_.table.FileName(row)] = row;
            }
        }
    }

    // A name Save gave can be the old name of a file renamed later in the
    // same Save (a renamed to c, then b to a): that later pair is undone
    // first, and so on down the chain. A ring of names (a and b swapped)
    // cannot be undone without a third name and fails.
    void Run() {
        for (std::size_t first = 0; first < pairs_.size(); ++first) {
            std::vector<std::size_t> stack{first};
            while (!stack.empty()) {
                const std::size_t k = stack.back();
                if (state_[k] == State::Pending) {
                    state_[k] = State::Waiting;
                    auto blocker = byNewName_.find(pairs_[k].oldName);
                    if (blocker != byNewName_.end() && blocker->second != k &&
                        state_[blocker->second] == State::Pending) {
                        stack.push_back(blocker->second);
                        continue;
                    }
                }
                if (state_[k] == State::Waiting) {
                    UndoOne(k);
                }
                stack.pop_back();
            }
        }
    }

    // The error of each pair, 0 for those undone.
    const std::vector<int>& Errors() const { return errors_; }

  private:
    enum class State { Pending, Waiting, Settled };

    void UndoOne(std::size_t k) {
        state_[k] = State::Settled;
        const UndoPair& pair = pairs_[k];
        if (!IsBareFileName(pair.newName) || !IsBareFileName(pair.oldName)) {
            errors_[k] = EINVAL;
            return;
        }
        if (!RenameNoReplace(pair.newName, pair.oldName)) {
            errors_[k] = errno;
            return;
        }
        set_.AppendRowWithProposal(pair.newName, pair.oldName);
        KeepRowName(pair);
    }

    // The row of the file takes the name it has again.
    void KeepRowName(const UndoPair& pair) {
        auto row = rowByName_.find(pair.newName);
        if (row == rowByName_.end()) {
            return;
        }
        const std::size_t index = row->second;
        if (!RowIsFile(context_.table, index, IdentityOf(pair.oldName))) {
            return;
        }
        context_.table.SetFileName(index, pair.oldName);
        rowByName_.erase(row);
        rowByName_[pair.oldName] = index;
    }

    RenamingContext& context_;
    WorkingSet& set_;
    const std::vector<UndoPair>& pairs_;
    std::vector<int> errors_;
    std::vector<State> state_;
    std::unordered_map<std::string, std::size_t> byNewName_;
    std::unordered_map<std::string, std::size_t> rowByName_;
};

// The last pair of an undo file whose Save was stopped may record a rename
// that never happened: its old name is still there (Save records a pair just
// before its rename).
bool NeverRenamed(const UndoPair& pair) {
    return pair.newName.empty() || TypeOf(pair.oldName) != EntryType::Missing;
}

}  // namespace

CommandResult SaveRenames(RenamingContext& context, WorkingSet& set) {
    const std::string directory = WorkDirectory(context);
    bool undoFileMissing = false;
    UndoFile undoFile;
    if (!undoFile.OpenForWriting(directory)) {
        undoFileMissing = true;
        if (!AskYesNo(context.ui, "Error",
                      "Unable to create an UNDO file\nDo you want to continue renaming the files?",
                      MessageIcon::Warning)) {
            return CommandResult::Failed();
        }
    }
    context.ui.OpenProgressWindow(kProgressText);
    std::size_t failures = 0;
    {
        const std::size_t n = set.Size();
        FileInfoTable& table = context.table;
        const bool tableHere = TableBelongsTo(table, directory);
        DirectoryScope scope;
        // Outside the work directory the bare names would name other files:
        // then every rename fails instead.
        const int enterError = EnterDirectory(scope, directory);
        const bool inWorkDirectory = enterError == 0;
        for (std::size_t i = 0; i < n; ++i) {
            const std::string& oldName = set.OldName(i);
            const std::string newName = set.HasProposal(i) ? set.Proposal(i) : std::string();
            const std::optional<FileIdentity> identity =
                inWorkDirectory && IsBareFileName(oldName) ? IdentityOf(oldName) : std::nullopt;
            const int error = inWorkDirectory ? SaveOne(undoFile, oldName, newName) : enterError;
            if (error != 0) {
                ++failures;
                ReportRenameFailure(context.ui, oldName, error);
            }
            // The row keeps the name its file really has now, never the name
            // that was proposed for it and may belong to another file.
            if (tableHere && RowIsFile(table, i, identity)) {
                table.SetFileName(i, error == 0 ? newName : oldName);
            }
        }
        undoFile.Close();
    }
    context.ui.CloseProgressWindow();
    set.EmptyLists();
    if (undoFileMissing) {
        return CommandResult::Failed(failures);
    }
    return CommandResult::Batch(failures);
}

CommandResult UndoRenames(RenamingContext& context, WorkingSet& set) {
    const std::string directory = WorkDirectory(context);
    if (!AskYesNo(
            context.ui, "Undo renamed files",
            "Are you sure that do you want Undo renamed files in the directory:\n" + directory,
            MessageIcon::Question)) {
        return CommandResult::Cancelled();
    }
    bool complete = true;
    std::vector<UndoPair> pairs;
    {
        UndoFile undoFile;
        if (!undoFile.OpenForReading(directory)) {
            ShowOk(context.ui, "Error", "Unable to load Undo file", MessageIcon::Warning);
            return CommandResult::Failed();
        }
        pairs = undoFile.ReadPairs(complete);
    }

    DirectoryScope scope;
    const int enterError = EnterDirectory(scope, directory);
    const bool inWorkDirectory = enterError == 0;
    scope.Keep();  // Undo leaves the work directory current
    context.ui.OpenProgressWindow(kProgressText);
    set.EmptyLists();
    if (inWorkDirectory && !complete && !pairs.empty() && NeverRenamed(pairs.back())) {
        pairs.pop_back();
    }

    std::vector<int> errors(pairs.size(), enterError);
    if (inWorkDirectory) {
        UndoRun run(context, set, pairs, TableBelongsTo(context.table, directory));
        run.Run();
        errors = run.Errors();
    }
    // The pairs that failed stay in the undo file, to be undone later.
    std::vector<UndoPair> left;
    for (std::size_t k = 0; k < pairs.size(); ++k) {
        if (errors[k] != 0) {
            ReportRenameFailure(context.ui, pairs[k].oldName, errors[k]);
            left.push_back(pairs[k]);
        }
    }
    if (inWorkDirectory) {
        RewriteUndoFile(directory, left);
    }
    context.ui.CloseProgressWindow();
    if (left.empty()) {
        ShowOk(context.ui, "Undo finished", "All the files have been renamed",
               MessageIcon::Information);
    }
    set.EmptyLists();
    return CommandResult::Batch(left.size());
}

}  // namespace tagnomen

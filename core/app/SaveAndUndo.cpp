// SPDX-License-Identifier: GPL-3.0-or-later
// Save renames every file of the working set to its proposed name and records
// each rename in the undo file before it happens; Undo reads that file and
// renames the files back, the last rename first, marking each in the file
// before it is taken back. Both act in the directory the lists were made
// from, report every failure with its reason in its own box and go on with
// the next file.
#include <cerrno>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/SaveAndUndo.h"
#include "app/UndoFile.h"
#include "app/UndoProgress.h"
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
// or the reason it failed. A file proposed its own name is left as it is and
// nothing is recorded: that is no rename. A name that would leave the
// directory, hide the file or mean nothing is refused, and so is a pair that
// would not read back from the undo file as written (a later Undo could
// rename files it never touched).
int SaveOne(UndoFile& undoFile, const std::string& oldName, const std::string& newName) {
    if (!IsBareFileName(oldName)) {
        return EINVAL;
    }
    if (newName == oldName) {
        return 0;
    }
    const bool recordable =
        !undoFile.IsOpen() || (IsRecordableUndoLine(oldName) && IsRecordableUndoLine(newName));
    if (!IsVisibleFileName(newName) || !recordable) {
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

// Undoes the pairs of one undo file in the current directory, the last
// first: the steps were made in the order of the file, so each name a step
// gave back is free again when its turn comes (a renamed to c, then b to a:
// b comes back first). Each pair is tried once.
class UndoRun {
  public:
    UndoRun(RenamingContext& context, WorkingSet& set, UndoProgress& progress, bool tableHere)
        : context_(context),
          set_(set),
          progress_(progress),
          pairs_(progress.Pairs()),
          errors_(pairs_.size(), 0) {
        if (tableHere) {
            for (std::size_t row = 0; row < context_.table.RowCount(); ++row) {
                rowByName_[context_.table.FileName(row)] = row;
            }
        }
    }

    void Run() {
        for (std::size_t k = pairs_.size(); k-- > 0;) {
            UndoOne(k);
        }
    }

    // The error of each pair, 0 for those undone.
    const std::vector<int>& Errors() const { return errors_; }

  private:
    void UndoOne(std::size_t k) {
        const UndoPair& pair = pairs_[k];
        if (!IsBareFileName(pair.newName) || !IsBareFileName(pair.oldName)) {
            errors_[k] = EINVAL;
            return;
        }
        if (!progress_.Begin(k)) {
            errors_[k] = errno;
            return;
        }
        if (!RenameNoReplace(pair.newName, pair.oldName)) {
            errors_[k] = errno;
            progress_.Failed();
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
    UndoProgress& progress_;
    const std::vector<UndoPair>& pairs_;
    std::vector<int> errors_;
    std::unordered_map<std::string, std::size_t> rowByName_;
};

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
    UndoProgress progress;
    if (!progress.Open(directory)) {
        ShowOk(context.ui, "Error", "Unable to load Undo file", MessageIcon::Warning);
        return CommandResult::Failed();
    }
    const std::vector<UndoPair>& pairs = progress.Pairs();

    DirectoryScope scope;
    const int enterError = EnterDirectory(scope, directory);
    const bool inWorkDirectory = enterError == 0;
    scope.Keep();  // Undo leaves the work directory current
    context.ui.OpenProgressWindow(kProgressText);
    set.EmptyLists();

    std::vector<int> errors(pairs.size(), enterError);
    if (inWorkDirectory) {
        UndoRun run(context, set, progress, TableBelongsTo(context.table, directory));
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
    bool recordKept = true;
    if (inWorkDirectory && !progress.Finish(left)) {
        const int error = errno;
        recordKept = false;
        context.ui.ShowFailure("Error", "Unable to update the UNDO file", ErrorReason(error),
                               MessageIcon::Warning);
    }
    context.ui.CloseProgressWindow();
    if (left.empty() && recordKept) {
        ShowOk(context.ui, "Undo finished", "All the files have been renamed",
               MessageIcon::Information);
    }
    set.EmptyLists();
    if (!recordKept) {
        return CommandResult::Failed(left.size());
    }
    return CommandResult::Batch(left.size());
}

}  // namespace tagnomen

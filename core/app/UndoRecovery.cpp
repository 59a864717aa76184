// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/UndoRecovery.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "platform/FileSystem.h"
#include "platform/FullIo.h"
#include "session/UndoFileName.h"

namespace tagnomen {

namespace {

// An entry of exactly this spelling: lstat alone would also find another
// spelling where the file system ignores letter case.
bool HasEntry(const std::string& directory, const std::string& name) {
    return PathExists(JoinPath(directory, name)) && HasEntrySpelled(directory, name);
}

// True when the record names a rename that happened: the Save that wrote it
// is the last one whose renames can be undone.
bool HoldsAStepMade(const std::string& directory, const std::string& undoPath) {
    const int fd = OpenRegularForReading(undoPath);
    if (fd < 0) {
        return true;  // unreadable: never put another record in its place
    }
    UndoRecord record;
    const bool read = ReadUndoRecord(fd, record);
    close(fd);
    if (!read) {
        return true;
    }
    if (!record.sealed) {
        DropStepsNeverMade(directory, record.pairs);
    }
    return !record.pairs.empty();
}

}  // namespace

StepState StateOfStep(const std::string& directory, const std::string& from,
                      const std::string& to) {
    if (!IsBareFileName(from) || !IsBareFileName(to)) {
        return StepState::Unknown;
    }
    if (HasEntry(directory, from)) {
        return StepState::NotMade;
    }
    return HasEntry(directory, to) ? StepState::Made : StepState::Unknown;
}

void DropStepsNeverMade(const std::string& directory, std::vector<UndoPair>& pairs) {
    while (!pairs.empty() && (pairs.back().newName.empty() ||
                              StateOfStep(directory, pairs.back().oldName, pairs.back().newName) ==
                                  StepState::NotMade)) {
        pairs.pop_back();
    }
}

void SettleUndoRecord(const std::string& directory) {
    const std::string replacement = JoinPath(directory, kReplacementUndoFileName);
    if (TypeOf(replacement) == EntryType::Regular) {
        RemoveFile(replacement);
    }
    const std::string previous = JoinPath(directory, kPreviousUndoFileName);
    if (TypeOf(previous) != EntryType::Regular) {
        return;
    }
    const std::string undoPath = JoinPath(directory, kUndoFileName);
    switch (TypeOf(undoPath)) {
        case EntryType::Missing:
            RenameNoReplace(previous, undoPath);
            break;
        case EntryType::Regular:
            if (HoldsAStepMade(directory, undoPath)) {
                RemoveFile(previous);
            } else {
                // In one step: there is no moment without "Undo.inf".
                std::rename(previous.c_str(), undoPath.c_str());
            }
            break;
        default:
            return;  // not a record of ours: left as it is
    }
    SyncDirectory(directory);
}

bool ReadUndoRecord(int fd, UndoRecord& record) {
    struct stat info {};
    if (fstat(fd, &info) != 0) {
        return false;
    }
    std::string bytes(static_cast<std::size_t>(info.st_size), '\0');
    if (ReadFullyAt(fd, bytes.data(), bytes.size(), 0) != bytes.size()) {
        return false;
    }
    record = ParseUndoRecord(bytes);
    return true;
}

}  // namespace tagnomen

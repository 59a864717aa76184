// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Undo's side of the undo file: the steps still to take back, and a mark in
// the file before each one is taken back (app/UndoRecord.h), so that an Undo
// killed at any moment leaves a record from which the next Undo takes back
// exactly the rest and reports nothing that is not so.
#include <sys/types.h>
#include <string>
#include <vector>

#include "app/UndoRecord.h"

namespace tagnomen {

class UndoProgress {
  public:
    UndoProgress() = default;
    ~UndoProgress();
    UndoProgress(const UndoProgress&) = delete;
    UndoProgress& operator=(const UndoProgress&) = delete;

    // In the given absolute directory: settles what a stopped Save or Undo
    // left (app/UndoRecovery.h), then reads "Undo.inf". The steps a stopped
    // Save never made and those a stopped Undo took back are left out, and
    // the file is rewritten without them (only then). False when there is
    // no undo file, or it is not a regular file (or a link to one); never
    // waits on a FIFO.
    bool Open(const std::string& directory);
    // The steps still to take back, in the order they were made.
    const std::vector<UndoPair>& Pairs() const { return pairs_; }

    // Just before step k is taken back: writes its mark. False (errno tells
    // why) when the mark cannot be written; the rename must not happen then.
    // Without a writable undo file (a link, a read-only file) there are no
    // marks and this is always true.
    bool Begin(std::size_t k);
    // After the rename of the step just begun failed: takes its mark back.
    // Should that fail, no further mark is written (Begin fails), so that the
    // stale mark stays the last one, which the next Undo checks against the
    // directory.
    void Failed();

    // Leaves exactly these steps in the undo file, or removes it when there
    // are none. False (errno tells why) when that could not be done.
    bool Finish(const std::vector<UndoPair>& left);

  private:
    void CloseMarks();

    std::string directory_;
    std::vector<UndoPair> pairs_;
    int marks_ = -1;        // "Undo.inf" opened for appending marks; -1: no marks
    off_t markStart_ = -1;  // where the mark of the step begun starts; -1: none
    int jammed_ = 0;        // why a mark could not be taken back; 0: none
};

}  // namespace tagnomen

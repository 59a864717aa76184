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
    // the file is rewritten without them (only then, or when it is a link
    // or cannot be written). False when there is no undo file, or it is not
    // a regular file (or a link to one); never waits on a FIFO.
    bool Open(const std::string& directory);
    // The steps still to take back, in the order they were made.
    const std::vector<UndoPair>& Pairs() const { return pairs_; }

    // Just before step k is taken back: writes its mark. False (errno tells
    // why) when the mark cannot be written, also where the undo file could
    // not be made writable; the rename must not happen then.
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
    int marks_ = -1;          // "Undo.inf" opened for appending marks; -1: no marks
    off_t markStart_ = -1;    // where the mark of the step begun starts; -1: none
    int noMarks_ = 0;         // why no mark can be written; 0: they can
    bool staleMark_ = false;  // a mark of a failed rename could not be taken back
};

}  // namespace tagnomen

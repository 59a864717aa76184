// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The undo file "Undo.inf" in the work directory, as Save writes it: one pair
// of lines (old name, new name) per file that Save renamed, then the end mark
// 0x01 with no line break after it (app/UndoRecord.h has the bytes). Lines
// end in CR LF on disk; the reader takes LF, the end mark or the end of the
// file as the end of a line and drops a trailing CR, so files written by the
// older text-mode writers read the same.
//
// The file holds exactly the renames still to undo: Save records each pair
// before its rename and takes it back when the rename fails, and Undo
// (app/UndoProgress.h) leaves behind the pairs it could not undo.
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "app/UndoRecord.h"
#include "session/UndoFileName.h"

namespace tagnomen {

// Never written by this program; Save deletes it before it writes the undo file.
inline constexpr const char* kRollbackFileName = "Rollback.inf";

// One open undo file, for one Save or one Undo; it closes itself when it goes.
class UndoFile {
  public:
    UndoFile() = default;
    ~UndoFile() { Close(); }
    UndoFile(const UndoFile&) = delete;
    UndoFile& operator=(const UndoFile&) = delete;

    // Save's side, in the given absolute directory: deletes "Rollback.inf",
    // settles what a stopped Save or Undo left (app/UndoRecovery.h), parks
    // the previous undo file as "Undo.inf.previous" and creates the new one
    // in its place. False (and nothing open, the previous file in its place)
    // when "Undo.inf" is anything but a regular file (a directory, a
    // symbolic link, a FIFO) or the new file cannot be made.
    bool OpenForWriting(const std::string& directory);
    // Reading line by line: false unless "Undo.inf" in the directory is a
    // regular file; never waits on a FIFO.
    bool OpenForReading(const std::string& directory);
    bool IsOpen() const { return file_ != nullptr; }

    // Writes the text and CR LF. Does nothing without an open file.
    void WriteLine(const std::string& text);
    // Writes one pair and hands it to the system before the rename it
    // records happens, so that after a kill the file lists every rename done
    // (and at most one more, the last, whose rename never happened). False
    // (errno tells why, and the file is as before) when the pair could not be
    // written: the rename must not happen then. True without an open file.
    bool RecordPair(const std::string& oldName, const std::string& newName);
    // Takes back the pair just recorded, whose rename failed. Should that
    // fail, no further pair is recorded, so that the stale pair stays the
    // last one, which a reader checks against the directory.
    void DropLastPair();

    // Reads up to LF, the end mark or the end of the file; the terminator is
    // not part of the result, a trailing CR is dropped and the line is cut to
    // 255 bytes on a character boundary. Empty at the end of the pairs.
    std::string ReadLine();

    // After writing: appends the end mark, syncs and closes the file; when
    // the Save kept no pair, the previous undo file (if there was one) takes
    // its place again, so that the Save before can still be undone; otherwise
    // the previous one is removed. After reading: closes. Does nothing when
    // no file is open.
    void Close();

  private:
    // Closes what is open; false for a directory that is not absolute (it
    // would name whatever directory happens to be current).
    bool StartOpening(const std::string& directory);
    void ForgetWriting();

    std::FILE* file_ = nullptr;
    bool writing_ = false;
    std::string directory_;    // where "Undo.inf" is, while writing
    bool parked_ = false;      // the previous undo file waits as "Undo.inf.previous"
    long lastPairStart_ = -1;  // where the last recorded pair starts; -1: none to take back
    std::size_t pairs_ = 0;    // pairs recorded and kept
    int jammed_ = 0;           // why a pair could not be taken back; 0: none
};

// Replaces "Undo.inf" in the directory, in one step, by a file holding
// exactly these pairs, or removes it when there are none. False (errno tells
// why) when that could not be done.
bool RewriteUndoFile(const std::string& directory, const std::vector<UndoPair>& pairs);

}  // namespace tagnomen

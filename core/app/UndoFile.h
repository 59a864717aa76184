#pragma once
// The undo file "Undo.inf" in the work directory: one pair of lines (old name,
// new name) per file that Save renamed, then the end mark 0x01 with no line
// break after it. Lines end in CR LF on disk; the reader takes LF, the end
// mark or the end of the file as the end of a line and drops a trailing CR,
// so files written by the older text-mode writers read the same.
#include <cstddef>
#include <string>

namespace tagnomen {

struct RenamingContext;

inline constexpr const char* kUndoFileName = "Undo.inf";
// Never written by this program; Save deletes it before it writes the undo file.
inline constexpr const char* kRollbackFileName = "Rollback.inf";
inline constexpr char kUndoEndMark = '\x01';
// Longest line the reader returns, in bytes (a file name's limit).
inline constexpr std::size_t kUndoLineMaxBytes = 255;

// Each reads "PathToWork", enters the work directory, opens "Undo.inf" and
// restores the previous directory. The handle (or none) is left in
// context.undoFile; true when a file is open. Opening for writing deletes
// "Rollback.inf" first and truncates an existing undo file; it fails when
// "Undo.inf" is anything but a regular file (a directory of that name, a
// symbolic link). Opening for reading fails unless it is a regular file.
bool OpenUndoFileForWriting(RenamingContext& context);
bool OpenUndoFileForReading(RenamingContext& context);

// Writes the text and CR LF. Does nothing without an open file.
void WriteUndoLine(const std::string& text, RenamingContext& context);

// Reads up to LF, the end mark or the end of the file; the terminator is not
// part of the result, a trailing CR is dropped and the line is cut to 255
// bytes on a character boundary. Empty at the end of the pairs.
std::string ReadUndoLine(RenamingContext& context);

// After writing, appends the end mark; then closes the file and clears the
// handle. Does nothing when no file is open.
void CloseUndoFile(RenamingContext& context);

// True when the name reads back from the undo file exactly as written: no
// LF or end mark inside, no CR at its end, not empty, at most 255 bytes.
bool IsRecordableUndoLine(const std::string& text);

}  // namespace tagnomen

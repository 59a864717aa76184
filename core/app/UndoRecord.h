// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bytes of the undo file "Undo.inf", parsed and rendered side by side.
//
// A record is a list of rename steps in the order they were made: one pair of
// lines (the name before, the name after) per step, each line ended by CR LF,
// then the end mark 0x01 with no line break after it. Save writes each step
// just before it makes it, so after a kill only the last step of a record
// without its end mark may not have happened. Undo takes the steps back in
// the reverse order; a step may name a temporary name like any other name.
//
// Behind the end mark, and only while an Undo runs or after one was killed,
// come Undo's marks: one line (a pair's index in decimal, CR LF) per step it
// is about to take back, written before the rename. Every mark but the last
// is a step taken back; the last one's rename may not have happened. Readers
// that stop at the end mark never see them.
//
// Lines end at LF, at the end mark or at the end of the file; a trailing CR
// is dropped and a line is cut to 255 bytes on a character boundary, so files
// written by the older text-mode writers read the same.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tagnomen {

inline constexpr char kUndoEndMark = '\x01';
// Longest line the reader returns, in bytes (a file name's limit).
inline constexpr std::size_t kUndoLineMaxBytes = 255;

struct UndoPair {
    std::string oldName;  // the name before the step, to be given back
    std::string newName;  // the name the step gave
    bool operator==(const UndoPair&) const = default;
};

struct UndoRecord {
    std::vector<UndoPair> pairs;
    // The pairs ended before the end of the file (at the end mark, or at an
    // empty line as hand-made files may have them): their Save ran to its end.
    bool sealed = false;
    // Undo's marks, in the order they were written: indexes into pairs.
    std::vector<std::size_t> marks;
    // The bytes are exactly RenderUndoRecord(pairs) followed by the marks.
    bool canonical = false;
};

UndoRecord ParseUndoRecord(std::string_view bytes);
// The pairs and the end mark, as Save leaves them.
std::string RenderUndoRecord(const std::vector<UndoPair>& pairs);
// One pair as it stands on disk.
std::string RenderUndoPair(const UndoPair& pair);
// Undo's mark for the pair with this index.
std::string RenderUndoMark(std::size_t pair);

// A line as the reader returns it: a trailing CR dropped, cut to 255 bytes.
std::string FinishUndoLine(std::string line);

// True when the name reads back from the undo file exactly as written: no
// LF or end mark inside, no CR at its end, not empty, at most 255 bytes.
bool IsRecordableUndoLine(const std::string& text);

}  // namespace tagnomen

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tag cleaner: brings the tags of every file of the last Rename in line
// with the file information table. RunTagCleaner (tools/Tools.h) is its entry
// from the Tools menu.
//
// With full tag support it writes only the values of the table that differ
// from the file's tags and keeps everything else (tools/CleanPlan.h), after a
// review of every change (tools/CleanReviewModel.h): a guess from the file
// name never replaces a value the tags hold unless the person ticks it, and a
// file whose tags already agree, or whose row holds nothing, is not touched.
//
// With "FullTagSupport" 0 both old tags of each file are removed, a new
// ID3v1 tag is written from the row (keeping only the comment found in the
// file), and an ID3v2.3 tag only when a value does not fit ID3v1, after one
// Yes/No question.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace tagnomen {

struct RenamingContext;

// Called for each file after its tags were read and before it is written,
// with the file's position and name (the reliability tests change the world
// at that moment through it).
using CleanerFileHook = std::function<void(std::size_t index, const std::string& fileName)>;

// What a run did; the person learns it from the message boxes.
struct CleanResult {
    bool ran = false;          // confirmed and worked through the files
    std::size_t files = 0;     // files worked on (with full support: written or failed)
    std::size_t failures = 0;  // "Unable to update ID3 TAGv1/v2 on " boxes
};

// The whole command: the empty-table message, the review or the question,
// then the files.
// Names come from oldNames when it has entries, else from the table's file
// name column; the run stops at the table's last row, so a row beyond the
// table's end is never read. The progress window "Cleaning your Mp3 File's
// TAGs..." is open while the files are worked on inside the work directory;
// the previous current directory is restored afterwards.
CleanResult CleanTags(RenamingContext& context, const std::vector<std::string>& oldNames,
                      const CleanerFileHook& afterRead = {});

}  // namespace tagnomen

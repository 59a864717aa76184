// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/TagCleaner.h"

#include <algorithm>
#include <cerrno>
#include <optional>

#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "platform/Ui.h"
#include "session/RenamingContext.h"
#include "session/WorkingSet.h"
#include "tags/Id3v1Record.h"
#include "tags/Id3v2Record.h"
#include "tags/TagEdit.h"
#include "tags/TagReadAhead.h"
#include "tags/TagValues.h"
#include "tools/CleanPlan.h"
#include "tools/CleanReviewModel.h"
#include "tools/Tools.h"

namespace tagnomen {

namespace {

// Files whose tags are read ahead of the one being cleaned, at most.
constexpr std::size_t kFilesReadAhead = 64;

constexpr const char* kNoTableMessage =
    "TAG's Cleaner can't proceed because there is no File Information loaded.\nFile "
    "Information is loaded during renaming process.\nMake sure that File Information Loader is "
    "enabled (Menu Options -> Enable File Information Loader is checked) and start the renaming "
    "process (Press Rename Button).";

// What one file gets: the table row's values, the comment kept from the file.
SongValues ValuesOf(const FileInfoTable& table, std::size_t row, std::string comment) {
    SongValues values = table.Values(row);
    values.comment = std::move(comment);
    return values;
}

// The new ID3v2 tag, the table's values alone, or none when they fit ID3v1:
// the old tag goes whatever it held.
TagEdit::Id3v2Builder Id3v2BuilderOf(const SongValues& v, bool needed) {
    return [v, needed](std::string_view, std::string& reason) -> std::optional<std::string> {
        if (!needed) {
            return std::string();
        }
        Id3v2Record tag(TagSupport::Basic);
        tag.Reset();
        SetValues(tag, v);
        tag.SetComposer("");
        tag.SetEncodedBy("");
        tag.SetRightsNotice("");
        tag.SetLanguage("");
        tag.SetUrl("");
        return tag.BuildTagBytes({}, reason);
    };
}

void ReportFailure(RenamingContext& context, const char* tag, const std::string& fileName,
                   const std::string& reason, CleanResult& result) {
    context.ui.ShowFailure("Error",
                           std::string("Unable to update ID3 TAG") + tag + " on " + fileName,
                           reason, MessageIcon::Warning);
    ++result.failures;
}

// Why the file under a row's name is not the one the row was read from, or
// the tags just read are not that file's; empty when all is one file (or the
// row does not know).
std::string ReplacedReason(const FileInfoTable& table, std::size_t row, const std::string& fileName,
                           const FileStamp& read) {
    const std::optional<FileIdentity> expected = table.Identity(row);
    if (!expected) {
        return {};
    }
    const std::optional<FileIdentity> now = IdentityOf(fileName);
    if (!now) {
        return ErrorReason(ENOENT);
    }
    // A link's tags are those of its target (the writer refuses links), and
    // a file that could not be read gave no tags.
    const bool readThere = read.size < 0 || TypeOf(fileName) == EntryType::Link ||
                           FileIdentity{read.device, read.inode} == *expected;
    return *now == *expected && readThere ? std::string() : "not the file its tags were read from";
}

// One file of a literal run, with the work directory current: both tags
// change in one step.
void CleanFile(RenamingContext& context, TagReadAhead& readAhead, std::size_t index,
               const std::string& fileName, const CleanerFileHook& afterRead, CleanResult& result) {
    if (!IsBareFileName(fileName)) {
        // A name that would lead out of the work directory is not touched.
        ReportFailure(context, "v1", fileName, "not a file of the work directory", result);
        return;
    }
    FileTags tags = readAhead.Take(fileName);
    const Id3v1Record& v1 = tags.id3v1;
    const Id3v2Record& v2 = tags.id3v2;
    const int v2Read = tags.id3v2Result;
    if (afterRead) {
        afterRead(index, fileName);
    }
    // A file gone, or replaced by another since the Rename (before its tags
    // were read, or after), does not get the tags of the row.
    if (const std::string replaced = ReplacedReason(context.table, index, fileName, tags.stamp);
        !replaced.empty()) {
        ReportFailure(context, "v1", fileName, replaced, result);
        return;
    }

    std::string comment;
    if (v2Read == 1 && v2.tagPresent == 1 && !v2.comment.empty()) {
        comment = v2.comment;
    } else if (v1.tagPresent == 1 && !v1.comment.empty()) {
        comment = v1.comment;
    }
    const SongValues values = ValuesOf(context.table, index, std::move(comment));
    const bool needsId3v2 = !FitsId3v1Widths(values);

    TagEdit edit;
    edit.id3v1 = Id3v1BlockOf(values, std::max(0, LeadingInteger(values.track)),
                              LeadingInteger(values.genre));
    edit.id3v2 = Id3v2BuilderOf(values, needsId3v2);
    if (tags.stamp.size >= 0) {
        // Checked when the file is opened for the write: the comment kept and
        // the row go only into the bytes they were read with.
        edit.readFrom = tags.stamp;
    }
    std::string reason;
    if (!ApplyTagEdit(fileName, edit, reason)) {
        // Nothing of the file changed; the message names the tag that was to go.
        const bool hadId3v2 = v2Read == 1 && v2.tagPresent == 1;
        ReportFailure(context, hadId3v2 || needsId3v2 ? "v2" : "v1", fileName, reason, result);
        return;
    }
    // A rebuilt file is a new file under the same name: the row follows it.
    if (context.table.Identity(index)) {
        context.table.SetIdentity(index, IdentityOf(fileName));
    }
}

// The directory the table belongs to and the names of its files, entry i
// going with row i.
struct CleanTargets {
    std::string workDirectory;
    std::vector<std::string> names;
};

CleanTargets TargetsOf(RenamingContext& context, const std::vector<std::string>& oldNames) {
    const FileInfoTable& table = context.table;
    CleanTargets targets;
    // The table belongs to the directory it was read from, whatever is
    // listed or stored as the work directory now; the lists go with it only
    // when they were made from that directory too.
    targets.workDirectory = table.Directory().empty() ? WorkDirectory(context) : table.Directory();
    const bool fromList = !oldNames.empty() && WorkDirectory(context) == targets.workDirectory;
    // Entry i of the list goes with row i of the table; there is no row
    // beyond the table's end to go with.
    const std::size_t n = std::min(fromList ? oldNames.size() : table.RowCount(), table.RowCount());
    targets.names.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        targets.names.push_back(fromList ? oldNames[i] : table.FileName(i));
    }
    return targets;
}

TagReadAhead::Limits ReadAheadLimits(const RenamingContext& context) {
    return {static_cast<unsigned>(std::max(0, context.readAheadThreads)), kFilesReadAhead};
}

// "FullTagSupport" 0: both old tags go, fresh ones come from the row.
CleanResult CleanLiterally(RenamingContext& context, const CleanTargets& targets,
                           const CleanerFileHook& afterRead) {
    CleanResult result;
    if (!AskYesNo(context.ui, "Warning", CleanReviewModel::ConfirmationQuestion(),
                  MessageIcon::Warning)) {
        return result;
    }
    context.ui.OpenProgressWindow("Cleaning your Mp3 File's TAGs...");
    {
        // Tags are read ahead by a few threads while the files are written
        // one by one in order.
        TagReadAhead readAhead(targets.workDirectory, targets.names, context.Support(),
                               ReadAheadLimits(context));
        DirectoryScope scope;
        const bool entered = scope.Enter(targets.workDirectory);
        if (entered) {
            RemoveStaleRebuildFiles(".");  // copies left by a killed run
        }
        for (std::size_t i = 0; i < targets.names.size(); ++i) {
            const std::string& fileName = targets.names[i];
            ++result.files;
            if (!entered) {
                // Bare names would name files of whatever directory is current.
                ReportFailure(context, "v1", fileName, ErrorReason(ENOENT), result);
                continue;
            }
            CleanFile(context, readAhead, i, fileName, afterRead, result);
        }
    }
    context.ui.CloseProgressWindow();
    result.ran = true;
    return result;
}

// One file of a reviewed run: why it cannot be cleaned, or its tags as read
// and its row of the review.
struct PlannedFile {
    std::size_t index = 0;
    std::string failure;
    std::optional<FileTags> tags;
    std::size_t reviewRow = 0;
};

struct ReviewedPlan {
    std::vector<PlannedFile> files;  // the files that change or fail, in order
    std::vector<CleanReviewModel::FileRow> rows;
    std::size_t unchanged = 0;
};

// Reads every file and compares it with its row; nothing is written, not
// even the leftovers of a killed run are removed.
ReviewedPlan PlanClean(RenamingContext& context, const CleanTargets& targets) {
    ReviewedPlan plan;
    TagReadAhead readAhead(targets.workDirectory, targets.names, TagSupport::Full,
                           ReadAheadLimits(context));
    DirectoryScope scope;
    const bool entered = scope.Enter(targets.workDirectory);
    for (std::size_t i = 0; i < targets.names.size(); ++i) {
        const std::string& fileName = targets.names[i];
        PlannedFile file;
        file.index = i;
        if (!entered) {
            file.failure = ErrorReason(ENOENT);
        } else if (!IsBareFileName(fileName)) {
            file.failure = "not a file of the work directory";
        } else {
            FileTags tags = readAhead.Take(fileName);
            file.failure = ReplacedReason(context.table, i, fileName, tags.stamp);
            std::vector<ValueChange> changes;
            if (file.failure.empty()) {
                changes = PlanChanges(tags, context.table.Rows()[i]);
            }
            if (file.failure.empty() && changes.empty()) {
                ++plan.unchanged;
                continue;
            }
            if (file.failure.empty()) {
                file.reviewRow = plan.rows.size();
                plan.rows.push_back({fileName, std::move(changes)});
                file.tags.emplace(std::move(tags));
            }
        }
        plan.files.push_back(std::move(file));
    }
    return plan;
}

// Writes what the review let through into one file, with the work
// directory current.
void WriteReviewed(RenamingContext& context, const CleanReviewModel& review,
                   const PlannedFile& file, const std::string& fileName,
                   const CleanerFileHook& afterRead, CleanResult& result) {
    const std::vector<ValueChange> writes = review.ChangesToWrite(file.reviewRow);
    if (writes.empty()) {
        return;
    }
    ++result.files;
    if (afterRead) {
        afterRead(file.index, fileName);
    }
    const FileTags& tags = *file.tags;
    if (const std::string replaced =
            ReplacedReason(context.table, file.index, fileName, tags.stamp);
        !replaced.empty()) {
        ReportFailure(context, "v1", fileName, replaced, result);
        return;
    }
    const TagEdit edit = CleanEdit(tags, writes);
    std::string reason;
    if (!ApplyTagEdit(fileName, edit, reason)) {
        ReportFailure(context, edit.id3v2 ? "v2" : "v1", fileName, reason, result);
        return;
    }
    if (context.table.Identity(file.index)) {
        context.table.SetIdentity(file.index, IdentityOf(fileName));
    }
}

// Full tag support: the review shows what changes, and only what the person
// lets through is written.
CleanResult CleanReviewed(RenamingContext& context, const CleanTargets& targets,
                          const CleanerFileHook& afterRead) {
    CleanResult result;
    ReviewedPlan plan = PlanClean(context, targets);
    CleanReviewModel review(std::move(plan.rows), plan.unchanged);
    if (!context.ui.RunCleanReview(review) || !review.Accepted()) {
        return result;
    }
    context.ui.OpenProgressWindow("Cleaning your Mp3 File's TAGs...");
    {
        DirectoryScope scope;
        const bool entered = scope.Enter(targets.workDirectory);
        if (entered) {
            RemoveStaleRebuildFiles(".");  // copies left by a killed run
        }
        for (const PlannedFile& file : plan.files) {
            const std::string& fileName = targets.names[file.index];
            if (!file.failure.empty() || !entered) {
                ++result.files;
                ReportFailure(context, "v1", fileName,
                              file.failure.empty() ? ErrorReason(ENOENT) : file.failure, result);
                continue;
            }
            WriteReviewed(context, review, file, fileName, afterRead, result);
        }
    }
    context.ui.CloseProgressWindow();
    result.ran = true;
    return result;
}

}  // namespace

CleanResult CleanTags(RenamingContext& context, const std::vector<std::string>& oldNames,
                      const CleanerFileHook& afterRead) {
    if (context.table.RowCount() == 0) {
        ShowOk(context.ui, "Error", kNoTableMessage, MessageIcon::Stop);
        return {};
    }
    const CleanTargets targets = TargetsOf(context, oldNames);
    return context.fullTagSupport ? CleanReviewed(context, targets, afterRead)
                                  : CleanLiterally(context, targets, afterRead);
}

CommandResult RunTagCleaner(RenamingContext& context, const WorkingSet& set) {
    const bool tableLoaded = context.table.RowCount() != 0;
    const CleanResult result = CleanTags(context, set.OldNames());
    if (!result.ran) {
        return tableLoaded ? CommandResult::Cancelled() : CommandResult::Refused();
    }
    return CommandResult::Batch(result.failures);
}

}  // namespace tagnomen

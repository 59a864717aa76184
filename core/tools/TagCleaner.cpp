// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/TagCleaner.h"

#include <algorithm>
#include <cerrno>

#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "platform/Ui.h"
#include "rename/NameTemplate.h"
#include "session/RenamingContext.h"
#include "session/WorkingSet.h"
#include "tags/Id3v1Record.h"
#include "tags/Id3v2Fields.h"
#include "tags/Id3v2Record.h"
#include "tags/ReadTags.h"
#include "tags/TagEdit.h"
#include "tags/TagReadAhead.h"
#include "tags/TagValues.h"
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
constexpr const char* kQuestion =
    "Before proceeding check that the File Information loaded is correct, going to Tools -> "
    "File Info Viewer.\nDo you want to proceed with TAG's Cleaner?";

// What one file gets: the table row's values, the comment kept from the file.
// With full support the six "Unknown ..." placeholders are values the file
// does not have: they go into no tag.
SongValues ValuesOf(const FileInfoTable& table, std::size_t row, std::string comment,
                    bool fullSupport) {
    SongValues values = table.Values(row);
    for (SongField field : kSongFields) {
        if (fullSupport && IsMissingValue(values[field])) {
            values[field].clear();
        }
    }
    values.comment = std::move(comment);
    return values;
}

bool FitsId3v1(const SongValues& v, bool fullSupport) {
    // ID3v1 writes "?" for what ISO-8859-1 lacks; with full support such a
    // value also goes into an ID3v2 tag, so that no character is lost.
    return FitsId3v1Widths(v) && (!fullSupport || TextsFitLatin1(v));
}

std::string CleanId3v1Block(const SongValues& v, bool fullSupport) {
    // With full support a genre named by text gets its number from the table,
    // and 255 when it has none, never 0 ("Blues") for a text without digits.
    return Id3v1BlockOf(v, std::max(0, LeadingInteger(v.track)),
                        fullSupport ? GenreNumberOf(v.genre) : LeadingInteger(v.genre));
}

bool HasKeptFrames(const Id3v2Record& v2) {
    for (const std::string& id : v2.frameIds) {
        if (id == "APIC" || id == "USLT" || id == "PIC" || id == "ULT") {
            return true;
        }
    }
    return false;
}

// The new ID3v2 tag: the table's values as fresh text frames (with full
// support beside the old tag's pictures and lyrics); none when everything
// fits ID3v1 and nothing is to be kept.
TagEdit::Id3v2Builder Id3v2BuilderOf(const SongValues& v, TagSupport support, bool needed) {
    return [v, support, needed](std::string_view oldTag,
                                std::string& reason) -> std::optional<std::string> {
        if (!needed) {
            return std::string();
        }
        Id3v2Record tag(support);
        tag.Reset();
        SetValues(tag, v);
        if (support == TagSupport::Basic) {
            tag.SetComposer("");
            tag.SetEncodedBy("");
            tag.SetRightsNotice("");
            tag.SetLanguage("");
            tag.SetUrl("");
            // The old tag goes: the new one is built as for a file without one.
            return tag.BuildTagBytes({}, reason);
        }
        tag.KeepOnlyFrames({"APIC", "USLT"});
        return tag.BuildTagBytes(oldTag, reason);
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

// One file, with the work directory current: both tags change in one step.
void CleanFile(RenamingContext& context, TagReadAhead& readAhead, std::size_t index,
               const std::string& fileName, const CleanerFileHook& afterRead, CleanResult& result) {
    if (!IsBareFileName(fileName)) {
        // A name that would lead out of the work directory is not touched.
        ReportFailure(context, "v1", fileName, "not a file of the work directory", result);
        return;
    }
    const bool full = context.fullTagSupport;
    const TagSupport support = context.Support();
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
    const SongValues values = ValuesOf(context.table, index, std::move(comment), full);
    const bool needsId3v2 = !FitsId3v1(values, full) || (full && HasKeptFrames(v2));

    TagEdit edit;
    edit.id3v1 = CleanId3v1Block(values, full);
    edit.id3v2 = Id3v2BuilderOf(values, support, needsId3v2);
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

}  // namespace

CleanResult CleanTags(RenamingContext& context, const std::vector<std::string>& oldNames,
                      const CleanerFileHook& afterRead) {
    CleanResult result;
    const FileInfoTable& table = context.table;
    if (table.RowCount() == 0) {
        ShowOk(context.ui, "Error", kNoTableMessage, MessageIcon::Stop);
        return result;
    }
    if (!AskYesNo(context.ui, "Warning", kQuestion, MessageIcon::Warning)) {
        return result;
    }

    // The table belongs to the directory it was read from, whatever is
    // listed or stored as the work directory now; the lists go with it only
    // when they were made from that directory too.
    const std::string workDirectory =
        table.Directory().empty() ? WorkDirectory(context) : table.Directory();
    const bool fromList = !oldNames.empty() && WorkDirectory(context) == workDirectory;
    // Entry i of the list goes with row i of the table; there is no row
    // beyond the table's end to go with.
    const std::size_t n = std::min(fromList ? oldNames.size() : table.RowCount(), table.RowCount());

    std::vector<std::string> names;
    names.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        names.push_back(fromList ? oldNames[i] : table.FileName(i));
    }
    context.ui.OpenProgressWindow("Cleaning your Mp3 File's TAGs...");
    {
        // Tags are read ahead by a few threads while the files are written
        // one by one in order.
        TagReadAhead readAhead(
            workDirectory, names, context.Support(),
            {static_cast<unsigned>(std::max(0, context.readAheadThreads)), kFilesReadAhead});
        DirectoryScope scope;
        const bool entered = scope.Enter(workDirectory);
        if (entered) {
            RemoveStaleRebuildFiles(".");  // copies left by a killed run
        }
        for (std::size_t i = 0; i < n; ++i) {
            const std::string& fileName = names[i];
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

CommandResult RunTagCleaner(RenamingContext& context, const WorkingSet& set) {
    const bool tableLoaded = context.table.RowCount() != 0;
    const CleanResult result = CleanTags(context, set.OldNames());
    if (!result.ran) {
        return tableLoaded ? CommandResult::Cancelled() : CommandResult::Refused();
    }
    return CommandResult::Batch(result.failures);
}

}  // namespace tagnomen

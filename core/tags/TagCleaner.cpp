#include "tags/TagCleaner.h"

#include <algorithm>
#include <cstdint>

#include "app/RenamingContext.h"
#include "app/Tools.h"
#include "app/WorkingSet.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "platform/Ui.h"
#include "tags/Id3v1Record.h"
#include "tags/Id3v2Record.h"
#include "tags/ReadTags.h"

namespace tagnomen {

namespace {

constexpr std::size_t kId3v1TextCharacters = 30;
constexpr std::size_t kId3v1CommentCharacters = 28;

constexpr const char* kNoTableMessage =
    "TAG's Cleaner can't proceed because there is no File Information loaded.\nFile "
    "Information is loaded during renaming process.\nMake sure that File Information Loader is "
    "enabled (Menu Options -> Enable File Information Loader is checked) and start the renaming "
    "process (Press Rename Button).";
constexpr const char* kQuestion =
    "Before proceeding check that the File Information loaded is correct, going to Tools -> "
    "File Info Viewer.\nDo you want to proceed with TAG's Cleaner?";

std::uint8_t LowByte(int number) {
    return static_cast<std::uint8_t>(static_cast<unsigned>(number) & 0xFFu);
}

void ReportFailure(RenamingContext& context, const char* tag, const std::string& fileName,
                   CleanResult& result) {
    ShowOk(context.ui, "Error", std::string("Unable to update ID3 TAG") + tag + " on " + fileName,
           MessageIcon::Warning);
    ++result.failures;
}

// One file, with the work directory current.
void CleanFile(RenamingContext& context, std::size_t index, const std::string& fileName,
               const CleanerFileHook& afterRead, CleanResult& result) {
    if (!IsBareFileName(fileName)) {
        // A name that would lead out of the work directory is not touched.
        ReportFailure(context, "v1", fileName, result);
        return;
    }
    Id3v1Record v1;
    Id3v2Record v2;
    const int v2Read = ReadTags(fileName, v1, v2);
    if (afterRead)
        afterRead(index, fileName);

    std::string comment;
    if (v2Read == 1 && v2.tagPresent == 1 && !v2.comment.empty()) {
        comment = v2.comment;
    } else if (v1.tagPresent == 1 && !v1.comment.empty()) {
        comment = v1.comment;
    }

    if (v1.tagPresent == 1 && v1.StripTag(fileName) != 1)
        ReportFailure(context, "v1", fileName, result);
    if (v2Read == 1 && v2.tagPresent == 1 && Id3v2Record::RewriteFile(fileName, nullptr, 0) != 1)
        ReportFailure(context, "v2", fileName, result);

    const FileInfoTable& table = context.table;
    const std::string& title = table.Cell(index, FileInfoTable::Title);
    const std::string& artist = table.Cell(index, FileInfoTable::Artist);
    const std::string& album = table.Cell(index, FileInfoTable::Album);
    const std::string& year = table.Cell(index, FileInfoTable::Year);
    const std::string& track = table.Cell(index, FileInfoTable::Track);
    const std::string& genre = table.Cell(index, FileInfoTable::Genre);
    const int trackNumber = std::max(0, LeadingInteger(track));

    const bool needsId3v2 =
        Utf8Length(title) > kId3v1TextCharacters || Utf8Length(artist) > kId3v1TextCharacters ||
        Utf8Length(album) > kId3v1TextCharacters || Utf8Length(comment) > kId3v1CommentCharacters;

    // The results of the two writes are not reported.
    Id3v1Record fresh;
    fresh.Reset();
    fresh.SetTitle(title);
    fresh.SetAlbum(album);
    fresh.SetArtist(artist);
    fresh.SetComment(comment);
    fresh.SetYear(year);
    fresh.trackByte = LowByte(trackNumber);
    fresh.genreByte = LowByte(LeadingInteger(genre));
    fresh.WriteTag(fileName);

    if (needsId3v2) {
        Id3v2Record tag;
        tag.Reset();
        tag.SetTitle(title);
        tag.SetAlbum(album);
        tag.SetArtist(artist);
        tag.SetComment(comment);
        tag.SetYear(year);
        tag.SetTrack(track);
        tag.SetGenre(genre);
        tag.SetComposer("");
        tag.SetEncodedBy("");
        tag.SetRightsNotice("");
        tag.SetLanguage("");
        tag.SetUrl("");
        tag.WriteTag(fileName);
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
    if (!AskYesNo(context.ui, "Warning", kQuestion, MessageIcon::Warning))
        return result;

    const bool fromList = !oldNames.empty();
    // Entry i of the list goes with row i of the table; there is no row
    // beyond the table's end to go with.
    const std::size_t n = std::min(fromList ? oldNames.size() : table.RowCount(), table.RowCount());

    context.ui.OpenProgressWindow("Cleaning your Mp3 File's TAGs...");
    std::string workDirectory;
    context.settings.GetPathToWork(workDirectory);
    {
        DirectoryScope scope;
        const bool entered = scope.Enter(workDirectory);
        for (std::size_t i = 0; i < n; ++i) {
            const std::string& fileName =
                fromList ? oldNames[i] : table.Cell(i, FileInfoTable::FileName);
            ++result.files;
            if (!entered) {
                // Bare names would name files of whatever directory is current.
                ReportFailure(context, "v1", fileName, result);
                continue;
            }
            CleanFile(context, i, fileName, afterRead, result);
        }
    }
    context.ui.CloseProgressWindow();
    result.ran = true;
    return result;
}

CommandResult RunTagCleaner(RenamingContext& context, const WorkingSet& set) {
    const bool tableLoaded = context.table.RowCount() != 0;
    const CleanResult result = CleanTags(context, set.oldNames);
    if (!result.ran)
        return tableLoaded ? CommandResult::Cancelled() : CommandResult::Refused();
    return CommandResult::Batch(result.failures);
}

}  // namespace tagnomen

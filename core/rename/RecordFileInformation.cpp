// SPDX-License-Identifier: GPL-3.0-or-later
// The record step shared by the renaming methods: one row of the file
// information table per proposed name.
#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "rename/FileInfoLoader.h"
#include "rename/NameTemplate.h"
#include "session/RenamingContext.h"

namespace tagnomen {

namespace {

constexpr int kLowestYear = 1900;
constexpr int kHighestYear = 2050;
constexpr int kHighestTrack = 99;
constexpr int kHighestGenre = 255;

std::string RecordedAlbum(const std::string& album) {
    return IsMissingValue(album) ? std::string() : album;
}

std::string RecordedYear(const std::string& year) {
    if (IsMissingValue(year)) {
        return {};
    }
    const int number = LeadingInteger(year);
    return number < kLowestYear || number > kHighestYear ? std::string() : year;
}

std::string RecordedTrack(const std::string& track) {
    if (IsMissingValue(track)) {
        return "0";
    }
    const int number = LeadingInteger(track);
    return number < 0 || number > kHighestTrack ? std::string("0") : track;
}

std::string RecordedGenre(const std::string& genre, int lowestGenre) {
    if (IsMissingValue(genre)) {
        return "255";
    }
    const int number = LeadingInteger(genre);
    return number < lowestGenre || number > kHighestGenre ? std::string("255") : genre;
}

}  // namespace

void RecordFileInformation(RenamingContext& context, const std::string& oldName,
                           const std::string& proposedName, const SongValues& values,
                           int lowestGenre) {
    const std::string directory = WorkDirectory(context);
    if (context.tableResetFlag) {
        context.tableResetFlag = false;
        context.table.Empty();
        context.table.SetDirectory(directory);
    }
    // The file the row describes, as it is now: a tool later acts on the
    // row only while the same file has the name.
    std::optional<FileIdentity> identity;
    if (IsBareFileName(oldName)) {
        identity = IdentityOf(JoinPath(directory, oldName));
    }
    context.table.AppendRow({.fileName = proposedName,
                             .values = {.title = values.title,
                                        .artist = values.artist,
                                        .album = RecordedAlbum(values.album),
                                        .year = RecordedYear(values.year),
                                        .track = RecordedTrack(values.track),
                                        .genre = RecordedGenre(values.genre, lowestGenre)},
                             .identity = identity});
}

}  // namespace tagnomen

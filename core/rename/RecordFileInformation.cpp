// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/RecordFileInformation.h"

#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "rename/NameTemplate.h"

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

SongValues RecordedValues(const SongValues& values, int lowestGenre) {
    return {.title = values.title,
            .artist = values.artist,
            .album = RecordedAlbum(values.album),
            .year = RecordedYear(values.year),
            .track = RecordedTrack(values.track),
            .genre = RecordedGenre(values.genre, lowestGenre)};
}

ValueSources SourcesOf(const SongValues& recorded, const ValueSources& found) {
    ValueSources sources;
    for (SongField field : kTableFields) {
        const std::string& value = recorded[field];
        const bool missing = value.empty() || IsMissingValue(value) ||
                             (field == SongField::Track && value == "0") ||
                             (field == SongField::Genre && value == "255");
        sources[field] = missing ? ValueSource::None : found[field];
    }
    return sources;
}

void RecordRow(FileInfoTable& table, const std::string& directory, const std::string& oldName,
               const std::string& proposedName, SongValues recorded, ValueSources sources) {
    // The file the row describes, as it is now: a tool later acts on the
    // row only while the same file has the name.
    std::optional<FileIdentity> identity;
    if (IsBareFileName(oldName)) {
        identity = IdentityOf(JoinPath(directory, oldName));
    }
    table.AppendRow({.fileName = proposedName,
                     .values = std::move(recorded),
                     .sources = sources,
                     .identity = identity});
}

}  // namespace tagnomen

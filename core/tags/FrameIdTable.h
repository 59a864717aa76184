// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frame id table: the sixteen ID3v2 frames the tag records know. The row
// number is also the number of the value slot that carries the frame while a
// tag is read or written. Rows 0 to 11 are read and written; rows 12 to 15
// are fallbacks that are only read.
#include <array>
#include <string_view>

namespace tagnomen {

struct FrameIdRow {
    std::string_view id4;  // ID3v2.3 and ID3v2.4
    std::string_view id3;  // ID3v2.2
};

constexpr int kFrameIdCount = 16;
constexpr int kWrittenFrameRows = 12;

enum FrameRow : int {
    kTitleRow = 0,
    kArtistRow = 1,
    kAlbumRow = 2,
    kTrackRow = 3,
    kYearRow = 4,
    kGenreRow = 5,
    kCommentRow = 6,
    kComposerRow = 7,
    kEncodedByRow = 8,
    kRightsNoticeRow = 9,
    kLanguageRow = 10,
    kUrlRow = 11,
    kRecordingTimeRow = 12,   // year fallback
    kOriginalArtistRow = 13,  // artist fallback
    kContentGroupRow = 14,    // title fallback
    kOriginalAlbumRow = 15,   // album fallback
};

inline constexpr std::array<FrameIdRow, kFrameIdCount> kFrameIdTable = {{
    {"TIT2", "TT2"},
    {"TPE1", "TP1"},
    {"TALB", "TAL"},
    {"TRCK", "TRK"},
    {"TYER", "TYE"},
    {"TCON", "TCO"},
    {"COMM", "COM"},
    {"TCOM", "TCM"},
    {"TENC", "TEN"},
    {"TCOP", "TCR"},
    {"TLAN", "TLA"},
    {"WXXX", "WXX"},
    {"TDRC", "TOR"},
    {"TOPE", "TOA"},
    {"TIT1", "TT1"},
    {"TOAL", "TOT"},
}};

// The row of a frame id (4 characters for versions 3 and 4, 3 for version 2),
// or -1 when the id is not in the table.
constexpr int FindFrameRow(std::string_view id, bool threeCharacterIds) {
    for (int row = 0; row < kFrameIdCount; ++row) {
        const FrameIdRow& entry = kFrameIdTable[static_cast<std::size_t>(row)];
        if ((threeCharacterIds ? entry.id3 : entry.id4) == id) {
            return row;
        }
    }
    return -1;
}

}  // namespace tagnomen

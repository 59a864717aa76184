// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/Id3v2Record.h"

#include <algorithm>
#include <string_view>

#include "platform/Text.h"
#include "tags/Id3v2Frame.h"
#include "tags/Id3v2Header.h"
#include "tags/TagFile.h"
#include "tags/ValueStartRule.h"

namespace tagnomen {

namespace {

constexpr std::size_t kMaxReadCharacters = 249;
constexpr std::size_t kMaxSetCharacters = 250;

// The NUL-terminated text at slot[start], never past the slot's end.
std::string SlotTextAt(const ValueSlot& slot, std::size_t start) {
    if (start >= slot.size()) {
        return {};
    }
    const auto* begin = slot.data() + start;
    const auto* end = std::find(begin, slot.data() + slot.size(), 0);
    return std::string(reinterpret_cast<const char*>(begin), static_cast<std::size_t>(end - begin));
}

// The text at the slot's first byte, or at its second when the first is NUL
// (the encoding byte of a kept frame).
std::string SlotText(const ValueSlot& slot) {
    return SlotTextAt(slot, slot[0] != 0 ? 0 : 1);
}

// A slot whose first two bytes both fail the value start rule counts as empty.
void Sanitise(ValueSlot& slot) {
    if (!IsValueStartByte(slot[0]) && !IsValueStartByte(slot[1])) {
        std::fill(slot.begin(), slot.begin() + 4, 0);
    }
}

// Trimmed slot text of `row`, or of `fallback` when that is empty.
std::string TextWithFallback(FrameBlock& block, int row, int fallback) {
    ValueSlot& first = block.slots[static_cast<std::size_t>(row)];
    ValueSlot& second = block.slots[static_cast<std::size_t>(fallback)];
    Sanitise(first);
    Sanitise(second);
    std::string text = TrimWhiteSpace(SlotText(first));
    if (text.empty()) {
        text = TrimWhiteSpace(SlotText(second));
    }
    return text;
}

std::string CheckedTrimmed(const std::string& text) {
    return StartsWithValue(text) ? TrimWhiteSpace(text) : std::string();
}

// "(17)" gives "17" and "(RX)" gives "RX": the first and last character are
// removed when the first ")" is the last character. A text that begins with
// "(" and goes on after its first ")" gives what follows it ("(17)Rock" and
// "(17) Rock" give "Rock"), with the rule applied again when that is another
// bracketed part ("(17)(18)" gives "18"). Anything else stays as it is.
std::string ApplyBracketRule(std::string text) {
    for (;;) {
        const std::size_t close = text.find(')');
        if (close == std::string::npos || close == 0) {
            return text;
        }
        if (close + 1 == text.size()) {
            return text.substr(1, text.size() - 2);
        }
        if (text.front() != '(') {
            return text;
        }
        text = TrimWhiteSpace(std::string_view(text).substr(close + 1));
        if (text.empty() || text.front() != '(') {
            return text;
        }
    }
}

int TrackFromText(const std::string& text) {
    if (text.empty()) {
        return 0;
    }
    const std::size_t slash = text.find('/');
    const int number =
        LeadingInteger(slash == std::string::npos ? std::string_view(text)
                                                  : std::string_view(text).substr(0, slash));
    return number < 0 || number > 99 ? 0 : number;
}

std::string Cut(std::string text, std::size_t characters) {
    if (text.size() > characters) {
        text.resize(characters);
    }
    return text;
}

}  // namespace

Id3v2Record::Id3v2Record(TagSupport support) : support_(support) {
    Reset();
}

void Id3v2Record::Reset() {
    tagPresent = 0;
    majorVersion = 0;
    tagSize = 0;
    for (std::string& value : toWrite_) {
        value.clear();
    }
    trackToWrite_ = 0;
    changes_ = {};
    keptIds_.reset();
}

void Id3v2Record::KeepOnlyFrames(std::vector<std::string> ids) {
    keptIds_ = std::move(ids);
}

void Id3v2Record::ClearReadValues() {
    title.clear();
    artist.clear();
    album.clear();
    track = 0;
    year.clear();
    genre.clear();
    comment.clear();
    composer.clear();
    encodedBy.clear();
    rightsNotice.clear();
    language.clear();
    url.clear();
    frameIds.clear();
    valueEncodings = {};
    pictureCount = 0;
}

int Id3v2Record::ReadHeader(const std::string& path, FrameBlock& block) {
    const TagFile file(path);
    return ReadHeader(file, block);
}

int Id3v2Record::ReadHeader(const TagFile& file, FrameBlock& block) {
    block.fileLength = file.Length();
    return file.ReadAt(0, block.header.data(), block.header.size()) == block.header.size() ? 1 : 0;
}

int Id3v2Record::TagSize(const FrameBlock& block) {
    const std::int64_t size = Id3v2Header::LegacyTagBytes(block.header.data());
    return size > block.fileLength ? 0 : static_cast<int>(size);
}

int Id3v2Record::ReadTag(const std::string& path) {
    const TagFile file(path);
    return ReadTag(file);
}

int Id3v2Record::ReadTag(const TagFile& file) {
    Reset();
    ClearReadValues();
    return support_ == TagSupport::Full ? ReadFull(file) : ReadBasic(file);
}

int Id3v2Record::ReadBasic(const TagFile& file) {
    FrameBlock block;
    if (ReadHeader(file, block) == 0) {
        return 0;
    }
    if (!block.HasId3Header()) {
        return 1;
    }
    tagPresent = 1;
    majorVersion = block.header[3];
    tagSize = TagSize(block);
    if (majorVersion < kLowestVersion || majorVersion > kHighestVersion || tagSize == 0) {
        return 1;
    }

    // The frame walk. Positions are 64-bit, so no frame size can wrap them;
    // reads outside the file come back short and leave zeros.
    // The old reader takes every frame size as a plain number, version 4 too.
    const bool shortIds = majorVersion == 2;
    const std::size_t headerBytes = Id3v2FrameHeader::Bytes(majorVersion);
    std::int64_t position = kId3v2HeaderBytes;
    while (position < tagSize && position < file.Length()) {
        unsigned char frameHeader[10] = {};
        file.ReadAt(position, frameHeader, headerBytes);
        if (frameHeader[0] < 'A' || frameHeader[0] > 'Z') {
            break;  // padding, or a damaged frame header
        }
        const Id3v2FrameHeader header = Id3v2FrameHeader::Parse(frameHeader, majorVersion, true);
        const std::uint64_t size = header.size;
        const std::int64_t dataPosition = position + static_cast<std::int64_t>(headerBytes);
        ValueSlot buffer{};
        file.ReadAt(dataPosition, buffer.data(),
                    static_cast<std::size_t>(std::min<std::uint64_t>(size, kSlotBytes)));
        buffer[kSlotBytes - 1] = 0;
        const int row = FindFrameRow(header.id, shortIds);
        if (row >= 0 && buffer[0] == 0x00) {
            block.slots[static_cast<std::size_t>(row)] = buffer;
        }
        position = dataPosition + static_cast<std::int64_t>(size);
    }

    DecodeSlots(block);
    return 1;
}

void Id3v2Record::DecodeSlots(FrameBlock& block) {
    auto slot = [&block](int row) -> ValueSlot& {
        return block.slots[static_cast<std::size_t>(row)];
    };

    std::string values[kWrittenFrameRows];
    values[kTitleRow] = TextWithFallback(block, kTitleRow, kContentGroupRow);
    values[kArtistRow] = TextWithFallback(block, kArtistRow, kOriginalArtistRow);
    values[kAlbumRow] = TextWithFallback(block, kAlbumRow, kOriginalAlbumRow);

    Sanitise(slot(kTrackRow));
    const int trackNumber = TrackFromText(TrimWhiteSpace(SlotText(slot(kTrackRow))));

    Sanitise(slot(kYearRow));
    Sanitise(slot(kRecordingTimeRow));
    values[kYearRow] = TrimWhiteSpace(SlotText(slot(kYearRow)));
    if (values[kYearRow].empty()) {
        // The year of an ID3v2.4 recording time such as "2003-05-12".
        values[kYearRow] = Cut(TrimWhiteSpace(SlotText(slot(kRecordingTimeRow))), 4);
    }

    Sanitise(slot(kGenreRow));
    values[kGenreRow] = ApplyBracketRule(TrimWhiteSpace(SlotText(slot(kGenreRow))));
    const int genreNumber = LeadingInteger(values[kGenreRow]);
    if (genreNumber < 0 || genreNumber > 255) {
        values[kGenreRow] = "255";
    }

    {
        // Comment: past the leading NUL bytes come the language code and the
        // description, then after their NUL the text. A text that fails the
        // value start rule gives way to the language and description.
        const ValueSlot& comm = slot(kCommentRow);
        std::size_t start = 0;
        while (start < comm.size() && comm[start] == 0) {
            ++start;
        }
        const std::string head = SlotTextAt(comm, start);
        const std::string text = SlotTextAt(comm, start + head.size() + 1);
        values[kCommentRow] = CheckedTrimmed(StartsWithValue(text) ? text : head);
    }

    for (const int row : {kComposerRow, kEncodedByRow, kRightsNoticeRow, kLanguageRow}) {
        values[row] = CheckedTrimmed(SlotTextAt(slot(row), 1));
    }

    {
        // Url: the first text past the leading NUL bytes, which is the link of
        // a frame without description and the description otherwise.
        const ValueSlot& link = slot(kUrlRow);
        std::size_t start = 0;
        while (start < link.size() && link[start] == 0) {
            ++start;
        }
        values[kUrlRow] = CheckedTrimmed(SlotTextAt(link, start));
    }

    for (std::string& value : values) {
        value = Cut(std::move(value), kMaxReadCharacters);
    }
    for (int row = 0; row < kWrittenFrameRows; ++row) {
        toWrite_[row] = values[row];
    }
    trackToWrite_ = trackNumber;

    title = Latin1ToUtf8(values[kTitleRow]);
    artist = Latin1ToUtf8(values[kArtistRow]);
    album = Latin1ToUtf8(values[kAlbumRow]);
    track = trackNumber;
    year = Latin1ToUtf8(values[kYearRow]);
    genre = Latin1ToUtf8(values[kGenreRow]);
    comment = Latin1ToUtf8(values[kCommentRow]);
    composer = Latin1ToUtf8(values[kComposerRow]);
    encodedBy = Latin1ToUtf8(values[kEncodedByRow]);
    rightsNotice = Latin1ToUtf8(values[kRightsNoticeRow]);
    language = Latin1ToUtf8(values[kLanguageRow]);
    url = Latin1ToUtf8(values[kUrlRow]);
}

void Id3v2Record::SetValue(int row, const std::string& text) {
    if (support_ == TagSupport::Full) {
        changes_[static_cast<std::size_t>(row)] = Utf8Left(TrimWhiteSpace(text), kMaxSetCharacters);
        return;
    }
    toWrite_[row] = Cut(TrimWhiteSpace(Utf8ToLatin1(text)), kMaxSetCharacters);
}

void Id3v2Record::SetTitle(const std::string& text) {
    SetValue(kTitleRow, text);
}
void Id3v2Record::SetArtist(const std::string& text) {
    SetValue(kArtistRow, text);
}
void Id3v2Record::SetAlbum(const std::string& text) {
    SetValue(kAlbumRow, text);
}
void Id3v2Record::SetYear(const std::string& text) {
    SetValue(kYearRow, text);
}
void Id3v2Record::SetGenre(const std::string& text) {
    SetValue(kGenreRow, text);
}
void Id3v2Record::SetComment(const std::string& text) {
    SetValue(kCommentRow, text);
}
void Id3v2Record::SetComposer(const std::string& text) {
    SetValue(kComposerRow, text);
}
void Id3v2Record::SetEncodedBy(const std::string& text) {
    SetValue(kEncodedByRow, text);
}
void Id3v2Record::SetRightsNotice(const std::string& text) {
    SetValue(kRightsNoticeRow, text);
}
void Id3v2Record::SetLanguage(const std::string& text) {
    SetValue(kLanguageRow, text);
}
void Id3v2Record::SetUrl(const std::string& text) {
    SetValue(kUrlRow, text);
}

void Id3v2Record::SetTrack(const std::string& text) {
    const int number = LeadingInteger(TrimWhiteSpace(text));
    trackToWrite_ = number < 0 || number > 99 ? 0 : number;
    if (support_ == TagSupport::Full) {
        changes_[kTrackRow] = trackToWrite_ > 0 ? std::to_string(trackToWrite_) : std::string();
    }
}

std::string Id3v2Record::ValueToWrite(int row) const {
    if (row < 0 || row >= kWrittenFrameRows) {
        return {};
    }
    if (support_ == TagSupport::Full) {
        return changes_[static_cast<std::size_t>(row)].value_or(std::string());
    }
    if (row == kTrackRow) {
        return trackToWrite_ > 0 ? std::to_string(trackToWrite_) : std::string();
    }
    return Latin1ToUtf8(toWrite_[row]);
}

}  // namespace tagnomen

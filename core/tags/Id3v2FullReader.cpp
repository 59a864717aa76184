// SPDX-License-Identifier: GPL-3.0-or-later
// Reading an ID3v2 tag with full support: every text encoding, version 4
// sizes as other taggers write them, extended headers, unsynchronisation.
// Only frame headers and the first bytes of the frames the record wants are
// read; pictures and other large frames are skipped by their size.
#include <algorithm>
#include <optional>

#include "platform/Text.h"
#include "tags/FrameIdTable.h"
#include "tags/Id3v2Fields.h"
#include "tags/Id3v2FrameWalk.h"
#include "tags/Id3v2Header.h"
#include "tags/Id3v2Record.h"
#include "tags/ReadTags.h"
#include "tags/TagFile.h"

namespace tagnomen {

namespace {

// Values are cut to this many characters, as the setters cut them.
constexpr std::size_t kValueCharacters = 250;
// Bytes read of one frame: more than any value the record keeps needs, even
// in UTF-16 behind a long description.
constexpr std::size_t kFrameReadBytes = 4096;
constexpr std::size_t kYearCharacters = 4;
// The largest unsynchronised tag read into memory.
constexpr std::int64_t kMaxBufferedTagBytes = 16 * 1024 * 1024;
constexpr std::uint32_t kMaxCoverBytes = 16 * 1024 * 1024;
constexpr int kFrontCover = 3;

// The frames of interest of one tag, as found by the walk.
class FrameHarvest {
  public:
    FrameHarvest(int majorVersion, bool allUnsynchronised)
        : version_(majorVersion), allUnsynchronised_(allUnsynchronised) {}

    template <class Source>
    void Take(const Source& source, const FrameLocation& frame, Id3v2Record& record) {
        const std::string& id = frame.header.id;
        record.frameIds.push_back(id);
        if (id == "APIC" || id == "PIC") {
            ++record.pictureCount;
            return;
        }
        if (id == "TDRL" && !releaseTime_) {
            // Some taggers keep the year as the release time only.
            if (const std::optional<std::string> content = Content(source, frame)) {
                releaseTime_ = DecodeTextFrame(*content);
            }
            return;
        }
        const int row = FindFrameRow(id, version_ == 2);
        if (row < 0 || Done(row)) {
            return;
        }
        const std::optional<std::string> content = Content(source, frame);
        if (!content) {
            return;
        }
        if (row == kCommentRow) {
            // Only a comment without description is the comment: "iTunNORM"
            // and other described comments are something else.
            const std::optional<CommentFrame> comment = DecodeCommentFrame(*content);
            if (comment && comment->description.empty()) {
                texts_[kCommentRow] = TextValue{comment->encoding, comment->text};
            }
        } else if (row == kUrlRow) {
            const std::optional<UserLinkFrame> link = DecodeUserLinkFrame(*content);
            if (link && (!texts_[kUrlRow] || link->description.empty())) {
                texts_[kUrlRow] = TextValue{static_cast<TextEncoding>((*content)[0]), link->url};
                linkWithoutDescription_ = link->description.empty();
            }
        } else {
            texts_[static_cast<std::size_t>(row)] = DecodeTextFrame(*content);
        }
    }

    void Finish(Id3v2Record& record) const {
        record.title = Pick(kTitleRow, kContentGroupRow, record);
        record.artist = Pick(kArtistRow, kOriginalArtistRow, record);
        record.album = Pick(kAlbumRow, kOriginalAlbumRow, record);
        record.track = TrackNumberOf(Value(kTrackRow, record, kTrackRow));
        record.year = Value(kYearRow, record, kYearRow);
        if (record.year.empty()) {
            // The year of a recording time such as "2003-05-12".
            record.year = Utf8Left(Value(kRecordingTimeRow, record, kYearRow), kYearCharacters);
        }
        if (record.year.empty() && releaseTime_) {
            record.year =
                Utf8Left(PresentValue(releaseTime_->text, kValueCharacters), kYearCharacters);
            if (!record.year.empty()) {
                record.valueEncodings[kYearRow] = EncodingName(releaseTime_->encoding);
            }
        }
        record.genre = GenreFromFrameText(Value(kGenreRow, record, kGenreRow));
        record.comment = Value(kCommentRow, record, kCommentRow);
        record.composer = Value(kComposerRow, record, kComposerRow);
        record.encodedBy = Value(kEncodedByRow, record, kEncodedByRow);
        record.rightsNotice = Value(kRightsNoticeRow, record, kRightsNoticeRow);
        record.language = Value(kLanguageRow, record, kLanguageRow);
        record.url = Value(kUrlRow, record, kUrlRow);
    }

  private:
    bool Done(int row) const {
        if (row == kUrlRow) {
            return linkWithoutDescription_;
        }
        return texts_[static_cast<std::size_t>(row)].has_value();
    }

    template <class Source>
    std::optional<std::string> Content(const Source& source, const FrameLocation& frame) const {
        std::string data(std::min<std::size_t>(frame.header.size, kFrameReadBytes), '\0');
        data.resize(source.ReadAt(frame.dataOffset, data.data(), data.size()));
        std::uint16_t flags = frame.header.flags;
        if (allUnsynchronised_) {
            flags |= frameflags::kV4Unsynchronisation;
        }
        return FrameContent(data, flags, version_);
    }

    // The value of one row as the record keeps it; the encoding it came in is
    // noted under `valueRow`.
    std::string Value(int row, Id3v2Record& record, int valueRow) const {
        const std::optional<TextValue>& text = texts_[static_cast<std::size_t>(row)];
        if (!text) {
            return {};
        }
        std::string value = PresentValue(text->text, kValueCharacters);
        if (!value.empty()) {
            record.valueEncodings[static_cast<std::size_t>(valueRow)] =
                EncodingName(text->encoding);
        }
        return value;
    }

    std::string Pick(int row, int fallback, Id3v2Record& record) const {
        std::string value = Value(row, record, row);
        return value.empty() ? Value(fallback, record, row) : value;
    }

    int version_;
    bool allUnsynchronised_;
    std::array<std::optional<TextValue>, kFrameIdCount> texts_{};
    std::optional<TextValue> releaseTime_;
    bool linkWithoutDescription_ = false;
};

// Walks the frames of the file's tag, calling visit(source, header, frame)
// for each; the source is the file itself, or the tag's bytes with their
// unsynchronisation undone. False when the file has no tag that can be read
// (also sets what the record says about the header when one is given).
template <class Visit>
bool VisitFrames(const TagFile& file, Id3v2Record* record, Visit&& visit) {
    unsigned char head[Id3v2Header::kBytes] = {};
    if (file.ReadAt(0, head, sizeof head) != sizeof head || !Id3v2Header::BeginsTag(head)) {
        return false;
    }
    const std::optional<Id3v2Header> header = Id3v2Header::ParseLenient(head);
    const std::int64_t length = file.Length();
    if (record != nullptr) {
        record->tagPresent = 1;
        record->majorVersion = head[3];
        record->tagSize =
            !header || header->TagBytes() > length ? 0 : static_cast<int>(header->TagBytes());
    }
    constexpr unsigned char kVersion2Compression = 0x40;
    if (!header || (header->majorVersion == 2 && (header->flags & kVersion2Compression) != 0)) {
        return false;  // an unknown version or a compressed tag: nothing readable
    }
    // Frames never reach past the tag, nor past the file.
    const auto bodyStart = static_cast<std::int64_t>(Id3v2Header::kBytes);
    const std::int64_t bodyEnd = std::min<std::int64_t>(bodyStart + header->bodyBytes, length);
    auto walk = [&](const auto& source, std::int64_t start, std::int64_t end) {
        unsigned char first[4] = {};
        source.ReadAt(start, first, sizeof first);
        const std::optional<std::size_t> offset =
            header->FirstFrameOffset(first, static_cast<std::size_t>(end - start));
        if (!offset) {
            return;
        }
        const FrameWalk frames = WalkTagFrames(source, header->majorVersion,
                                               start + static_cast<std::int64_t>(*offset), end);
        for (const FrameLocation& frame : frames.frames) {
            visit(source, *header, frame);
        }
    };
    if (header->majorVersion <= 3 && header->Unsynchronised()) {
        // The whole tag was unsynchronised: undo it before the walk.
        if (bodyEnd - bodyStart > kMaxBufferedTagBytes) {
            return false;
        }
        std::string body(static_cast<std::size_t>(bodyEnd - bodyStart), '\0');
        body.resize(file.ReadAt(bodyStart, body.data(), body.size()));
        const std::string plain = Deunsynchronise(body);
        walk(MemorySource{plain}, 0, static_cast<std::int64_t>(plain.size()));
    } else {
        walk(file, bodyStart, bodyEnd);
    }
    return true;
}

}  // namespace

int Id3v2Record::ReadFull(const TagFile& file) {
    unsigned char head[Id3v2Header::kBytes] = {};
    if (file.ReadAt(0, head, sizeof head) != sizeof head) {
        return 0;
    }
    std::optional<FrameHarvest> harvest;
    VisitFrames(file, this,
                [&](const auto& source, const Id3v2Header& header, const FrameLocation& frame) {
                    if (!harvest) {
                        harvest.emplace(header.majorVersion,
                                        header.majorVersion >= 4 && header.Unsynchronised());
                    }
                    harvest->Take(source, frame, *this);
                });
    if (harvest) {
        harvest->Finish(*this);
    }
    return 1;
}

std::optional<Picture> ReadCoverPicture(const std::string& path) {
    const TagFile file(path);
    return ReadCoverPicture(file);
}

std::optional<Picture> ReadCoverPicture(const TagFile& file) {
    std::optional<Picture> cover;
    VisitFrames(file, nullptr,
                [&](const auto& source, const Id3v2Header& header, const FrameLocation& frame) {
                    const bool version2 = header.majorVersion == 2;
                    if (frame.header.id != (version2 ? "PIC" : "APIC") ||
                        (cover && cover->type == kFrontCover) ||
                        frame.header.size > kMaxCoverBytes) {
                        return;
                    }
                    std::string data(frame.header.size, '\0');
                    data.resize(source.ReadAt(frame.dataOffset, data.data(), data.size()));
                    std::uint16_t flags = frame.header.flags;
                    if (header.majorVersion >= 4 && header.Unsynchronised()) {
                        flags |= frameflags::kV4Unsynchronisation;
                    }
                    const auto content = FrameContent(data, flags, header.majorVersion);
                    auto picture = content ? DecodePictureFrame(*content, version2) : std::nullopt;
                    // The front cover, else the first picture.
                    if (picture && (!cover || picture->type == kFrontCover)) {
                        cover = std::move(picture);
                    }
                });
    return cover;
}

}  // namespace tagnomen

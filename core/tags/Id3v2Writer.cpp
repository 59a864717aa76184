// SPDX-License-Identifier: GPL-3.0-or-later
// Writing of ID3v2 tags with basic support: slots from the values to write,
// the layout decision and the tag's bytes; and the write itself, which hands
// the new tag to ApplyTagEdit.
#include <algorithm>
#include <cstring>

#include "platform/Text.h"
#include "tags/Id3v2Record.h"
#include "tags/TagEdit.h"
#include "tags/TagFile.h"
#include "tags/ValueStartRule.h"

namespace tagnomen {

namespace {

// A slot's contents with their final NUL fit in 250 bytes: 249 bytes of text.
constexpr std::size_t kSlotTextBytes = kSlotBytes - 1;

void PutSlot(ValueSlot& slot, const std::string& bytes) {
    const std::size_t length = std::min(bytes.size(), kSlotTextBytes);
    std::memcpy(slot.data(), bytes.data(), length);
}

std::size_t SlotLength(const ValueSlot& slot, std::size_t start) {
    const auto* begin = slot.data() + start;
    return static_cast<std::size_t>(std::find(begin, slot.data() + slot.size(), 0) - begin);
}

}  // namespace

void Id3v2Record::FillSlots(FrameBlock& block) const {
    for (ValueSlot& slot : block.slots) {
        slot.fill(0);
    }
    for (const int row : {kTitleRow, kArtistRow, kAlbumRow, kYearRow, kComposerRow, kEncodedByRow,
                          kRightsNoticeRow, kLanguageRow}) {
        PutSlot(block.slots[static_cast<std::size_t>(row)], toWrite_[row]);
    }
    if (trackToWrite_ > 0) {
        PutSlot(block.slots[kTrackRow], std::to_string(trackToWrite_));
    }
    if (!toWrite_[kGenreRow].empty()) {
        const std::string& genreText = toWrite_[kGenreRow];
        PutSlot(block.slots[kGenreRow],
                "(" + genreText.substr(0, std::min(genreText.size(), kSlotTextBytes - 2)) + ")");
    }
    if (!toWrite_[kCommentRow].empty()) {
        // Language "eng", an empty description, then the text.
        PutSlot(block.slots[kCommentRow], std::string("eng\0", 4) + toWrite_[kCommentRow]);
    }
    if (!toWrite_[kUrlRow].empty()) {
        // An empty description, then the link.
        PutSlot(block.slots[kUrlRow], std::string(1, '\0') + toWrite_[kUrlRow]);
    }
}

int Id3v2Record::FrameDataLength(const ValueSlot& slot) {
    if (slot[0] == 0 && slot[1] == 0) {
        return -1;
    }
    // First part: counted only when it passes the value start rule. Second
    // part: starts after the first part's NUL (or at the second byte) and is
    // counted with that NUL when it passes the rule. Nothing past the slot.
    const std::size_t first = IsValueStartByte(slot[0]) ? SlotLength(slot, 0) : 0;
    const std::size_t secondStart = first + 1;
    std::size_t second = 0;
    if (secondStart < slot.size() && IsValueStartByte(slot[secondStart])) {
        second = SlotLength(slot, secondStart) + 1;
    }
    return static_cast<int>(first + second);
}

int Id3v2Record::PlanLayout(FrameBlock& block) const {
    int total = kId3v2HeaderBytes;
    for (const ValueSlot& slot : block.slots) {
        const int length = FrameDataLength(slot);
        if (length >= 0) {
            total += 10 + length + 1;
        }
    }
    const int old = TagSize(block);
    const bool hadTag = block.HasId3Header();
    block.rewrite = !(hadTag && old >= total && old <= kInPlaceLimit);
    if (!block.rewrite) {
        block.padding = old - total;
    } else {
        block.padding = total >= kRebuiltTagBytes ? 0 : kRebuiltTagBytes - total;
    }
    const int size = total + block.padding - kId3v2HeaderBytes;
    block.header = {'I',
                    'D',
                    '3',
                    static_cast<unsigned char>(kWrittenVersion),
                    0,
                    0,
                    static_cast<unsigned char>((size >> 21) & 0x7F),
                    static_cast<unsigned char>((size >> 14) & 0x7F),
                    static_cast<unsigned char>((size >> 7) & 0x7F),
                    static_cast<unsigned char>(size & 0x7F)};
    return total;
}

std::vector<unsigned char> Id3v2Record::BuildTag(const FrameBlock& block, int total) {
    std::vector<unsigned char> tag(static_cast<std::size_t>(total + block.padding), 0);
    std::memcpy(tag.data(), block.header.data(), block.header.size());
    std::size_t at = kId3v2HeaderBytes;
    for (int row = 0; row < kFrameIdCount; ++row) {
        const ValueSlot& slot = block.slots[static_cast<std::size_t>(row)];
        const int length = FrameDataLength(slot);
        if (length < 0) {
            continue;
        }
        const std::string_view id = kFrameIdTable[static_cast<std::size_t>(row)].id4;
        const auto size = static_cast<std::uint32_t>(length + 1);
        std::memcpy(tag.data() + at, id.data(), 4);
        tag[at + 4] = static_cast<unsigned char>(size >> 24);
        tag[at + 5] = static_cast<unsigned char>(size >> 16);
        tag[at + 6] = static_cast<unsigned char>(size >> 8);
        tag[at + 7] = static_cast<unsigned char>(size);
        // Flags 0x00 0x00 and the encoding byte 0x00 are already zero.
        std::memcpy(tag.data() + at + 11, slot.data(), static_cast<std::size_t>(length));
        at += 10 + size;
    }
    return tag;
}

std::optional<std::string> Id3v2Record::BuildBasicTag(std::string_view oldTag) const {
    FrameBlock block;
    // The old tag, already delimited by the caller, decides in place or not.
    if (oldTag.size() >= block.header.size()) {
        std::memcpy(block.header.data(), oldTag.data(), block.header.size());
    }
    block.fileLength = static_cast<std::int64_t>(oldTag.size());
    FillSlots(block);
    const int total = PlanLayout(block);
    const std::vector<unsigned char> tag = BuildTag(block, total);
    return std::string(tag.begin(), tag.end());
}

std::optional<std::string> Id3v2Record::BuildTagBytes(std::string_view oldTag,
                                                      std::string& reason) const {
    if (support_ == TagSupport::Full) {
        return BuildFullTag(oldTag, reason);
    }
    return BuildBasicTag(oldTag);
}

namespace {

// A file shorter than a tag header is no MP3 file: it gets no tag.
bool LongEnoughForATag(const std::string& path, std::string& reason) {
    const TagFile file(path);
    if (file.IsOpen() && file.Length() >= kId3v2HeaderBytes) {
        return true;
    }
    reason = file.IsOpen() ? "file too short" : "cannot read the file";
    return false;
}

}  // namespace

int Id3v2Record::WriteTag(const std::string& path) {
    failureReason.clear();
    if (!LongEnoughForATag(path, failureReason)) {
        return 0;
    }
    TagEdit edit;
    edit.id3v2 = [this](std::string_view oldTag, std::string& reason) {
        return BuildTagBytes(oldTag, reason);
    };
    return ApplyTagEdit(path, edit, failureReason) ? 1 : 0;
}

int Id3v2Record::RewriteFile(const std::string& path, const unsigned char* data,
                             std::size_t length) {
    TagEdit edit;
    edit.id3v2 = [data, length](std::string_view oldTag,
                                std::string& reason) -> std::optional<std::string> {
        if (data == nullptr && oldTag.empty()) {
            reason = "no ID3v2 tag";
            return std::nullopt;  // nothing to remove; the file is not touched
        }
        return data == nullptr ? std::string()
                               : std::string(reinterpret_cast<const char*>(data), length);
    };
    std::string reason;
    return LongEnoughForATag(path, reason) && ApplyTagEdit(path, edit, reason) ? 1 : 0;
}

}  // namespace tagnomen

// SPDX-License-Identifier: GPL-3.0-or-later
// Writing an ID3v2 tag with full support: the old tag's frames are kept, in
// their version (a version 2 tag becomes version 3), and only the frames of
// the values set are replaced, added or removed.
#include <algorithm>

#include "tags/FrameIdTable.h"
#include "tags/Id3v2Fields.h"
#include "tags/Id3v2FrameList.h"
#include "tags/Id3v2Record.h"

namespace tagnomen {

namespace {

// Room left behind the frames when a tag has to grow, so that the next edits
// are written in place.
constexpr std::size_t kGrowthPadding = 2048;

using Frames = std::vector<Id3v2Frame>;

std::optional<std::string> ContentOf(const Id3v2Frame& frame, int majorVersion) {
    return FrameContent(frame.data, frame.flags, majorVersion);
}

Frames::iterator FindFrame(Frames& frames, std::string_view id) {
    return std::find_if(frames.begin(), frames.end(),
                        [id](const Id3v2Frame& frame) { return frame.id == id; });
}

void RemoveFrames(Frames& frames, std::string_view id) {
    frames.erase(std::remove_if(frames.begin(), frames.end(),
                                [id](const Id3v2Frame& frame) { return frame.id == id; }),
                 frames.end());
}

// Replaces the first frame of the id (where it stands) or adds one.
void PutFrame(Frames& frames, std::string_view id, std::string content) {
    const auto found = FindFrame(frames, id);
    if (found == frames.end()) {
        frames.push_back(Id3v2Frame{std::string(id), 0, std::move(content)});
        return;
    }
    found->flags = 0;
    found->data = std::move(content);
}

void SetTextFrame(Id3v2FrameList& list, std::string_view id, const std::string& value) {
    if (value.empty()) {
        RemoveFrames(list.frames, id);
        return;
    }
    PutFrame(list.frames, id, EncodeTextFrame(value, list.majorVersion));
}

// The track keeps the total of "9/12" when only the number changes.
void SetTrack(Id3v2FrameList& list, const std::string& number) {
    std::string text = number;
    const auto found = FindFrame(list.frames, "TRCK");
    if (!number.empty() && found != list.frames.end()) {
        if (const auto content = ContentOf(*found, list.majorVersion)) {
            if (const auto old = DecodeTextFrame(*content)) {
                text += std::string(TrackTotalOf(old->text));
            }
        }
    }
    SetTextFrame(list, "TRCK", text);
}

// The year goes where the tag keeps it: TYER in version 3, TDRC in version
// 4, or whichever of the two the tag already has.
void SetYear(Id3v2FrameList& list, const std::string& year) {
    if (year.empty()) {
        RemoveFrames(list.frames, "TYER");
        RemoveFrames(list.frames, "TDRC");
        return;
    }
    const bool version4 = list.majorVersion >= 4;
    const char* preferred = version4 ? "TDRC" : "TYER";
    const char* other = version4 ? "TYER" : "TDRC";
    const bool usePreferred = FindFrame(list.frames, preferred) != list.frames.end() ||
                              FindFrame(list.frames, other) == list.frames.end();
    SetTextFrame(list, usePreferred ? preferred : other, year);
}

// The comment is the first COMM without description; described comments
// ("iTunNORM" ...) are left alone.
void SetComment(Id3v2FrameList& list, const std::string& text) {
    for (auto frame = list.frames.begin(); frame != list.frames.end(); ++frame) {
        if (frame->id != "COMM") {
            continue;
        }
        const auto content = ContentOf(*frame, list.majorVersion);
        const auto comment = content ? DecodeCommentFrame(*content) : std::nullopt;
        if (!comment || !comment->description.empty()) {
            continue;
        }
        if (text.empty()) {
            list.frames.erase(frame);
        } else {
            frame->flags = 0;
            frame->data = EncodeCommentFrame(comment->language, "", text, list.majorVersion);
        }
        return;
    }
    if (!text.empty()) {
        list.frames.push_back(
            Id3v2Frame{"COMM", 0, EncodeCommentFrame("eng", "", text, list.majorVersion)});
    }
}

// The link is the first WXXX without description.
void SetUrl(Id3v2FrameList& list, const std::string& url) {
    for (auto frame = list.frames.begin(); frame != list.frames.end(); ++frame) {
        if (frame->id != "WXXX") {
            continue;
        }
        const auto content = ContentOf(*frame, list.majorVersion);
        const auto link = content ? DecodeUserLinkFrame(*content) : std::nullopt;
        if (!link || !link->description.empty()) {
            continue;
        }
        if (url.empty()) {
            list.frames.erase(frame);
        } else {
            frame->flags = 0;
            frame->data = EncodeUserLinkFrame(url, list.majorVersion);
        }
        return;
    }
    if (!url.empty()) {
        list.frames.push_back(Id3v2Frame{"WXXX", 0, EncodeUserLinkFrame(url, list.majorVersion)});
    }
}

void ApplyValue(Id3v2FrameList& list, int row, const std::string& value) {
    switch (row) {
        case kTrackRow:
            SetTrack(list, value);
            return;
        case kYearRow:
            SetYear(list, value);
            return;
        case kGenreRow:
            SetTextFrame(list, "TCON", GenreFrameText(value, list.majorVersion));
            return;
        case kCommentRow:
            SetComment(list, value);
            return;
        case kUrlRow:
            SetUrl(list, value);
            return;
        default:
            SetTextFrame(list, kFrameIdTable[static_cast<std::size_t>(row)].id4, value);
    }
}

}  // namespace

std::optional<std::string> Id3v2Record::BuildFullTag(std::string_view oldTag,
                                                     std::string& reason) const {
    Id3v2FrameList list;
    if (!oldTag.empty()) {
        std::optional<Id3v2FrameList> parsed = Id3v2FrameList::Parse(oldTag, &reason);
        if (!parsed) {
            return std::nullopt;
        }
        list = std::move(*parsed);
        list.ConvertToVersion3();
    }
    if (keptIds_) {
        const std::vector<std::string>& kept = *keptIds_;
        std::erase_if(list.frames, [&kept](const Id3v2Frame& frame) {
            return std::find(kept.begin(), kept.end(), frame.id) == kept.end();
        });
    }
    for (int row = 0; row < kWrittenFrameRows; ++row) {
        if (const std::optional<std::string>& value = changes_[static_cast<std::size_t>(row)]) {
            ApplyValue(list, row, *value);
        }
    }
    if (list.frames.empty() && oldTag.empty()) {
        return std::string();  // nothing to hold: no tag is added
    }
    const std::size_t needed = list.RenderedBytes();
    // In place whenever the frames fit the old tag's room, whatever its size.
    const std::size_t total =
        !oldTag.empty() && needed <= oldTag.size() ? oldTag.size() : needed + kGrowthPadding;
    std::optional<std::string> tag = list.Render(total);
    if (!tag) {
        reason = "ID3v2 frame too large";
    }
    return tag;
}

}  // namespace tagnomen

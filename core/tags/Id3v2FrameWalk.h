// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The walk over the frame headers of one tag body, shared by the reader (over
// positioned reads of the file) and the frame list (over bytes in memory).
// Only headers are read; the callers fetch the data of the frames they want.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "tags/Id3v2Frame.h"

namespace tagnomen {

// Bytes in memory read the way a file is read.
struct MemorySource {
    std::string_view bytes;
    std::size_t ReadAt(std::int64_t offset, void* destination, std::size_t length) const {
        if (offset < 0 || static_cast<std::size_t>(offset) >= bytes.size()) {
            return 0;
        }
        const std::size_t count = std::min(length, bytes.size() - static_cast<std::size_t>(offset));
        std::memcpy(destination, bytes.data() + offset, count);
        return count;
    }
};

struct FrameLocation {
    Id3v2FrameHeader header;
    std::int64_t dataOffset = 0;
};

struct FrameWalk {
    std::vector<FrameLocation> frames;
    // Where the frames end: padding, a damaged header or the body's end.
    std::int64_t end = 0;
    // True when every header was valid, every frame lay inside the body and
    // the walk stopped at the body's end or at a zero byte (padding).
    bool clean = false;
};

// Walks from `start` to `end`. A frame that runs past `end` ends the walk and
// is not listed: its data would be taken from beyond the tag. A Source
// offers std::size_t ReadAt(std::int64_t offset, void* destination,
// std::size_t length) const.
template <class Source>
FrameWalk WalkFrames(const Source& source, int majorVersion, std::int64_t start, std::int64_t end,
                     bool plainSizes) {
    FrameWalk walk;
    const auto headerBytes = static_cast<std::int64_t>(Id3v2FrameHeader::Bytes(majorVersion));
    std::int64_t position = start;
    unsigned char bytes[10] = {};
    while (position + headerBytes <= end) {
        if (source.ReadAt(position, bytes, static_cast<std::size_t>(headerBytes)) !=
            static_cast<std::size_t>(headerBytes)) {
            walk.end = position;
            return walk;
        }
        if (bytes[0] == 0) {
            walk.end = position;
            walk.clean = true;  // padding
            return walk;
        }
        const Id3v2FrameHeader header = Id3v2FrameHeader::Parse(bytes, majorVersion, plainSizes);
        const std::int64_t dataOffset = position + headerBytes;
        if (!header.HasValidId() || dataOffset + header.size > end) {
            walk.end = position;
            return walk;
        }
        walk.frames.push_back({header, dataOffset});
        position = dataOffset + header.size;
    }
    walk.end = position;
    unsigned char next = 0;
    walk.clean = position >= end || (source.ReadAt(position, &next, 1) == 1 && next == 0);
    return walk;
}

// The walk of a tag body in its version: in version 4 the sizes are 7-bit
// groups, and plain 32-bit numbers only when that is the one reading that
// walks the frames cleanly.
template <class Source>
FrameWalk WalkTagFrames(const Source& source, int majorVersion, std::int64_t start,
                        std::int64_t end) {
    FrameWalk walk = WalkFrames(source, majorVersion, start, end, false);
    if (majorVersion >= 4 && !walk.clean) {
        FrameWalk plain = WalkFrames(source, majorVersion, start, end, true);
        if (plain.clean) {
            return plain;
        }
    }
    return walk;
}

}  // namespace tagnomen

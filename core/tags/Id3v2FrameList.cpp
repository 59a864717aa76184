// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/Id3v2FrameList.h"

#include <algorithm>

#include "tags/Id3v2FrameWalk.h"
#include "tags/Id3v2Header.h"

namespace tagnomen {

namespace {

// Version 2 uses flag 0x40 for a compressed tag, which nothing reads.
constexpr unsigned char kVersion2Compression = 0x40;

std::optional<Id3v2FrameList> Refuse(std::string* reason, const char* why) {
    if (reason != nullptr) {
        *reason = why;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::size_t> Id3v2FrameList::DeclaredBytes(std::string_view region,
                                                         std::string* reason) {
    if (region.size() < Id3v2Header::kBytes) {
        if (reason != nullptr) {
            *reason = "no ID3v2 tag";
        }
        return std::nullopt;
    }
    const auto header =
        Id3v2Header::Parse(reinterpret_cast<const unsigned char*>(region.data()), reason);
    if (!header) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(header->TagBytes());
}

std::optional<Id3v2FrameList> Id3v2FrameList::Parse(std::string_view region, std::string* reason) {
    const std::optional<std::size_t> declared = DeclaredBytes(region, reason);
    if (!declared) {
        return std::nullopt;
    }
    if (*declared != region.size()) {
        return Refuse(reason, "ID3v2 tag size runs past the end of the file");
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(region.data());
    const Id3v2Header header = *Id3v2Header::Parse(bytes);
    if (header.majorVersion == 2 && (header.flags & kVersion2Compression) != 0) {
        return Refuse(reason, "compressed ID3v2 tag");
    }
    if (header.HasFooter()) {
        const std::string_view footer = region.substr(Id3v2Header::kBytes + header.bodyBytes);
        if (footer.substr(0, 3) != "3DI") {
            return Refuse(reason, "ID3v2 footer missing");
        }
    }
    std::string body(region.substr(Id3v2Header::kBytes, header.bodyBytes));
    if (header.majorVersion <= 3 && header.Unsynchronised()) {
        body = Deunsynchronise(body);
    }
    const std::optional<std::size_t> first =
        header.FirstFrameOffset(reinterpret_cast<const unsigned char*>(body.data()), body.size());
    if (!first) {
        return Refuse(reason, "damaged ID3v2 extended header");
    }
    const MemorySource source{body};
    const FrameWalk walk =
        WalkTagFrames(source, header.majorVersion, static_cast<std::int64_t>(*first),
                      static_cast<std::int64_t>(body.size()));
    if (!walk.clean) {
        return Refuse(reason, "damaged ID3v2 frame");
    }
    const auto paddingStart = static_cast<std::size_t>(walk.end);
    if (std::any_of(body.begin() + static_cast<std::ptrdiff_t>(paddingStart), body.end(),
                    [](char c) { return c != '\0'; })) {
        return Refuse(reason, "unknown bytes after the ID3v2 frames");
    }

    Id3v2FrameList list;
    list.majorVersion = header.majorVersion;
    // In version 4 the header's flag says that every frame is unsynchronised;
    // the frames keep that fact in their own flags once the header loses it.
    const bool allUnsynchronised = header.majorVersion >= 4 && header.Unsynchronised();
    for (const FrameLocation& location : walk.frames) {
        Id3v2Frame frame;
        frame.id = location.header.id;
        frame.flags = location.header.flags;
        if (allUnsynchronised) {
            frame.flags |= frameflags::kV4Unsynchronisation;
        }
        frame.data =
            body.substr(static_cast<std::size_t>(location.dataOffset), location.header.size);
        list.frames.push_back(std::move(frame));
    }
    return list;
}

void Id3v2FrameList::ConvertToVersion3() {
    if (majorVersion != 2) {
        return;
    }
    std::vector<Id3v2Frame> converted;
    converted.reserve(frames.size());
    for (const Id3v2Frame& frame : frames) {
        if (std::optional<Id3v2Frame> v3 = ConvertVersion2Frame(frame)) {
            converted.push_back(std::move(*v3));
        }
    }
    frames = std::move(converted);
    majorVersion = 3;
}

std::size_t Id3v2FrameList::RenderedBytes() const {
    std::size_t total = Id3v2Header::kBytes;
    for (const Id3v2Frame& frame : frames) {
        total += Id3v2FrameHeader::Bytes(majorVersion) + frame.data.size();
    }
    return total;
}

std::optional<std::string> Id3v2FrameList::Render(std::size_t totalBytes) const {
    const std::size_t rendered = RenderedBytes();
    if (majorVersion < 3 || totalBytes < rendered ||
        totalBytes - Id3v2Header::kBytes > kMaxSynchsafe) {
        return std::nullopt;
    }
    Id3v2Header header;
    header.majorVersion = majorVersion;
    header.bodyBytes = static_cast<std::uint32_t>(totalBytes - Id3v2Header::kBytes);
    const auto headerBytes = header.Render();
    std::string out(reinterpret_cast<const char*>(headerBytes.data()), headerBytes.size());
    out.reserve(totalBytes);
    for (const Id3v2Frame& frame : frames) {
        Id3v2FrameHeader frameHeader{frame.id, static_cast<std::uint32_t>(frame.data.size()),
                                     frame.flags};
        if (frame.data.size() > 0xFFFFFFFFu || !frameHeader.AppendTo(out, majorVersion)) {
            return std::nullopt;
        }
        out += frame.data;
    }
    out.resize(totalBytes, '\0');
    return out;
}

}  // namespace tagnomen

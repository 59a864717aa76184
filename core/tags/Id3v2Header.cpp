// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/Id3v2Header.h"

namespace tagnomen {

namespace {

constexpr int kLowestVersion = 2;
constexpr int kHighestVersion = 4;

std::optional<Id3v2Header> ParseCommon(const unsigned char* bytes, bool strict,
                                       std::string* reason) {
    auto refuse = [reason](const char* why) -> std::optional<Id3v2Header> {
        if (reason != nullptr) {
            *reason = why;
        }
        return std::nullopt;
    };
    if (!Id3v2Header::BeginsTag(bytes)) {
        return refuse("no ID3v2 tag");
    }
    if (bytes[3] < kLowestVersion || bytes[3] > kHighestVersion) {
        return refuse("unknown ID3v2 version");
    }
    if (strict && bytes[4] == 0xFF) {
        return refuse("damaged ID3v2 header");
    }
    if (strict && !IsSynchsafe(bytes + 6)) {
        return refuse("ID3v2 tag size out of range");
    }
    Id3v2Header header;
    header.majorVersion = bytes[3];
    header.revision = bytes[4];
    header.flags = bytes[5];
    header.bodyBytes = ReadSynchsafe(bytes + 6);
    return header;
}

}  // namespace

std::uint32_t ReadSynchsafe(const unsigned char* bytes) {
    return (std::uint32_t{bytes[0] & 0x7Fu} << 21) | (std::uint32_t{bytes[1] & 0x7Fu} << 14) |
           (std::uint32_t{bytes[2] & 0x7Fu} << 7) | std::uint32_t{bytes[3] & 0x7Fu};
}

bool IsSynchsafe(const unsigned char* bytes) {
    return ((bytes[0] | bytes[1] | bytes[2] | bytes[3]) & 0x80) == 0;
}

void WriteSynchsafe(std::uint32_t value, unsigned char* bytes) {
    bytes[0] = static_cast<unsigned char>((value >> 21) & 0x7F);
    bytes[1] = static_cast<unsigned char>((value >> 14) & 0x7F);
    bytes[2] = static_cast<unsigned char>((value >> 7) & 0x7F);
    bytes[3] = static_cast<unsigned char>(value & 0x7F);
}

bool Id3v2Header::BeginsTag(const unsigned char* bytes) {
    return bytes[0] == 'I' && bytes[1] == 'D' && bytes[2] == '3';
}

std::optional<Id3v2Header> Id3v2Header::Parse(const unsigned char* bytes, std::string* reason) {
    return ParseCommon(bytes, true, reason);
}

std::optional<Id3v2Header> Id3v2Header::ParseLenient(const unsigned char* bytes) {
    return ParseCommon(bytes, false, nullptr);
}

std::int64_t Id3v2Header::LegacyTagBytes(const unsigned char* bytes) {
    // Even with their high bits set the bytes stay below 2^30 combined.
    std::int64_t size =
        ((static_cast<std::int64_t>(bytes[6]) * 128 + bytes[7]) * 128 + bytes[8]) * 128 + bytes[9];
    size += static_cast<std::int64_t>(kBytes);
    if ((bytes[5] & kFooter) != 0) {
        size += static_cast<std::int64_t>(kFooterBytes);
    }
    return size;
}

std::optional<std::size_t> Id3v2Header::FirstFrameOffset(const unsigned char* bodyStart,
                                                         std::size_t available) const {
    // Version 2 uses this flag for a compressed tag and has no extended header.
    if (majorVersion == 2 || !HasExtendedHeader()) {
        return 0;
    }
    if (available < 4) {
        return std::nullopt;
    }
    const unsigned char* bytes = bodyStart;
    std::size_t length = 0;
    if (majorVersion == 3) {
        // The size excludes its own four bytes.
        length = 4 + ((std::size_t{bytes[0]} << 24) | (std::size_t{bytes[1]} << 16) |
                      (std::size_t{bytes[2]} << 8) | bytes[3]);
    } else {
        length = ReadSynchsafe(bytes);  // includes itself
        if (length < 6) {
            return std::nullopt;
        }
    }
    if (length > available) {
        return std::nullopt;
    }
    return length;
}

std::array<unsigned char, Id3v2Header::kBytes> Id3v2Header::Render() const {
    std::array<unsigned char, kBytes> bytes{'I',
                                            'D',
                                            '3',
                                            static_cast<unsigned char>(majorVersion),
                                            static_cast<unsigned char>(revision),
                                            flags,
                                            0,
                                            0,
                                            0,
                                            0};
    WriteSynchsafe(bodyBytes, bytes.data() + 6);
    return bytes;
}

std::array<unsigned char, Id3v2Header::kFooterBytes> Id3v2Header::RenderFooter() const {
    std::array<unsigned char, kFooterBytes> bytes = Render();
    bytes[0] = '3';
    bytes[1] = 'D';
    bytes[2] = 'I';
    return bytes;
}

}  // namespace tagnomen

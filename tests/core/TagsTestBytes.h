// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Byte builders for the tag tests: ID3v2 headers and frames of versions 2, 3
// and 4 and 128-byte ID3v1 blocks, assembled field by field as they lie on
// disk, plus a few file-system probes.
#include <sys/stat.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tagnomen::testing::tags {

using Bytes = std::string;

// Four bytes of 7 bits each, most significant first.
inline Bytes Syncsafe(std::uint32_t n) {
    return Bytes{static_cast<char>((n >> 21) & 0x7F), static_cast<char>((n >> 14) & 0x7F),
                 static_cast<char>((n >> 7) & 0x7F), static_cast<char>(n & 0x7F)};
}

inline Bytes BigEndian(std::uint32_t n, int bytes) {
    Bytes out;
    for (int i = bytes - 1; i >= 0; --i) {
        out.push_back(static_cast<char>((n >> (8 * i)) & 0xFF));
    }
    return out;
}

// One frame: id, size of `data`, (flags for versions 3 and 4), data.
inline Bytes Frame(int version, const Bytes& id, const Bytes& data) {
    if (version == 2) {
        return id + BigEndian(static_cast<std::uint32_t>(data.size()), 3) + data;
    }
    return id + BigEndian(static_cast<std::uint32_t>(data.size()), 4) + Bytes(2, '\0') + data;
}

// A version 4 frame as the standard has it: the size in 7-bit groups.
inline Bytes Frame4(const Bytes& id, const Bytes& data, std::uint16_t flags = 0) {
    return id + Syncsafe(static_cast<std::uint32_t>(data.size())) + BigEndian(flags, 2) + data;
}

// UTF-16 bytes of a text: little-endian with the mark FF FE, big-endian with
// FE FF, or big-endian without a mark (encoding 2 of version 4).
enum class Utf16Form { LittleWithMark, BigWithMark, BigWithoutMark };
inline Bytes Utf16(const std::u16string& text, Utf16Form form) {
    Bytes out = form == Utf16Form::LittleWithMark ? Bytes("\xFF\xFE")
                : form == Utf16Form::BigWithMark  ? Bytes("\xFE\xFF")
                                                  : Bytes();
    for (const char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        out += form == Utf16Form::LittleWithMark ? Bytes{low, high} : Bytes{high, low};
    }
    return out;
}

// The bytes with a 00 after every FF, as unsynchronisation stores them.
inline Bytes Unsynchronised(const Bytes& bytes) {
    Bytes out;
    for (const char c : bytes) {
        out += c;
        if (static_cast<unsigned char>(c) == 0xFF) {
            out += '\0';
        }
    }
    return out;
}

// A text frame with encoding byte 0x00.
inline Bytes TextFrame(int version, const Bytes& id, const Bytes& text) {
    return Frame(version, id, Bytes(1, '\0') + text);
}

// A whole tag: header (size = frames + padding) then frames and padding.
inline Bytes Tag(int version, const Bytes& frames, std::size_t padding = 0, int flags = 0) {
    const Bytes body = frames + Bytes(padding, '\0');
    return Bytes("ID3") + static_cast<char>(version) + '\0' + static_cast<char>(flags) +
           Syncsafe(static_cast<std::uint32_t>(body.size())) + body;
}

// A tag of exactly `total` bytes (header included) holding `frames`.
inline Bytes TagOfLength(int version, const Bytes& frames, std::size_t total) {
    return Tag(version, frames, total - 10 - frames.size());
}

// 128-byte ID3v1 block from the raw field bytes (each padded with NUL).
struct V1Fields {
    Bytes title, artist, album, year, comment;  // comment: up to 30 bytes, marker bytes included
    unsigned char genre = 255;
};

inline Bytes V1Block(const V1Fields& f) {
    Bytes block(128, '\0');
    block.replace(0, 3, "TAG");
    auto put = [&block](std::size_t at, const Bytes& text, std::size_t width) {
        block.replace(at, std::min(text.size(), width), text.substr(0, width));
    };
    put(3, f.title, 30);
    put(33, f.artist, 30);
    put(63, f.album, 30);
    put(93, f.year, 4);
    put(97, f.comment, 30);
    block[127] = static_cast<char>(f.genre);
    return block;
}

// Some bytes that look like MPEG audio and contain no tag markers.
inline Bytes Audio(std::size_t n) {
    Bytes audio(n, '\0');
    for (std::size_t i = 0; i < n; ++i) {
        audio[i] = static_cast<char>(0x40 + (i * 7) % 23);
    }
    if (n >= 2) {
        audio[0] = static_cast<char>(0xFF);
        audio[1] = static_cast<char>(0xFB);
    }
    return audio;
}

inline bool OwnerCanWrite(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && (info.st_mode & S_IWUSR) != 0;
}

inline unsigned PermissionBits(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0xFFFFu;
}

}  // namespace tagnomen::testing::tags

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// MP3 files for the renaming tests, built byte by byte: an optional ID3v2
// tag, a few bytes of audio, an optional ID3v1 tag. Texts are given as the
// ISO-8859-1 bytes that go on disk.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace tagnomen::testing {

struct V1Tag {
    std::string title{}, artist{}, album{}, year{}, comment{};
    int track = 0;    // 0: an ID3v1.0 tag
    int genre = 255;  // 255: none
};

// The 128-byte ID3v1 block; fields padded with NUL bytes.
inline std::string Id3v1Bytes(const V1Tag& tag) {
    std::string block(128, '\0');
    block.replace(0, 3, "TAG");
    auto put = [&block](std::size_t offset, const std::string& text, std::size_t width) {
        block.replace(offset, std::min(text.size(), width), text.substr(0, width));
    };
    put(3, tag.title, 30);
    put(33, tag.artist, 30);
    put(63, tag.album, 30);
    put(93, tag.year, 4);
    put(97, tag.comment, tag.track != 0 ? 28 : 30);
    if (tag.track != 0) {
        { block[126] = static_cast<char>(tag.track); }
    }
    block[127] = static_cast<char>(tag.genre);
    return block;
}

// A version 3 tag (or version 2 with three-character ids) of text frames,
// each given as id and text; the text is written with encoding byte 0x00.
inline std::string Id3v2Bytes(const std::vector<std::pair<std::string, std::string>>& frames,
                              int version = 3) {
    std::string body;
    for (const auto& [id, text] : frames) {
        const std::string data = std::string(1, '\0') + text;
        const std::size_t size = data.size();
        body += id;
        if (version == 2) {
            body += static_cast<char>((size >> 16) & 0xFF);
        } else {
            body += static_cast<char>((size >> 24) & 0xFF);
            body += static_cast<char>((size >> 16) & 0xFF);
        }
        body += static_cast<char>((size >> 8) & 0xFF);
        body += static_cast<char>(size & 0xFF);
        if (version != 2) {
            { body += std::string(2, '\0'); }
        }
        body += data;
    }
    body += std::string(16, '\0');  // padding
    const std::size_t size = body.size();
    std::string header = "ID3";
    header += static_cast<char>(version);
    header += '\0';
    header += '\0';
    header += static_cast<char>((size >> 21) & 0x7F);
    header += static_cast<char>((size >> 14) & 0x7F);
    header += static_cast<char>((size >> 7) & 0x7F);
    header += static_cast<char>(size & 0x7F);
    return header + body;
}

// A few bytes that look like the start of an MPEG audio frame.
inline std::string AudioBytes() {
    return std::string("\xFF\xFB\x90\x64", 4) + std::string(400, 'x');
}

inline std::string Mp3Bytes(const std::string& id3v2, const std::string& id3v1) {
    return id3v2 + AudioBytes() + id3v1;
}

// The bytes of a file between its ID3v2 tag and its ID3v1 block: the audio.
inline std::string AudioOf(const std::string& bytes) {
    std::size_t start = 0;
    if (bytes.size() >= 10 && bytes.compare(0, 3, "ID3") == 0) {
        start = 10 + ((static_cast<std::size_t>(bytes[6]) & 0x7F) << 21 |
                      (static_cast<std::size_t>(bytes[7]) & 0x7F) << 14 |
                      (static_cast<std::size_t>(bytes[8]) & 0x7F) << 7 |
                      (static_cast<std::size_t>(bytes[9]) & 0x7F));
    }
    std::size_t end = bytes.size();
    if (end >= start + 128 && bytes.compare(end - 128, 3, "TAG") == 0) {
        { end -= 128; }
    }
    return start <= end ? bytes.substr(start, end - start) : std::string();
}

}  // namespace tagnomen::testing

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 10-byte ID3v2 header at the very start of a file, parsed and rendered
// in one place:
//
//   "ID3", major version, revision, flags, size of the tag after the header
//   as four bytes of 7 bits each (most significant first)
//
// Flags: 0x80 unsynchronisation, 0x40 extended header, 0x20 experimental,
// 0x10 a 10-byte footer follows the tag (version 4 only; in version 3 the bit
// means nothing). ID3v2.4 also uses 7-bit ("synchsafe") numbers for its frame
// sizes; the helpers for them live here too.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace tagnomen {

// Four bytes of 7 bits each, most significant first.
std::uint32_t ReadSynchsafe(const unsigned char* bytes);
// True when no byte of the four has its high bit set.
bool IsSynchsafe(const unsigned char* bytes);
void WriteSynchsafe(std::uint32_t value, unsigned char* bytes);
// The largest number four synchsafe bytes hold (256 MiB - 1).
inline constexpr std::uint32_t kMaxSynchsafe = (1u << 28) - 1;

class Id3v2Header {
  public:
    static constexpr std::size_t kBytes = 10;
    static constexpr std::size_t kFooterBytes = 10;
    static constexpr unsigned char kUnsynchronisation = 0x80;
    static constexpr unsigned char kExtendedHeader = 0x40;
    static constexpr unsigned char kExperimental = 0x20;
    static constexpr unsigned char kFooter = 0x10;

    // True when the bytes begin with "ID3".
    static bool BeginsTag(const unsigned char* bytes);

    // The header a writer may rely on: "ID3", version 2 to 4, a revision
    // other than 0xFF and four size bytes below 0x80. Anything else gives
    // nothing, with the reason, since the tag's end cannot be known.
    static std::optional<Id3v2Header> Parse(const unsigned char* bytes,
                                            std::string* reason = nullptr);

    // The header as tolerant readers take it: "ID3" and version 2 to 4; a
    // size byte with its high bit set counts with its low 7 bits only.
    static std::optional<Id3v2Header> ParseLenient(const unsigned char* bytes);

    // The whole tag length as the ISO-8859-1-only reader has always computed
    // it: the size bytes combined as they stand (high bits included), plus 10,
    // plus 10 when flag 0x10 is set, whatever the version.
    static std::int64_t LegacyTagBytes(const unsigned char* bytes);

    int majorVersion = 3;
    int revision = 0;
    unsigned char flags = 0;
    std::uint32_t bodyBytes = 0;  // after the header, without the footer

    bool Unsynchronised() const { return (flags & kUnsynchronisation) != 0; }
    bool HasExtendedHeader() const { return (flags & kExtendedHeader) != 0; }
    bool HasFooter() const { return majorVersion >= 4 && (flags & kFooter) != 0; }
    // Header, body and footer.
    std::int64_t TagBytes() const {
        return static_cast<std::int64_t>(kBytes) + bodyBytes + (HasFooter() ? kFooterBytes : 0);
    }

    // Where the first frame starts in a body of `available` bytes (after the
    // header, with the tag's own unsynchronisation undone) whose first four
    // bytes are `bodyStart`: past the extended header when there is one.
    // Nothing when the extended header does not fit the body.
    std::optional<std::size_t> FirstFrameOffset(const unsigned char* bodyStart,
                                                std::size_t available) const;

    std::array<unsigned char, kBytes> Render() const;
    // The footer of a version 4 tag: the header with "3DI" in place of "ID3".
    std::array<unsigned char, kFooterBytes> RenderFooter() const;
};

}  // namespace tagnomen

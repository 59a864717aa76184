// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One ID3v2 frame: its header (id, size, two flag bytes) parsed and rendered
// per version, the frame as kept in a frame list, and the steps that turn the
// stored data into the frame's content.
//
//   version 2: id (3 characters), size (24 bits); no flags
//   version 3: id (4), size (32 bits), flags (16 bits)
//   version 4: id (4), size (4 bytes of 7 bits), flags (16 bits)
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tagnomen {

struct Id3v2FrameHeader {
    // 6 in version 2, 10 in versions 3 and 4.
    static std::size_t Bytes(int majorVersion) { return majorVersion == 2 ? 6 : 10; }

    // Reads Bytes(majorVersion) bytes. In version 4 the size is taken as 7-bit
    // groups unless `plainSize` says otherwise (some taggers write plain
    // 32-bit sizes into version 4 tags).
    static Id3v2FrameHeader Parse(const unsigned char* bytes, int majorVersion, bool plainSize);

    // An id of 3 or 4 characters, each "A" to "Z" or "0" to "9".
    bool HasValidId() const;

    // Appends the header for a frame of `size` bytes in `majorVersion`
    // (3 or 4); false when the size does not fit the version's size field.
    bool AppendTo(std::string& out, int majorVersion) const;

    std::string id;
    std::uint32_t size = 0;
    std::uint16_t flags = 0;
};

// A frame as it lies in a tag, after the tag's own unsynchronisation (if
// any) is undone: version 4 frames keep their own flags and data as stored.
struct Id3v2Frame {
    std::string id;
    std::uint16_t flags = 0;
    std::string data;
};

// Format flags of the frame header's second byte.
namespace frameflags {
inline constexpr std::uint16_t kV3Compression = 0x0080;
inline constexpr std::uint16_t kV3Encryption = 0x0040;
inline constexpr std::uint16_t kV3Grouping = 0x0020;
inline constexpr std::uint16_t kV4Grouping = 0x0040;
inline constexpr std::uint16_t kV4Compression = 0x0008;
inline constexpr std::uint16_t kV4Encryption = 0x0004;
inline constexpr std::uint16_t kV4Unsynchronisation = 0x0002;
inline constexpr std::uint16_t kV4DataLength = 0x0001;
}  // namespace frameflags

// Replaces every FF 00 by FF: the unsynchronisation scheme undone.
std::string Deunsynchronise(std::string_view bytes);

// The frame's content as its definition describes it (encoding byte first
// for text frames): the group byte and data-length indicator skipped, the
// frame's own unsynchronisation undone. Nothing for compressed or encrypted
// frames, which are not interpreted.
std::optional<std::string> FrameContent(std::string_view storedData, std::uint16_t flags,
                                        int majorVersion);

// The version 3 id of a version 2 frame ("TT2" gives "TIT2", "PIC" gives
// "APIC"), empty for frames that have none.
std::string_view Version3IdOf(std::string_view version2Id);

// A version 2 frame as a version 3 frame: the id converted, and for PIC the
// three-letter image format turned into a MIME type. Nothing for frames that
// have no version 3 form.
std::optional<Id3v2Frame> ConvertVersion2Frame(const Id3v2Frame& frame);

}  // namespace tagnomen

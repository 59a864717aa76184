// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A whole ID3v2 tag as a list of frames, for the writers: parsed from the
// bytes of the tag (header to footer) and rendered back. Frames the program
// does not interpret are kept as they are, byte for byte.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tags/Id3v2Frame.h"

namespace tagnomen {

class Id3v2FrameList {
  public:
    // Parses a tag region exactly as long as its header says. It must be a
    // tag a writer may replace: a sound header, every frame inside the tag,
    // nothing but zero bytes after the last frame, and the footer where the
    // header announces one. Nothing, with the reason, otherwise: those bytes
    // may belong to the audio.
    static std::optional<Id3v2FrameList> Parse(std::string_view region, std::string* reason);

    // The length of the tag the header of `region` (its first 10 bytes, or
    // fewer) describes, when a writer may rely on it; nothing otherwise.
    static std::optional<std::size_t> DeclaredBytes(std::string_view region, std::string* reason);

    int majorVersion = 3;
    std::vector<Id3v2Frame> frames;

    // A version 2 list becomes a version 3 list: ids converted, PIC becomes
    // APIC; frames that have no version 3 form are dropped.
    void ConvertToVersion3();

    // Header and frames, without padding.
    std::size_t RenderedBytes() const;
    // Header, frames, then zero bytes up to `totalBytes` (at least
    // RenderedBytes()); no unsynchronisation, extended header or footer.
    // Nothing when a frame is too large for its version's size field.
    std::optional<std::string> Render(std::size_t totalBytes) const;
};

}  // namespace tagnomen

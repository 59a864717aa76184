// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// FrameBlock: the working block of one ID3v2 read or write: the 10-byte
// header image, the file's length, one 250-byte value slot per row of the
// frame id table, and the writer's layout decision.
#include <array>
#include <cstdint>

#include "tags/FrameIdTable.h"

namespace tagnomen {

constexpr int kSlotBytes = 250;
constexpr int kId3v2HeaderBytes = 10;

using ValueSlot = std::array<unsigned char, kSlotBytes>;

struct FrameBlock {
    // The file's first 10 bytes as read, or the new header in a write.
    std::array<unsigned char, kId3v2HeaderBytes> header{};
    // Length of the file in bytes when the header was read.
    std::int64_t fileLength = 0;
    // Slot n carries the data of the frame of row n (encoding byte first),
    // zero-filled behind; an all-zero slot is an absent frame.
    std::array<ValueSlot, kFrameIdCount> slots{};
    // Writer only: true when the file must be rebuilt instead of written in place.
    bool rewrite = false;
    // Writer only: zero bytes after the frames.
    int padding = 0;

    bool HasId3Header() const { return header[0] == 'I' && header[1] == 'D' && header[2] == '3'; }
};

}  // namespace tagnomen

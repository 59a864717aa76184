// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads and writes that go on until every byte has moved: they retry
// interruptions and short transfers, and stop at an error or at a transfer
// that moves nothing (the end of the file, a full disk).
#include <cstddef>
#include <cstdint>

namespace tagnomen {

// Reads from `offset` on; returns the bytes read, fewer than asked at the end
// of the file or after an error.
std::size_t ReadFullyAt(int fd, void* destination, std::size_t length, std::int64_t offset);
// Writes every byte at `offset`; false when not all could be written.
bool WriteFullyAt(int fd, const void* data, std::size_t length, std::int64_t offset);
// Writes every byte at the current position; false when not all could be written.
bool WriteFully(int fd, const void* data, std::size_t length);

}  // namespace tagnomen

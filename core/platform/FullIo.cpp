// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FullIo.h"

#include <sys/types.h>
#include <unistd.h>

#include <cerrno>

namespace tagnomen {

namespace {

// Calls step(done) until `length` bytes have moved; step moves what it can
// from byte `done` on and returns how many, or -1 with errno.
template <typename Step>
std::size_t TransferFully(std::size_t length, Step step) {
    std::size_t done = 0;
    while (done < length) {
        const ssize_t moved = step(done);
        if (moved < 0 && errno == EINTR) {
            continue;
        }
        if (moved <= 0) {
            break;
        }
        done += static_cast<std::size_t>(moved);
    }
    return done;
}

off_t At(std::int64_t offset, std::size_t done) {
    return static_cast<off_t>(offset + static_cast<std::int64_t>(done));
}

}  // namespace

std::size_t ReadFullyAt(int fd, void* destination, std::size_t length, std::int64_t offset) {
    auto* bytes = static_cast<unsigned char*>(destination);
    return TransferFully(length, [&](std::size_t done) {
        return ::pread(fd, bytes + done, length - done, At(offset, done));
    });
}

bool WriteFullyAt(int fd, const void* data, std::size_t length, std::int64_t offset) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    return TransferFully(length, [&](std::size_t done) {
               return ::pwrite(fd, bytes + done, length - done, At(offset, done));
           }) == length;
}

bool WriteFully(int fd, const void* data, std::size_t length) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    return TransferFully(length, [&](std::size_t done) {
               return ::write(fd, bytes + done, length - done);
           }) == length;
}

}  // namespace tagnomen

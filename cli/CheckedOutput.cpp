// SPDX-License-Identifier: GPL-3.0-or-later
#include "CheckedOutput.h"

#include <unistd.h>

#include <cerrno>

#include "platform/FileSystem.h"

namespace tagnomen::cli {

FdOutputBuffer::FdOutputBuffer(int fd, bool owned) : fd_(fd), owned_(owned) {
    setp(buffer_, buffer_ + kSize);
}

FdOutputBuffer::~FdOutputBuffer() {
    Drain();
    if (owned_) {
        close(fd_);
    }
}

bool FdOutputBuffer::Drain() {
    const char* next = pbase();
    const char* const end = pptr();
    while (error_ == 0 && next < end) {
        const ssize_t written = write(fd_, next, static_cast<std::size_t>(end - next));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            error_ = written < 0 ? errno : EIO;
            break;
        }
        next += written;
    }
    // What could not be written is dropped: the run fails on the error.
    setp(buffer_, buffer_ + kSize);
    return error_ == 0;
}

FdOutputBuffer::int_type FdOutputBuffer::overflow(int_type c) {
    if (!Drain()) {
        return traits_type::eof();
    }
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int FdOutputBuffer::sync() {
    return Drain() ? 0 : -1;
}

std::string WriteFailureReason(const std::ostream& stream) {
    const auto* buffer = dynamic_cast<const FdOutputBuffer*>(stream.rdbuf());
    if (buffer != nullptr && buffer->Error() != 0) {
        return ErrorReason(buffer->Error());
    }
    return "the output could not be written";
}

}  // namespace tagnomen::cli

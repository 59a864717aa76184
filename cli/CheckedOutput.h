// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Output that knows whether it reached its file. A stream buffer over a file
// descriptor keeps the system's error of the first write that failed (a full
// disk, a closed pipe), so that the run can fail with that reason instead of
// ending as if its output had been written. After a failure it writes
// nothing more and every flush fails.
#include <ostream>
#include <streambuf>
#include <string>

namespace tagnomen::cli {

class FdOutputBuffer : public std::streambuf {
  public:
    // owned: the descriptor is closed with the buffer.
    explicit FdOutputBuffer(int fd, bool owned = false);
    ~FdOutputBuffer() override;
    FdOutputBuffer(const FdOutputBuffer&) = delete;
    FdOutputBuffer& operator=(const FdOutputBuffer&) = delete;

    // The error number of the first failed write; 0 while all went through.
    int Error() const { return error_; }

  protected:
    int_type overflow(int_type c) override;
    int sync() override;

  private:
    // Writes out what the buffer holds; false once a write has failed.
    bool Drain();

    static constexpr std::size_t kSize = 8192;
    int fd_;
    bool owned_;
    int error_ = 0;
    char buffer_[kSize];
};

// Why a stream's output could not be written: the system's reason when the
// stream writes through an FdOutputBuffer, else a general one.
std::string WriteFailureReason(const std::ostream& stream);

}  // namespace tagnomen::cli

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/UndoProgress.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "app/UndoFile.h"
#include "app/UndoRecovery.h"
#include "platform/FileSystem.h"
#include "platform/FullIo.h"

namespace tagnomen {

namespace {

// "Undo.inf" itself, never through a link (the marks must not change a file
// elsewhere), and without waiting on a FIFO; -1 unless it is a regular file.
int OpenForMarks(const std::string& path) {
    const int fd = open(path.c_str(), O_RDWR | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return -1;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

// The steps of the record still to take back: the trailing steps a stopped
// Save never made and the steps a stopped Undo marked are left out. The last
// mark was written before its rename, so it counts only when the directory
// shows that rename made.
std::vector<UndoPair> StepsLeft(const std::string& directory, const UndoRecord& record) {
    std::vector<UndoPair> pairs = record.pairs;
    if (!record.sealed) {
        DropStepsNeverMade(directory, pairs);
    }
    std::vector<bool> taken(pairs.size(), false);
    for (std::size_t i = 0; i < record.marks.size(); ++i) {
        const std::size_t k = record.marks[i];
        if (k >= pairs.size()) {
            continue;
        }
        const bool last = i + 1 == record.marks.size();
        taken[k] =
            !last || StateOfStep(directory, pairs[k].newName, pairs[k].oldName) == StepState::Made;
    }
    std::vector<UndoPair> left;
    for (std::size_t k = 0; k < pairs.size(); ++k) {
        if (!taken[k]) {
            left.push_back(std::move(pairs[k]));
        }
    }
    return left;
}

}  // namespace

UndoProgress::~UndoProgress() {
    CloseMarks();
}

void UndoProgress::CloseMarks() {
    if (marks_ >= 0) {
        close(marks_);
    }
    marks_ = -1;
    markStart_ = -1;
}

bool UndoProgress::Open(const std::string& directory) {
    CloseMarks();
    pairs_.clear();
    noMarks_ = 0;
    staleMark_ = false;
    errno = 0;
    if (directory.empty() || directory[0] != '/') {
        return false;
    }
    directory_ = directory;
    SettleUndoRecord(directory);
    const std::string undoPath = JoinPath(directory, kUndoFileName);
    int fd = OpenForMarks(undoPath);
    const bool writable = fd >= 0;
    if (!writable) {
        fd = OpenRegularForReading(undoPath);
    }
    if (fd < 0) {
        return false;
    }
    UndoRecord record;
    if (!ReadUndoRecord(fd, record)) {
        close(fd);
        return false;
    }
    pairs_ = StepsLeft(directory, record);
    if (writable && record.canonical && record.marks.empty() &&
        pairs_.size() == record.pairs.size()) {
        marks_ = fd;
        return true;
    }
    // The marks count the steps of the file as it stands: new marks go only
    // into a file that holds exactly the steps left. A link or a read-only
    // file is replaced by a file of this program's own (where the directory
    // lets nothing be written, no rename can happen either).
    close(fd);
    if (RewriteUndoFile(directory, pairs_) && !pairs_.empty()) {
        marks_ = OpenForMarks(undoPath);
    }
    if (marks_ < 0) {
        noMarks_ = errno != 0 ? errno : EIO;
    }
    return true;
}

bool UndoProgress::Begin(std::size_t k) {
    if (noMarks_ != 0 || marks_ < 0) {
        errno = noMarks_ != 0 ? noMarks_ : EIO;
        return false;
    }
    const off_t end = lseek(marks_, 0, SEEK_END);
    if (end < 0) {
        return false;
    }
    const std::string mark = RenderUndoMark(k);
    errno = 0;
    if (WriteFully(marks_, mark.data(), mark.size())) {
        markStart_ = end;
        return true;
    }
    const int error = errno != 0 ? errno : ENOSPC;
    if (ftruncate(marks_, end) != 0) {
        noMarks_ = errno;
        staleMark_ = true;
    }
    errno = error;
    return false;
}

void UndoProgress::Failed() {
    if (marks_ < 0 || markStart_ < 0) {
        return;
    }
    if (ftruncate(marks_, markStart_) != 0) {
        noMarks_ = errno;
        staleMark_ = true;
    }
    markStart_ = -1;
}

bool UndoProgress::Finish(const std::vector<UndoPair>& left) {
    CloseMarks();
    if (!left.empty() && left == pairs_ && !staleMark_) {
        return true;  // nothing was taken back: the file holds these steps already
    }
    return RewriteUndoFile(directory_, left);
}

}  // namespace tagnomen

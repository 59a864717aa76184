// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/UndoFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "app/UndoRecovery.h"
#include "platform/FileSystem.h"
#include "platform/FullIo.h"

namespace tagnomen {

namespace {

// Bytes of one line kept while reading; the rest of a longer line is
// skipped, since only the first 255 bytes are ever returned.
constexpr std::size_t kKeptBytes = 2 * kUndoLineMaxBytes;
constexpr int kCreateFlags = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW;

// Writes the bytes as "Undo.inf.new", syncs them and gives them the name
// "Undo.inf" in one step.
bool ReplaceUndoText(const std::string& directory, const std::string& bytes) {
    const std::string replacement = JoinPath(directory, kReplacementUndoFileName);
    if (TypeOf(replacement) == EntryType::Regular) {
        RemoveFile(replacement);  // left by a killed Undo
    }
    const int fd = open(replacement.c_str(), kCreateFlags, 0600);
    if (fd < 0) {
        return false;
    }
    bool ok = WriteFully(fd, bytes.data(), bytes.size()) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    if (!ok || std::rename(replacement.c_str(), JoinPath(directory, kUndoFileName).c_str()) != 0) {
        const int error = errno;
        RemoveFile(replacement);
        errno = error;
        return false;
    }
    SyncDirectory(directory);
    return true;
}

}  // namespace

bool UndoFile::StartOpening(const std::string& directory) {
    Close();
    return !directory.empty() && directory[0] == '/';
}

void UndoFile::ForgetWriting() {
    directory_.clear();
    parked_ = false;
    lastPairStart_ = -1;
    pairs_ = 0;
    jammed_ = 0;
}

bool UndoFile::OpenForWriting(const std::string& directory) {
    if (!StartOpening(directory)) {
        return false;
    }
    RemoveFile(JoinPath(directory, kRollbackFileName));
    SettleUndoRecord(directory);
    const std::string undoPath = JoinPath(directory, kUndoFileName);
    const std::string previous = JoinPath(directory, kPreviousUndoFileName);
    const EntryType existing = TypeOf(undoPath);
    if (existing != EntryType::Missing && existing != EntryType::Regular) {
        return false;
    }
    ForgetWriting();
    directory_ = directory;
    if (existing == EntryType::Regular) {
        if (!RenameNoReplace(undoPath, previous)) {
            ForgetWriting();
            return false;
        }
        parked_ = true;
    }
    const int fd = open(undoPath.c_str(), kCreateFlags, 0600);
    std::FILE* file = fd < 0 ? nullptr : fdopen(fd, "wb");
    if (file == nullptr) {
        if (fd >= 0) {
            close(fd);
            RemoveFile(undoPath);
        }
        if (parked_) {
            RenameNoReplace(previous, undoPath);
        }
        ForgetWriting();
        return false;
    }
    // Unbuffered: what is written is with the system at once.
    std::setvbuf(file, nullptr, _IONBF, 0);
    file_ = file;
    writing_ = true;
    return true;
}

bool UndoFile::OpenForReading(const std::string& directory) {
    if (!StartOpening(directory)) {
        return false;
    }
    const int fd = OpenRegularForReading(JoinPath(directory, kUndoFileName));
    if (fd < 0) {
        return false;
    }
    file_ = fdopen(fd, "rb");
    if (file_ == nullptr) {
        close(fd);
    }
    writing_ = false;
    return file_ != nullptr;
}

void UndoFile::WriteLine(const std::string& text) {
    if (file_ == nullptr) {
        return;
    }
    std::fwrite(text.data(), 1, text.size(), file_);
    std::fputs("\r\n", file_);
}

bool UndoFile::RecordPair(const std::string& oldName, const std::string& newName) {
    if (file_ == nullptr) {
        return true;
    }
    if (jammed_ != 0) {
        errno = jammed_;
        return false;
    }
    lastPairStart_ = std::ftell(file_);
    ++pairs_;
    // One write of the whole pair (the file is unbuffered): once it returns,
    // a kill cannot take the pair back.
    const std::string pair = RenderUndoPair({oldName, newName});
    if (std::fwrite(pair.data(), 1, pair.size(), file_) == pair.size()) {
        return true;
    }
    const int error = errno;
    std::clearerr(file_);
    DropLastPair();
    errno = error;
    return false;
}

void UndoFile::DropLastPair() {
    if (file_ == nullptr || lastPairStart_ < 0) {
        return;
    }
    if (ftruncate(fileno(file_), lastPairStart_) == 0) {
        std::fseek(file_, lastPairStart_, SEEK_SET);
        --pairs_;
    } else {
        jammed_ = errno;
    }
    lastPairStart_ = -1;
}

std::string UndoFile::ReadLine() {
    std::string line;
    if (file_ == nullptr) {
        return line;
    }
    for (;;) {
        int c = std::getc(file_);
        if (c == EOF || c == '\n' || c == kUndoEndMark) {
            break;
        }
        if (line.size() < kKeptBytes) {
            line.push_back(static_cast<char>(c));
        }
    }
    return FinishUndoLine(std::move(line));
}

void UndoFile::Close() {
    if (file_ == nullptr) {
        return;
    }
    if (writing_) {
        std::fputc(kUndoEndMark, file_);
        fsync(fileno(file_));
    }
    std::fclose(file_);
    file_ = nullptr;
    if (!writing_) {
        return;
    }
    writing_ = false;
    if (parked_) {
        const std::string previous = JoinPath(directory_, kPreviousUndoFileName);
        if (pairs_ == 0) {
            std::rename(previous.c_str(), JoinPath(directory_, kUndoFileName).c_str());
        } else {
            RemoveFile(previous);
        }
    }
    SyncDirectory(directory_);
    ForgetWriting();
}

bool RewriteUndoFile(const std::string& directory, const std::vector<UndoPair>& pairs) {
    const std::string undoPath = JoinPath(directory, kUndoFileName);
    if (pairs.empty()) {
        const bool removed = RemoveFile(undoPath) || TypeOf(undoPath) == EntryType::Missing;
        SyncDirectory(directory);
        return removed;
    }
    return ReplaceUndoText(directory, RenderUndoRecord(pairs));
}

}  // namespace tagnomen

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/UndoFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/FileSystem.h"
#include "platform/Text.h"

namespace tagnomen {

namespace {

// Bytes of one line kept while reading; the rest of a longer line is
// skipped, since only the first 255 bytes are ever returned.
constexpr std::size_t kKeptBytes = 2 * kUndoLineMaxBytes;
// The new and the previous undo file wait under names that start so.
constexpr const char* kTemporaryPrefix = "Undo.inf.";

// One pair as it stands on disk.
std::string PairBytes(const std::string& oldName, const std::string& newName) {
    return oldName + "\r\n" + newName + "\r\n";
}

// The previous undo file moves to a temporary name of its own.
bool KeepPrevious(const std::string& directory, const std::string& undoPath,
                  std::string& previous) {
    const int fd = CreateUniqueFile(directory, kTemporaryPrefix, previous);
    if (fd < 0) {
        return false;
    }
    close(fd);
    if (std::rename(undoPath.c_str(), previous.c_str()) != 0) {
        unlink(previous.c_str());
        previous.clear();
        return false;
    }
    return true;
}

}  // namespace

bool UndoFile::StartOpening(const std::string& directory) {
    Close();
    return !directory.empty() && directory[0] == '/';
}

void UndoFile::ForgetWriting() {
    directory_.clear();
    previous_.clear();
    lastPairStart_ = -1;
    pairs_ = 0;
}

bool UndoFile::OpenForWriting(const std::string& directory) {
    if (!StartOpening(directory)) {
        return false;
    }
    RemoveFile(JoinPath(directory, kRollbackFileName));
    const std::string undoPath = JoinPath(directory, kUndoFileName);
    const EntryType existing = TypeOf(undoPath);
    if (existing != EntryType::Missing && existing != EntryType::Regular) {
        return false;
    }
    std::string fresh;
    const int fd = CreateUniqueFile(directory, kTemporaryPrefix, fresh);
    std::FILE* file = fd < 0 ? nullptr : fdopen(fd, "wb");
    if (file == nullptr) {
        if (fd >= 0) {
            close(fd);
            unlink(fresh.c_str());
        }
        return false;
    }
    // Unbuffered: what is written is with the system at once.
    std::setvbuf(file, nullptr, _IONBF, 0);
    ForgetWriting();
    directory_ = directory;
    const bool kept =
        existing == EntryType::Missing || KeepPrevious(directory, undoPath, previous_);
    if (!kept || std::rename(fresh.c_str(), undoPath.c_str()) != 0) {
        std::fclose(file);
        unlink(fresh.c_str());
        if (!previous_.empty()) {
            std::rename(previous_.c_str(), undoPath.c_str());
        }
        ForgetWriting();
        return false;
    }
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
    lastPairStart_ = std::ftell(file_);
    ++pairs_;
    // One write of the whole pair (the file is unbuffered): once it returns,
    // a kill cannot take the pair back.
    const std::string pair = PairBytes(oldName, newName);
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
    // A longer line loses its end to the cut below in any case.
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    if (line.size() > kUndoLineMaxBytes) {
        line = Utf8CutBytes(line, kUndoLineMaxBytes);
    }
    return line;
}

std::vector<UndoPair> UndoFile::ReadPairs(bool& complete) {
    std::vector<UndoPair> pairs;
    for (;;) {
        UndoPair pair;
        pair.oldName = ReadLine();
        if (pair.oldName.empty()) {
            break;
        }
        pair.newName = ReadLine();
        pairs.push_back(std::move(pair));
    }
    // The pairs end at the end mark (or an empty line) unless the file ran out first.
    complete = file_ != nullptr && !std::feof(file_);
    return pairs;
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
    if (!previous_.empty()) {
        if (pairs_ == 0) {
            std::rename(previous_.c_str(), JoinPath(directory_, kUndoFileName).c_str());
        } else {
            unlink(previous_.c_str());
        }
    }
    SyncDirectory(directory_);
    ForgetWriting();
}

bool RewriteUndoFile(const std::string& directory, const std::vector<UndoPair>& pairs) {
    const std::string undoPath = JoinPath(directory, kUndoFileName);
    if (pairs.empty()) {
        return RemoveFile(undoPath) || TypeOf(undoPath) == EntryType::Missing;
    }
    std::string bytes;
    for (const UndoPair& pair : pairs) {
        bytes += PairBytes(pair.oldName, pair.newName);
    }
    bytes += kUndoEndMark;
    return ReplaceFileContents(undoPath, bytes, kTemporaryPrefix);
}

bool IsRecordableUndoLine(const std::string& text) {
    return !text.empty() && text.size() <= kUndoLineMaxBytes &&
           text.find('\n') == std::string::npos && text.find(kUndoEndMark) == std::string::npos &&
           text.back() != '\r';
}

}  // namespace tagnomen

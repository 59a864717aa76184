#include "app/UndoFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "app/RenamingContext.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"

namespace tagnomen {

namespace {

// Bytes of one line kept while reading; the rest of a longer line is
// skipped, since only the first 255 bytes are ever returned.
constexpr std::size_t kKeptBytes = 2 * kUndoLineMaxBytes;
// The new and the previous undo file wait under names that start so.
constexpr const char* kTemporaryPrefix = "Undo.inf.";

bool OpenedForWriting(std::FILE* file) {
    int flags = fcntl(fileno(file), F_GETFL);
    return flags >= 0 && (flags & O_ACCMODE) != O_RDONLY;
}

// The previous undo file moves to a temporary name of its own.
bool KeepPrevious(const std::string& directory, const std::string& undoPath,
                  std::string& previous) {
    const int fd = CreateUniqueFile(directory, kTemporaryPrefix, previous);
    if (fd < 0)
        return false;
    close(fd);
    if (std::rename(undoPath.c_str(), previous.c_str()) != 0) {
        unlink(previous.c_str());
        previous.clear();
        return false;
    }
    return true;
}

void Forget(UndoFileWriting& writing) {
    writing = UndoFileWriting{};
}

}  // namespace

bool OpenUndoFileForWriting(RenamingContext& context, const std::string& directory) {
    CloseUndoFile(context);
    // Only an absolute directory: a relative one would name whatever
    // directory happens to be current.
    if (directory.empty() || directory[0] != '/')
        return false;
    RemoveFile(JoinPath(directory, kRollbackFileName));
    const std::string undoPath = JoinPath(directory, kUndoFileName);
    const EntryType existing = TypeOf(undoPath);
    if (existing != EntryType::Missing && existing != EntryType::Regular)
        return false;
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
    UndoFileWriting& writing = context.undoWriting;
    Forget(writing);
    writing.directory = directory;
    const bool kept =
        existing == EntryType::Missing || KeepPrevious(directory, undoPath, writing.previous);
    if (!kept || std::rename(fresh.c_str(), undoPath.c_str()) != 0) {
        std::fclose(file);
        unlink(fresh.c_str());
        if (!writing.previous.empty())
            std::rename(writing.previous.c_str(), undoPath.c_str());
        Forget(writing);
        return false;
    }
    context.undoFile = file;
    return true;
}

bool OpenUndoFileForReading(RenamingContext& context, const std::string& directory) {
    CloseUndoFile(context);
    if (directory.empty() || directory[0] != '/')
        return false;
    const int fd = OpenRegularForReading(JoinPath(directory, kUndoFileName));
    if (fd < 0)
        return false;
    context.undoFile = fdopen(fd, "rb");
    if (context.undoFile == nullptr)
        close(fd);
    return context.undoFile != nullptr;
}

void WriteUndoLine(const std::string& text, RenamingContext& context) {
    if (context.undoFile == nullptr)
        return;
    std::fwrite(text.data(), 1, text.size(), context.undoFile);
    std::fputs("\r\n", context.undoFile);
}

bool RecordUndoPair(RenamingContext& context, const std::string& oldName,
                    const std::string& newName) {
    if (context.undoFile == nullptr)
        return true;
    UndoFileWriting& writing = context.undoWriting;
    writing.lastPairStart = std::ftell(context.undoFile);
    ++writing.pairs;
    // One write of the whole pair (the file is unbuffered): once it returns,
    // a kill cannot take the pair back.
    const std::string pair = oldName + "\r\n" + newName + "\r\n";
    if (std::fwrite(pair.data(), 1, pair.size(), context.undoFile) == pair.size())
        return true;
    const int error = errno;
    std::clearerr(context.undoFile);
    DropLastUndoPair(context);
    errno = error;
    return false;
}

void DropLastUndoPair(RenamingContext& context) {
    UndoFileWriting& writing = context.undoWriting;
    if (context.undoFile == nullptr || writing.lastPairStart < 0)
        return;
    if (ftruncate(fileno(context.undoFile), writing.lastPairStart) == 0) {
        std::fseek(context.undoFile, writing.lastPairStart, SEEK_SET);
        --writing.pairs;
    }
    writing.lastPairStart = -1;
}

std::string ReadUndoLine(RenamingContext& context) {
    std::string line;
    if (context.undoFile == nullptr)
        return line;
    for (;;) {
        int c = std::getc(context.undoFile);
        if (c == EOF || c == '\n' || c == kUndoEndMark)
            break;
        if (line.size() < kKeptBytes)
            line.push_back(static_cast<char>(c));
    }
    // A longer line loses its end to the cut below in any case.
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (line.size() > kUndoLineMaxBytes)
        line = Utf8CutBytes(line, kUndoLineMaxBytes);
    return line;
}

std::vector<UndoPair> ReadUndoPairs(RenamingContext& context, bool& complete) {
    std::vector<UndoPair> pairs;
    for (;;) {
        UndoPair pair;
        pair.oldName = ReadUndoLine(context);
        if (pair.oldName.empty())
            break;
        pair.newName = ReadUndoLine(context);
        pairs.push_back(std::move(pair));
    }
    // The pairs end at the end mark (or an empty line) unless the file ran out first.
    complete = context.undoFile != nullptr && !std::feof(context.undoFile);
    return pairs;
}

void CloseUndoFile(RenamingContext& context) {
    if (context.undoFile == nullptr)
        return;
    const bool writing = OpenedForWriting(context.undoFile);
    if (writing) {
        std::fputc(kUndoEndMark, context.undoFile);
        fsync(fileno(context.undoFile));
    }
    std::fclose(context.undoFile);
    context.undoFile = nullptr;
    if (!writing)
        return;
    UndoFileWriting& state = context.undoWriting;
    if (!state.previous.empty()) {
        if (state.pairs == 0) {
            std::rename(state.previous.c_str(), JoinPath(state.directory, kUndoFileName).c_str());
        } else {
            unlink(state.previous.c_str());
        }
    }
    SyncDirectory(state.directory);
    Forget(state);
}

bool RewriteUndoFile(const std::string& directory, const std::vector<UndoPair>& pairs) {
    const std::string undoPath = JoinPath(directory, kUndoFileName);
    if (pairs.empty())
        return RemoveFile(undoPath) || TypeOf(undoPath) == EntryType::Missing;
    std::string bytes;
    for (const UndoPair& pair : pairs)
        bytes += pair.oldName + "\r\n" + pair.newName + "\r\n";
    bytes += kUndoEndMark;
    return ReplaceFileContents(undoPath, bytes, kTemporaryPrefix);
}

bool IsRecordableUndoLine(const std::string& text) {
    return !text.empty() && text.size() <= kUndoLineMaxBytes &&
           text.find('\n') == std::string::npos && text.find(kUndoEndMark) == std::string::npos &&
           text.back() != '\r';
}

}  // namespace tagnomen

#include "app/UndoFile.h"

#include <fcntl.h>
#include <sys/stat.h>
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

std::FILE* OpenForWriting() {
    // O_NOFOLLOW: a symbolic link named "Undo.inf" must not make Save
    // truncate a file elsewhere.
    int fd = open(kUndoFileName, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        return nullptr;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return nullptr;
    }
    std::FILE* file = fdopen(fd, "wb");
    if (file == nullptr)
        close(fd);
    return file;
}

std::FILE* OpenForReading() {
    int fd = open(kUndoFileName, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return nullptr;
    }
    std::FILE* file = fdopen(fd, "rb");
    if (file == nullptr)
        close(fd);
    return file;
}

template <typename Open>
bool OpenInWorkDirectory(RenamingContext& context, Open open, bool deleteRollback) {
    CloseUndoFile(context);
    std::string workDirectory;
    context.settings.GetPathToWork(workDirectory);
    DirectoryScope scope;
    // Without the work directory nothing is opened or deleted: the current
    // directory may be any other one.
    if (!scope.Enter(workDirectory))
        return false;
    if (deleteRollback)
        RemoveFile(kRollbackFileName);
    context.undoFile = open();
    return context.undoFile != nullptr;
}

bool OpenedForWriting(std::FILE* file) {
    int flags = fcntl(fileno(file), F_GETFL);
    return flags >= 0 && (flags & O_ACCMODE) != O_RDONLY;
}

}  // namespace

bool OpenUndoFileForWriting(RenamingContext& context) {
    return OpenInWorkDirectory(context, OpenForWriting, true);
}

bool OpenUndoFileForReading(RenamingContext& context) {
    return OpenInWorkDirectory(context, OpenForReading, false);
}

void WriteUndoLine(const std::string& text, RenamingContext& context) {
    if (context.undoFile == nullptr)
        return;
    std::fwrite(text.data(), 1, text.size(), context.undoFile);
    std::fputs("\r\n", context.undoFile);
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

void CloseUndoFile(RenamingContext& context) {
    if (context.undoFile == nullptr)
        return;
    if (OpenedForWriting(context.undoFile))
        std::fputc(kUndoEndMark, context.undoFile);
    std::fclose(context.undoFile);
    context.undoFile = nullptr;
}

bool IsRecordableUndoLine(const std::string& text) {
    return !text.empty() && text.size() <= kUndoLineMaxBytes &&
           text.find('\n') == std::string::npos && text.find(kUndoEndMark) == std::string::npos &&
           text.back() != '\r';
}

}  // namespace tagnomen

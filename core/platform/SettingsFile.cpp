#include "platform/SettingsFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tagnomen {

namespace {

constexpr const char* kHeader = "Windows Registry Editor Version 5.00";

unsigned char LowerAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? c + 32 : c;
}

bool ReadWholeFile(const std::string& path, std::string& content) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    content.clear();
    char buffer[8192];
    for (;;) {
        ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            close(fd);
            return false;
        }
        if (got == 0)
            break;
        content.append(buffer, static_cast<std::size_t>(got));
    }
    close(fd);
    return true;
}

bool WriteAllBytes(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t wrote = write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return false;
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

std::string DirectoryOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

bool MakeDirectories(const std::string& directory) {
    if (directory.empty() || directory == "." || directory == "/")
        return true;
    struct stat info {};
    if (stat(directory.c_str(), &info) == 0)
        return S_ISDIR(info.st_mode);
    if (!MakeDirectories(DirectoryOf(directory)))
        return false;
    return mkdir(directory.c_str(), 0700) == 0 || errno == EEXIST;
}

std::string EscapeText(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 2);
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        if (c == '\n') {
            out += "\\n";
            continue;
        }
        out += c;
    }
    return out;
}

// Reads a quoted text starting after its opening quote; position ends after the closing quote.
bool ParseQuoted(const std::string& line, std::size_t& position, std::string& text) {
    text.clear();
    while (position < line.size()) {
        char c = line[position++];
        if (c == '"')
            return true;
        if (c == '\\' && position < line.size()) {
            char next = line[position++];
            text += next == 'n' ? '\n' : next;
            continue;
        }
        text += c;
    }
    return false;
}

bool ParseValueLine(const std::string& line, std::string& name, RegistryValue& value) {
    std::size_t position = 0;
    if (line.empty() || line[0] != '"')
        return false;
    ++position;
    if (!ParseQuoted(line, position, name) || name.empty())
        return false;
    if (position >= line.size() || line[position] != '=')
        return false;
    ++position;
    if (position < line.size() && line[position] == '"') {
        ++position;
        value.type = RegistryValue::Type::String;
        return ParseQuoted(line, position, value.text) && position == line.size();
    }
    static const char kDword[] = "dword:";
    if (line.compare(position, sizeof kDword - 1, kDword) != 0)
        return false;
    position += sizeof kDword - 1;
    std::string digits = line.substr(position);
    if (digits.empty() || digits.size() > 8)
        return false;
    std::uint32_t number = 0;
    for (char c : digits) {
        int digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (LowerAscii(static_cast<unsigned char>(c)) >= 'a' &&
                   LowerAscii(static_cast<unsigned char>(c)) <= 'f') {
            digit = LowerAscii(static_cast<unsigned char>(c)) - 'a' + 10;
        } else {
            return false;
        }
        number = number * 16 + static_cast<std::uint32_t>(digit);
    }
    value.type = RegistryValue::Type::Dword;
    value.number = number;
    return true;
}

// Takes the lock beside the settings file for one read-modify-replace.
class FileLock {
  public:
    explicit FileLock(const std::string& path) {
        fd_ = open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd_ >= 0) {
            while (flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
            }
        }
    }
    ~FileLock() {
        if (fd_ >= 0)
            close(fd_);
    }
    bool Held() const { return fd_ >= 0; }

  private:
    int fd_ = -1;
};

}  // namespace

bool CaseInsensitiveLess::operator()(const std::string& a, const std::string& b) const {
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = LowerAscii(static_cast<unsigned char>(a[i]));
        unsigned char y = LowerAscii(static_cast<unsigned char>(b[i]));
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}

SettingsFile::SettingsFile(std::string path) : path_(std::move(path)) {}

std::string SettingsFile::Serialize(
    const std::vector<std::pair<std::string, RegistryValue>>& values) {
    std::string out = std::string(kHeader) + "\n\n[" + kKeyPath + "]\n";
    char number[16];
    for (const auto& [name, value] : values) {
        out += '"' + EscapeText(name) + "\"=";
        if (value.type == RegistryValue::Type::Dword) {
            std::snprintf(number, sizeof number, "dword:%08x", value.number);
            out += number;
        } else {
            out += '"' + EscapeText(value.text) + '"';
        }
        out += '\n';
    }
    return out;
}

std::optional<std::vector<std::pair<std::string, RegistryValue>>> SettingsFile::Parse(
    const std::string& content) {
    std::vector<std::pair<std::string, RegistryValue>> values;
    const std::string keyLine = std::string("[") + kKeyPath + "]";
    bool inKey = false;
    bool sawKey = false;
    std::size_t start = 0;
    while (start <= content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos)
            end = content.size();
        std::string line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        start = end + 1;
        if (line.empty())
            continue;
        if (line[0] == '[') {
            inKey = CaseInsensitiveLess{}(line, keyLine) == false &&
                    CaseInsensitiveLess{}(keyLine, line) == false;
            sawKey = sawKey || inKey;
            continue;
        }
        if (!inKey)
            continue;
        std::string name;
        RegistryValue value;
        // A damaged line is skipped; the values around it stay readable.
        if (!ParseValueLine(line, name, value))
            continue;
        bool replaced = false;
        for (auto& entry : values) {
            if (!CaseInsensitiveLess{}(entry.first, name) &&
                !CaseInsensitiveLess{}(name, entry.first)) {
                entry.second = value;
                replaced = true;
                break;
            }
        }
        if (!replaced)
            values.emplace_back(std::move(name), std::move(value));
    }
    if (!sawKey)
        return std::nullopt;
    return values;
}

const RegistryValues* SettingsFile::Open() {
    struct stat info {};
    if (stat(path_.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        stamp_.reset();
        values_.reset();
        return nullptr;
    }
    Stamp stamp{info.st_dev, info.st_ino, info.st_size,
                static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec};
    if (stamp_ && *stamp_ == stamp)
        return values_ ? &*values_ : nullptr;
    std::string content;
    values_.reset();
    if (!ReadWholeFile(path_, content)) {
        stamp_.reset();
        return nullptr;
    }
    stamp_ = stamp;
    if (auto parsed = Parse(content)) {
        values_.emplace(parsed->begin(), parsed->end());
    }
    return values_ ? &*values_ : nullptr;
}

bool SettingsFile::CreateKey() {
    if (!MakeDirectories(DirectoryOf(path_)))
        return false;
    return ReplaceLocked({});
}

bool SettingsFile::Write(const std::string& name, const RegistryValue& value) {
    if (Open() == nullptr)
        return false;
    return ReplaceLocked({{name, value}});
}

bool SettingsFile::WriteAll(const std::vector<std::pair<std::string, RegistryValue>>& values) {
    if (Open() == nullptr)
        return false;
    return ReplaceLocked(values);
}

bool SettingsFile::ReplaceLocked(
    const std::vector<std::pair<std::string, RegistryValue>>& updates) {
    FileLock lock(path_);
    if (!lock.Held())
        return false;
    // Re-read under the lock so that another copy's writes are kept.
    std::vector<std::pair<std::string, RegistryValue>> values;
    std::string content;
    if (ReadWholeFile(path_, content)) {
        if (auto parsed = Parse(content))
            values = std::move(*parsed);
    }
    for (const auto& [name, value] : updates) {
        bool replaced = false;
        for (auto& entry : values) {
            if (!CaseInsensitiveLess{}(entry.first, name) &&
                !CaseInsensitiveLess{}(name, entry.first)) {
                entry.second = value;
                replaced = true;
                break;
            }
        }
        if (!replaced)
            values.emplace_back(name, value);
    }
    std::string temporary = path_ + ".new";
    int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    bool ok = WriteAllBytes(fd, Serialize(values)) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    if (!ok || std::rename(temporary.c_str(), path_.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    stamp_.reset();
    return true;
}

}  // namespace tagnomen

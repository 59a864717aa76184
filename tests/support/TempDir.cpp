// SPDX-License-Identifier: GPL-3.0-or-later
#include "TempDir.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fs = std::filesystem;

namespace tagnomen::testing {

TempDir::TempDir() : TempDir(std::string()) {}

TempDir::TempDir(const std::string& base) {
    const fs::path parent = base.empty() ? fs::temp_directory_path() : fs::path(base);
    std::string pattern = (parent / "tagnomen-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code error;
    // Make everything writable again so that removal succeeds after tests
    // that took write permissions away.
    for (auto it = fs::recursive_directory_iterator(path_, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
    }
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(path_, error);
}

void TempDir::Write(const std::string& name, const std::string& bytes) const {
    WriteFile(*this / name, bytes);
}

std::string TempDir::Read(const std::string& name) const {
    return ReadFile(*this / name);
}

bool TempDir::Exists(const std::string& name) const {
    std::error_code error;
    return fs::exists(fs::symlink_status(*this / name, error));
}

std::vector<std::string> TempDir::List() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

ScopedSettingsFile::ScopedSettingsFile() : path_(dir_ / "settings.reg") {
    if (const char* previous = std::getenv("TAGNOMEN_SETTINGS")) {
        previous_ = previous;
        hadPrevious_ = true;
    }
    setenv("TAGNOMEN_SETTINGS", path_.c_str(), 1);
}

ScopedSettingsFile::~ScopedSettingsFile() {
    if (hadPrevious_) {
        setenv("TAGNOMEN_SETTINGS", previous_.c_str(), 1);
    } else {
        unsetenv("TAGNOMEN_SETTINGS");
    }
}

CurrentDirectoryGuard::CurrentDirectoryGuard() : saved_(fs::current_path().string()) {}

CurrentDirectoryGuard::~CurrentDirectoryGuard() {
    std::error_code error;
    fs::current_path(saved_, error);
}

}  // namespace tagnomen::testing

// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target for the two tag readers and, on request of the input's
// last byte, the two writers, with basic or full tag support (also chosen by
// the last byte). The input is the whole contents of a file, read from
// memory; reading must never crash or read outside it. Only an input that
// asks for the writers becomes a file: read from there it must read as it did
// from memory, a write must either leave a tag that reads back as written or
// leave the file exactly as it was, and the audio after the tag never
// changes.
#include <dirent.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tags/Id3v1Record.h"
#include "tags/Id3v2Record.h"
#include "tags/ReadTags.h"
#include "tags/TagEdit.h"
#include "tags/TagFile.h"
#include "tags/TagReport.h"

namespace {

const std::string& FuzzFile() {
    static const std::string path = [] {
        const char* dir = std::getenv("TMPDIR");
        return std::string(dir != nullptr ? dir : "/tmp") + "/tagnomen-fuzz-" +
               std::to_string(::getpid()) + ".mp3";
    }();
    return path;
}

void WriteInput(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        std::abort();
    }
    if (size > 0 && std::fwrite(data, 1, size, out) != size) {
        std::abort();
    }
    std::fclose(out);
}

long FileLength(const std::string& path) {
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (in == nullptr) {
        return -1;
    }
    std::fseek(in, 0, SEEK_END);
    const long length = std::ftell(in);
    std::fclose(in);
    return length;
}

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

std::string ReadWhole(const std::string& path) {
    std::string bytes;
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (in == nullptr) {
        return bytes;
    }
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, in)) > 0;) {
        bytes.append(buffer, got);
    }
    std::fclose(in);
    return bytes;
}

// True when a rebuild of this process left its temporary file beside `path`.
bool LeftATemporaryFile(const std::string& path) {
    const std::string directory = path.substr(0, path.rfind('/'));
    const std::string prefix = std::string(tagnomen::kRebuildPrefix) + std::to_string(::getpid());
    DIR* listing = ::opendir(directory.c_str());
    bool found = false;
    while (const dirent* entry = listing != nullptr ? ::readdir(listing) : nullptr) {
        found = found || std::string(entry->d_name).rfind(prefix, 0) == 0;
    }
    if (listing != nullptr) {
        ::closedir(listing);
    }
    return found;
}

// The reads of both tags through one handle and the records' own reads of
// another agree.
void CheckReadsAgree(const tagnomen::TagFile& file, tagnomen::TagSupport support,
                     const tagnomen::Id3v1Record& v1, const tagnomen::Id3v2Record& v2, int read) {
    tagnomen::Id3v1Record v1Alone(support);
    tagnomen::Id3v2Record v2Alone(support);
    Check(v1Alone.ReadTag(file) == 1);
    Check(v2Alone.ReadTag(file) == read);
    Check(v1Alone.tagPresent == v1.tagPresent && v1Alone.title == v1.title &&
          v1Alone.comment == v1.comment && v1Alone.track == v1.track);
    Check(v2Alone.tagPresent == v2.tagPresent && v2Alone.tagSize == v2.tagSize &&
          v2Alone.title == v2.title && v2Alone.genre == v2.genre && v2Alone.url == v2.url &&
          v2Alone.comment == v2.comment && v2Alone.track == v2.track);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using tagnomen::TagSupport;
    const std::string input(reinterpret_cast<const char*>(data), size);
    const TagSupport support =
        size > 0 && (data[size - 1] & 0x04) != 0 ? TagSupport::Full : TagSupport::Basic;

    const tagnomen::TagFile memory = tagnomen::TagFile::FromBytes(input);
    tagnomen::Id3v1Record v1(support);
    tagnomen::Id3v2Record v2(support);
    const int read = tagnomen::ReadTags(memory, v1, v2);
    CheckReadsAgree(tagnomen::TagFile::FromBytes(input), support, v1, v2, read);
    Check(v1.track >= 0 && v1.track <= 99 && v1.genre >= 0 && v1.genre <= 255);
    Check(v2.track >= 0 && v2.track <= 99 && v2.tagSize >= 0 &&
          v2.tagSize <= static_cast<long>(size));
    Check(!tagnomen::DescribeTagsAsJson(memory, "input", support).empty());
    tagnomen::ReadCoverPicture(memory);

    if (size > 0 && (data[size - 1] & 0x03) == 0x03) {
        const std::string& path = FuzzFile();
        WriteInput(path, data, size);
        // The file reads as the memory did, through its window.
        CheckReadsAgree(tagnomen::TagFile(path), support, v1, v2, read);
        // Write both tags from the values read and read them back.
        const long before = FileLength(path);
        tagnomen::Id3v2Record writer(support);
        writer.Reset();
        writer.SetTitle(v2.title.empty() ? v1.title : v2.title);
        writer.SetArtist(v2.artist);
        writer.SetComment(v2.comment);
        writer.SetGenre(v2.genre);
        writer.SetTrack(std::to_string(v2.track));
        const int wrote = writer.WriteTag(path);
        tagnomen::Id3v2Record back(support);
        if (wrote == 1) {
            Check(back.ReadTag(path) == 1);
            if (back.tagPresent == 1) {
                Check(back.tagSize >= 10 && back.track == writer.TrackToWrite());
                Check(support == TagSupport::Full ? back.majorVersion >= 3
                                                  : back.majorVersion == 3);
            } else {
                // Full support adds no tag to hold nothing.
                Check(support == TagSupport::Full && v2.tagPresent == 0);
            }
        } else {
            // A tag whose end is not known for sure is not touched at all.
            Check(ReadWhole(path) == input);
        }
        const long middle = FileLength(path);
        tagnomen::Id3v1Record v1Writer;
        v1Writer.Reset();
        v1Writer.SetTitle(v1.title);
        v1Writer.SetArtist(v1.artist);
        v1Writer.SetAlbum(v1.album);
        v1Writer.SetYear(v1.year);
        v1Writer.SetComment(v1.comment);
        v1Writer.trackByte = static_cast<std::uint8_t>(v1.track);
        v1Writer.genreByte = static_cast<std::uint8_t>(v1.genre);
        Check(v1Writer.WriteTag(path) == 1);
        tagnomen::Id3v1Record v1Back(support);
        v1Back.ReadTag(path);
        Check(v1Back.tagPresent == 1 && v1Back.track == v1.track && v1Back.genre == v1.genre);
        const long after = FileLength(path);
        Check(after == middle || after == middle + 128);
        Check(before >= 0);
        Check(!LeftATemporaryFile(path));
        ::unlink(path.c_str());
    }
    return 0;
}

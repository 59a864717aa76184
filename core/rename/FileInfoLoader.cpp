// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/FileInfoLoader.h"

#include <cstdint>

#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "platform/Ui.h"
#include "rename/TagReconciliation.h"
#include "tags/GenreTable.h"
#include "tags/Id3v1Record.h"
#include "tags/Id3v2Record.h"
#include "tags/TagSource.h"

namespace tagnomen {

namespace {

// Every candidate and every output holds at most this many characters.
constexpr std::size_t kMaxValueCharacters = 255;
// The prompt shows the file name as a block of 256 bytes, terminator included.
constexpr std::size_t kMaxPromptFileNameBytes = 255;
// An ID3v1 text this long that occurs inside the ID3v2 text is taken to be
// the same value cut to fit the ID3v1 field.
constexpr std::size_t kCutTextCharacters = 27;

// Cuts a candidate to its first 255 characters.
void LimitCandidate(std::string& text) {
    if (text.size() > kMaxValueCharacters) {
        text = Utf8Left(text, kMaxValueCharacters);
    }
}

// Only the low byte of a stored track or genre number counts, taken as a
// signed 8-bit value.
int SignedLowByte(int stored) {
    return static_cast<std::int8_t>(static_cast<std::uint8_t>(stored & 0xFF));
}

// A track candidate: the number in decimal, empty for 0.
std::string TrackCandidate(int stored) {
    const int value = SignedLowByte(stored);
    return value == 0 ? std::string() : std::to_string(value);
}

// An ID3v1 genre candidate: the number in decimal when it lies in 1..127,
// else empty; so "Blues" (0) and "none" (255) never come from that tag.
std::string Id3v1GenreCandidate(int stored) {
    const int value = SignedLowByte(stored);
    return value > 0 ? std::to_string(value) : std::string();
}

class Reconciler {
  public:
    Reconciler(Ui& ui, const LoaderKey& key, const std::string& fileName,
               const TagCandidates& candidates)
        : ui_(ui), key_(key), fileName_(fileName), v1_(candidates.id3v1), v2_(candidates.id3v2) {}

    void Run(SongValues& out) {
        if (key_.title) {
            out.title = Text(key_.promptTitle, "Title - Song Name", "Unknown Title", v1_.title,
                             v2_.title, true);
        }
        if (key_.artist) {
            out.artist = Text(key_.promptArtist, "Artist - Author", "Unknown Artist", v1_.artist,
                              v2_.artist, true);
        }
        if (key_.album) {
            out.album =
                Text(key_.promptAlbum, "Album", "Unknown Album", v1_.album, v2_.album, true);
        }
        if (key_.year) {
            out.year = Text(key_.promptYear, "Year", "Unknown Year", v1_.year, v2_.year, false);
        }
        if (key_.track) {
            out.track = Track();
        }
        if (key_.genre) {
            out.genre = Genre();
        }
    }

  private:
    std::string Ask(const char* caption, const std::string& v1, const std::string& v2) {
        if (fileName_.size() <= kMaxPromptFileNameBytes) {
            return ui_.AskTagMismatch(caption, fileName_, v1, v2);
        }
        return ui_.AskTagMismatch(caption, Utf8CutBytes(fileName_, kMaxPromptFileNameBytes), v1,
                                  v2);
    }

    std::string Text(bool prompt, const char* caption, const char* placeholder,
                     const std::string& v1, const std::string& v2, bool cutTextRule) {
        if (auto settled = SettleByPresence(v1, v2, placeholder)) {
            return *settled;
        }
        if (cutTextRule && IsCutShortCopy(v1, v2, kCutTextCharacters)) {
            return v2;
        }
        if (prompt) {
            return Limited(Ask(caption, v1, v2));
        }
        return v2;
    }

    std::string Track() {
        const std::string& v1 = v1_.track;
        const std::string& v2 = v2_.track;
        if (auto settled = SettleByPresence(v1, v2, "Unknown Track")) {
            return *settled;
        }
        if (auto settled = SettleTrack(v1, v2)) {
            return *settled;
        }
        return Limited(Ask("Track Number", v1, v2));
    }

    std::string Genre() {
        const std::string& v1 = v1_.genre;
        const std::string& v2 = v2_.genre;
        if (auto settled = SettleByPresence(v1, v2, "Unknown Genre")) {
            return *settled;
        }
        std::string n1, n2;
        if (auto settled = SettleGenre(v1, v2, n1, n2)) {
            return *settled;
        }
        return Ask("Genre", n1, n2) == n1 ? v1 : v2;
    }

    // An answer of a Ui is one of the two offered texts; kept within bounds
    // all the same.
    static std::string Limited(std::string answer) {
        LimitCandidate(answer);
        return answer;
    }

    Ui& ui_;
    const LoaderKey& key_;
    const std::string& fileName_;
    const SongValues& v1_;
    const SongValues& v2_;
};

}  // namespace

void ReadTagCandidates(TagSource& source, const std::string& fileName, TagCandidates& out) {
    out = TagCandidates{};
    if (!IsBareFileName(fileName)) {
        return;
    }
    FileTags tags = source.Take(fileName);
    Id3v1Record& v1 = tags.id3v1;
    Id3v2Record& v2 = tags.id3v2;
    const int v2Result = tags.id3v2Result;

    if (v1.tagPresent == 1) {
        out.id3v1.title = std::move(v1.title);
        out.id3v1.artist = std::move(v1.artist);
        out.id3v1.album = std::move(v1.album);
        out.id3v1.year = std::move(v1.year);
        out.id3v1.track = TrackCandidate(v1.track);
        out.id3v1.genre = Id3v1GenreCandidate(v1.genre);
    }
    if (v2Result == 1 && v2.tagPresent == 1) {
        out.id3v2.title = std::move(v2.title);
        out.id3v2.artist = std::move(v2.artist);
        out.id3v2.album = std::move(v2.album);
        out.id3v2.year = std::move(v2.year);
        out.id3v2.track = TrackCandidate(v2.track);
        out.id3v2.genre = std::move(v2.genre);
    }
    for (SongValues* side : {&out.id3v1, &out.id3v2}) {
        for (SongField field : kSongFields) {
            LimitCandidate((*side)[field]);
        }
    }
}

void ReconcileFileInformation(Ui& ui, const LoaderKey& key, const std::string& fileName,
                              const TagCandidates& candidates, SongValues& out) {
    out = SongValues{};
    Reconciler(ui, key, fileName, candidates).Run(out);
}

void LoadFileInformation(Ui& ui, TagSource& tags, const LoaderKey& key, const std::string& fileName,
                         SongValues& out) {
    out = SongValues{};
    TagCandidates candidates;
    ReadTagCandidates(tags, fileName, candidates);
    Reconciler(ui, key, fileName, candidates).Run(out);
}

}  // namespace tagnomen

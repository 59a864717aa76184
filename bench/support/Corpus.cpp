// SPDX-License-Identifier: GPL-3.0-or-later
// Generated directories of MP3 files for the benchmarks. The tags are built
// byte by byte here, independent of the tag writers being measured: ID3v2.3
// tags of varied size (some with a picture frame), ID3v1.1 blocks, fake audio.
#include "Corpus.h"

#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace tagnomen::bench {

namespace {

const char* const kArtists[] = {"the beatles",
                                "Pink_Floyd",
                                "R.E.M.",
                                "bEATLES",
                                "a-ha",
                                "Daft Punk",
                                "prince",
                                "The_Rolling_Stones",
                                "Bj\xC3\xB6rk",
                                "ac dc",
                                "Sigur R\xC3\xB3s",
                                "Motorhead",
                                "abba",
                                "Queen",
                                "u2",
                                "Portishead",
                                "Air",
                                "Massive Attack",
                                "The Cure",
                                "nirvana"};
const char* const kTitles[] = {"help!",
                               "Money",
                               "losing my religion",
                               "take_on_me",
                               "dance",
                               "Song",
                               "around the world",
                               "paint it black",
                               "Title",
                               "it's my life",
                               "Yesterday",
                               "Comfortably Numb",
                               "Everybody Hurts",
                               "Hunting High",
                               "One More Time",
                               "Purple Rain",
                               "J\xC3\xB3ga",
                               "Hopp\xC3\xADpolla",
                               "Ace of Spades",
                               "Waterloo",
                               "Bohemian Rhapsody",
                               "One",
                               "Glory Box",
                               "Sexy Boy",
                               "Teardrop",
                               "Lovesong",
                               "Lithium",
                               "Come Together",
                               "Time",
                               "Drive",
                               "Strange Days",
                               "Roads",
                               "La Femme d'Argent",
                               "Angel",
                               "Pictures of You",
                               "Breed",
                               "Let It Be",
                               "Us and Them",
                               "Nightswimming",
                               "The Sun Always Shines",
                               "Da Funk",
                               "Kiss",
                               "Svefn-g-englar",
                               "Overkill",
                               "Dancing Queen",
                               "Under Pressure",
                               "With or Without You",
                               "Sour Times",
                               "Playground Love",
                               "Unfinished Sympathy"};
constexpr int kArtistCount = sizeof kArtists / sizeof kArtists[0];
constexpr int kTitleCount = sizeof kTitles / sizeof kTitles[0];

std::string Pad2(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

// UTF-8 to ISO-8859-1 for the few two-byte letters of the lists above.
std::string Latin1(const std::string& utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if ((c == 0xC2 || c == 0xC3) && i + 1 < utf8.size()) {
            out.push_back(static_cast<char>(((c & 0x1F) << 6) | (utf8[i + 1] & 0x3F)));
            ++i;
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    return out;
}

std::string Syncsafe(std::uint32_t n) {
    return {static_cast<char>((n >> 21) & 0x7F), static_cast<char>((n >> 14) & 0x7F),
            static_cast<char>((n >> 7) & 0x7F), static_cast<char>(n & 0x7F)};
}

std::string Frame(const char* id, const std::string& data) {
    const auto n = static_cast<std::uint32_t>(data.size());
    std::string frame(id, 4);
    frame += {static_cast<char>(n >> 24), static_cast<char>(n >> 16), static_cast<char>(n >> 8),
              static_cast<char>(n)};
    frame += std::string(2, '\0');
    return frame + data;
}

std::string TextFrame(const char* id, const std::string& text) {
    return Frame(id, std::string(1, '\0') + text);
}

std::string Id3v2Tag(int i, const std::string& title, const std::string& artist,
                     const std::string& album, int track, int year, int genre) {
    std::string frames =
        TextFrame("TIT2", title) + TextFrame("TPE1", artist) + TextFrame("TALB", album) +
        TextFrame("TYER", std::to_string(year)) +
        TextFrame("TRCK", std::to_string(track) + "/" + std::to_string(12 + i % 8)) +
        TextFrame("TCON", "(" + std::to_string(genre) + ")") +
        TextFrame("COMM", std::string("eng\0", 4) + "Ripped #" + std::to_string(i));
    if (i % 4 == 0) {
        frames += TextFrame("TENC", "LAME 3.98");
    }
    if (i % 10 == 0) {
        // A small cover picture that readers must skip.
        frames +=
            Frame("APIC", std::string("\0image/jpeg\0\x03\0", 14) +
                              std::string(static_cast<std::size_t>(1500 + (i % 7) * 500), 'J'));
    }
    const std::size_t padding = (i % 3 == 0) ? 0 : static_cast<std::size_t>(256 * (1 + i % 5));
    const std::string body = frames + std::string(padding, '\0');
    return std::string("ID3\x03\0\0", 6) + Syncsafe(static_cast<std::uint32_t>(body.size())) + body;
}

std::string Id3v1Block(const std::string& title, const std::string& artist,
                       const std::string& album, int track, int year, int genre) {
    std::string block(128, '\0');
    block.replace(0, 3, "TAG");
    auto put = [&block](std::size_t at, const std::string& text, std::size_t width) {
        block.replace(at, std::min(text.size(), width), text.substr(0, width));
    };
    put(3, title, 30);
    put(33, artist, 30);
    put(63, album, 30);
    put(93, std::to_string(year), 4);
    put(97, "bench", 28);
    block[126] = static_cast<char>(track);
    block[127] = static_cast<char>(genre);
    return block;
}

std::string FakeAudio(int i, int bytes) {
    std::string audio(static_cast<std::size_t>(bytes), '\0');
    std::uint32_t state = 2463534242u ^ static_cast<std::uint32_t>(i);
    for (std::size_t k = 0; k < audio.size(); ++k) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        audio[k] = static_cast<char>(state);
    }
    for (std::size_t k = 0; k + 1 < audio.size(); k += 417) {
        audio[k] = static_cast<char>(0xFF);  // frame sync words now and then
        audio[k + 1] = static_cast<char>(0xFB);
    }
    return audio;
}

}  // namespace

std::string MessyName(int index) {
    const int i = index < 0 ? -index : index;
    const std::string artist = kArtists[i % kArtistCount];
    const std::string title = kTitles[(i / kArtistCount) % kTitleCount];
    const int round = i / (kArtistCount * kTitleCount);
    const std::string take = round == 0 ? "" : " (take " + std::to_string(round + 1) + ")";
    const int track = 1 + i % 19;
    switch (i % 6) {
        case 0:
            return Pad2(track) + " - " + artist + " - " + title + take + ".mp3";
        case 1:
            return artist + " - " + title + take + ".mp3";
        case 2:
            return "(" + artist + ") - " + title + take + " [" + std::to_string(1970 + i % 40) +
                   "].mp3";
        case 3: {
            std::string name = artist + "_-_" + title + take + "_" + Pad2(track) + ".MP3";
            for (char& c : name) {
                c = c == ' ' ? '_' : c;
            }
            return name;
        }
        case 4:
            return Pad2(track) + ". " + artist + " - " + title + take + " (www.mp3site.com).mp3";
        default:
            return "track" + Pad2(track) + "-" + artist + "-" + title + take + ".mp3";
    }
}

std::string MakeCorpus(const CorpusOptions& options) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern =
        std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/tagnomen-corpus-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a corpus directory below " + pattern);
    }
    for (int i = 0; i < options.files; ++i) {
        const std::string artist = kArtists[i % kArtistCount];
        const std::string title = kTitles[(i / kArtistCount) % kTitleCount];
        const std::string album = "Album " + std::to_string(1 + i % 37);
        const int track = 1 + i % 19;
        const int year = 1960 + i % 60;
        const int genre = i % 150;
        std::string bytes;
        if (options.withId3v2) {
            bytes += Id3v2Tag(i, Latin1(title), Latin1(artist), album, track, year, genre);
        }
        bytes += FakeAudio(i, options.audioBytes);
        if (options.withId3v1) {
            bytes += Id3v1Block(Latin1(title), Latin1(artist), album, track, year, genre);
        }
        const std::string name =
            options.messyNames ? MessyName(i) : "file" + std::to_string(100000 + i) + ".mp3";
        std::ofstream out(pattern + "/" + name, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            throw std::runtime_error("cannot write " + name);
        }
    }
    return pattern;
}

void RemoveCorpus(const std::string& path) {
    std::error_code error;
    std::filesystem::remove_all(path, error);
}

}  // namespace tagnomen::bench

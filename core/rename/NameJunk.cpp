// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/NameJunk.h"

#include <cstddef>
#include <vector>

#include "platform/Text.h"

namespace tagnomen {

namespace {

constexpr std::string_view kBitrateUnits[] = {"kbit/s", "kbits", "kbps", "kbit", "kb/s", "kbs"};
// Bitrates an MP3 encoder writes; only these take the short unit "k".
constexpr int kCommonBitrates[] = {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
constexpr std::string_view kFormatWords[] = {"vbr", "cbr", "mp3"};
// Top-level domains that name a site without "www.": none is an English word.
constexpr std::string_view kSiteDomains[] = {"com", "net", "org", "info", "biz", "ru",  "su", "ua",
                                             "kz",  "pl",  "de",  "uk",   "fm",  "tv",  "cc", "ws",
                                             "eu",  "fr",  "nl",  "cz",   "sk",  "hu",  "ro", "bg",
                                             "lt",  "lv",  "ee",  "io",   "xyz", "mobi"};
constexpr std::string_view kVideoMarkers[] = {
    "official", "officiel", "oficial",    "video",      "videoclip", "clip", "audio",
    "lyric",    "lyrics",   "visualizer", "visualiser", "hd",        "hq",   "download"};
constexpr std::string_view kRemasterMarkers[] = {"remaster", "remastered"};
constexpr std::string_view kNoteFillers[] = {
    "music", "full", "with",    "digital", "digitally", "version", "edition", "album",
    "new",   "high", "quality", "only",    "free",      "in",      "and",     "the",
    "by",    "from", "at",      "on",      "via",       "screen",  "@"};

template <std::size_t N>
bool IsOneOf(std::string_view word, const std::string_view (&words)[N]) {
    for (std::string_view w : words) {
        if (w == word) {
            return true;
        }
    }
    return false;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsBlankish(char c) {
    return c == ' ' || c == '_' || c == '\t';
}

bool IsOpening(char c) {
    return c == '(' || c == '[' || c == '{';
}

bool IsClosing(char c) {
    return c == ')' || c == ']' || c == '}';
}

char ClosingOf(char open) {
    return open == '(' ? ')' : open == '[' ? ']' : '}';
}

bool StartsWithIgnoringCase(std::string_view text, std::size_t pos, std::string_view prefix) {
    return pos <= text.size() && text.size() - pos >= prefix.size() &&
           EqualsIgnoreAsciiCase(text.substr(pos, prefix.size()), prefix);
}

bool IsWordEnd(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) {
        return true;
    }
    const char c = text[pos];
    return !((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || IsDigit(c));
}

bool IsYear(std::string_view word) {
    if (word.size() != 4 || !IsDigit(word[0]) || !IsDigit(word[1]) || !IsDigit(word[2]) ||
        !IsDigit(word[3])) {
        return false;
    }
    const int year = LeadingInteger(word);
    return year >= 1900 && year <= 2099;
}

// 240p, 360p, 480p, 720p, 1080p, 1440p, 2160p, 4k, 8k.
bool IsVideoSize(std::string_view word) {
    if (word == "4k" || word == "8k") {
        return true;
    }
    if (word.size() < 4 || word.back() != 'p') {
        return false;
    }
    for (const char c : word.substr(0, word.size() - 1)) {
        if (!IsDigit(c)) {
            return false;
        }
    }
    const int lines = LeadingInteger(word);
    return lines == 240 || lines == 360 || lines == 480 || lines == 720 || lines == 1080 ||
           lines == 1440 || lines == 2160;
}

bool IsHostLabel(std::string_view label) {
    if (label.empty() || label.front() == '-' || label.back() == '-') {
        return false;
    }
    for (const char c : label) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || IsDigit(c) || c == '-';
        if (!ok) {
            return false;
        }
    }
    return true;
}

// Labels joined by dots: at least two, every one a host label.
bool SplitHost(std::string_view host, std::vector<std::string_view>& labels) {
    labels.clear();
    std::size_t begin = 0;
    while (true) {
        const std::size_t dot = host.find('.', begin);
        const std::string_view label = host.substr(begin, dot - begin);
        if (!IsHostLabel(label)) {
            return false;
        }
        labels.push_back(label);
        if (dot == std::string_view::npos) {
            break;
        }
        begin = dot + 1;
    }
    return labels.size() >= 2;
}

std::string_view TrimPunctuation(std::string_view word) {
    constexpr std::string_view kAround = "()[]{}<>\"',;:!?";
    while (!word.empty() && kAround.find(word.front()) != std::string_view::npos) {
        word.remove_prefix(1);
    }
    while (!word.empty() &&
           (kAround.find(word.back()) != std::string_view::npos || word.back() == '.')) {
        word.remove_suffix(1);
    }
    return word;
}

// A segment read word by word, for the note rule.
struct SegmentWords {
    int words = 0;
    bool unknownWord = false;
    bool year = false;
    bool bitrate = false;
    bool site = false;
    bool video = false;
    bool remaster = false;
};

void ReadVocabularyWord(std::string_view word, SegmentWords& read) {
    const std::string lower = ToLowerAscii(word);
    if (lower.empty()) {
        return;
    }
    ++read.words;
    if (IsYear(lower)) {
        read.year = true;
    } else if (IsOneOf(lower, kRemasterMarkers)) {
        read.remaster = true;
    } else if (IsOneOf(lower, kVideoMarkers) || IsVideoSize(lower)) {
        read.video = true;
    } else if (IsOneOf(lower, kFormatWords)) {
        read.bitrate = true;
    } else if (!IsOneOf(lower, kNoteFillers)) {
        read.unknownWord = true;
    }
}

bool IsWordSeparator(char c) {
    constexpr std::string_view kSeparators = " _\t,;|+&()[]{}:!";
    return kSeparators.find(c) != std::string_view::npos;
}

SegmentWords ReadSegment(std::string_view segment) {
    SegmentWords read;
    std::size_t pos = 0;
    while (pos < segment.size()) {
        if (IsWordSeparator(segment[pos])) {
            ++pos;
            continue;
        }
        const std::size_t bitrate = BitrateLengthAt(segment, pos);
        if (bitrate > 0 && IsWordEnd(segment, pos + bitrate)) {
            read.bitrate = true;
            ++read.words;
            pos += bitrate;
            continue;
        }
        // A site runs to the next blank, whatever ":" or "&" it holds.
        std::size_t siteEnd = pos;
        while (siteEnd < segment.size() && !IsBlankish(segment[siteEnd]) &&
               segment[siteEnd] != ',') {
            ++siteEnd;
        }
        if (IsSiteWord(segment.substr(pos, siteEnd - pos))) {
            read.site = true;
            ++read.words;
            pos = siteEnd;
            continue;
        }
        const std::size_t begin = pos;
        while (pos < segment.size() && !IsWordSeparator(segment[pos])) {
            ++pos;
        }
        const std::string_view word = segment.substr(begin, pos - begin);
        // "hd-video", "audio/video": the pieces of a word are words of their own.
        std::size_t piece = 0;
        while (piece <= word.size()) {
            const std::size_t end = word.find_first_of("-/", piece);
            const std::size_t stop = end == std::string_view::npos ? word.size() : end;
            ReadVocabularyWord(TrimPunctuation(word.substr(piece, stop - piece)), read);
            piece = stop + 1;
        }
    }
    return read;
}

JunkKind KindOf(const SegmentWords& read) {
    if (read.unknownWord) {
        return JunkKind::kNone;
    }
    if (read.remaster) {
        return JunkKind::kRemasterNote;
    }
    if (read.video) {
        return JunkKind::kVideoNote;
    }
    if (read.site) {
        return JunkKind::kSite;
    }
    if (read.bitrate) {
        return JunkKind::kBitrate;
    }
    return JunkKind::kNone;  // fillers and years alone say nothing
}

std::string_view TrimBlankish(std::string_view text) {
    while (!text.empty() && IsBlankish(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlankish(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// The pieces of a bracket's content that are not junk, with the separators
// in front of them; empty when every piece is junk or blank.
std::string KeepNamePieces(std::string_view content, bool& changed) {
    struct Piece {
        std::string_view separator;
        std::string_view text;
    };
    std::vector<Piece> pieces;
    std::size_t separatorBegin = 0;
    std::size_t begin = 0;
    for (std::size_t pos = 0; pos < content.size(); ++pos) {
        const char c = content[pos];
        const bool spaced = pos > 0 && content[pos - 1] == ' ' && pos + 1 < content.size() &&
                            content[pos + 1] == ' ';
        if (c == ',' || c == ';' || c == '|' || ((c == '-' || c == '/') && spaced)) {
            pieces.push_back({content.substr(separatorBegin, begin - separatorBegin),
                              content.substr(begin, pos - begin)});
            separatorBegin = pos;
            begin = pos + 1;
        }
    }
    pieces.push_back(
        {content.substr(separatorBegin, begin - separatorBegin), content.substr(begin)});
    std::string kept;
    for (const Piece& piece : pieces) {
        const std::string_view text = TrimBlankish(piece.text);
        if (text.empty() || IsJunkSegment(text)) {
            changed = true;
            continue;
        }
        if (kept.empty()) {
            kept.append(TrimBlankish(piece.text));
        } else {
            kept.append(piece.separator).append(piece.text);
        }
    }
    if (!changed) {
        return std::string(content);
    }
    return std::string(TrimBlankish(kept));
}

// Bracketed junk out, innermost brackets first.
std::string RemoveBracketJunk(std::string_view stem, bool& removed) {
    struct Open {
        char closing;
        std::size_t at;
    };
    std::vector<Open> open;
    std::string out;
    out.reserve(stem.size());
    for (const char c : stem) {
        if (IsOpening(c)) {
            open.push_back({ClosingOf(c), out.size()});
            out.push_back(c);
            continue;
        }
        if (!IsClosing(c) || open.empty() || open.back().closing != c) {
            out.push_back(c);  // unpaired closing brackets belong to the name
            continue;
        }
        const std::size_t at = open.back().at;
        open.pop_back();
        bool changed = false;
        const std::string kept = KeepNamePieces(std::string_view(out).substr(at + 1), changed);
        if (kept.empty()) {
            out.resize(at);
            removed = true;
            continue;
        }
        if (changed) {
            out.resize(at + 1);
            out += kept;
            removed = true;
        }
        out.push_back(c);
    }
    return out;
}

bool IsDashByteAt(std::string_view text, std::size_t pos) {
    return text[pos] == '-' || StartsWithIgnoringCase(text, pos, "\xE2\x80\x93") ||
           StartsWithIgnoringCase(text, pos, "\xE2\x80\x94");
}

std::size_t DashLengthAt(std::string_view text, std::size_t pos) {
    return text[pos] == '-' ? 1 : 3;
}

}  // namespace

std::size_t DashSeparatorLengthAt(std::string_view text, std::size_t pos) {
    std::size_t end = pos;
    while (end < text.size() && IsBlankish(text[end])) {
        ++end;
    }
    const bool blankBefore = end > pos || pos == 0 || IsBlankish(text[pos - 1]);
    if (end >= text.size() || !IsDashByteAt(text, end)) {
        return 0;
    }
    while (end < text.size() && IsDashByteAt(text, end)) {
        end += DashLengthAt(text, end);
    }
    const std::size_t dashesEnd = end;
    while (end < text.size() && IsBlankish(text[end])) {
        ++end;
    }
    const bool blankAfter = end > dashesEnd || end == text.size();
    return blankBefore && blankAfter ? end - pos : 0;
}

namespace {

struct DashSegment {
    std::string_view separator;  // before the text; empty for the first
    std::string_view text;
};

// The text cut at the dash separators outside brackets.
std::vector<DashSegment> SplitAtDashes(std::string_view text) {
    std::vector<DashSegment> segments;
    int depth = 0;
    std::size_t begin = 0;
    std::string_view separator;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        depth += IsOpening(c) ? 1 : 0;
        depth -= IsClosing(c) && depth > 0 ? 1 : 0;
        const std::size_t length = depth == 0 ? DashSeparatorLengthAt(text, pos) : 0;
        if (length == 0) {
            ++pos;
            continue;
        }
        segments.push_back({separator, text.substr(begin, pos - begin)});
        separator = text.substr(pos, length);
        pos += length;
        begin = pos;
    }
    segments.push_back({separator, text.substr(begin)});
    return segments;
}

bool IsDashSegmentJunk(std::string_view segment, bool first) {
    const SegmentWords read = ReadSegment(segment);
    const JunkKind kind = KindOf(read);
    if (kind == JunkKind::kSite || kind == JunkKind::kBitrate) {
        return true;
    }
    return kind != JunkKind::kNone && !first && (read.words >= 2 || read.year);
}

std::string RemoveDashSegmentJunk(std::string_view text, bool& removed) {
    const std::vector<DashSegment> segments = SplitAtDashes(text);
    if (segments.size() < 2) {
        return std::string(text);
    }
    std::string out;
    out.reserve(text.size());
    bool anyKept = false;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        const std::string_view segment = TrimBlankish(segments[i].text);
        if (!segment.empty() && IsDashSegmentJunk(segment, i == 0)) {
            removed = true;
            continue;
        }
        if (anyKept) {
            out.append(segments[i].separator);
        }
        out.append(segments[i].text);
        anyKept = true;
    }
    return out;
}

// Sites and bitrates that stand as words of their own, in or out of brackets.
std::string RemoveBareJunk(std::string_view text, bool& removed) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        const bool wordStart = !IsBlankish(c) && !IsOpening(c) && !IsClosing(c) &&
                               (pos == 0 || IsBlankish(text[pos - 1]) || IsOpening(text[pos - 1]));
        if (!wordStart) {
            out.push_back(c);
            ++pos;
            continue;
        }
        std::size_t end = pos;
        while (end < text.size() && !IsBlankish(text[end]) && !IsOpening(text[end]) &&
               !IsClosing(text[end])) {
            ++end;
        }
        const std::string_view word = text.substr(pos, end - pos);
        const std::size_t bitrate = BitrateLengthAt(text, pos);
        const std::string lower = ToLowerAscii(word);
        if (bitrate > 0) {
            removed = true;
            pos += bitrate;
            continue;
        }
        if (IsSiteWord(word) || lower == "vbr" || lower == "cbr") {
            removed = true;
            pos = end;
            continue;
        }
        out.append(word);
        pos = end;
    }
    return out;
}

// A word that only joins others: dashes, "|", "@" ("Song @ 320kbps").
bool IsJoiningWord(std::string_view word) {
    if (word.empty()) {
        return false;
    }
    for (std::size_t pos = 0; pos < word.size();) {
        if (word[pos] == '|' || word[pos] == '@') {
            ++pos;
            continue;
        }
        if (!IsDashByteAt(word, pos)) {
            return false;
        }
        pos += DashLengthAt(word, pos);
    }
    return true;
}

// "()", "[]", "{}" standing alone, as a removal inside them may leave them.
bool IsEmptyBrackets(std::string_view word) {
    return word.size() == 2 && IsOpening(word[0]) && word[1] == ClosingOf(word[0]);
}

// After a removal: one blank (or underscore) where several stand, none just
// inside a bracket, no empty brackets, and no joining word (a dash, "|",
// "@") at an end or next to another one.
std::string Tidy(std::string_view text) {
    struct Word {
        char blank;  // the first blank before the word, 0 for none
        std::string_view text;
    };
    std::vector<Word> words;
    std::size_t pos = 0;
    while (pos < text.size()) {
        char blank = 0;
        while (pos < text.size() && IsBlankish(text[pos])) {
            blank = blank == 0 ? text[pos] : blank;
            ++pos;
        }
        const std::size_t begin = pos;
        while (pos < text.size() && !IsBlankish(text[pos])) {
            ++pos;
        }
        if (pos > begin) {
            words.push_back({blank, text.substr(begin, pos - begin)});
        }
    }
    std::vector<Word> kept;
    for (const Word& word : words) {
        const bool joinsNothing =
            IsJoiningWord(word.text) && (kept.empty() || IsJoiningWord(kept.back().text));
        if (joinsNothing || IsEmptyBrackets(word.text)) {
            continue;
        }
        kept.push_back(word);
    }
    while (!kept.empty() && IsJoiningWord(kept.back().text)) {
        kept.pop_back();
    }
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < kept.size(); ++i) {
        const bool afterOpening = !out.empty() && IsOpening(out.back());
        const bool beforeClosing = IsClosing(kept[i].text.front());
        if (i > 0 && kept[i].blank != 0 && !afterOpening && !beforeClosing) {
            out.push_back(kept[i].blank);
        }
        out.append(kept[i].text);
    }
    return out;
}

}  // namespace

std::size_t BitrateLengthAt(std::string_view text, std::size_t pos) {
    if (pos > 0 && IsDigit(text[pos - 1])) {
        return 0;
    }
    std::size_t end = pos;
    while (end < text.size() && IsDigit(text[end]) && end - pos < 5) {
        ++end;
    }
    const std::size_t digits = end - pos;
    if (digits < 1 || digits > 4) {
        return 0;
    }
    const std::size_t afterDigits = end;
    if (end < text.size() && text[end] == ' ') {
        ++end;
    }
    for (std::string_view unit : kBitrateUnits) {
        if (StartsWithIgnoringCase(text, end, unit) && IsWordEnd(text, end + unit.size())) {
            return end + unit.size() - pos;
        }
    }
    const int number = LeadingInteger(text.substr(pos, digits));
    bool common = false;
    for (const int rate : kCommonBitrates) {
        common = common || rate == number;
    }
    if (common && StartsWithIgnoringCase(text, afterDigits, "k") &&
        IsWordEnd(text, afterDigits + 1)) {
        return afterDigits + 1 - pos;
    }
    return 0;
}

bool IsSiteWord(std::string_view word) {
    word = TrimPunctuation(word);
    bool www = false;
    for (std::string_view scheme : {"http://", "https://"}) {
        if (StartsWithIgnoringCase(word, 0, scheme)) {
            word.remove_prefix(scheme.size());
            www = true;
        }
    }
    if (StartsWithIgnoringCase(word, 0, "www.")) {
        www = true;
    }
    const std::string_view host = word.substr(0, word.find_first_of("/:"));
    std::vector<std::string_view> labels;
    if (!SplitHost(host, labels)) {
        return false;
    }
    const std::string_view domain = labels.back();
    bool letters = domain.size() >= 2;
    for (const char c : domain) {
        letters = letters && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'));
    }
    if (!letters) {
        return false;
    }
    if (www) {
        return labels.size() >= 3 || !EqualsIgnoreAsciiCase(labels.front(), "www");
    }
    // Without "www.": a known domain in small letters, after a name of two
    // characters or more.
    return IsOneOf(domain, kSiteDomains) && labels[labels.size() - 2].size() >= 2;
}

JunkKind JunkKindOf(std::string_view segment) {
    segment = TrimBlankish(segment);
    if (segment.empty()) {
        return JunkKind::kNone;
    }
    return KindOf(ReadSegment(segment));
}

std::string RemoveNameJunk(std::string_view stem) {
    bool removed = false;
    std::string text = RemoveBracketJunk(stem, removed);
    text = RemoveDashSegmentJunk(text, removed);
    text = RemoveBareJunk(text, removed);
    if (!removed) {
        return std::string(stem);
    }
    return Tidy(text);
}

}  // namespace tagnomen

// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/NameParser.h"

#include <vector>

#include "platform/Text.h"
#include "rename/Initials.h"
#include "rename/NameJunk.h"
#include "rename/NameNumbers.h"

namespace tagnomen {

namespace {

constexpr std::string_view kEnding = ".mp3";
constexpr std::string_view kEnDash = "\xE2\x80\x93";
constexpr std::string_view kEmDash = "\xE2\x80\x94";

// Words a recorder, a phone or a player writes for want of a name.
constexpr std::string_view kPlaceholderWords[] = {
    "track", "trk",    "audio", "aud",  "new",   "song", "final", "untitled", "recording",
    "rec",   "record", "voice", "memo", "file",  "copy", "title", "artist",   "unknown",
    "mp3",   "sound",  "clip",  "take", "draft", "demo", "wa",    "ptt",      "img",
};
// Copy marks at the end of a name: the system's or a downloader's second copy.
constexpr std::string_view kCopyWords[] = {"copy", "kopie", "copia", "copie"};

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

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Letters of any script count as word characters: bytes above 0x7F are
// parts of UTF-8 sequences.
bool IsWordByte(char c) {
    return IsAsciiLetter(c) || IsDigit(c) || static_cast<unsigned char>(c) >= 0x80;
}

bool IsAsciiUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

std::string Trimmed(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) {
        ++begin;
    }
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t')) {
        --end;
    }
    return std::string(text.substr(begin, end - begin));
}

std::string CollapsedBlanks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == ' ' && (out.empty() || out.back() == ' ')) {
            continue;
        }
        out += c;
    }
    while (!out.empty() && out.back() == ' ') {
        out.pop_back();
    }
    return out;
}

bool AllDigits(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    for (char c : text) {
        if (!IsDigit(c)) {
            return false;
        }
    }
    return true;
}

bool IsYearText(std::string_view text) {
    if (text.size() != 4 || !AllDigits(text)) {
        return false;
    }
    const int year = LeadingInteger(text);
    return year >= 1900 && year <= 2099;
}

// "AC_DC": one or two capitals on both sides of an underscore make one
// acronym whose parts a "/" joined.
bool JoinsAcronym(std::string_view stem, std::size_t underscore) {
    auto capitalsRun = [&stem](std::size_t begin, std::size_t end) {
        if (end <= begin || end - begin > 2) {
            return false;
        }
        for (std::size_t i = begin; i < end; ++i) {
            if (!IsAsciiUpper(stem[i])) {
                return false;
            }
        }
        return true;
    };
    std::size_t left = underscore;
    while (left > 0 && IsAsciiLetter(stem[left - 1])) {
        --left;
    }
    std::size_t right = underscore + 1;
    while (right < stem.size() && IsAsciiLetter(stem[right])) {
        ++right;
    }
    const bool leftAlone = left == 0 || stem[left - 1] == '_' || stem[left - 1] == '-';
    const bool rightAlone = right == stem.size() || stem[right] == '_' || stem[right] == '-';
    return leftAlone && rightAlone && capitalsRun(left, underscore) &&
           capitalsRun(underscore + 1, right);
}

// Underscores, dots or "%20" standing for blanks become blanks.
std::string BlanksForSeparators(std::string_view stem) {
    std::string text(stem);
    for (std::size_t at = text.find("%20"); at != std::string::npos; at = text.find("%20")) {
        text.replace(at, 3, " ");
    }
    const bool blanks = text.find(' ') != std::string::npos;
    const bool underscores = text.find('_') != std::string::npos;
    if (underscores && (!blanks || text.find("_-_") != std::string::npos)) {
        std::string out;
        out.reserve(text.size());
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] != '_') {
                out += text[i];
            } else {
                out += JoinsAcronym(text, i) ? '/' : ' ';
            }
        }
        return out;
    }
    if (!blanks && !underscores) {
        // "the.beatles.-.help": dots between words of two letters or more.
        int joining = 0;
        for (std::size_t i = 1; i + 1 < text.size(); ++i) {
            joining += text[i] == '.' && IsWordByte(text[i - 1]) && IsWordByte(text[i + 1]) &&
                       !IsPartOfInitials(text, i - 1, 1);
        }
        if (joining >= 2) {
            std::string out = text;
            for (std::size_t i = 0; i < out.size(); ++i) {
                if (out[i] == '.' && !IsPartOfInitials(text, i > 0 ? i - 1 : 0, 1)) {
                    out[i] = ' ';
                }
            }
            return out;
        }
    }
    return text;
}

// "(copy)", "(1)" ... "(9)", "- Copy", " copy" at the end.
std::string WithoutCopyMark(std::string text) {
    text = Trimmed(text);
    if (text.size() >= 3 && text.back() == ')') {
        const std::size_t open = text.rfind('(');
        if (open != std::string::npos) {
            const std::string inner =
                ToLowerAscii(Trimmed(text.substr(open + 1, text.size() - open - 2)));
            if ((inner.size() == 1 && IsDigit(inner[0])) || IsOneOf(inner, kCopyWords)) {
                return Trimmed(text.substr(0, open));
            }
        }
    }
    const std::size_t blank = text.rfind(' ');
    if (blank != std::string::npos && IsOneOf(ToLowerAscii(text.substr(blank + 1)), kCopyWords)) {
        std::string rest = Trimmed(text.substr(0, blank));
        while (!rest.empty() && (rest.back() == '-' || rest.back() == ' ')) {
            rest.pop_back();
        }
        return rest;
    }
    return text;
}

bool DashAt(std::string_view text, std::size_t pos, std::size_t& length) {
    if (text.compare(pos, kEnDash.size(), kEnDash) == 0 ||
        text.compare(pos, kEmDash.size(), kEmDash) == 0) {
        length = 3;
        return true;
    }
    length = 1;
    return text[pos] == '-';
}

// Skips what stands between a leading number and the rest: blanks, dashes,
// dots, closing brackets.
std::size_t SkipNumberSeparators(std::string_view text, std::size_t pos) {
    while (pos < text.size()) {
        std::size_t dash = 0;
        if (text[pos] == ' ' || text[pos] == '.' || text[pos] == ')' || text[pos] == ']' ||
            text[pos] == '_') {
            ++pos;
        } else if (DashAt(text, pos, dash)) {
            pos += dash;
        } else {
            break;
        }
    }
    return pos;
}

// A leading track or year: "03 - ", "01. ", "(07) ", "[01] ", "#05 ",
// "1-01 ", "Track 05 - ", "track05". The rest of the name comes back.
std::string TakeLeadingNumber(std::string_view text, ParsedName& parsed) {
    std::size_t pos = 0;
    while (pos < text.size() &&
           (text[pos] == '(' || text[pos] == '[' || text[pos] == '#' || text[pos] == ' ')) {
        ++pos;
    }
    // "Track 05", "Trk.07", "track05".
    for (std::string_view word : {std::string_view("track"), std::string_view("trk")}) {
        if (text.size() - pos > word.size() &&
            EqualsIgnoreAsciiCase(text.substr(pos, word.size()), word)) {
            std::size_t digits = pos + word.size();
            while (digits < text.size() && (text[digits] == ' ' || text[digits] == '.' ||
                                            text[digits] == '_' || text[digits] == '-')) {
                ++digits;
            }
            if (digits < text.size() && IsDigit(text[digits])) {
                pos = digits;
            }
            break;
        }
    }
    if (pos >= text.size() || !IsDigit(text[pos])) {
        return std::string(text);
    }
    if (ReadNumberAt(text, pos).role != NumberRole::kLoose) {
        return std::string(text);
    }
    std::size_t end = pos;
    while (end < text.size() && IsDigit(text[end])) {
        ++end;
    }
    std::string_view digits = text.substr(pos, end - pos);
    // "1-01": a disc number, then the track.
    if (digits.size() == 1 && end + 2 < text.size() && text[end] == '-' && IsDigit(text[end + 1]) &&
        IsDigit(text[end + 2]) && (end + 3 == text.size() || !IsDigit(text[end + 3]))) {
        digits = text.substr(end + 1, 2);
        end += 3;
    }
    const std::size_t rest = SkipNumberSeparators(text, end);
    if (rest == end && end < text.size()) {
        return std::string(text);  // "7even": the number runs into a word
    }
    if (IsYearText(digits)) {
        parsed.year = std::string(digits);
    } else if (digits.size() <= 3) {
        parsed.track = std::string(digits);
    } else {
        return std::string(text);
    }
    return std::string(text.substr(rest));
}

// The name cut at its dash separators outside brackets; without one, at a
// hyphen between two words of two letters or more.
std::vector<std::string> SplitParts(std::string_view text) {
    std::vector<std::string> parts;
    int depth = 0;
    std::size_t begin = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const char c = text[pos];
        depth += (c == '(' || c == '[') ? 1 : 0;
        depth -= (c == ')' || c == ']') && depth > 0 ? 1 : 0;
        std::size_t length = depth == 0 ? DashSeparatorLengthAt(text, pos) : 0;
        std::size_t dash = 0;
        if (length == 0 && depth == 0 && c != '-' && DashAt(text, pos, dash)) {
            length = dash;  // an en or em dash between words
        }
        if (length == 0) {
            ++pos;
            continue;
        }
        parts.emplace_back(text.substr(begin, pos - begin));
        pos += length;
        begin = pos;
    }
    parts.emplace_back(text.substr(begin));
    if (parts.size() > 1) {
        return parts;
    }
    // "queen-bohemian rhapsody", "Beyonce-Halo": no separator, a hyphen
    // between two words; "T-Pain", "A-ha", "Blink-182" keep theirs.
    for (std::size_t pos = 1; pos + 1 < text.size(); ++pos) {
        if (text[pos] != '-') {
            continue;
        }
        std::size_t left = pos;
        while (left > 0 && IsWordByte(text[left - 1])) {
            --left;
        }
        std::size_t right = pos + 1;
        while (right < text.size() && IsWordByte(text[right])) {
            ++right;
        }
        const bool wordsOfTwo = pos - left >= 2 && right - pos - 1 >= 2;
        if (wordsOfTwo && !IsDigit(text[pos + 1]) && !IsDigit(text[pos - 1])) {
            return {std::string(text.substr(0, pos)), std::string(text.substr(pos + 1))};
        }
    }
    return parts;
}

// A year at the end of the title, bracketed or not: into the year. A title
// that is nothing but a year stays.
std::string TakeTrailingYear(std::string title, ParsedName& parsed) {
    std::string text = Trimmed(title);
    if (IsYearText(text)) {
        return text;
    }
    for (const auto& [open, close] : {std::pair{'(', ')'}, std::pair{'[', ']'}}) {
        if (text.size() >= 6 && text.back() == close) {
            const std::size_t at = text.rfind(open);
            if (at != std::string::npos &&
                IsYearText(Trimmed(text.substr(at + 1, text.size() - at - 2)))) {
                parsed.year = Trimmed(text.substr(at + 1, text.size() - at - 2));
                return Trimmed(text.substr(0, at));
            }
        }
    }
    const std::size_t blank = text.rfind(' ');
    if (blank != std::string::npos && IsYearText(text.substr(blank + 1)) &&
        ReadNumberAt(text, blank + 1).role == NumberRole::kLoose) {
        parsed.year = text.substr(blank + 1);
        return Trimmed(text.substr(0, blank));
    }
    return text;
}

// A word of a name that says nothing: a number, a code of letters and
// digits, or a recorder's word.
bool SaysNothing(std::string_view word) {
    if (word.empty()) {
        return true;
    }
    int digits = 0;
    int letters = 0;
    for (char c : word) {
        digits += IsDigit(c);
        letters += IsWordByte(c) && !IsDigit(c);
    }
    if (letters == 0) {
        return true;
    }
    const std::string lower = ToLowerAscii(word);
    std::string letterPart;
    for (char c : lower) {
        if (!IsDigit(c)) {
            letterPart += c;
        }
    }
    return (digits >= 3 && letters <= 4) || IsOneOf(letterPart, kPlaceholderWords);
}

// Calls `judge` on every word of the text; false as soon as it does.
template <typename Judge>
bool EveryWord(std::string_view text, Judge judge) {
    std::string word;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const char c = i < text.size() ? text[i] : ' ';
        if (IsWordByte(c)) {
            word += c;
            continue;
        }
        if (!word.empty() && !judge(word)) {
            return false;
        }
        word.clear();
    }
    return true;
}

bool NameSaysNothing(std::string_view text) {
    return EveryWord(text, SaysNothing);
}

bool IsLooseNumberPart(std::string_view part) {
    return AllDigits(part) && (part.size() <= 3 || IsYearText(part));
}

void AssignParts(std::vector<std::string> parts, ParsedName& parsed) {
    // Numbers alone between the words: a track or a year, not a value.
    std::vector<std::string> words;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        std::string part = CollapsedBlanks(Trimmed(parts[i]));
        if (part.empty()) {
            continue;
        }
        // A year as the last of three parts or more is the year ("Artist -
        // Title - 2012"); beside an artist alone it is a title ("Prince - 1999").
        const bool last = i + 1 == parts.size();
        const bool yearAtTheEnd = last && parts.size() >= 3 && IsYearText(part);
        if ((!last && IsLooseNumberPart(part)) || yearAtTheEnd) {
            (IsYearText(part) ? parsed.year : parsed.track) = part;
            continue;
        }
        words.push_back(std::move(part));
    }
    if (words.empty()) {
        return;
    }
    parsed.title = words.back();
    if (words.size() >= 2) {
        parsed.artist = words.front();
    }
    if (words.size() >= 3) {
        parsed.album = words[1];
    }
}

}  // namespace

std::string_view FileNameStem(std::string_view fileName) {
    std::string_view stem = fileName;
    while (stem.size() >= kEnding.size() && EndsWithIgnoreAsciiCase(stem, kEnding)) {
        stem.remove_suffix(kEnding.size());
        while (!stem.empty() && stem.back() == ' ') {
            stem.remove_suffix(1);
        }
    }
    return stem;
}

ParsedName ParseFileName(std::string_view fileName) {
    ParsedName parsed;
    std::string text = BlanksForSeparators(FileNameStem(fileName));
    text = CollapsedBlanks(Trimmed(RemoveNameJunk(text)));
    text = WithoutCopyMark(text);
    parsed.source = text;
    if (NameSaysNothing(text)) {
        return parsed;
    }
    text = TakeLeadingNumber(text, parsed);
    AssignParts(SplitParts(text), parsed);
    parsed.title = TakeTrailingYear(parsed.title, parsed);
    // A number is a title beside an artist ("Prince - 1999"), not alone.
    if (parsed.artist.empty() && NameSaysNothing(parsed.title)) {
        parsed.title.clear();
    }
    return parsed;
}

std::string WithoutLeadingTrack(std::string_view text) {
    // Only a number marked as a track by what follows it: "01 - Intro",
    // "01. Intro"; "9 to 5", "99 Luftballons" are titles.
    std::size_t end = 0;
    while (end < text.size() && IsDigit(text[end])) {
        ++end;
    }
    while (end < text.size() && text[end] == ' ') {
        ++end;
    }
    std::size_t dash = 0;
    if (end == 0 || end >= text.size() ||
        !(text[end] == '.' || text[end] == ')' || DashAt(text, end, dash))) {
        return std::string(text);
    }
    ParsedName ignored;
    const std::string rest = TakeLeadingNumber(text, ignored);
    return rest.empty() || rest.size() == text.size() ? std::string(text) : rest;
}

bool IsPlaceholderText(std::string_view text) {
    bool placeholder = false;
    const bool onlyThose = EveryWord(text, [&placeholder](const std::string& word) {
        if (AllDigits(word)) {
            return true;
        }
        placeholder = placeholder || IsOneOf(ToLowerAscii(word), kPlaceholderWords);
        return IsOneOf(ToLowerAscii(word), kPlaceholderWords);
    });
    return onlyThose && placeholder;
}

}  // namespace tagnomen

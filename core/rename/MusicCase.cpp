// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/MusicCase.h"

#include <cstddef>
#include <vector>

#include "platform/Text.h"
#include "rename/Initials.h"
#include "rename/Letters.h"

namespace tagnomen {

namespace {

// Words that stay small inside a part (title case of English).
constexpr std::string_view kSmallWords[] = {"a",  "an",  "the", "and", "but", "or",  "nor",
                                            "as", "at",  "by",  "for", "in",  "of",  "on",
                                            "to", "per", "via", "vs",  "o'",  "'n'", "'n"};
// Credits are small wherever they stand: "(feat. X)".
constexpr std::string_view kCreditWords[] = {"feat", "ft"};
// Abbreviations and interjections that have no vowel but are no acronym.
constexpr std::string_view kVowellessWords[] = {"mr", "mrs", "ms",   "dr",   "st",  "jr", "sr",
                                                "mt", "pt",  "nr",   "ltd",  "vs",  "hm", "mm",
                                                "sh", "pst", "psst", "pfft", "tsk", "nth"};
// "Mac" names take a capital after "Mac" when one of these follows.
constexpr std::string_view kMacConsonants = "dglmnpqt";

template <std::size_t N>
bool IsOneOf(std::string_view word, const std::string_view (&words)[N]) {
    for (std::string_view w : words) {
        if (w == word) {
            return true;
        }
    }
    return false;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '_';
}

bool IsDigit(char32_t c) {
    return c >= '0' && c <= '9';
}

bool IsApostrophe(char32_t c) {
    return c == '\'' || c == 0x2019 || c == '`';
}

bool IsAsciiVowel(char c) {
    return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u' || c == 'y';
}

// One word between blanks: the core runs from its first letter, digit or
// apostrophe to its last letter, digit, apostrophe or dot; what stands
// around the core (brackets, quotes, punctuation) is never a letter.
struct Chunk {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t coreBegin = 0;
    std::size_t coreEnd = 0;
    bool hasCore = false;
    bool opens = false;      // an opening bracket or quote before the core
    bool closes = false;     // a closing bracket, quote, ":", "?" or "!" after it
    bool separator = false;  // a dash (or "|", "/", "~") standing alone
    bool first = false;      // first word of its part
    bool last = false;       // last word of its part
};

bool OpensPart(char32_t c) {
    return c == '(' || c == '[' || c == '{' || c == '"' || c == 0x201C || c == 0xAB || c == 0xBF ||
           c == 0xA1;
}

bool ClosesPart(char32_t c) {
    return c == ')' || c == ']' || c == '}' || c == '"' || c == 0x201D || c == 0xBB || c == ':' ||
           c == '?' || c == '!';
}

bool IsDashLike(char32_t c) {
    return c == '-' || c == 0x2013 || c == 0x2014 || c == '~' || c == '|' || c == '/';
}

Chunk ReadChunk(std::string_view text, std::size_t begin, std::size_t end) {
    Chunk chunk;
    chunk.begin = begin;
    chunk.end = end;
    bool allDashes = true;
    for (std::size_t pos = begin; pos < end;) {
        char32_t c = 0;
        const std::size_t length = CharacterAt(text, pos, c);
        const bool coreStart = IsLetter(c) || IsDigit(c) || IsApostrophe(c);
        if (coreStart) {
            if (!chunk.hasCore) {
                chunk.coreBegin = pos;
                chunk.hasCore = true;
            }
            chunk.coreEnd = pos + length;
        } else if (c == '.' && chunk.hasCore) {
            chunk.coreEnd = pos + length;
        }
        allDashes = allDashes && IsDashLike(c);
        pos += length;
    }
    if (!chunk.hasCore) {
        chunk.coreBegin = chunk.coreEnd = end;
        chunk.separator = allDashes;
    }
    for (std::size_t pos = begin; pos < chunk.coreBegin;) {
        char32_t c = 0;
        pos += CharacterAt(text, pos, c);
        chunk.opens = chunk.opens || OpensPart(c);
    }
    for (std::size_t pos = chunk.hasCore ? chunk.coreEnd : begin; pos < end;) {
        char32_t c = 0;
        pos += CharacterAt(text, pos, c);
        chunk.closes = chunk.closes || ClosesPart(c);
    }
    return chunk;
}

// The words of the text with their place in their part.
std::vector<Chunk> ReadChunks(std::string_view text) {
    std::vector<Chunk> chunks;
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && IsBlank(text[pos])) {
            ++pos;
        }
        const std::size_t begin = pos;
        while (pos < text.size() && !IsBlank(text[pos])) {
            ++pos;
        }
        if (pos > begin) {
            chunks.push_back(ReadChunk(text, begin, pos));
        }
    }
    int previous = -1;  // the last word seen in the current part
    bool partStart = true;
    const auto endPart = [&] {
        if (previous >= 0) {
            chunks[static_cast<std::size_t>(previous)].last = true;
        }
        previous = -1;
        partStart = true;
    };
    for (std::size_t i = 0; i < chunks.size(); ++i) {
        Chunk& chunk = chunks[i];
        if (!chunk.hasCore) {
            if (chunk.separator || chunk.opens || chunk.closes) {
                endPart();
            }
            continue;
        }
        if (chunk.opens) {
            endPart();
        }
        chunk.first = partStart;
        partStart = false;
        previous = static_cast<int>(i);
        if (chunk.closes) {
            endPart();
        }
    }
    endPart();
    return chunks;
}

// The word for the word lists: no trailing dots, "’" read as "'".
std::string ListKey(std::string_view word) {
    std::string key;
    for (std::size_t pos = 0; pos < word.size();) {
        char32_t c = 0;
        const std::size_t length = CharacterAt(word, pos, c);
        if (c == 0x2019 || c == '`') {
            key.push_back('\'');
        } else {
            key.append(word.substr(pos, length));
        }
        pos += length;
    }
    while (!key.empty() && key.back() == '.') {
        key.pop_back();
    }
    return key;
}

// I to XXXIX: up to three X, then IX, IV or an optional V with up to three I.
bool IsRomanNumeral(std::string_view key) {
    if (key.empty()) {
        return false;
    }
    std::size_t pos = 0;
    while (pos < key.size() && pos < 3 && key[pos] == 'x') {
        ++pos;
    }
    const std::string_view rest = key.substr(pos);
    if (rest == "ix" || rest == "iv") {
        return true;
    }
    std::size_t i = 0;
    if (i < rest.size() && rest[i] == 'v') {
        ++i;
    }
    std::size_t ones = 0;
    while (i < rest.size() && rest[i] == 'i') {
        ++i;
        ++ones;
    }
    return i == rest.size() && ones <= 3;
}

bool IsVowellessAcronym(std::string_view key) {
    if (key.size() < 2 || IsOneOf(key, kVowellessWords)) {
        return false;
    }
    for (char c : key) {
        if (c < 'a' || c > 'z' || IsAsciiVowel(c)) {
            return false;
        }
    }
    const bool doubledEnd = key.size() >= 3 && key[key.size() - 1] == key[key.size() - 2];
    return !doubledEnd;
}

// The first letter a capital; the rest is left as it is (already small).
// A byte that is not UTF-8 stays as it is, letter or not.
std::string CapitaliseFirstLetter(std::string_view word) {
    std::string out;
    out.reserve(word.size() + 2);
    bool done = false;
    for (std::size_t pos = 0; pos < word.size();) {
        char32_t c = 0;
        const std::size_t length = CharacterAt(word, pos, c);
        char32_t decoded = 0;
        const bool wellFormed = DecodeUtf8At(word, pos, decoded) > 0;
        if (!done && IsLetter(c)) {
            done = true;
            if (wellFormed && IsLowerLetter(c) && UpperLetter(c) != c) {
                AppendUtf8(out, UpperLetter(c));
                pos += length;
                continue;
            }
        }
        out.append(word.substr(pos, length));
        pos += length;
    }
    return out;
}

std::size_t CountLetters(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        char32_t c = 0;
        pos += CharacterAt(text, pos, c);
        count += IsLetter(c) ? 1 : 0;
    }
    return count;
}

bool StartsWithLetters(std::string_view text, std::size_t letters) {
    std::size_t pos = 0;
    for (std::size_t k = 0; k < letters; ++k) {
        char32_t c = 0;
        if (pos >= text.size()) {
            return false;
        }
        pos += CharacterAt(text, pos, c);
        if (!IsLetter(c)) {
            return false;
        }
    }
    return true;
}

// "McCartney", "MacDonald", "O'Riley"; empty when the word is none of them.
std::string GaelicName(std::string_view word) {
    if (word.size() >= 4 && word.substr(0, 2) == "mc" && StartsWithLetters(word.substr(2), 2)) {
        return "Mc" + CapitaliseFirstLetter(word.substr(2));
    }
    if (word.size() >= 6 && word.substr(0, 3) == "mac" &&
        kMacConsonants.find(word[3]) != std::string_view::npos &&
        StartsWithLetters(word.substr(3), 3)) {
        return "Mac" + CapitaliseFirstLetter(word.substr(3));
    }
    for (std::string_view o : {std::string_view("o'"), std::string_view("o\xE2\x80\x99")}) {
        if (word.size() > o.size() && word.substr(0, o.size()) == o &&
            StartsWithLetters(word.substr(o.size()), 2)) {
            return "O" + std::string(word.substr(1, o.size() - 1)) +
                   CapitaliseFirstLetter(word.substr(o.size()));
        }
    }
    return {};
}

bool HasDigitAndLetter(std::string_view word) {
    bool digit = false;
    for (char c : word) {
        digit = digit || (c >= '0' && c <= '9');
    }
    return digit && CountLetters(word) > 0;
}

bool HasAsciiVowel(std::string_view text) {
    for (char c : text) {
        if (IsAsciiVowel(c)) {
            return true;
        }
    }
    return false;
}

// Letters after a digit: small when they are short or have no vowel ("1st",
// "80s", "10cc"), a word of their own otherwise ("2Pac").
std::string LettersAfterDigits(std::string_view run) {
    if (CountLetters(run) < 3 || !HasAsciiVowel(run)) {
        return std::string(run);
    }
    return CapitaliseFirstLetter(run);
}

std::string CaseLettersAndDigits(std::string_view word) {
    std::string out;
    out.reserve(word.size() + 2);
    bool digitSeen = false;
    char32_t before = 0;  // the character before the current run
    std::size_t pos = 0;
    while (pos < word.size()) {
        char32_t c = 0;
        std::size_t length = CharacterAt(word, pos, c);
        if (!IsLetter(c)) {
            out.append(word.substr(pos, length));
            digitSeen = digitSeen || IsDigit(c);
            before = c;
            pos += length;
            continue;
        }
        const std::size_t runBegin = pos;
        while (pos < word.size() && (CharacterAt(word, pos, c), IsLetter(c))) {
            pos += CharacterAt(word, pos, c);
        }
        const std::string_view run = word.substr(runBegin, pos - runBegin);
        if (runBegin == 0) {
            out += CountLetters(run) <= 2 ? UpperText(run) : CapitaliseFirstLetter(run);
        } else if (digitSeen && IsDigit(before)) {
            out += LettersAfterDigits(run);
        } else {
            out.append(run);
        }
        before = 'a';
    }
    return out;
}

// The rule for one part of a word (between "-", "/" and "&"), already in
// small letters. `edge`: the part is the first or last of its part of the
// text. The order matters: "ft" is a credit before it is vowelless, "vs" a
// small word, "xiv" a numeral before a word.
CaseRule ChooseRule(std::string_view part, std::string_view key, bool edge) {
    if (IsInitialsWord(part)) {
        return CaseRule::kInitials;
    }
    if (IsOneOf(key, kCreditWords)) {
        return CaseRule::kCredit;
    }
    if (!edge && IsOneOf(key, kSmallWords)) {
        return CaseRule::kSmallWord;
    }
    if (IsRomanNumeral(key)) {
        return CaseRule::kRomanNumeral;
    }
    if (HasDigitAndLetter(part)) {
        return CaseRule::kLettersAndDigits;
    }
    if (IsVowellessAcronym(key)) {
        return CaseRule::kVowellessAcronym;
    }
    if (!GaelicName(part).empty()) {
        return CaseRule::kGaelicName;
    }
    return CaseRule::kTitleCase;
}

std::string CasePart(std::string_view part, bool edge) {
    const std::string key = ListKey(part);
    switch (ChooseRule(part, key, edge)) {
        case CaseRule::kInitials:
        case CaseRule::kRomanNumeral:
        case CaseRule::kVowellessAcronym:
        case CaseRule::kJoinedAcronym:
            return UpperText(part);
        case CaseRule::kCredit:
        case CaseRule::kSmallWord:
        case CaseRule::kKeptAsWritten:
            return std::string(part);
        case CaseRule::kLettersAndDigits:
            return CaseLettersAndDigits(part);
        case CaseRule::kGaelicName:
            return GaelicName(part);
        case CaseRule::kTitleCase:
            break;
    }
    return CapitaliseFirstLetter(part);
}

bool IsJoiner(char c) {
    return c == '-' || c == '/' || c == '&';
}

// "ac/dc", "r&b": every part around "/" or "&" one or two letters.
bool IsJoinedAcronym(std::string_view core) {
    bool joined = false;
    std::size_t letters = 0;
    for (std::size_t pos = 0; pos <= core.size();) {
        if (pos == core.size() || core[pos] == '/' || core[pos] == '&') {
            if (letters < 1 || letters > 2) {
                return false;
            }
            joined = joined || pos < core.size();
            letters = 0;
            ++pos;
            continue;
        }
        char32_t c = 0;
        pos += CharacterAt(core, pos, c);
        if (!IsLetter(c)) {
            return false;
        }
        ++letters;
    }
    return joined;
}

std::string CaseCore(std::string_view core, bool first, bool last) {
    const std::string lowered = LowerText(core);
    if (IsJoinedAcronym(lowered)) {
        return UpperText(lowered);
    }
    std::vector<std::string_view> parts;
    std::vector<char> joiners;
    std::size_t begin = 0;
    const std::string_view text = lowered;
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        if (IsJoiner(text[pos])) {
            parts.push_back(text.substr(begin, pos - begin));
            joiners.push_back(text[pos]);
            begin = pos + 1;
        }
    }
    parts.push_back(text.substr(begin));
    std::string out;
    out.reserve(core.size() + 4);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const bool edge = (i == 0 && first) || (i + 1 == parts.size() && last);
        out += parts[i].empty() ? std::string() : CasePart(parts[i], edge);
        if (i < joiners.size()) {
            out.push_back(joiners[i]);
        }
    }
    return out;
}

// Capitals of a text: those right after a small letter outside ASCII are
// what a byte-wise capitaliser makes of UTF-8 ("BjöRk"); all others were
// written on purpose.
struct Capitals {
    bool written = false;
    bool artefact = false;
};

Capitals FindCapitals(std::string_view text) {
    Capitals found;
    char32_t before = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        char32_t c = 0;
        pos += CharacterAt(text, pos, c);
        if (IsUpperLetter(c)) {
            const bool artefact = before >= 0x80 && IsLowerLetter(before);
            found.artefact = found.artefact || artefact;
            found.written = found.written || !artefact;
        }
        before = c;
    }
    return found;
}

// A word whose capitals were all written on purpose.
bool HasWrittenCapitals(std::string_view text) {
    const Capitals capitals = FindCapitals(text);
    return capitals.written && !capitals.artefact;
}

bool HasLowerLetter(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        char32_t c = 0;
        pos += CharacterAt(text, pos, c);
        if (IsLowerLetter(c)) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool HasMixedCase(std::string_view utf8) {
    return HasWrittenCapitals(utf8) && HasLowerLetter(utf8);
}

bool IsShouting(std::string_view utf8) {
    if (HasLowerLetter(utf8)) {
        return false;
    }
    int wordsWithCapitals = 0;
    for (const Chunk& chunk : ReadChunks(utf8)) {
        const std::string_view word = utf8.substr(chunk.begin, chunk.end - chunk.begin);
        wordsWithCapitals += FindCapitals(word).written ? 1 : 0;
    }
    return wordsWithCapitals >= 2;
}

namespace {

// A small word inside a part written with a capital and small letters
// ("In" of "Back In Black"): in a file name that is the habit of giving every
// word a capital, not a choice.
bool IsHabitualCapital(std::string_view core, const Chunk& chunk) {
    if (chunk.first || chunk.last || core.empty() || core.front() < 'A' || core.front() > 'Z') {
        return false;
    }
    const std::string key = LowerText(ListKey(core));
    return IsOneOf(key, kSmallWords) && core.substr(1) == std::string_view(key).substr(1);
}

}  // namespace

std::string MusicCase(std::string_view value, std::string_view source) {
    const bool shouting = IsShouting(source.empty() ? value : source);
    std::string out;
    out.reserve(value.size() + 8);
    std::size_t copied = 0;
    for (const Chunk& chunk : ReadChunks(value)) {
        const std::string_view core =
            value.substr(chunk.coreBegin, chunk.coreEnd - chunk.coreBegin);
        if (!chunk.hasCore || (!shouting && HasWrittenCapitals(core))) {
            continue;  // copied as it stands with the text around it
        }
        out.append(value.substr(copied, chunk.coreBegin - copied));
        out += CaseCore(core, chunk.first, chunk.last);
        copied = chunk.coreEnd;
    }
    out.append(value.substr(copied));
    return out;
}

std::string WithSmallWordsSmall(std::string_view value) {
    std::string out(value);
    for (const Chunk& chunk : ReadChunks(value)) {
        const std::string_view core =
            value.substr(chunk.coreBegin, chunk.coreEnd - chunk.coreBegin);
        if (chunk.hasCore && IsHabitualCapital(core, chunk)) {
            out[chunk.coreBegin] = static_cast<char>(out[chunk.coreBegin] - 'A' + 'a');
        }
    }
    return out;
}

}  // namespace tagnomen

// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/NameNumbers.h"

#include <string>

#include "platform/Text.h"
#include "rename/Letters.h"
#include "rename/NameJunk.h"

namespace tagnomen {

namespace {

constexpr std::string_view kTrackWords[] = {"track", "trk", "tr", "cd", "disc", "disk"};
// Words after which a number counts something inside a name.
constexpr std::string_view kNumberingWords[] = {
    "no",     "nr",       "op",       "opus",   "k",       "kv",      "bwv",     "hwv",     "rv",
    "hob",    "woo",      "vol",      "volume", "part",    "pt",      "chapter", "act",     "book",
    "number", "symphony", "concerto", "sonata", "quartet", "prelude", "etude",   "nocturne"};

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

bool IsBracket(char c) {
    return c == '(' || c == ')' || c == '[' || c == ']' || c == '{' || c == '}';
}

bool LetterBefore(std::string_view name, std::size_t pos) {
    if (pos == 0) {
        return false;
    }
    char32_t c = 0;
    CharacterAt(name, PreviousCharacterStart(name, pos), c);
    return IsLetter(c);
}

bool LetterAt(std::string_view name, std::size_t pos) {
    char32_t c = 0;
    return pos < name.size() && (CharacterAt(name, pos, c), IsLetter(c));
}

// The ASCII word before pos, in small letters, with up to three of " _.-#"
// between it and pos; `dotted` tells whether a "." stood between.
std::string WordBefore(std::string_view name, std::size_t pos, bool& dotted) {
    dotted = false;
    std::size_t end = pos;
    for (int k = 0; k < 3 && end > 0; ++k) {
        const char c = name[end - 1];
        if (!IsBlankish(c) && c != '.' && c != '-' && c != '#') {
            break;
        }
        dotted = dotted || c == '.';
        --end;
    }
    std::size_t begin = end;
    while (begin > 0 && ((name[begin - 1] >= 'a' && name[begin - 1] <= 'z') ||
                         (name[begin - 1] >= 'A' && name[begin - 1] <= 'Z'))) {
        --begin;
    }
    if (begin > 0 && LetterBefore(name, begin)) {
        return {};  // the end of a longer word, as "Andante" is not "te"
    }
    return ToLowerAscii(name.substr(begin, end - begin));
}

bool IsYearNumber(std::string_view digits) {
    if (digits.size() != 4) {
        return false;
    }
    const int year = LeadingInteger(digits);
    return year >= 1900 && year <= 2099;
}

// The segment around the number: between brackets and dash separators.
struct Segment {
    std::size_t begin = 0;
    std::size_t end = 0;
    bool afterSeparator = false;   // a dash separator starts it
    bool beforeSeparator = false;  // a dash separator ends it
    bool inBrackets = false;
    bool firstOfName = true;  // no letter or digit before it
    bool lastOfName = true;   // no dash separator after it
};

Segment FindSegment(std::string_view name, std::size_t numberBegin, std::size_t numberEnd) {
    Segment segment;
    for (std::size_t i = 0; i < numberBegin; ++i) {
        const std::size_t separator = DashSeparatorLengthAt(name, i);
        if (separator > 0 && i + separator <= numberBegin) {
            segment.begin = i + separator;
            segment.afterSeparator = true;
            segment.inBrackets = false;
            i += separator - 1;
        } else if (IsBracket(name[i])) {
            segment.begin = i + 1;
            segment.afterSeparator = false;
            segment.inBrackets = name[i] == '(' || name[i] == '[' || name[i] == '{';
        }
    }
    for (std::size_t i = 0; i < segment.begin; ++i) {
        if (IsDigit(name[i]) || LetterAt(name, i)) {
            segment.firstOfName = false;
            break;
        }
    }
    segment.end = name.size();
    for (std::size_t i = numberEnd; i < name.size(); ++i) {
        if (IsBracket(name[i])) {
            segment.end = i;
            break;
        }
        if (DashSeparatorLengthAt(name, i) > 0) {
            segment.end = i;
            segment.beforeSeparator = true;
            break;
        }
    }
    for (std::size_t i = segment.end; i < name.size(); ++i) {
        if (DashSeparatorLengthAt(name, i) > 0) {
            segment.lastOfName = false;
            break;
        }
    }
    return segment;
}

bool HasLetter(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        char32_t c = 0;
        pos += CharacterAt(text, pos, c);
        if (IsLetter(c)) {
            return true;
        }
    }
    return false;
}

// The words of the segment next to the number's own word.
struct Neighbours {
    bool wordBefore = false;
    bool wordAfter = false;
    bool alone = true;   // no other word in the segment
    std::string before;  // the word just before, in small letters
};

Neighbours FindNeighbours(std::string_view name, const Segment& segment, std::size_t begin,
                          std::size_t end) {
    Neighbours found;
    std::size_t wordBegin = begin;
    while (wordBegin > segment.begin && !IsBlankish(name[wordBegin - 1])) {
        --wordBegin;
    }
    std::size_t wordEnd = end;
    while (wordEnd < segment.end && !IsBlankish(name[wordEnd])) {
        ++wordEnd;
    }
    // The word just before.
    std::size_t pos = wordBegin;
    while (pos > segment.begin && IsBlankish(name[pos - 1])) {
        --pos;
    }
    std::size_t start = pos;
    while (start > segment.begin && !IsBlankish(name[start - 1])) {
        --start;
    }
    const std::string_view before = name.substr(start, pos - start);
    found.wordBefore = HasLetter(before);
    found.before = ToLowerAscii(before);
    // The word just after.
    pos = wordEnd;
    while (pos < segment.end && IsBlankish(name[pos])) {
        ++pos;
    }
    std::size_t stop = pos;
    while (stop < segment.end && !IsBlankish(name[stop])) {
        ++stop;
    }
    found.wordAfter = HasLetter(name.substr(pos, stop - pos));
    found.alone = before.empty() && stop == pos;
    return found;
}

bool InSiteWord(std::string_view name, std::size_t begin) {
    std::size_t wordBegin = begin;
    while (wordBegin > 0 && !IsBlankish(name[wordBegin - 1]) && !IsBracket(name[wordBegin - 1])) {
        --wordBegin;
    }
    std::size_t wordEnd = begin;
    while (wordEnd < name.size() && !IsBlankish(name[wordEnd]) && !IsBracket(name[wordEnd])) {
        ++wordEnd;
    }
    return IsSiteWord(name.substr(wordBegin, wordEnd - wordBegin));
}

NumberReading Reading(NumberRole role, NumberRule rule) {
    return NumberReading{role, rule};
}

}  // namespace

NumberReading ReadNumberAt(std::string_view name, std::size_t pos) {
    if (pos >= name.size() || !IsDigit(name[pos])) {
        return Reading(NumberRole::kLoose, NumberRule::kNotANumber);
    }
    std::size_t begin = pos;
    while (begin > 0 && IsDigit(name[begin - 1])) {
        --begin;
    }
    std::size_t end = pos;
    while (end < name.size() && IsDigit(name[end])) {
        ++end;
    }
    const std::string_view digits = name.substr(begin, end - begin);
    const bool zeroFilled = digits.size() >= 2 && digits.front() == '0';
    const char before = begin > 0 ? name[begin - 1] : '\0';
    const char after = end < name.size() ? name[end] : '\0';

    if (BitrateLengthAt(name, begin) > 0 || InSiteWord(name, begin)) {
        return Reading(NumberRole::kJunk, NumberRule::kJunk);
    }
    bool dotted = false;
    const std::string previous = WordBefore(name, begin, dotted);
    if (IsOneOf(previous, kTrackWords)) {
        return Reading(NumberRole::kLoose, NumberRule::kTrackWord);
    }
    if (LetterBefore(name, begin) || LetterAt(name, end)) {
        return Reading(NumberRole::kPartOfName, NumberRule::kAttachedLetters);
    }
    if ((before == '-' || before == '/') && LetterBefore(name, begin - 1)) {
        const bool dashJoined = zeroFilled || (digits.size() <= 2 && after == '-');
        if (!dashJoined) {
            return Reading(NumberRole::kPartOfName, NumberRule::kHyphenated);
        }
    }
    if (IsOneOf(previous, kNumberingWords) || (previous == "d" && dotted)) {
        return Reading(NumberRole::kPartOfName, NumberRule::kNumberingWord);
    }

    const Segment segment = FindSegment(name, begin, end);
    const Neighbours neighbours = FindNeighbours(name, segment, begin, end);
    if (neighbours.alone) {
        const bool title = segment.afterSeparator && !segment.inBrackets && segment.lastOfName &&
                           !segment.firstOfName && !zeroFilled;
        return title ? Reading(NumberRole::kPartOfName, NumberRule::kTitleNumber)
                     : Reading(NumberRole::kLoose, NumberRule::kWholeSegment);
    }
    const bool markAfter = after == ')' || after == ']' || after == '-' ||
                           (after == '.' && !(end + 1 < name.size() && IsDigit(name[end + 1])));
    if (before == '#' || markAfter) {
        return Reading(NumberRole::kLoose, NumberRule::kTrackMark);
    }
    if (zeroFilled) {
        return Reading(NumberRole::kLoose, NumberRule::kZeroFilled);
    }
    if (neighbours.wordBefore && neighbours.wordAfter) {
        return Reading(NumberRole::kPartOfName, NumberRule::kBetweenWords);
    }
    if (neighbours.wordBefore) {
        if (IsYearNumber(digits) && neighbours.before != "the") {
            return Reading(NumberRole::kLoose, NumberRule::kYearAfterWord);
        }
        return Reading(NumberRole::kPartOfName, NumberRule::kAfterWord);
    }
    if (neighbours.wordAfter) {
        if (!segment.firstOfName || segment.beforeSeparator) {
            return Reading(NumberRole::kPartOfName, NumberRule::kBeforeWord);
        }
        return Reading(NumberRole::kLoose, NumberRule::kLeadingNumber);
    }
    return Reading(NumberRole::kLoose, NumberRule::kWholeSegment);
}

}  // namespace tagnomen

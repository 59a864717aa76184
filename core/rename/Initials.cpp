// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/Initials.h"

#include <algorithm>

#include "rename/Letters.h"

namespace tagnomen {

namespace {

bool LetterAt(std::string_view text, std::size_t pos) {
    char32_t c = 0;
    return pos < text.size() && (CharacterAt(text, pos, c), IsLetter(c));
}

std::size_t NextStart(std::string_view text, std::size_t pos) {
    char32_t ignored = 0;
    return pos + CharacterAt(text, pos, ignored);
}

// The letters-and-dots groups of text[begin, end): how many groups, and how
// many of them are a single letter; false when a group is not one or two
// letters with a dot (the last may lack its dot).
bool CountGroups(std::string_view text, std::size_t begin, std::size_t end, int& groups,
                 int& singles) {
    groups = 0;
    singles = 0;
    std::size_t pos = begin;
    while (pos < end) {
        int letters = 0;
        while (pos < end && LetterAt(text, pos)) {
            ++letters;
            pos = NextStart(text, pos);
        }
        if (letters < 1 || letters > 2) {
            return false;
        }
        ++groups;
        singles += letters == 1 ? 1 : 0;
        if (pos < end) {
            if (text[pos] != '.') {
                return false;
            }
            ++pos;
        }
    }
    return groups > 0;
}

bool IsLetterOrDotAt(std::string_view text, std::size_t pos) {
    return pos < text.size() && (text[pos] == '.' || LetterAt(text, pos));
}

// A single letter with a dot at pos ("R."), followed by the end or a blank.
bool SingleInitialAt(std::string_view text, std::size_t pos) {
    if (!LetterAt(text, pos)) {
        return false;
    }
    const std::size_t dot = NextStart(text, pos);
    return dot < text.size() && text[dot] == '.' &&
           (dot + 1 == text.size() || text[dot + 1] == ' ');
}

// A single letter with a dot that ends just before pos, as in "J. " before "R.".
bool SingleInitialEndsAt(std::string_view text, std::size_t pos) {
    if (pos < 2 || text[pos - 1] != '.') {
        return false;
    }
    const std::size_t letter = PreviousCharacterStart(text, pos - 1);
    return LetterAt(text, letter) && (letter == 0 || text[letter - 1] == ' ');
}

}  // namespace

bool IsInitialsWord(std::string_view word) {
    int groups = 0;
    int singles = 0;
    if (!CountGroups(word, 0, word.size(), groups, singles)) {
        return false;
    }
    return groups >= 2 && singles == groups;
}

bool IsPartOfInitials(std::string_view name, std::size_t begin, std::size_t length) {
    if (begin >= name.size()) {
        return false;
    }
    std::size_t end = std::min(name.size(), begin + length);
    while (begin < end && name[begin] == ' ') {
        ++begin;
    }
    while (end > begin && name[end - 1] == ' ') {
        --end;
    }
    if (begin == end) {
        return false;
    }
    // The segment's own letters, then its dot: inside it or just after it.
    std::size_t pos = begin;
    int letters = 0;
    while (pos < end && LetterAt(name, pos)) {
        ++letters;
        pos = NextStart(name, pos);
    }
    const bool dotInside = pos + 1 == end && name[pos] == '.';
    const bool dotAfter = pos == end && end < name.size() && name[end] == '.';
    // The last letter of "N.W.A" has no dot of its own: the one before it counts.
    const bool lastOfRun = pos == end && letters == 1 && begin > 0 && name[begin - 1] == '.';
    if (letters < 1 || letters > 2 || !(dotInside || dotAfter || lastOfRun)) {
        return false;
    }
    const std::size_t afterDot = dotAfter ? end + 1 : end;

    // Groups written without blanks around the segment.
    std::size_t runBegin = begin;
    while (runBegin > 0 && IsLetterOrDotAt(name, PreviousCharacterStart(name, runBegin))) {
        runBegin = PreviousCharacterStart(name, runBegin);
    }
    std::size_t runEnd = afterDot;
    while (runEnd < name.size() && IsLetterOrDotAt(name, runEnd)) {
        runEnd = NextStart(name, runEnd);
    }
    int groups = 0;
    int singles = 0;
    if (CountGroups(name, runBegin, runEnd, groups, singles) && groups >= 2 && singles >= 1) {
        return true;
    }
    if (runBegin != begin || runEnd != afterDot) {
        return false;  // glued to a longer word: "Mr.Big" is not an initial
    }
    const bool blankAfter = afterDot < name.size() && name[afterDot] == ' ';
    const bool initialBefore =
        begin > 0 && name[begin - 1] == ' ' && SingleInitialEndsAt(name, begin - 1);
    const bool initialAfter = blankAfter && SingleInitialAt(name, afterDot + 1);
    if (letters == 1 && (initialBefore || initialAfter)) {
        return true;
    }
    if (!blankAfter) {
        return false;
    }
    // An abbreviation that leads the next word or number.
    std::size_t next = afterDot;
    while (next < name.size() && name[next] == ' ') {
        ++next;
    }
    return next < name.size() && (LetterAt(name, next) || (name[next] >= '0' && name[next] <= '9'));
}

}  // namespace tagnomen

// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/CleaningSteps.h"

#include <algorithm>

#include "rename/EngineRun.h"
#include "rename/RenameQuestions.h"

namespace tagnomen::smart {

namespace {

// The byte at `pos`, or 0 past the end: no test below matches 0, so reading
// "the character after" at the end of the name is always safe.
char At(std::string_view name, std::size_t pos) {
    return pos < name.size() ? name[pos] : '\0';
}

bool DigitAt(std::string_view name, std::size_t pos) {
    return IsAsciiDigit(At(name, pos));
}

int DigitValue(char c) {
    return c - '0';
}

// Two digits at `pos` whose number lies from 0 to 50.
bool SmallPairAt(std::string_view name, std::size_t pos) {
    if (!DigitAt(name, pos) || !DigitAt(name, pos + 1)) {
        return false;
    }
    return DigitValue(name[pos]) * 10 + DigitValue(name[pos + 1]) <= 50;
}

bool IsOneOf(char c, std::string_view set) {
    return set.find(c) != std::string_view::npos;
}

// "track" at `pos`, any case; with smallC the "c" must be small.
bool TrackWordAt(std::string_view name, std::size_t pos, bool smallC) {
    if (name.size() < 5 || pos > name.size() - 5) {
        return false;
    }
    static constexpr char kWord[] = "track";
    for (std::size_t k = 0; k < 5; ++k) {
        char c = name[pos + k];
        if (c == kWord[k]) {
            continue;
        }
        if (k == 3 && smallC) {
            return false;
        }
        if (c != kWord[k] - 'a' + 'A') {
            return false;
        }
    }
    return true;
}

// Copies the name without every blank for which `drop(name, i)` holds.
template <typename Predicate>
std::string DropBlanksWhere(const std::string& name, Predicate drop) {
    std::string out;
    out.reserve(name.size());
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == ' ' && drop(name, i)) {
            continue;
        }
        out += name[i];
    }
    return out;
}

}  // namespace

bool IsYearAt(std::string_view name, std::size_t pos) {
    int number = 0;
    for (std::size_t k = 0; k < 4; ++k) {
        if (!DigitAt(name, pos + k)) {
            return false;
        }
        number = number * 10 + DigitValue(name[pos + k]);
    }
    return number >= 1900 && number <= 2050;
}

bool IsMp3At(std::string_view name, std::size_t pos) {
    return At(name, pos) == '.' && IsOneOf(At(name, pos + 1), "mM") &&
           IsOneOf(At(name, pos + 2), "pP") && At(name, pos + 3) == '3';
}

std::string TrimBlanks(std::string_view text) {
    std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string_view::npos) {
        return {};
    }
    std::size_t end = text.find_last_not_of(' ');
    return std::string(text.substr(begin, end - begin + 1));
}

void OfferValue(RenameBatch& batch, std::string& value, const std::string& candidate,
                const char* kind, const std::string& workingName) {
    if (value.empty()) {
        value = candidate;
        return;
    }
    if (value == candidate) {
        return;
    }
    std::string text = "Do you want to use " + candidate + " instead of " + value + " as " + kind +
                       "\nFor: " + workingName;
    if (AskValueChoice(batch, kQuestionCaption, text)) {
        value = candidate;
    }
}

std::string MoveLeadingYear(const std::string& name) {
    if (!IsYearAt(name, 0)) {
        return name;
    }
    const std::string bracketedYear = "(" + name.substr(0, 4) + ")";
    std::string out;
    out.reserve(name.size() + 8);
    for (std::size_t i = 4; i < name.size(); ++i) {
        if (IsMp3At(name, i)) {
            out += bracketedYear;
        }
        out += name[i];
    }
    return out;
}

void OfferYears(EngineRun& run, const std::string& name) {
    for (std::size_t i = 0; i + 4 <= name.size(); ++i) {
        if (IsYearAt(name, i)) {
            OfferValue(run.batch, run.values.year, name.substr(i, 4), kKindYear, name);
        }
    }
}

void OfferTracks(EngineRun& run, const std::string& name) {
    for (std::size_t i = 0; i + 2 <= name.size(); ++i) {
        if (SmallPairAt(name, i) && !DigitAt(name, i + 2)) {
            OfferValue(run.batch, run.values.track, name.substr(i, 2), kKindTrack, name);
        }
    }
}

std::string DropTrackNumbers(const std::string& name) {
    // The tests look at fixed characters of the whole name (the fourth, fifth,
    // sixth, ninth and tenth), not at the characters after the number found.
    const bool fourthIsDigit = DigitAt(name, 3);
    const bool fifthIsDigit = DigitAt(name, 4);
    const bool sixthIsDigit = DigitAt(name, 5);
    const bool ninthIsDigit = DigitAt(name, 8);
    const bool tenthIsDigit = DigitAt(name, 9);

    std::string kept;
    kept.reserve(name.size());
    bool keep = true;
    std::size_t wordEnd = std::string::npos;  // beyond any name until "track" is seen
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (SmallPairAt(name, i) && !fourthIsDigit) {
            keep = false;
        }
        if (c == '#' && At(name, i + 1) == ' ' && SmallPairAt(name, i + 2) && !sixthIsDigit) {
            keep = false;
        }
        if (c == '#' && SmallPairAt(name, i + 1) && !fifthIsDigit) {
            keep = false;
        }
        if (TrackWordAt(name, i, true) && DigitAt(name, i + 5) && DigitAt(name, i + 6) &&
            !ninthIsDigit) {
            keep = false;
            wordEnd = i + 4;
        }
        if (TrackWordAt(name, i, false) && At(name, i + 5) == ' ' && DigitAt(name, i + 6) &&
            DigitAt(name, i + 7) && !tenthIsDigit) {
            keep = false;
            wordEnd = i + 4;
        }
        if (wordEnd != std::string::npos && i > wordEnd && IsAsciiLetter(c)) {
            keep = true;
        } else if (IsOneOf(c, "( -_.)")) {
            keep = true;
        }
        if (keep) {
            kept += c;
        }
    }

    // A name may start with an accented letter: the lead byte of a UTF-8
    // sequence counts as a letter here, so "\xC3\x89dith" keeps its first
    // letter and no sequence is ever cut.
    std::size_t start = 0;
    while (start < kept.size()) {
        const char c = kept[start];
        const auto byte = static_cast<unsigned char>(c);
        if (IsAsciiLetter(c) || IsAsciiDigit(c) || c == '(' || c == '\'' ||
            (byte >= 0xC2 && byte <= 0xF4)) {
            break;
        }
        ++start;
    }
    return kept.substr(start);
}

std::string DropEmptyDashes(const std::string& name) {
    std::string out;
    out.reserve(name.size());
    std::size_t i = 0;
    while (i < name.size()) {
        if (name[i] != '-') {
            out += name[i++];
            continue;
        }
        std::size_t next = i + 1;
        bool onlyBlanks = true;
        while (next < name.size() && name[next] != '-') {
            if (name[next] != ' ') {
                onlyBlanks = false;
            }
            ++next;
        }
        if (onlyBlanks) {
            i = next;  // the "-" and its blanks go; the next "-" is judged itself
        } else {
            out += name[i++];
        }
    }
    return out;
}

std::string SquareToRoundBrackets(const std::string& name) {
    std::string out = name;
    std::replace(out.begin(), out.end(), '[', '(');
    std::replace(out.begin(), out.end(), ']', ')');
    return out;
}

std::string BlankBeforeOpeningBracket(const std::string& name) {
    std::string out;
    out.reserve(name.size() + 4);
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '(' && i > 0 && name[i - 1] != ' ') {
            out += ' ';
        }
        out += name[i];
    }
    return out;
}

std::string BlankAfterClosingBracket(const std::string& name) {
    std::string out;
    out.reserve(name.size() + 4);
    for (std::size_t i = 0; i < name.size(); ++i) {
        out += name[i];
        if (name[i] == ')' && At(name, i + 1) != ' ') {
            out += ' ';
        }
    }
    return out;
}

std::string ArtistGroup(EngineRun& run, const std::string& name, bool secondRun) {
    run.artistPassFlag = secondRun;
    const bool startsGrouped = !name.empty() && name[0] == '(';
    bool firstGroupClosed = false;
    bool offerPending = false;
    std::string inner;
    std::string out;
    out.reserve(name.size() + 2);
    int depth = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (offerPending) {
            // The first character after the group: the collected text is offered once.
            offerPending = false;
            if (!inner.empty()) {
                OfferValue(run.batch, run.values.artist, inner, kKindArtist, name);
            }
        }
        out += c;
        if (c == '(') {
            ++depth;
        } else if (c == ')') {
            --depth;
        }
        const bool closesGroup = c == ')' && depth == 0;
        if (startsGrouped && !firstGroupClosed && i > 0 && !closesGroup) {
            inner += c;
        }
        if (!closesGroup) {
            continue;
        }
        if (startsGrouped && !firstGroupClosed) {
            const bool dashNear = IsOneOf(At(name, i + 1), "-_") ||
                                  IsOneOf(At(name, i + 2), "-_") ||
                                  IsOneOf(At(name, i + 3), "-_") || At(name, i + 4) == '_';
            if (!dashNear) {
                out += '-';
            }
            if (secondRun) {
                offerPending = true;
            }
        }
        firstGroupClosed = true;
    }
    return out;
}

std::string UnderscoreSeparator(const std::string& name, int& underscoreDashCount) {
    std::string out;
    out.reserve(name.size());
    int followedByDash = 0;
    bool found = false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const bool beforeDash = At(name, i + 1) == '-';
        if (beforeDash) {
            ++followedByDash;
        }
        if (name[i] == '_' && beforeDash && At(name, i + 2) == '_') {
            if (!found) {
                underscoreDashCount = followedByDash;
                found = true;
            }
            continue;
        }
        out += name[i];
    }
    return out;
}

std::string UnderscoresToBlanks(const std::string& name) {
    std::string out = name;
    std::replace(out.begin(), out.end(), '_', ' ');
    return out;
}

std::string DropLeadingBlanks(const std::string& name) {
    std::size_t start = name.find_first_not_of(' ');
    return start == std::string::npos ? std::string() : name.substr(start);
}

std::string ArtistWrap(EngineRun& run, const std::string& name) {
    const int wantedDash = run.underscoreDashCount > 0 ? run.underscoreDashCount : 1;
    run.underscoreDashCount = 0;
    if (name.empty() || name[0] == '(' || name.find('-') == std::string::npos) {
        return name;
    }

    std::string out = "(";
    out.reserve(name.size() + 2);
    std::string artist;
    bool wrapped = false;
    int dashesSeen = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        out += name[i];
        if (wrapped) {
            continue;
        }
        artist += name[i];
        if (At(name, i + 1) == '-' && ++dashesSeen >= wantedDash) {
            out += ')';
            wrapped = true;
        }
    }
    run.values.artist = artist;
    return out;
}

std::string ExtraDashes(const std::string& name) {
    std::string out;
    out.reserve(name.size());
    bool inside = false;
    bool closingSeen = false;
    int outsideDashes = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        char c = name[i];
        if (c == '(') {
            inside = true;
        } else if (c == ')') {
            inside = false;
            closingSeen = true;
        } else if (c == '-') {
            if (!inside) {
                ++outsideDashes;
            }
            const bool stays = closingSeen && (inside || outsideDashes == 1);
            if (!stays) {
                const char before = i > 0 ? name[i - 1] : '\0';
                if (At(name, i + 1) == '.') {
                    continue;
                }
                const bool aHa = IsOneOf(before, "aA") || IsOneOf(At(name, i + 1), "hH") ||
                                 IsOneOf(At(name, i + 2), "aA");
                if (!aHa) {
                    c = ' ';
                }
            }
        }
        out += c;
    }
    return out;
}

void TakeTitle(EngineRun& run, const std::string& name) {
    const std::size_t firstDot = name.find('.');
    const std::size_t limit = firstDot == std::string::npos ? name.size() : firstDot;
    bool inside = false;
    int dashes = 0;
    std::size_t dash = 0;
    for (std::size_t i = 0; i < limit; ++i) {
        if (name[i] == '(') {
            inside = true;
        } else if (name[i] == ')') {
            inside = false;
        } else if (name[i] == '-' && !inside) {
            ++dashes;
            dash = i;
        }
    }
    if (dashes != 1) {
        return;
    }
    run.values.title = name.substr(dash + 1, limit - dash - 1);
}

std::string DropBlankBeforeClosingBracket(const std::string& name) {
    return DropBlanksWhere(name,
                           [](std::string_view n, std::size_t i) { return At(n, i + 1) == ')'; });
}

std::string DropBlankAfterOpeningBracket(const std::string& name) {
    return DropBlanksWhere(
        name, [](std::string_view n, std::size_t i) { return i > 0 && n[i - 1] == '('; });
}

std::string BlankBeforeDashes(const std::string& name) {
    const std::size_t from = name.find(')');
    if (from == std::string::npos) {
        return name;
    }
    std::string out;
    out.reserve(name.size() + 4);
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (i > from && name[i] == '-' && name[i - 1] != ' ') {
            out += ' ';
        }
        out += name[i];
    }
    return out;
}

std::string BlankAfterDashes(const std::string& name) {
    const std::size_t from = name.find(')');
    if (from == std::string::npos) {
        return name;
    }
    std::string out;
    out.reserve(name.size() + 4);
    for (std::size_t i = 0; i < name.size(); ++i) {
        out += name[i];
        if (i > from && name[i] == '-' && At(name, i + 1) != ' ') {
            out += ' ';
        }
    }
    return out;
}

std::string DropBangS(const std::string& name) {
    std::string out;
    out.reserve(name.size());
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '!' && At(name, i + 1) == 's') {
            ++i;
            continue;
        }
        out += name[i];
    }
    return out;
}

std::string WordCase(const std::string& name) {
    // Works in place: "the character before" is the one already decided, so
    // "MCCOY" reads "Mc" before its second "C" and becomes "McCoy".
    std::string out = name;
    if (out.empty()) {
        return out;
    }
    if (IsAsciiLower(out[0])) {
        out[0] = static_cast<char>(out[0] - 'a' + 'A');
    }
    for (std::size_t i = 1; i < out.size(); ++i) {
        const char before = out[i - 1];
        char& c = out[i];
        if (IsAsciiUpper(c)) {
            const bool afterMc = i >= 2 && out[i - 2] == 'M' && before == 'c';
            const bool afterDot =
                before == '.' && !(IsOneOf(At(out, i + 1), "pP") && At(out, i + 2) == '3');
            if (!(before == ' ' || before == '(' || afterMc || afterDot)) {
                c = static_cast<char>(c - 'A' + 'a');
            }
        }
        if (IsAsciiLower(c) && (before == ' ' || before == '(')) {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return out;
}

std::string YearBrackets(const std::string& name) {
    std::string out;
    out.reserve(name.size() + 8);
    bool inside = false;
    std::size_t closeAt = std::string::npos;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        const bool yearHere = !inside && IsYearAt(name, i);
        if (closeAt == i) {
            if (yearHere) {
                out += '(';  // a year right at the closing point moves it
                closeAt = i + 4;
            } else {
                out += ')';
                closeAt = std::string::npos;
            }
        } else if (closeAt == std::string::npos && yearHere) {
            out += '(';
            closeAt = i + 4;
        }
        out += c;
        if (c == '(') {
            inside = true;
        }
        if (c == ')') {
            inside = false;
        }
    }
    return out;
}

std::string DropBlankBeforeMp3(const std::string& name) {
    return DropBlanksWhere(name,
                           [](std::string_view n, std::size_t i) { return IsMp3At(n, i + 1); });
}

std::string DropLeadingGroupBrackets(const std::string& name) {
    if (name.empty() || name[0] != '(') {
        return name;
    }
    std::string out;
    out.reserve(name.size());
    bool closed = false;
    for (char c : name) {
        if (!closed && (c == '(' || c == ')')) {
            if (c == ')') {
                closed = true;
            }
            continue;
        }
        out += c;
    }
    return out;
}

}  // namespace tagnomen::smart

// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/GarbagePasses.h"

#include <string_view>

#include "rename/CleaningSteps.h"
#include "rename/EngineRun.h"
#include "rename/NameText.h"
#include "rename/RenameQuestions.h"

namespace tagnomen::smart {

namespace {

std::string GarbageQuestion(const std::string& text, const std::string& workingName) {
    return "Do you want to erase: " + text + "\nFrom: " + workingName;
}

bool IsOneOf(char c, std::string_view set) {
    return set.find(c) != std::string_view::npos;
}

// Asks about one piece of text; true when it is to stay in the name. "Mark
// as" answers offer the text (album) or its two-digit value (track) and drop it.
bool AskKeep(EngineRun& run, const std::string& text, const std::string& workingName) {
    const GarbageAnswer answer = AskGarbageText(run.batch, GarbageQuestion(text, workingName),
                                                {run.needsAlbum, run.needsTrack});
    switch (answer) {
        case GarbageAnswer::No:
        case GarbageAnswer::Stop:
            return true;
        case GarbageAnswer::Yes:
            return false;
        case GarbageAnswer::Album:
            OfferValue(run.batch, run.values.album, text, kKindAlbum, workingName);
            return false;
        case GarbageAnswer::Track:
            OfferValue(run.batch, run.values.track, TwoDigitValue(text), kKindTrack, workingName);
            return false;
    }
    return true;
}

bool IsSeparator(char c) {
    return c == '-' || c == '.';
}

bool IsGarbageCharacter(const std::string& name, std::size_t i, bool insideBrackets) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (IsAsciiDigit(name[i])) {
        // The "3" of ".mp3" is spared by the "." three places before it.
        return !insideBrackets && !(i >= 3 && name[i - 3] == '.');
    }
    if (c >= 1 && c <= 31) {
        return true;
    }
    if (c == 127) {
        return true;
    }
    return IsOneOf(name[i], "\"#$%:;<=>{|}~");
}

}  // namespace

bool HasVersionWord(const std::string& text) {
    std::string lower = text;
    for (char& c : lower) {
        if (IsAsciiUpper(c)) {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    for (const char* word : {"mix", "extended", "version", "live", "acoustic", "unpluged"}) {
        if (lower.find(word) != std::string::npos) {
            return true;
        }
    }
    for (std::size_t i = 0; i + 4 <= text.size(); ++i) {
        if (IsYearAt(text, i)) {
            return true;
        }
    }
    return false;
}

std::string TwoDigitValue(const std::string& text) {
    std::string value = "0";
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        const bool thirdDigit = i + 2 < text.size() && IsAsciiDigit(text[i + 2]);
        if (IsAsciiDigit(text[i]) && IsAsciiDigit(text[i + 1]) && !thirdDigit) {
            value = text.substr(i, 2);
        }
    }
    return value;
}

std::string GarbageSegmentsPass(EngineRun& run, const std::string& name) {
    int separators = 0;
    std::size_t lastSeparator = 0;
    bool inside = false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '(') {
            inside = true;
        }
        if (name[i] == ')') {
            inside = false;
        }
        if (!inside && IsSeparator(name[i])) {
            ++separators;
            lastSeparator = i;
        }
    }
    if (separators < 3) {
        return name;
    }

    std::string out;
    out.reserve(name.size());
    std::string segment;
    inside = false;
    for (std::size_t i = 0; i <= lastSeparator; ++i) {
        const char c = name[i];
        if (c == '(') {
            inside = true;
        }
        if (c == ')') {
            inside = false;
        }
        if (inside || !IsSeparator(c)) {
            segment += c;
            continue;
        }
        // An abbreviation dot (as in "R.E.M.") belongs to its segment and ends it.
        const bool abbreviationDot = c == '.' && !segment.empty() && IsAsciiUpper(segment.back());
        if (abbreviationDot) {
            segment += c;
        }
        const bool keep = IsMp3At(segment, 0) || AskKeep(run, segment, name);
        if (keep) {
            out += segment;
            if (i != lastSeparator && !abbreviationDot) {
                out += '-';
            }
        }
        segment.clear();
    }
    out += '.';
    out.append(name, lastSeparator + 1);
    return out;
}

std::string GarbageGroupsPass(EngineRun& run, const std::string& name) {
    std::string out;
    out.reserve(name.size());
    bool inside = true;  // a "-" before the first ")" never opens the groups part
    bool groupsPart = false;
    bool inGroup = false;
    std::string group;
    for (char c : name) {
        if (!groupsPart) {
            out += c;
            if (c == '(') {
                inside = true;
            }
            if (c == ')') {
                inside = false;
            }
            if (c == '-' && !inside) {
                groupsPart = true;
            }
            continue;
        }
        if (inGroup) {
            group += c;
            if (c != ')') {
                continue;
            }
            inGroup = false;
            if (HasVersionWord(group) || AskKeep(run, group, name)) {
                out += group;
            }
            continue;
        }
        if (c == '(') {
            inGroup = true;
            group = "(";
            continue;
        }
        out += c;
    }
    if (inGroup) {
        out += group;  // a group that never closes stays as it is
    }
    return out;
}

std::string GarbageCharactersPass(EngineRun& run, const std::string& name) {
    std::string candidate;
    candidate.reserve(name.size());
    bool keep = true;
    bool inside = false;
    bool found = false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (c == '(') {
            inside = true;
        }
        if (c == ')') {
            inside = false;
        }
        if (IsGarbageCharacter(name, i, inside)) {
            keep = false;
            found = true;
        } else if (IsMp3At(name, i) || c == ' ' || IsAsciiLetter(c)) {
            keep = true;
        }
        if (keep) {
            candidate += c;
        }
    }
    if (!found) {
        return name;
    }
    candidate = WordCase(CollapseBlanks(candidate));
    const std::string text = "Do you want to rename: " + name + "\nTo: " + candidate;
    return AskGarbageCharacters(run.batch, kGarbageCharactersCaption, text) ? candidate : name;
}

}  // namespace tagnomen::smart

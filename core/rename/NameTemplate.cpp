// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/NameTemplate.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "platform/Text.h"
#include "rename/NameText.h"

namespace tagnomen {

namespace {

constexpr std::string_view kArtistToken = "%Artist";
constexpr std::string_view kTitleToken = "%Title";
constexpr std::string_view kAlbumToken = "%Album";
constexpr std::string_view kYearToken = "%Year";
constexpr std::string_view kTrackToken = "%Track";

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// Removes the optional section around the first occurrence of the token, if
// the token stands inside one: the section starts at the last "{" before the
// token and ends at the first "}" after it, provided no "{" comes first.
void RemoveSectionAround(std::string& text, std::string_view token) {
    const std::size_t at = text.find(token);
    if (at == std::string::npos || at == 0) {
        return;
    }
    const std::size_t start = text.rfind('{', at - 1);
    if (start == std::string::npos) {
        return;
    }
    const std::size_t close = text.find_first_of("{}", at + token.size());
    if (close == std::string::npos || text[close] != '}') {
        return;
    }
    text.erase(start, close - start + 1);
}

// Replaces every occurrence of the token, left to right; the inserted value
// is not scanned again.
void ReplaceAll(std::string& text, std::string_view token, std::string_view value) {
    std::size_t at = text.find(token);
    if (at == std::string::npos) {
        return;
    }
    std::string result;
    result.reserve(text.size() + value.size() * 2);
    std::size_t from = 0;
    while (at != std::string::npos) {
        result.append(text, from, at - from);
        result.append(value);
        from = at + token.size();
        at = text.find(token, from);
    }
    result.append(text, from, std::string::npos);
    text.swap(result);
}

void EnsureMp3EndingInPlace(std::string& text) {
    if (!EndsWithIgnoreAsciiCase(text, ".mp3")) {
        text.append(".mp3");
    }
}

// Works on the text as it changes, so that a letter lowered a moment ago
// already counts for the "Mc" rule of the letters after it.
void CapitaliseInPlace(std::string& text) {
    for (std::size_t i = 0; i < text.size() && text[i] != '.'; ++i) {
        const char c = text[i];
        bool wordStart = i == 0;
        if (!wordStart) {
            const char before = text[i - 1];
            wordStart = before == ' ' || before == '(' || before == '"' ||
                        (i >= 2 && text[i - 2] == 'M' && before == 'c');
        }
        if (wordStart) {
            if (c >= 'a' && c <= 'z') {
                text[i] = static_cast<char>(c - 'a' + 'A');
            }
        } else if (c >= 'A' && c <= 'Z') {
            text[i] = static_cast<char>(c - 'A' + 'a');
        }
    }
}

}  // namespace

TemplateTokens FindTemplateTokens(const std::string& templateText) {
    TemplateTokens tokens;
    tokens.artist = Contains(templateText, kArtistToken);
    tokens.title = Contains(templateText, kTitleToken);
    tokens.album = Contains(templateText, kAlbumToken);
    tokens.year = Contains(templateText, kYearToken);
    tokens.track = Contains(templateText, kTrackToken);
    return tokens;
}

bool IsMissingValue(const std::string& value) {
    return Contains(value, "Unknown");
}

std::string RemoveMissingSections(const std::string& templateText, const SongValues& values,
                                  MissingValues missing) {
    std::string text = templateText;
    const std::array<std::pair<std::string_view, const std::string*>, 5> tokens{{
        {kArtistToken, &values.artist},
        {kTitleToken, &values.title},
        {kAlbumToken, &values.album},
        {kYearToken, &values.year},
        {kTrackToken, &values.track},
    }};
    for (const auto& [token, value] : tokens) {
        // Whether the token takes part is decided by the template as given;
        // where it stands now is looked up in the working copy.
        const bool isMissing =
            missing == MissingValues::kEmpty ? value->empty() : IsMissingValue(*value);
        if (isMissing && Contains(templateText, token)) {
            RemoveSectionAround(text, token);
        }
    }
    text.erase(std::remove(text.begin(), text.end(), '{'), text.end());
    text.erase(std::remove(text.begin(), text.end(), '}'), text.end());
    return text;
}

std::string ReplaceTokens(const std::string& text, const SongValues& values, bool zeroFillTrack) {
    std::string result = text;
    ReplaceAll(result, kArtistToken, values.artist);
    ReplaceAll(result, kTitleToken, values.title);
    ReplaceAll(result, kAlbumToken, values.album);
    ReplaceAll(result, kYearToken, values.year);
    if (zeroFillTrack && Utf8Length(values.track) == 1) {
        ReplaceAll(result, kTrackToken, "0" + values.track);
    } else {
        ReplaceAll(result, kTrackToken, values.track);
    }
    return result;
}

std::string ExpandTemplate(const std::string& templateText, const SongValues& values,
                           bool zeroFillTrack, MissingValues missing) {
    return ReplaceTokens(RemoveMissingSections(templateText, values, missing), values,
                         zeroFillTrack);
}

std::string FixedFormat(const std::string& artist, const std::string& title, int brackets) {
    std::string text;
    text.reserve(artist.size() + title.size() + 5);
    if (brackets == 1) {
        text.append("(").append(artist).append(") - ");
    } else {
        text.append(artist).append(" - ");
    }
    text.append(title);
    return text;
}

std::string EnsureMp3Ending(const std::string& text) {
    std::string result = text;
    EnsureMp3EndingInPlace(result);
    return result;
}

std::string Capitalise(const std::string& text) {
    std::string result = text;
    CapitaliseInPlace(result);
    return result;
}

std::string FinishProposedName(const std::string& text, int underscoreOption) {
    std::string name = CollapseBlanks(text);
    EnsureMp3EndingInPlace(name);
    CapitaliseInPlace(name);
    return FitProposedName(ApplyUnderscoreOption(name, underscoreOption));
}

namespace {

bool IsBlankOrDash(char c) {
    return c == ' ' || c == '-';
}

// "()" and "[]" with nothing but blanks inside go.
std::string WithoutEmptyBrackets(std::string text) {
    for (const auto& [open, close] : {std::pair{'(', ')'}, std::pair{'[', ']'}}) {
        for (std::size_t at = text.find(open); at != std::string::npos; at = text.find(open, at)) {
            std::size_t end = at + 1;
            while (end < text.size() && text[end] == ' ') {
                ++end;
            }
            if (end < text.size() && text[end] == close) {
                text.erase(at, end - at + 1);
            } else {
                ++at;
            }
        }
    }
    return text;
}

}  // namespace

std::string FinishCarefulName(const std::string& text, int underscoreOption) {
    std::string name = CollapseBlanks(WithoutEmptyBrackets(text));
    // A separator around a value left out: "Artist - - Title".
    for (std::size_t at = name.find(" - - "); at != std::string::npos; at = name.find(" - - ")) {
        name.erase(at, 2);
    }
    if (EndsWithIgnoreAsciiCase(name, ".mp3")) {
        name.resize(name.size() - 4);
    }
    std::size_t begin = 0;
    while (begin < name.size() && IsBlankOrDash(name[begin])) {
        ++begin;
    }
    std::size_t end = name.size();
    while (end > begin && IsBlankOrDash(name[end - 1])) {
        --end;
    }
    name = CollapseBlanks(name.substr(begin, end - begin)) + ".mp3";
    return FitProposedName(ApplyUnderscoreOption(name, underscoreOption));
}

}  // namespace tagnomen

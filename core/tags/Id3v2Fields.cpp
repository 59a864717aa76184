// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/Id3v2Fields.h"

#include "platform/Text.h"
#include "tags/GenreTable.h"

namespace tagnomen {

namespace {

constexpr int kNoGenreNumber = 255;
constexpr int kHighestTrack = 99;

std::optional<TextEncoding> EncodingOf(std::string_view content) {
    if (content.empty() || !IsTextEncoding(static_cast<unsigned char>(content[0]))) {
        return std::nullopt;
    }
    return static_cast<TextEncoding>(content[0]);
}

// The encoded text from `from` up to its terminator (or the end), and the
// offset after the terminator.
std::string_view TextUpToTerminator(TextEncoding encoding, std::string_view bytes, std::size_t from,
                                    std::size_t& next) {
    const std::size_t end = FindTerminator(encoding, bytes, from);
    if (end == std::string_view::npos) {
        next = bytes.size();
        return from < bytes.size() ? bytes.substr(from) : std::string_view();
    }
    next = end + TerminatorBytes(encoding);
    return bytes.substr(from, end - from);
}

bool AllDigits(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

// A genre number given as digits: itself up to 254, else no genre.
std::string GenreOfNumber(std::string_view digits) {
    const int number = digits.size() > 3 ? kNoGenreNumber : LeadingInteger(digits);
    return number >= kNoGenreNumber ? std::string() : std::to_string(number);
}

// The number of a name of the genre table, compared without regard to case.
int GenreNumberOfName(std::string_view name) {
    const auto& table = GenreTable();
    for (int number = 0; number < kGenreCount; ++number) {
        if (EqualsIgnoreAsciiCase(table[static_cast<std::size_t>(number)], name)) {
            return number;
        }
    }
    return kNoGenreNumber;
}

std::string GenreOfName(std::string_view name) {
    if (name == "RX") {
        return "Remix";
    }
    if (name == "CR") {
        return "Cover";
    }
    const int number = GenreNumberOfName(name);
    return number == kNoGenreNumber ? std::string(name) : std::to_string(number);
}

}  // namespace

std::optional<TextValue> DecodeTextFrame(std::string_view content) {
    const std::optional<TextEncoding> encoding = EncodingOf(content);
    if (!encoding) {
        return std::nullopt;
    }
    std::size_t next = 0;
    const std::string_view text = TextUpToTerminator(*encoding, content, 1, next);
    return TextValue{*encoding, DecodeText(*encoding, text)};
}

std::string EncodeTextFrame(std::string_view utf8, int majorVersion) {
    const TextEncoding encoding = EncodingFor(utf8, majorVersion);
    return std::string(1, static_cast<char>(encoding)) + EncodeText(encoding, utf8);
}

std::optional<CommentFrame> DecodeCommentFrame(std::string_view content) {
    const std::optional<TextEncoding> encoding = EncodingOf(content);
    if (!encoding || content.size() < 4) {
        return std::nullopt;
    }
    CommentFrame frame;
    frame.encoding = *encoding;
    frame.language = std::string(content.substr(1, 3));
    std::size_t next = 0;
    frame.description = DecodeText(*encoding, TextUpToTerminator(*encoding, content, 4, next));
    std::size_t ignored = 0;
    frame.text = DecodeText(*encoding, TextUpToTerminator(*encoding, content, next, ignored));
    return frame;
}

std::string EncodeCommentFrame(std::string_view language, std::string_view description,
                               std::string_view text, int majorVersion) {
    const std::string both = std::string(description) + std::string(text);
    const TextEncoding encoding = EncodingFor(both, majorVersion);
    std::string out(1, static_cast<char>(encoding));
    std::string code(language.substr(0, 3));
    code.resize(3, ' ');
    out += code;
    out += EncodeText(encoding, description);
    out.append(TerminatorBytes(encoding), '\0');
    out += EncodeText(encoding, text);
    return out;
}

std::optional<UserLinkFrame> DecodeUserLinkFrame(std::string_view content) {
    const std::optional<TextEncoding> encoding = EncodingOf(content);
    if (!encoding) {
        return std::nullopt;
    }
    UserLinkFrame frame;
    std::size_t next = 0;
    frame.description = DecodeText(*encoding, TextUpToTerminator(*encoding, content, 1, next));
    std::size_t ignored = 0;
    frame.url = Latin1ToUtf8(TextUpToTerminator(TextEncoding::Latin1, content, next, ignored));
    return frame;
}

std::string EncodeUserLinkFrame(std::string_view url, int) {
    // An empty description in ISO-8859-1, then the link.
    return std::string(2, '\0') + Utf8ToLatin1(url);
}

std::optional<Picture> DecodePictureFrame(std::string_view content, bool version2) {
    const std::optional<TextEncoding> encoding = EncodingOf(content);
    if (!encoding) {
        return std::nullopt;
    }
    Picture picture;
    std::size_t at = 1;
    if (version2) {
        if (content.size() < 5) {
            return std::nullopt;
        }
        const std::string format = ToLowerAscii(content.substr(1, 3));
        picture.mimeType = format == "jpg" ? "image/jpeg" : "image/" + format;
        at = 4;
    } else {
        std::size_t next = 0;
        picture.mimeType = std::string(TextUpToTerminator(TextEncoding::Latin1, content, 1, next));
        at = next;
    }
    if (at >= content.size()) {
        return std::nullopt;
    }
    picture.type = static_cast<unsigned char>(content[at]);
    std::size_t next = 0;
    picture.description =
        DecodeText(*encoding, TextUpToTerminator(*encoding, content, at + 1, next));
    picture.data = std::string(content.substr(std::min(next, content.size())));
    return picture;
}

std::string GenreFromFrameText(std::string_view text) {
    const std::string trimmed = TrimWhiteSpace(text);
    std::string_view rest = trimmed;
    if (rest.empty()) {
        return {};
    }
    if (rest.substr(0, 2) == "((") {
        return std::string(rest.substr(1));  // "((" escapes a name that begins with "("
    }
    if (rest.front() == '(') {
        const std::size_t close = rest.find(')');
        if (close == std::string_view::npos) {
            return std::string(rest);
        }
        const std::string_view inside = rest.substr(1, close - 1);
        const std::string_view after = rest.substr(close + 1);
        if (inside == "RX" || inside == "CR") {
            return GenreOfName(inside);
        }
        if (!AllDigits(inside)) {
            return std::string(rest);
        }
        const std::string number = GenreOfNumber(inside);
        // "(17)Rock": the number is the genre, the text only refines it.
        return number.empty() && !after.empty() ? GenreFromFrameText(after) : number;
    }
    if (AllDigits(rest)) {
        return GenreOfNumber(rest);
    }
    return GenreOfName(rest);
}

int GenreNumberOf(std::string_view genre) {
    if (AllDigits(genre)) {
        const int number = genre.size() > 3 ? kNoGenreNumber : LeadingInteger(genre);
        return number > kNoGenreNumber ? kNoGenreNumber : number;
    }
    return genre.empty() ? kNoGenreNumber : GenreNumberOfName(genre);
}

std::string GenreFrameText(std::string_view genre, int majorVersion) {
    const int number = GenreNumberOf(genre);
    if (number != kNoGenreNumber) {
        const std::string digits = std::to_string(number);
        return majorVersion >= 4 ? digits : "(" + digits + ")";
    }
    if (genre.empty() || AllDigits(genre)) {
        return {};
    }
    return std::string(genre);
}

int TrackNumberOf(std::string_view text) {
    const std::size_t slash = text.find('/');
    const int number = LeadingInteger(text.substr(0, slash));
    return number < 0 || number > kHighestTrack ? 0 : number;
}

std::string_view TrackTotalOf(std::string_view text) {
    const std::size_t slash = text.find('/');
    return slash == std::string_view::npos ? std::string_view() : text.substr(slash);
}

std::string PresentValue(std::string_view utf8, std::size_t characters) {
    // Blanks around a value are no part of it, as players show it.
    const std::string trimmed = TrimWhiteSpace(utf8);
    if (!StartsWithPrintable(trimmed)) {
        return {};
    }
    return TrimRight(Utf8Left(trimmed, characters));
}

}  // namespace tagnomen

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the frames the program reads and writes mean: text frames, comments
// (COMM and its kin USLT), user links (WXXX), pictures (APIC), the genre
// forms of TCON and the track forms of TRCK. Each decoder takes a frame's
// content (encoding byte first) and each encoder gives one.
#include <optional>
#include <string>
#include <string_view>

#include "tags/TagText.h"

namespace tagnomen {

struct TextValue {
    TextEncoding encoding = TextEncoding::Latin1;
    std::string text;  // UTF-8
};

// The first value of a text frame (ID3v2.4 separates several with NULs).
std::optional<TextValue> DecodeTextFrame(std::string_view content);
// Encoding byte and text, in the encoding a new value gets in that version.
std::string EncodeTextFrame(std::string_view utf8, int majorVersion);

// COMM and USLT: encoding, language, description, text.
struct CommentFrame {
    TextEncoding encoding = TextEncoding::Latin1;
    std::string language;  // three characters, e.g. "eng"
    std::string description;
    std::string text;
};
std::optional<CommentFrame> DecodeCommentFrame(std::string_view content);
// The description and the text share one encoding, chosen for both.
std::string EncodeCommentFrame(std::string_view language, std::string_view description,
                               std::string_view text, int majorVersion);

// WXXX: a description in the frame's encoding, then the link in ISO-8859-1.
struct UserLinkFrame {
    std::string description;
    std::string url;
};
std::optional<UserLinkFrame> DecodeUserLinkFrame(std::string_view content);
std::string EncodeUserLinkFrame(std::string_view url, int majorVersion);

// APIC (and PIC of version 2, whose image format is three letters).
struct Picture {
    std::string mimeType;
    int type = 0;  // 3 = front cover
    std::string description;
    std::string data;
};
std::optional<Picture> DecodePictureFrame(std::string_view content, bool version2);

// The genre a TCON text names, as the program holds genres: the decimal
// number of a genre of the genre table ("(17)", "(17)Rock", "Rock" and "17"
// all give "17"), "Remix" and "Cover" for "(RX)" and "(CR)", any other name
// as it stands; empty for no genre ("(255)", an out-of-range number).
std::string GenreFromFrameText(std::string_view text);
// The genre number of a genre as the program holds it: its number when it
// is a decimal number up to 254 or a name of the genre table (compared
// without regard to case); 255 otherwise.
int GenreNumberOf(std::string_view genre);
// The TCON text for a genre: "(17)" in version 3 and "17" in version 4 for a
// genre of the table, the name itself otherwise; empty for no genre.
std::string GenreFrameText(std::string_view genre, int majorVersion);

// "9/12" gives 9; the number at the start of the text, 0 outside 0..99.
int TrackNumberOf(std::string_view text);
// The "/12" of "9/12", empty when there is none.
std::string_view TrackTotalOf(std::string_view text);

// A value as the readers keep it: white space around it removed, empty
// unless its first character is then printable, at most `characters` long.
std::string PresentValue(std::string_view utf8, std::size_t characters);

}  // namespace tagnomen

// SPDX-License-Identifier: GPL-3.0-or-later
#include <climits>
#include <string>

#include <gtest/gtest.h>

#include "platform/Text.h"

namespace tagnomen {
namespace {

struct ConversionCase {
    const char* name;
    std::string utf8;
    std::string latin1;
};

TEST(TextTest, Utf8ToLatin1MapsCharactersAndKeepsStrayBytes) {
    const ConversionCase cases[] = {
        {"ascii", "Song 1", "Song 1"},
        {"latin letters", "Caf\xC3\xA9 \xC3\x9C", "Caf\xE9 \xDC"},
        {"highest latin-1", "\xC3\xBF", "\xFF"},
        {"euro sign", "5 \xE2\x82\xAC", "5 ?"},
        {"four-byte emoji", "a\xF0\x9F\x8E\xB5z", "a?z"},
        {"first char above latin-1", "\xC4\x80", "?"},
        {"stray latin-1 byte", "Caf\xE9", "Caf\xE9"},
        {"truncated sequence", "x\xE2\x82", "x\xE2\x82"},
        {"overlong slash", "\xC0\xAF", "\xC0\xAF"},
        {"surrogate half", "\xED\xA0\x80", "\xED\xA0\x80"},
        {"lone continuation", "\x80", "\x80"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToLatin1(c.utf8), c.latin1) << c.name;
    }
}

TEST(TextTest, EveryLatin1ByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    const std::string utf8 = Latin1ToUtf8(all);
    EXPECT_EQ(utf8.size(), 128u + 2u * 128u);
    EXPECT_EQ(Utf8Length(utf8), 256u);
    EXPECT_EQ(Utf8ToLatin1(utf8), all);
    EXPECT_EQ(MakeValidUtf8(utf8), utf8);
    EXPECT_EQ(Latin1ToUtf8("\xE9"), "\xC3\xA9");
}

TEST(TextTest, MakeValidUtf8ReadsStrayBytesAsLatin1) {
    EXPECT_EQ(MakeValidUtf8("plain"), "plain");
    EXPECT_EQ(MakeValidUtf8("caf\xC3\xA9"), "caf\xC3\xA9");
    EXPECT_EQ(MakeValidUtf8("caf\xE9"), "caf\xC3\xA9");
    EXPECT_EQ(MakeValidUtf8("\xE2\x82"), "\xC3\xA2\xC2\x82");
}

TEST(TextTest, WidthsCountCharactersAndNeverSplitASequence) {
    const std::string text =
        "a\xC3\xA9\xE2\x82\xAC"
        "b";  // a é € b: 4 characters, 7 bytes
    EXPECT_EQ(Utf8Length(text), 4u);
    EXPECT_EQ(Utf8Length(""), 0u);
    EXPECT_EQ(Utf8Length("\xE9\xE9"), 2u);  // stray bytes count one each

    EXPECT_EQ(Utf8Left(text, 0), "");
    EXPECT_EQ(Utf8Left(text, 2), "a\xC3\xA9");
    EXPECT_EQ(Utf8Left(text, 3), "a\xC3\xA9\xE2\x82\xAC");
    EXPECT_EQ(Utf8Left(text, 10), text);

    const struct {
        std::size_t bytes;
        std::string expected;
    } cuts[] = {{0, ""},
                {1, "a"},
                {2, "a"},
                {3, "a\xC3\xA9"},
                {4, "a\xC3\xA9"},
                {5, "a\xC3\xA9"},
                {6, "a\xC3\xA9\xE2\x82\xAC"},
                {7, text},
                {100, text}};
    for (const auto& cut : cuts) {
        EXPECT_EQ(Utf8CutBytes(text, cut.bytes), cut.expected) << cut.bytes;
    }
}

TEST(TextTest, AsciiCaseHelpersLeaveOtherBytesAlone) {
    EXPECT_EQ(ToLowerAscii("Help! \xC3\x89T\xC3\xA9"), "help! \xC3\x89t\xC3\xA9");
    EXPECT_EQ(ToUpperAscii("mp3-\xC3\xA9z"), "MP3-\xC3\xA9Z");
    EXPECT_TRUE(EqualsIgnoreAsciiCase("Song.MP3", "song.mp3"));
    EXPECT_FALSE(EqualsIgnoreAsciiCase("song.mp3", "song.mp"));
    EXPECT_FALSE(EqualsIgnoreAsciiCase("\xC3\x89", "\xC3\xA9"));
    EXPECT_TRUE(EndsWithIgnoreAsciiCase("Track 01.Mp3", ".mP3"));
    EXPECT_FALSE(EndsWithIgnoreAsciiCase("mp3", ".mp3"));
    EXPECT_TRUE(EndsWithIgnoreAsciiCase("x", ""));
}

TEST(TextTest, LeadingIntegerSkipsWhiteSpaceAndSaturates) {
    const struct {
        const char* text;
        int value;
    } cases[] = {
        {"", 0},
        {"abc", 0},
        {"42", 42},
        {"  \t42x", 42},
        {"3/12", 3},
        {"-7", -7},
        {"+5", 5},
        {"- 5", 0},
        {"007", 7},
        {"2147483647", INT_MAX},
        {"2147483648", INT_MAX},
        {"99999999999999999999999", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-2147483649", INT_MIN},
        {"-99999999999999999999999", INT_MIN},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LeadingInteger(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(TextTest, TrimmingRemovesOnlyTheWhiteSpaceBytes) {
    EXPECT_EQ(TrimWhiteSpace(" \t\n\v\f\rSong \r\n"), "Song");
    EXPECT_EQ(TrimWhiteSpace("   "), "");
    EXPECT_EQ(TrimWhiteSpace("\x01"
                             "a\x01"),
              "\x01"
              "a\x01");
    EXPECT_EQ(TrimWhiteSpace("\xA0x\xA0"), "\xA0x\xA0");  // no-break space is not white space
    EXPECT_EQ(TrimRight("  a b  "), "  a b");
    EXPECT_EQ(TrimRight("\t"), "");
    EXPECT_TRUE(IsWhiteSpaceByte(0x0D));
    EXPECT_FALSE(IsWhiteSpaceByte(0x0E));
    EXPECT_FALSE(IsWhiteSpaceByte(0x08));
}

}  // namespace
}  // namespace tagnomen

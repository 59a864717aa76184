// SPDX-License-Identifier: GPL-3.0-or-later
// The JSON report of both tag readers for one file.
#include <string>

#include <gtest/gtest.h>

#include "TagsTestBytes.h"
#include "TempDir.h"
#include "tags/TagReport.h"

namespace tagnomen {
namespace {

using testing::TempDir;
using namespace testing::tags;

TEST(TagReportTest, BothTagsInContractOrder) {
    TempDir dir;
    const Bytes v2 =
        Tag(3,
            TextFrame(3, "TIT2", "Say \"Caf\xE9\"") + TextFrame(3, "TRCK", "3/9") +
                TextFrame(3, "TCON", "(17)") + TextFrame(3, "WXXX", Bytes("\0a\\b", 4)),
            40);
    Bytes comment = Bytes("Hi\tthere") + Bytes(20, '\0') + '\0' + '\x05';
    dir.Write("x.mp3", v2 + Audio(20) + V1Block({"T1", "A1", "", "1999", comment, 17}));
    const std::string expected =
        "{\"file\": \"" + (dir / "x.mp3") +
        "\", \"id3v1\": {\"present\": true, \"version\": 2, \"title\": \"T1\", \"artist\": \"A1\", "
        "\"album\": \"\", \"year\": \"1999\", \"comment\": \"Hi\\tthere\", \"track\": 5, "
        "\"genre\": 17}, \"id3v2\": {\"read\": true, \"present\": true, \"version\": 3, "
        "\"size\": " +
        std::to_string(v2.size()) +
        ", \"title\": \"Say \\\"Caf\xC3\xA9\\\"\", \"artist\": \"\", \"album\": \"\", "
        "\"year\": \"\", \"track\": 3, \"genre\": \"17\", \"comment\": \"\", \"composer\": \"\", "
        "\"encodedBy\": \"\", \"rightsNotice\": \"\", \"language\": \"\", \"url\": \"a\\\\b\"}}";
    EXPECT_EQ(DescribeTagsAsJson(dir / "x.mp3"), expected);
}

TEST(TagReportTest, MissingFileAndFileWithoutTags) {
    const std::string none =
        "\"id3v1\": {\"present\": false, \"version\": 1, \"title\": \"\", \"artist\": \"\", "
        "\"album\": \"\", \"year\": \"\", \"comment\": \"\", \"track\": 0, \"genre\": 255}, "
        "\"id3v2\": {\"read\": %s, \"present\": false, \"version\": 0, \"size\": 0, \"title\": "
        "\"\", \"artist\": \"\", \"album\": \"\", \"year\": \"\", \"track\": 0, \"genre\": \"\", "
        "\"comment\": \"\", \"composer\": \"\", \"encodedBy\": \"\", \"rightsNotice\": \"\", "
        "\"language\": \"\", \"url\": \"\"}}";
    auto with = [&none](const char* read) {
        std::string s = none;
        s.replace(s.find("%s"), 2, read);
        return s;
    };
    TempDir dir;
    dir.Write("plain.mp3", Audio(300));
    EXPECT_EQ(DescribeTagsAsJson("relative/missing.mp3"),
              "{\"file\": \"relative/missing.mp3\", " + with("false"));
    EXPECT_EQ(DescribeTagsAsJson(dir / "plain.mp3"),
              "{\"file\": \"" + (dir / "plain.mp3") + "\", " + with("true"));
}

TEST(TagReportTest, JsonStringsAreEscapedAndValidUtf8) {
    const struct {
        std::string text;
        std::string json;
    } cases[] = {
        {"plain", "\"plain\""},
        {"q\"b\\s/", "\"q\\\"b\\\\s/\""},
        {"\n\r\t\b\f", "\"\\n\\r\\t\\b\\f\""},
        {std::string("\x01\x1F", 2), "\"\\u0001\\u001f\""},
        {"caf\xC3\xA9", "\"caf\xC3\xA9\""},
        {"caf\xE9", "\"caf\xC3\xA9\""},  // a stray byte of a file name
        {"\x7F", "\"\x7F\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(JsonString(c.text), c.json) << c.text;
    }
}

}  // namespace
}  // namespace tagnomen

// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/TagReport.h"

#include "platform/Text.h"
#include "tags/ReadTags.h"
#include "tags/TagFile.h"

namespace tagnomen {

namespace {

const char* Bool(bool value) {
    return value ? "true" : "false";
}

class JsonObject {
  public:
    JsonObject& Key(const char* key) {
        out_ += first_ ? "{" : ", ";
        first_ = false;
        out_ += JsonString(key);
        out_ += ": ";
        return *this;
    }
    JsonObject& Text(const char* key, const std::string& value) {
        Key(key);
        out_ += JsonString(value);
        return *this;
    }
    JsonObject& Number(const char* key, long long value) {
        Key(key);
        out_ += std::to_string(value);
        return *this;
    }
    JsonObject& Flag(const char* key, bool value) {
        Key(key);
        out_ += Bool(value);
        return *this;
    }
    JsonObject& Raw(const char* key, const std::string& json) {
        Key(key);
        out_ += json;
        return *this;
    }
    std::string Close() { return out_ + (first_ ? "{}" : "}"); }

  private:
    std::string out_;
    bool first_ = true;
};

}  // namespace

std::string JsonString(const std::string& text) {
    const std::string utf8 = MakeValidUtf8(text);
    std::string out = "\"";
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (byte < 0x20) {
                    static const char* const kHex = "0123456789abcdef";
                    out += "\\u00";
                    out += kHex[byte >> 4];
                    out += kHex[byte & 0x0F];
                } else {
                    out += c;
                }
        }
    }
    out += '"';
    return out;
}

namespace {

// The frames of the tag, the encoding of each value's frame and the number
// of pictures (full support).
void AddFullSupportFields(const Id3v2Record& v2, JsonObject& object) {
    static constexpr const char* kValueNames[] = {
        "title",   "artist",   "album",     "track",        "year",     "genre",
        "comment", "composer", "encodedBy", "rightsNotice", "language", "url"};
    JsonObject encodings;
    for (std::size_t row = 0; row < v2.valueEncodings.size(); ++row) {
        if (!v2.valueEncodings[row].empty()) {
            encodings.Text(kValueNames[row], v2.valueEncodings[row]);
        }
    }
    std::string frames = "[";
    for (std::size_t i = 0; i < v2.frameIds.size(); ++i) {
        frames += (i == 0 ? "" : ", ") + JsonString(v2.frameIds[i]);
    }
    frames += "]";
    object.Raw("encodings", encodings.Close())
        .Raw("frames", frames)
        .Number("pictures", v2.pictureCount);
}

}  // namespace

std::string DescribeTagsAsJson(const std::string& path, TagSupport support) {
    const TagFile file(path);
    return DescribeTagsAsJson(file, path, support);
}

std::string DescribeTagsAsJson(const TagFile& file, const std::string& name, TagSupport support) {
    Id3v1Record v1(support);
    Id3v2Record v2(support);
    const int read = ReadTags(file, v1, v2);

    const std::string id3v1 = JsonObject()
                                  .Flag("present", v1.tagPresent == 1)
                                  .Number("version", v1.version)
                                  .Text("title", v1.title)
                                  .Text("artist", v1.artist)
                                  .Text("album", v1.album)
                                  .Text("year", v1.year)
                                  .Text("comment", v1.comment)
                                  .Number("track", v1.track)
                                  .Number("genre", v1.genre)
                                  .Close();
    JsonObject id3v2Object;
    id3v2Object.Flag("read", read == 1)
        .Flag("present", v2.tagPresent == 1)
        .Number("version", v2.majorVersion)
        .Number("size", v2.tagSize)
        .Text("title", v2.title)
        .Text("artist", v2.artist)
        .Text("album", v2.album)
        .Text("year", v2.year)
        .Number("track", v2.track)
        .Text("genre", v2.genre)
        .Text("comment", v2.comment)
        .Text("composer", v2.composer)
        .Text("encodedBy", v2.encodedBy)
        .Text("rightsNotice", v2.rightsNotice)
        .Text("language", v2.language)
        .Text("url", v2.url);
    if (support == TagSupport::Full) {
        AddFullSupportFields(v2, id3v2Object);  // beside the old fields, which keep their names
    }
    const std::string id3v2 = id3v2Object.Close();
    return JsonObject().Text("file", name).Raw("id3v1", id3v1).Raw("id3v2", id3v2).Close();
}

}  // namespace tagnomen

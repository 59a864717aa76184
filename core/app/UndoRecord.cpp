// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/UndoRecord.h"

#include <charconv>

#include "platform/Text.h"

namespace tagnomen {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

enum class LineEnd { LineFeed, EndMark, EndOfFile };

struct Line {
    std::string text;
    LineEnd end;
};

// Reads lines as Undo has always read them: up to LF, the end mark or the end.
class LineReader {
  public:
    explicit LineReader(std::string_view bytes) : bytes_(bytes) {}

    Line Next() {
        const std::size_t stop = bytes_.find_first_of(std::string_view("\n\x01", 2), at_);
        if (stop == std::string_view::npos) {
            Line line{FinishUndoLine(std::string(bytes_.substr(at_))), LineEnd::EndOfFile};
            at_ = bytes_.size();
            return line;
        }
        Line line{FinishUndoLine(std::string(bytes_.substr(at_, stop - at_))),
                  bytes_[stop] == '\n' ? LineEnd::LineFeed : LineEnd::EndMark};
        at_ = stop + 1;
        return line;
    }
    std::size_t Offset() const { return at_; }

  private:
    std::string_view bytes_;
    std::size_t at_ = 0;
};

// The marks behind the end mark: whole lines of digits naming a pair; a torn
// or foreign line ends them.
std::vector<std::size_t> ParseMarks(std::string_view bytes, std::size_t pairs) {
    std::vector<std::size_t> marks;
    std::size_t at = 0;
    for (;;) {
        const std::size_t end = bytes.find(kLineEnd, at);
        if (end == std::string_view::npos || end == at) {
            return marks;
        }
        std::size_t index = 0;
        const char* first = bytes.data() + at;
        const char* last = bytes.data() + end;
        const auto [stop, error] = std::from_chars(first, last, index);
        if (error != std::errc() || stop != last || index >= pairs) {
            return marks;
        }
        marks.push_back(index);
        at = end + kLineEnd.size();
    }
}

}  // namespace

UndoRecord ParseUndoRecord(std::string_view bytes) {
    UndoRecord record;
    LineReader reader(bytes);
    std::string_view behind;
    for (;;) {
        Line oldName = reader.Next();
        if (oldName.text.empty()) {
            record.sealed = oldName.end != LineEnd::EndOfFile;
            if (oldName.end == LineEnd::EndMark) {
                behind = bytes.substr(reader.Offset());
            }
            break;
        }
        Line newName = reader.Next();
        record.pairs.push_back({std::move(oldName.text), std::move(newName.text)});
    }
    record.marks = ParseMarks(behind, record.pairs.size());
    std::string rendered = RenderUndoRecord(record.pairs);
    for (std::size_t mark : record.marks) {
        rendered += RenderUndoMark(mark);
    }
    record.canonical = rendered == bytes;
    return record;
}

std::string RenderUndoPair(const UndoPair& pair) {
    std::string bytes = pair.oldName;
    bytes += kLineEnd;
    bytes += pair.newName;
    bytes += kLineEnd;
    return bytes;
}

std::string RenderUndoRecord(const std::vector<UndoPair>& pairs) {
    std::string bytes;
    for (const UndoPair& pair : pairs) {
        bytes += RenderUndoPair(pair);
    }
    bytes += kUndoEndMark;
    return bytes;
}

std::string RenderUndoMark(std::size_t pair) {
    return std::to_string(pair) + std::string(kLineEnd);
}

std::string FinishUndoLine(std::string line) {
    // A longer line loses its end to the cut below in any case.
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    if (line.size() > kUndoLineMaxBytes) {
        line = Utf8CutBytes(line, kUndoLineMaxBytes);
    }
    return line;
}

bool IsRecordableUndoLine(const std::string& text) {
    return !text.empty() && text.size() <= kUndoLineMaxBytes &&
           text.find('\n') == std::string::npos && text.find(kUndoEndMark) == std::string::npos &&
           text.back() != '\r';
}

}  // namespace tagnomen

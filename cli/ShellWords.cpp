// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShellWords.h"

namespace tagnomen::cli {

std::optional<std::vector<std::string>> SplitShellWords(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (c == ' ' || c == '\t' || c == '\n') {
            if (inWord) {
                words.push_back(std::move(word));
            }
            word.clear();
            inWord = false;
            continue;
        }
        inWord = true;
        if (c == '\\') {
            if (++i < line.size() && line[i] != '\n') {
                word += line[i];
            }
        } else if (c == '\'') {
            std::size_t end = line.find('\'', i + 1);
            if (end == std::string::npos) {
                return std::nullopt;
            }
            word.append(line, i + 1, end - i - 1);
            i = end;
        } else if (c == '"') {
            for (++i;; ++i) {
                if (i >= line.size()) {
                    return std::nullopt;
                }
                if (line[i] == '"') {
                    break;
                }
                // Inside double quotes a backslash escapes only these.
                if (line[i] == '\\' && i + 1 < line.size() &&
                    std::string("\"\\$`\n").find(line[i + 1]) != std::string::npos) {
                    ++i;
                    if (line[i] == '\n') {
                        continue;
                    }
                }
                word += line[i];
            }
        } else {
            word += c;
        }
    }
    if (inWord) {
        words.push_back(std::move(word));
    }
    return words;
}

}  // namespace tagnomen::cli

namespace tagnomen::cli {

std::string QuoteForShell(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

}  // namespace tagnomen::cli

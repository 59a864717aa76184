// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Splitting one command line into words as a POSIX shell would: single
// quotes, double quotes and backslash escapes; no expansions.
#include <optional>
#include <string>
#include <vector>

namespace tagnomen::cli {

// Nothing when a quote is left open.
std::optional<std::vector<std::string>> SplitShellWords(const std::string& line);

}  // namespace tagnomen::cli

namespace tagnomen::cli {
// Quotes a text so that SplitShellWords gives it back as one word.
std::string QuoteForShell(const std::string& text);
}  // namespace tagnomen::cli

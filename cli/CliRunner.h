// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// tagnomen-cli from its arguments to its exit status.
#include <iosfwd>
#include <string>
#include <vector>

namespace tagnomen::cli {

// 0: every command ran and none failed; 1: a command failed (the run stopped
// there); 2: a usage error.
enum ExitStatus { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

int RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
           std::istream& in, bool inputIsTerminal);

std::string HelpText();

}  // namespace tagnomen::cli

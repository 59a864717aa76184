#pragma once
// tagnomen-cli from its arguments to its exit status.
#include <iosfwd>
#include <string>
#include <vector>

namespace tagnomen::cli {

enum ExitStatus { kExitOk = 0, kExitErrorShown = 1, kExitUsage = 2 };

int RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
           std::istream& in, bool inputIsTerminal);

std::string HelpText();

}  // namespace tagnomen::cli

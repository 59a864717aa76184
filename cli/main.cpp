// SPDX-License-Identifier: GPL-3.0-or-later
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "CheckedOutput.h"
#include "CliRunner.h"

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    // Standard output through a buffer that keeps the reason of a failed
    // write, so that the run can fail with it.
    tagnomen::cli::FdOutputBuffer standardOutput(STDOUT_FILENO);
    std::ostream out(&standardOutput);
    // What was printed comes out before each message and prompt that follows it.
    std::cerr.tie(&out);
    std::cin.tie(&out);
    const int status = tagnomen::cli::RunCli(arguments, out, std::cerr, std::cin, isatty(0) != 0);
    // The standard streams outlive `out`: at exit they must not flush it.
    out.flush();
    std::cerr.tie(nullptr);
    std::cin.tie(&std::cout);
    return status;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "CliRunner.h"

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return tagnomen::cli::RunCli(arguments, std::cout, std::cerr, std::cin, isatty(0) != 0);
}

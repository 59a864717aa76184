// SPDX-License-Identifier: GPL-3.0-or-later
// One planted fault per argument, each of which the sanitizer build must turn
// into a failed run (tests/gates/gates_test.py); without one it exits 0.
// Built with the flags of the whole build; it never ships.
#include <climits>
#include <cstdio>
#include <string_view>
#include <vector>

// Out of line, so that the compiler cannot see the faults and drop them.
[[gnu::noinline]] int ElementAt(const std::vector<int>& values, std::size_t index) {
    return values.data()[index];
}
[[gnu::noinline]] int Sum(int a, int b) {
    return a + b;
}
[[gnu::noinline]] int* Allocate() {
    return new int[16]();
}

int main(int argc, char** argv) {
    const std::string_view fault = argc > 1 ? argv[1] : "";
    const std::vector<int> values(4, 1);
    const int result = fault == "heap-overflow"     ? ElementAt(values, values.size())
                       : fault == "signed-overflow" ? Sum(INT_MAX, argc)
                       : fault == "leak"            ? Allocate()[0]
                                                    : 0;
    std::printf("the probe ran (%d)\n", result);
}

#include <cstdio>

int main() {
    std::fputs("tagnomen-cli: the command runner is being built\n", stderr);
    return 2;
}

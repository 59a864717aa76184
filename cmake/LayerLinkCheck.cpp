// SPDX-License-Identifier: GPL-3.0-or-later
// The program each layer's link check builds around the whole of one layer
// of core/ (core/CMakeLists.txt). It runs nothing: linking it is the check.
int main() {
    return 0;
}

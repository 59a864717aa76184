// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Wall-clock time of one piece of work, for the benchmarks that time whole
// commands rather than loops.
#include <chrono>
#include <functional>

namespace tagnomen::bench {

inline double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace tagnomen::bench

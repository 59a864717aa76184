// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Proposed names that cannot all be saved: two proposals with the same name,
// or a proposal that takes the name of a file that stays as it is (its
// proposal is its own name, or it has none). Save would fail on all but one
// of them, so the window marks them and tagnomen-cli prints them before.
#include <cstddef>
#include <string>
#include <vector>

namespace tagnomen {

class WorkingSet;

// Row `second` would take the name that row `first` proposes or keeps.
struct ClashPair {
    std::size_t first;
    std::size_t second;
};

// Every clash, one pair per row that clashes with an earlier one, in row
// order: the rows sharing one name are each paired with the first of them.
// Linear in the number of rows.
std::vector<ClashPair> FindClashes(const WorkingSet& set);

// For each row of the old list, the row it clashes with, or kNoClash. The
// first row of a group points at the second, the others at the first.
inline constexpr long kNoClash = -1;
std::vector<long> ClashPartners(std::size_t rows, const std::vector<ClashPair>& clashes);

}  // namespace tagnomen

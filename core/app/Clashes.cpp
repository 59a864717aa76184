// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Clashes.h"

#include <string_view>
#include <unordered_map>

#include "session/WorkingSet.h"

namespace tagnomen {

std::vector<ClashPair> FindClashes(const WorkingSet& set) {
    std::vector<ClashPair> clashes;
    if (!set.Unsaved()) {
        return clashes;  // nothing is proposed, so nothing can clash
    }
    const std::size_t rows = set.Size();
    // Names point into the working set, which outlives the map.
    std::unordered_map<std::string_view, std::size_t> firstRowOf;
    firstRowOf.reserve(rows);
    for (std::size_t row = 0; row < rows; ++row) {
        auto [at, inserted] = firstRowOf.try_emplace(set.NameAfterSave(row), row);
        if (!inserted) {
            clashes.push_back({at->second, row});
        }
    }
    return clashes;
}

std::vector<long> ClashPartners(std::size_t rows, const std::vector<ClashPair>& clashes) {
    std::vector<long> partners(rows, kNoClash);
    for (const ClashPair& clash : clashes) {
        if (clash.first >= rows || clash.second >= rows) {
            continue;
        }
        partners[clash.second] = static_cast<long>(clash.first);
        if (partners[clash.first] == kNoClash) {
            partners[clash.first] = static_cast<long>(clash.second);
        }
    }
    return partners;
}

}  // namespace tagnomen

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Clashes.h"

#include <optional>
#include <string_view>
#include <unordered_map>

#include "app/UndoRecord.h"
#include "session/WorkingSet.h"

namespace tagnomen {

namespace {

// Names point into the working set, which outlives the maps.
using RowOfName = std::unordered_map<std::string_view, std::size_t>;

// Rows that end with one name, each paired with the first of them.
std::vector<ClashPair> SameNames(const WorkingSet& set) {
    std::vector<ClashPair> clashes;
    RowOfName firstRowOf;
    firstRowOf.reserve(set.oldNames.size());
    for (std::size_t row = 0; row < set.oldNames.size(); ++row) {
        auto [at, inserted] = firstRowOf.try_emplace(NameAfterSave(set, row), row);
        if (!inserted) {
            clashes.push_back({at->second, row});
        }
    }
    return clashes;
}

// What Save's own checks refuse (see SaveOne).
bool SaveRefuses(const std::string& oldName, const std::string& name) {
    return !IsBareFileName(oldName) || !IsVisibleFileName(name) || !IsRecordableUndoLine(oldName) ||
           !IsRecordableUndoLine(name);
}

// Save's pass over the rows in list order: which renames fail on a name
// that is not free at that moment, or that Save refuses. The rows that share
// their name with an earlier one are left to SameNames.
class SaveOrderPass {
  public:
    SaveOrderPass(const WorkingSet& set, const std::string& directory)
        : set_(set), directory_(directory) {
        holderOf_.reserve(set.oldNames.size());
        for (std::size_t row = 0; row < set.oldNames.size(); ++row) {
            holderOf_.try_emplace(set.oldNames[row], row);
        }
        oldNames_ = holderOf_;
    }

    std::vector<ClashPair> Run() {
        std::vector<ClashPair> clashes;
        for (std::size_t row = 0; row < set_.oldNames.size(); ++row) {
            const std::string& oldName = set_.oldNames[row];
            const std::string& name = NameAfterSave(set_, row);
            if (name == oldName) {
                continue;  // no rename
            }
            const std::optional<ClashPair> clash = Blocker(row, oldName, name);
            if (!clash) {
                Rename(row, oldName, name);
            } else if (clash->kind != ClashKind::HeldByRow ||
                       NameAfterSave(set_, clash->first) != name) {
                clashes.push_back(*clash);
            }
        }
        return clashes;
    }

  private:
    std::optional<ClashPair> Blocker(std::size_t row, const std::string& oldName,
                                     const std::string& name) {
        if (SaveRefuses(oldName, name)) {
            return ClashPair{row, row, ClashKind::Refused};
        }
        if (auto holder = holderOf_.find(name); holder != holderOf_.end()) {
            return ClashPair{holder->second, row, ClashKind::HeldByRow};
        }
        // The entry under another row's old name is that row's file, gone
        // from it by now.
        if (directory_.empty() || oldNames_.count(name) != 0) {
            return std::nullopt;
        }
        const EntryType entry = EntryNamed(name);
        if (entry == EntryType::Missing) {
            return std::nullopt;
        }
        return ClashPair{row, row, ClashKind::HeldByEntry, entry};
    }

    // Read once, the first time a name is looked for: one pass over the
    // directory instead of one lstat per name. Only the exact spelling
    // counts, as Save's rename of a file to another spelling of its own name
    // works where the file system ignores letter case.
    EntryType EntryNamed(const std::string& name) {
        if (!listed_) {
            listed_ = true;
            entries_ = ListEntries(directory_);
            entryTypes_.reserve(entries_.size());
            for (const auto& [entryName, type] : entries_) {
                entryTypes_.emplace(entryName, type);
            }
        }
        const auto entry = entryTypes_.find(name);
        return entry == entryTypes_.end() ? EntryType::Missing : entry->second;
    }

    void Rename(std::size_t row, const std::string& oldName, const std::string& name) {
        if (auto own = holderOf_.find(oldName); own != holderOf_.end() && own->second == row) {
            holderOf_.erase(own);
        }
        holderOf_[name] = row;
    }

    const WorkingSet& set_;
    const std::string& directory_;
    RowOfName holderOf_;  // who has each name at this point of the Save
    RowOfName oldNames_;  // the names the rows have before it
    bool listed_ = false;
    std::vector<std::pair<std::string, EntryType>> entries_;
    std::unordered_map<std::string_view, EntryType> entryTypes_;  // views into entries_
};

}  // namespace

const std::string& NameAfterSave(const WorkingSet& set, std::size_t row) {
    return row < set.renamedNames.size() ? set.renamedNames[row] : set.oldNames[row];
}

std::vector<ClashPair> FindClashes(const WorkingSet& set, const std::string& directory) {
    if (set.renamedNames.empty()) {
        return {};  // nothing is proposed, so nothing can clash
    }
    const std::vector<ClashPair> same = SameNames(set);
    const std::vector<ClashPair> blocked = SaveOrderPass(set, directory).Run();
    // Both are in row order of `second`; merged, a row's SameName pair first.
    std::vector<ClashPair> clashes;
    clashes.reserve(same.size() + blocked.size());
    auto a = same.begin();
    auto b = blocked.begin();
    while (a != same.end() || b != blocked.end()) {
        if (b == blocked.end() || (a != same.end() && a->second <= b->second)) {
            clashes.push_back(*a++);
        } else {
            clashes.push_back(*b++);
        }
    }
    return clashes;
}

std::vector<long> ClashPartners(std::size_t rows, const std::vector<ClashPair>& clashes) {
    std::vector<long> partners(rows, kNoClash);
    for (const ClashPair& clash : clashes) {
        if (clash.kind != ClashKind::SameName || clash.first >= rows || clash.second >= rows) {
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

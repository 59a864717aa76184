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
    firstRowOf.reserve(set.Size());
    for (std::size_t row = 0; row < set.Size(); ++row) {
        auto [at, inserted] = firstRowOf.try_emplace(set.NameAfterSave(row), row);
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
        names_.reserve(2 * set.Size());
        for (std::size_t row = 0; row < set.Size(); ++row) {
            names_.try_emplace(set.OldName(row), Name{row, true});
        }
    }

    std::vector<ClashPair> Run() {
        std::vector<ClashPair> clashes;
        for (std::size_t row = 0; row < set_.Size(); ++row) {
            const std::string& oldName = set_.OldName(row);
            const std::string& name = set_.NameAfterSave(row);
            if (name == oldName) {
                continue;  // no rename
            }
            const std::optional<ClashPair> clash = Blocker(row, oldName, name);
            if (!clash) {
                Rename(row, oldName, name);
            } else if (clash->kind != ClashKind::HeldByRow ||
                       set_.NameAfterSave(clash->first) != name) {
                clashes.push_back(*clash);
            }
        }
        return clashes;
    }

  private:
    static constexpr std::size_t kNobody = static_cast<std::size_t>(-1);

    // What is known of one name.
    struct Name {
        std::size_t holder = kNobody;          // the row that has it at this point of the Save
        bool oldName = false;                  // a row has it before the Save
        EntryType entry = EntryType::Missing;  // what the directory has under it
    };

    std::optional<ClashPair> Blocker(std::size_t row, const std::string& oldName,
                                     const std::string& name) {
        if (SaveRefuses(oldName, name)) {
            return ClashPair{row, row, ClashKind::Refused};
        }
        auto known = names_.find(name);
        if (known != names_.end() && known->second.holder != kNobody) {
            return ClashPair{known->second.holder, row, ClashKind::HeldByRow};
        }
        // The entry under another row's old name is that row's file, gone
        // from it by now.
        if (directory_.empty() || (known != names_.end() && known->second.oldName)) {
            return std::nullopt;
        }
        if (!listed_) {
            ReadDirectory();
            known = names_.find(name);
        }
        if (known == names_.end() || known->second.entry == EntryType::Missing) {
            return std::nullopt;
        }
        return ClashPair{row, row, ClashKind::HeldByEntry, known->second.entry};
    }

    // Once, the first time it is needed: one pass over the directory instead
    // of one lstat per name. Only the exact spelling counts, as Save's
    // rename of a file to another spelling of its own name works where the
    // file system ignores letter case.
    void ReadDirectory() {
        listed_ = true;
        entries_ = ListEntries(directory_);
        for (const auto& [entryName, type] : entries_) {
            names_[entryName].entry = type;
        }
    }

    void Rename(std::size_t row, const std::string& oldName, const std::string& name) {
        Name& before = names_[oldName];
        if (before.holder == row) {
            before.holder = kNobody;
        }
        names_[name].holder = row;
    }

    const WorkingSet& set_;
    const std::string& directory_;
    // Views into the working set and into entries_, which outlive it.
    std::unordered_map<std::string_view, Name> names_;
    std::vector<std::pair<std::string, EntryType>> entries_;
    bool listed_ = false;
};

}  // namespace

std::vector<ClashPair> FindClashes(const WorkingSet& set, const std::string& directory) {
    if (!set.Unsaved()) {
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

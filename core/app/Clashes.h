// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Proposed names that Save cannot give, found before it runs: the window
// marks them and tagnomen-cli prints them.
//
// Save renames the rows in list order and never replaces an entry, so a
// name cannot be given when
// - another row ends with the same name (it proposes it too, or keeps it as
//   its own name, or has no proposal);
// - it is the old name of another row that still has it when Save reaches
//   this one: a chain whose later link comes first in the list (a to b while
//   b goes to c), a swap (a to b and b to a), or a row whose own rename
//   fails;
// - an entry the lists do not hold has it: a folder, a FIFO, a link (also
//   one that points nowhere), a file that is not listed;
// - Save refuses it: it would leave the directory, hide the file or mean
//   nothing, or the undo file could not hold it.
#include <cstddef>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace tagnomen {

class WorkingSet;

enum class ClashKind {
    SameName,     // rows first and second end with the same name
    HeldByRow,    // second's proposal is the old name first still has then
    HeldByEntry,  // an entry outside the lists has second's proposal
    Refused,      // Save refuses second's proposal
};

// Row `second` cannot be given the name; `first` is the row in the way
// (the same as second for HeldByEntry and Refused).
struct ClashPair {
    std::size_t first;
    std::size_t second;
    ClashKind kind = ClashKind::SameName;
    EntryType holder = EntryType::Missing;  // for HeldByEntry: what has the name
};

// Every clash, in row order of `second`. SameName: the rows sharing one name
// are each paired with the first of them. The other kinds come from a pass
// over the rows in Save's order; a row is named once for them, after its
// SameName pair if it has one. The directory is the one Save works in
// (empty: no entry outside the lists is looked at). Linear in the number of
// rows and of the directory's entries, which are read once.
std::vector<ClashPair> FindClashes(const WorkingSet& set, const std::string& directory = {});

// For each row of the old list, the row it shares a name with (SameName
// clashes only), or kNoClash. The first row of a group points at the second,
// the others at the first.
inline constexpr long kNoClash = -1;
std::vector<long> ClashPartners(std::size_t rows, const std::vector<ClashPair>& clashes);

}  // namespace tagnomen

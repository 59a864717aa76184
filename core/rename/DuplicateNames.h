// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Two files that a Rename would give one name, as two copies of one song get:
// a careful person keeps the name for one and numbers the other, "Oasis -
// Wonderwall (2).mp3". The file already under the name keeps it, else the
// first in the list; the others get " (2)", " (3)" ... before the ending,
// the first number whose name no other row ends with.
#include <cstddef>
#include <vector>

namespace tagnomen {

class WorkingSet;

// Numbers the proposals that share a name; returns the rows it changed.
std::vector<std::size_t> NumberDuplicateProposals(WorkingSet& set);

}  // namespace tagnomen

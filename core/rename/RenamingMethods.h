// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The renaming methods the Rename command calls for each old name. Each
// returns the proposed name and, with the file information loader on, the
// values the table records for the file; the command fills the table.
#include <optional>
#include <string>

#include "session/FileInfoTable.h"
#include "tags/SongValues.h"

namespace tagnomen {

struct RenameBatch;

struct Proposal {
    std::string name;
    // With the loader on: the row's values, as the table records them, and
    // where each came from.
    std::optional<SongValues> recorded;
    ValueSources sources;
};

// The method the batch's options name.
Proposal ProposeName(RenameBatch& batch, const std::string& oldName);
// RenamingMethod::Id3Tag: the name comes from the file's tags.
Proposal ProposeNameId3Tag(RenameBatch& batch, const std::string& oldName);
// Every other method: the smart engine, which also serves RenamingMethod::Mass.
Proposal ProposeNameSmart(RenameBatch& batch, const std::string& oldName);

}  // namespace tagnomen

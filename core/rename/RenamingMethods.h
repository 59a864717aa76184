// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The renaming methods the Rename command calls for each old name.
#include <string>

namespace tagnomen {

struct RenamingContext;

// RenamingMethod::Id3Tag: the name comes from the file's tags.
std::string ProposeNameId3Tag(RenamingContext& context, const std::string& oldName);
// Every other method: the smart engine, which also serves RenamingMethod::Mass.
std::string ProposeNameSmart(RenamingContext& context, const std::string& oldName);

}  // namespace tagnomen

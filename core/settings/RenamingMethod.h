// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The method Rename proposes names with, as the setting "RenamingMethod"
// stores it.

namespace tagnomen {

// A stored number outside these three keeps its value: no menu item shows it
// checked, and Rename uses the smart engine without its garbage passes and
// without the mass method's output.
enum class RenamingMethod : int {
    Id3Tag = 0,       // "ID3 &TAG Method": the name comes from the file's tags
    SmartEngine = 1,  // "Renamer &Smart Engine (RSE)"
    Mass = 2,         // "&Mass Renaming Method": the smart engine, "(artist) - title"
};

}  // namespace tagnomen

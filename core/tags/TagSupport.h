// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How much of ID3 the tag records understand: the setting "FullTagSupport".
namespace tagnomen {

enum class TagSupport {
    // ISO-8859-1 text frames only, the value start rule on raw bytes, and
    // writes that hold only the values the program sets.
    Basic,
    // Every ID3v2 text encoding, unsynchronisation and extended headers
    // read; writes keep every frame they do not change.
    Full,
};

}  // namespace tagnomen

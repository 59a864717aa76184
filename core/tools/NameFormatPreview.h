// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The name format dialog's preview: the name a format gives for the first
// file of the list, built from that file's tags as the ID3 tag method builds
// it (with music-aware names, from its tags and its name as a Rename builds
// it). Nothing is asked: where the two tags differ the ID3v2 text is shown.
// With no file listed, example values stand in.
#include <string>

#include "rename/NameTemplate.h"

namespace tagnomen {

struct RenamingContext;

struct PreviewSample {
    std::string fileName;  // empty for the example values
    SongValues values;     // "Unknown ..." where the file has no value
    // With music-aware names: the values a Rename finds, none made up, and
    // the name that Rename gives.
    bool musicAware = false;
};

// Reads the file's tags from the work directory; an empty name gives the example.
PreviewSample LoadPreviewSample(RenamingContext& context, const std::string& fileName);

// The finished name for the template (useTemplate) or the fixed format
// (brackets 1 or 0).
std::string PreviewName(const PreviewSample& sample, bool useTemplate,
                        const std::string& templateText, int brackets, int underscoreOption);

}  // namespace tagnomen

// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/NameFormatPreview.h"

#include "rename/CarefulNames.h"
#include "rename/FileInfoLoader.h"
#include "rename/RenameOptions.h"
#include "session/RenamingContext.h"
#include "tags/TagSource.h"

namespace tagnomen {

namespace {

std::string Preferred(const std::string& id3v1, const std::string& id3v2, const char* unknown) {
    if (!id3v2.empty()) {
        return id3v2;
    }
    return id3v1.empty() ? std::string(unknown) : id3v1;
}

}  // namespace

PreviewSample LoadPreviewSample(RenamingContext& context, const std::string& fileName) {
    if (fileName.empty()) {
        return {"",
                {.title = "Song Name",
                 .artist = "Artist",
                 .album = "Album",
                 .year = "2001",
                 .track = "1"}};
    }
    DirectTagSource source(WorkDirectory(context), context.Support());
    TagCandidates tags;
    ReadTagCandidates(source, fileName, tags);
    if (context.musicAwareNames) {
        return {fileName, CarefulValues(tags, ParseFileName(fileName)).values, true};
    }
    const SongValues& v1 = tags.id3v1;
    const SongValues& v2 = tags.id3v2;
    return {fileName,
            {.title = Preferred(v1.title, v2.title, "Unknown Title"),
             .artist = Preferred(v1.artist, v2.artist, "Unknown Artist"),
             .album = Preferred(v1.album, v2.album, "Unknown Album"),
             .year = Preferred(v1.year, v2.year, "Unknown Year"),
             .track = Preferred(v1.track, v2.track, "Unknown Track")}};
}

std::string PreviewName(const PreviewSample& sample, bool useTemplate,
                        const std::string& templateText, int brackets, int underscoreOption) {
    const SongValues& values = sample.values;
    if (sample.musicAware) {
        RenameOptions options;
        options.useTemplate = useTemplate;
        options.templateText = templateText;
        options.brackets = brackets;
        options.underscoreOption = underscoreOption;
        return CarefulName(values, options, sample.fileName);
    }
    const std::string name = useTemplate ? ExpandTemplate(templateText, values, true)
                                         : FixedFormat(values.artist, values.title, brackets);
    return FinishProposedName(name, underscoreOption);
}

}  // namespace tagnomen

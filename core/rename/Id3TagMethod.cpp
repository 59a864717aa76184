// "RenamingMethod" 0: the proposed name comes from the file's own tags; the
// old name only says which file to read.
#include "platform/Text.h"
#include "rename/FileInfoLoader.h"
#include "rename/NameTemplate.h"
#include "rename/RenamingMethods.h"
#include "session/RenamingContext.h"

namespace tagnomen {

namespace {

// The genre range the ID3 tag method records: every number a genre byte holds.
constexpr int kLowestRecordedGenre = 0;

// A title that ends in ".mp3", in any letter case, loses that ending and is
// put in small letters; capitalisation gives the words their first capitals back.
void DropTitleEnding(std::string& title) {
    if (EndsWithIgnoreAsciiCase(title, ".mp3")) {
        title.resize(title.size() - 4);
        title = ToLowerAscii(title);
    }
}

// The loader key asking for the values of the template, with the prompt
// allowed for each of them except the track.
std::string TemplateKey(const TemplateTokens& tokens) {
    std::string key;
    if (tokens.artist)
        key += "ART1";
    if (tokens.title)
        key += "TIT1";
    if (tokens.album)
        key += "ALB1";
    if (tokens.year)
        key += "YEA1";
    if (tokens.track)
        key += "TRC";
    return key;
}

// The key for the values still empty, without prompt marks.
std::string MissingValuesKey(const FileInformation& info) {
    std::string key;
    if (info.title.empty())
        key += "TIT";
    if (info.artist.empty())
        key += "ART";
    if (info.album.empty())
        key += "ALB";
    if (info.year.empty())
        key += "YEA";
    if (info.track.empty())
        key += "TRC";
    if (info.genre.empty())
        key += "GEN";
    return key;
}

void FillEmpty(std::string& value, std::string& fresh) {
    if (value.empty())
        value.swap(fresh);
}

}  // namespace

std::string ProposeNameId3Tag(RenamingContext& context, const std::string& oldName) {
    context.settings.GetUseTemplate(context.useTemplate);

    // Both tags are read once; the second pass below reconciles the same
    // candidates with its own key.
    TagCandidates candidates;
    ReadTagCandidates(context, oldName, candidates);

    FileInformation info;
    std::string name;
    if (context.useTemplate == 1) {
        const std::string templateText = context.ReadTemplate();
        ReconcileFileInformation(context.ui, TemplateKey(FindTemplateTokens(templateText)), oldName,
                                 candidates, info);

        NameValues values{std::move(info.artist), std::move(info.title), std::move(info.album),
                          std::move(info.year), std::move(info.track)};
        const std::string text = RemoveMissingSections(templateText, values);
        DropTitleEnding(values.title);
        // The zero-filled track is the one the name shows and the table records.
        if (Utf8Length(values.track) == 1)
            values.track.insert(0, 1, '0');
        name = FinishProposedName(ReplaceTokens(text, values, false), context.underscoreOption);

        info.artist = std::move(values.artist);
        info.title = std::move(values.title);
        info.album = std::move(values.album);
        info.year = std::move(values.year);
        info.track = std::move(values.track);
    } else {
        ReconcileFileInformation(context.ui, "TIT1ART1", oldName, candidates, info);
        int brackets = 1;
        context.settings.GetBrackets(brackets);
        DropTitleEnding(info.title);
        name = FinishProposedName(FixedFormat(info.artist, info.title, brackets),
                                  context.underscoreOption);
    }

    if (context.fileInfoLoader == 1) {
        const std::string key = MissingValuesKey(info);
        if (!key.empty()) {
            FileInformation fresh;
            ReconcileFileInformation(context.ui, key, oldName, candidates, fresh);
            FillEmpty(info.title, fresh.title);
            FillEmpty(info.artist, fresh.artist);
            FillEmpty(info.album, fresh.album);
            FillEmpty(info.year, fresh.year);
            FillEmpty(info.track, fresh.track);
            FillEmpty(info.genre, fresh.genre);
        }
        RecordFileInformation(context, oldName, name, info, kLowestRecordedGenre);
    }
    return name;
}

}  // namespace tagnomen

// SPDX-License-Identifier: GPL-3.0-or-later
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
LoaderKey TemplateKey(const TemplateTokens& tokens) {
    LoaderKey key;
    key.artist = key.promptArtist = tokens.artist;
    key.title = key.promptTitle = tokens.title;
    key.album = key.promptAlbum = tokens.album;
    key.year = key.promptYear = tokens.year;
    key.track = tokens.track;
    return key;
}

// The fixed formats: title and artist, with the prompt.
LoaderKey FixedFormatKey() {
    LoaderKey key;
    key.title = key.promptTitle = true;
    key.artist = key.promptArtist = true;
    return key;
}

// The key for the values still empty, without the prompt.
LoaderKey MissingValuesKey(const SongValues& info) {
    LoaderKey key;
    key.title = info.title.empty();
    key.artist = info.artist.empty();
    key.album = info.album.empty();
    key.year = info.year.empty();
    key.track = info.track.empty();
    key.genre = info.genre.empty();
    return key;
}

void FillEmpty(std::string& value, std::string& fresh) {
    if (value.empty()) {
        value.swap(fresh);
    }
}

}  // namespace

std::string ProposeNameId3Tag(RenamingContext& context, const std::string& oldName) {
    context.ReadUseTemplate();

    // Both tags are read once; the second pass below reconciles the same
    // candidates with its own key.
    TagCandidates candidates;
    ReadTagCandidates(context, oldName, candidates);

    SongValues info;
    std::string name;
    if (context.useTemplate) {
        const std::string templateText = context.ReadTemplate();
        ReconcileFileInformation(context.ui, TemplateKey(FindTemplateTokens(templateText)), oldName,
                                 candidates, info);

        const std::string text = RemoveMissingSections(templateText, info);
        DropTitleEnding(info.title);
        // The zero-filled track is the one the name shows and the table records.
        if (Utf8Length(info.track) == 1) {
            info.track.insert(0, 1, '0');
        }
        name = FinishProposedName(ReplaceTokens(text, info, false), context.underscoreOption);
    } else {
        ReconcileFileInformation(context.ui, FixedFormatKey(), oldName, candidates, info);
        int brackets = 1;
        context.settings.GetBrackets(brackets);
        DropTitleEnding(info.title);
        name = FinishProposedName(FixedFormat(info.artist, info.title, brackets),
                                  context.underscoreOption);
    }

    if (context.fileInfoLoader) {
        const LoaderKey key = MissingValuesKey(info);
        if (key.AsksForAny()) {
            SongValues fresh;
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

// SPDX-License-Identifier: GPL-3.0-or-later
// "RenamingMethod" 0: the proposed name comes from the file's own tags; the
// old name only says which file to read.
#include "platform/Text.h"
#include "rename/CarefulNames.h"
#include "rename/FileInfoLoader.h"
#include "rename/NameTemplate.h"
#include "rename/RecordFileInformation.h"
#include "rename/RenameBatch.h"
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

Proposal ProposeNameId3Tag(RenameBatch& batch, const std::string& oldName) {
    const RenameOptions& options = batch.options;
    Ui& ui = batch.context.ui;

    // Both tags are read once; the second pass below reconciles the same
    // candidates with its own key.
    TagCandidates candidates;
    ReadTagCandidates(batch.tags, oldName, candidates);

    SongValues info;
    Proposal proposal;
    if (options.useTemplate) {
        ReconcileFileInformation(ui, TemplateKey(options.tokens), oldName, candidates, info);
        const std::string text = RemoveMissingSections(options.templateText, info);
        DropTitleEnding(info.title);
        // The zero-filled track is the one the name shows and the table records.
        if (Utf8Length(info.track) == 1) {
            info.track.insert(0, 1, '0');
        }
        proposal.name =
            FinishProposedName(ReplaceTokens(text, info, false), options.underscoreOption);
    } else {
        ReconcileFileInformation(ui, FixedFormatKey(), oldName, candidates, info);
        DropTitleEnding(info.title);
        proposal.name = FinishProposedName(FixedFormat(info.artist, info.title, options.brackets),
                                           options.underscoreOption);
    }

    if (options.fileInfoLoader) {
        const LoaderKey key = MissingValuesKey(info);
        if (key.AsksForAny()) {
            SongValues fresh;
            ReconcileFileInformation(ui, key, oldName, candidates, fresh);
            for (SongField field : kTableFields) {
                FillEmpty(info[field], fresh[field]);
            }
        }
        proposal.recorded = RecordedValues(info, kLowestRecordedGenre);
        ValueSources fromTags;
        fromTags.of.fill(ValueSource::Tag);
        proposal.sources = SourcesOf(*proposal.recorded, fromTags);
    }
    return proposal;
}

Proposal ProposeName(RenameBatch& batch, const std::string& oldName) {
    if (batch.options.musicAwareNames) {
        return ProposeCarefulName(batch, oldName);
    }
    return batch.options.method == RenamingMethod::Id3Tag ? ProposeNameId3Tag(batch, oldName)
                                                          : ProposeNameSmart(batch, oldName);
}

}  // namespace tagnomen

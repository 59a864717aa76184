// SPDX-License-Identifier: GPL-3.0-or-later
// The smart renaming engine: the start of a call, the 32 cleaning steps in
// their order, and the nine steps after the cleaning.
#include "rename/SmartEngine.h"

#include <iterator>
#include <string_view>

#include "platform/Text.h"
#include "rename/CleaningSteps.h"
#include "rename/FileInfoLoader.h"
#include "rename/GarbagePasses.h"
#include "rename/NameTemplate.h"
#include "rename/NameText.h"
#include "rename/RecordFileInformation.h"
#include "rename/RenamingMethods.h"
#include "session/RenamingContext.h"

namespace tagnomen {

namespace smart {

namespace {

// Steps 27 and 29 take the title again when their pass changed the name.
void RunPassAndRetakeTitle(EngineRun& run, std::string (*pass)(EngineRun&, const std::string&)) {
    std::string changed = pass(run, run.name);
    if (changed == run.name) {
        return;
    }
    run.name = std::move(changed);
    TakeTitle(run, run.name);
}

// Which methods run a step: every method, or the smart engine alone.
enum class RunsFor { AllMethods, SmartEngineOnly };
constexpr RunsFor kAll = RunsFor::AllMethods;
constexpr RunsFor kSmartEngineOnly = RunsFor::SmartEngineOnly;

struct CleaningStep {
    int number;
    RunsFor runsFor;
    void (*apply)(EngineRun&);
};

// The cleaning steps, in their fixed order. Each works on the whole working name.
constexpr CleaningStep kCleaningSteps[] = {
    {1, kAll, [](EngineRun& r) { r.name = MoveLeadingYear(r.name); }},
    {2, kAll, [](EngineRun& r) { OfferYears(r, r.name); }},
    {3, kAll, [](EngineRun& r) { OfferTracks(r, r.name); }},
    {4, kAll, [](EngineRun& r) { r.name = DropTrackNumbers(r.name); }},
    {5, kAll, [](EngineRun& r) { r.name = DropEmptyDashes(r.name); }},
    {6, kAll, [](EngineRun& r) { r.name = SquareToRoundBrackets(r.name); }},
    {7, kAll, [](EngineRun& r) { r.name = BlankBeforeOpeningBracket(r.name); }},
    {8, kAll, [](EngineRun& r) { r.name = BlankAfterClosingBracket(r.name); }},
    {9, kAll, [](EngineRun& r) { r.name = ArtistGroup(r, r.name, false); }},
    {10, kSmartEngineOnly, [](EngineRun& r) { r.name = GarbageSegmentsPass(r, r.name); }},
    {11, kAll, [](EngineRun& r) { r.name = UnderscoreSeparator(r.name, r.underscoreDashCount); }},
    {12, kAll, [](EngineRun& r) { r.name = UnderscoresToBlanks(r.name); }},
    {13, kAll, [](EngineRun& r) { r.name = DropLeadingBlanks(r.name); }},
    {14, kAll, [](EngineRun& r) { r.name = ArtistWrap(r, r.name); }},
    {15, kAll, [](EngineRun& r) { r.name = ArtistGroup(r, r.name, true); }},
    {16, kSmartEngineOnly, [](EngineRun& r) { r.name = ExtraDashes(r.name); }},
    {17, kAll, [](EngineRun& r) { TakeTitle(r, r.name); }},
    {18, kAll, [](EngineRun& r) { r.name = DropBlankBeforeClosingBracket(r.name); }},
    {19, kAll, [](EngineRun& r) { r.name = DropBlankAfterOpeningBracket(r.name); }},
    {20, kAll, [](EngineRun& r) { r.name = BlankBeforeDashes(r.name); }},
    {21, kAll, [](EngineRun& r) { r.name = BlankAfterDashes(r.name); }},
    {22, kAll, [](EngineRun& r) { r.name = BlankBeforeOpeningBracket(r.name); }},
    {23, kAll, [](EngineRun& r) { r.name = BlankAfterClosingBracket(r.name); }},
    {24, kAll, [](EngineRun& r) { r.name = DropBangS(r.name); }},
    {25, kAll, [](EngineRun& r) { r.name = WordCase(r.name); }},
    {26, kAll, [](EngineRun& r) { r.name = YearBrackets(r.name); }},
    {27, kSmartEngineOnly, [](EngineRun& r) { RunPassAndRetakeTitle(r, GarbageGroupsPass); }},
    {28, kAll, [](EngineRun& r) { r.name = CollapseBlanks(r.name); }},
    {29, kSmartEngineOnly, [](EngineRun& r) { RunPassAndRetakeTitle(r, GarbageCharactersPass); }},
    {30, kAll, [](EngineRun& r) { r.name = DropBlankBeforeMp3(r.name); }},
    {31, kAll,
     [](EngineRun& r) {
         if (r.options.brackets == 0) {
             r.name = DropLeadingGroupBrackets(r.name);
         }
     }},
    {32, kAll,
     [](EngineRun& r) { r.name = ApplyUnderscoreOption(r.name, r.options.underscoreOption); }},
};
static_assert(std::size(kCleaningSteps) == 32);

// Removes the first "(" + part + ")" from the text or, failing that, the
// first part itself; true when something was removed.
bool RemovePart(std::string& text, const std::string& part) {
    std::size_t at = text.find("(" + part + ")");
    std::size_t length = part.size() + 2;
    if (at == std::string::npos) {
        at = text.find(part);
        length = part.size();
    }
    if (at == std::string::npos) {
        return false;
    }
    text.erase(at, length);
    return true;
}

// After-cleaning step 4: which values the loader is asked for; the text
// values with the prompt.
LoaderKey KeyForTheLoader(const EngineRun& run) {
    const bool loader = run.options.fileInfoLoader;
    const bool mass = run.options.method == RenamingMethod::Mass;
    LoaderKey key;
    key.genre = loader;
    key.title = key.promptTitle =
        run.values.title.empty() && (loader || mass || run.options.tokens.title);
    key.artist = key.promptArtist =
        run.values.artist.empty() && (loader || mass || run.options.tokens.artist);
    key.album = key.promptAlbum = run.values.album.empty() && (loader || run.options.tokens.album);
    key.year = key.promptYear = run.values.year.empty() && (loader || run.options.tokens.year);
    key.track = run.values.track.empty() && (loader || run.options.tokens.track);
    return key;
}

bool EndsInMp3(std::string_view text) {
    return text.size() >= 4 && IsMp3At(text, text.size() - 4);
}

// The step-32 name as the proposal of methods other than 2 without a
// template: an old name ending in ".mp3" keeps that ending even when the
// cleaning left no name in front of it, and the whole fits a file name.
std::string CleanedNameAsProposal(const std::string& cleaned, const std::string& oldName) {
    std::string proposal = cleaned;
    if (EndsInMp3(oldName) && !EndsInMp3(proposal)) {
        proposal += ".mp3";
    }
    return FitProposedName(proposal);
}

// The nine steps after the cleaning.
Proposal AfterCleaning(EngineRun& run) {
    const RenameOptions& options = run.options;
    const std::string& oldName = run.oldName;

    // 1. The year out of the title.
    if (!run.values.year.empty() && RemovePart(run.values.title, run.values.year)) {
        run.values.title = TrimBlanks(run.values.title);
    }
    // 2. Album brackets.
    const std::string album = TrimBlanks(run.values.album);
    if (!album.empty() && album[0] == '(') {
        run.values.album = album.size() >= 2 ? TrimBlanks(album.substr(1, album.size() - 2)) : "";
    }
    // 3. The album out of the title.
    if (!run.values.album.empty()) {
        RemovePart(run.values.title, run.values.album);
    }

    // 4. and 5. The loader fills what the key asks for; an empty key asks for nothing.
    const LoaderKey key = KeyForTheLoader(run);
    SongValues fresh;
    if (key.AsksForAny()) {
        LoadFileInformation(run.batch.context.ui, run.batch.tags, key, oldName, fresh);
    }
    if (EndsWithIgnoreAsciiCase(fresh.title, ".mp3")) {
        fresh.title = ToLowerAscii(fresh.title);
        fresh.title.resize(fresh.title.size() - 4);
    }

    // 6. Merge. What the name gave stays; the tags fill the rest.
    SongValues& values = run.values;
    ValueSources found;
    for (SongField field : {SongField::Title, SongField::Artist, SongField::Album, SongField::Year,
                            SongField::Track}) {
        found[field] = ValueSource::FileName;
        if (values[field].empty() && !fresh[field].empty()) {
            values[field] = fresh[field];
            found[field] = ValueSource::Tag;
        }
    }
    if (options.fileInfoLoader) {
        values.genre = fresh.genre;
        found[SongField::Genre] = ValueSource::Tag;
    }

    // 7. Capitalisation and trimming; no value outgrows a tag text.
    for (SongField field : {SongField::Title, SongField::Artist, SongField::Album}) {
        values[field] = Capitalise(values[field]);
    }
    for (SongField field : {SongField::Title, SongField::Artist, SongField::Album, SongField::Year,
                            SongField::Track, SongField::Genre}) {
        values[field] = Utf8CutBytes(TrimBlanks(values[field]), kMaxProposedNameBytes);
    }

    // 8. Output.
    Proposal proposal;
    if (options.useTemplate) {
        proposal.name = FinishProposedName(ExpandTemplate(options.templateText, values, false),
                                           options.underscoreOption);
    } else if (options.method == RenamingMethod::Mass) {
        std::string built = "(" + values.artist + ") - " + values.title;
        if (options.brackets == 0) {
            built = DropLeadingGroupBrackets(built);
        }
        proposal.name = FinishProposedName(built, options.underscoreOption);
    } else {
        proposal.name = CleanedNameAsProposal(run.name, oldName);
    }

    // 9. The table row, genres 1 to 255.
    if (options.fileInfoLoader) {
        proposal.recorded = RecordedValues(values, 1);
        proposal.sources = SourcesOf(*proposal.recorded, found);
    }
    return proposal;
}

}  // namespace

EngineRun StartRun(RenameBatch& batch, const std::string& oldName) {
    EngineRun run(batch, oldName);
    const RenameOptions& options = batch.options;
    run.needsAlbum = options.fileInfoLoader || (options.useTemplate && options.tokens.album);
    run.needsTrack = options.fileInfoLoader || (options.useTemplate && options.tokens.track);
    return run;
}

Proposal ProposeName(EngineRun& run) {
    for (const CleaningStep& step : kCleaningSteps) {
        if (step.runsFor == kSmartEngineOnly && run.options.method != RenamingMethod::SmartEngine) {
            continue;
        }
        step.apply(run);
    }
    return AfterCleaning(run);
}

}  // namespace smart

Proposal ProposeNameSmart(RenameBatch& batch, const std::string& oldName) {
    smart::EngineRun run = smart::StartRun(batch, oldName);
    return smart::ProposeName(run);
}

}  // namespace tagnomen

// The smart renaming engine: the start of a call, the 32 cleaning steps in
// their order, and the nine steps after the cleaning.
#include "rename/SmartEngine.h"

#include <iterator>
#include <string_view>

#include "app/RenamingContext.h"
#include "platform/Text.h"
#include "rename/CleaningSteps.h"
#include "rename/FileInfoLoader.h"
#include "rename/GarbagePasses.h"
#include "rename/NameTemplate.h"
#include "rename/RenamingMethods.h"

namespace tagnomen {

namespace smart {

namespace {

constexpr int kSmartMethod = 1;
constexpr int kMassMethod = 2;

// Everything one call works with besides the context's own fields.
struct EngineRun {
    RenamingContext& context;
    std::string name;  // the working name every step reads and replaces
    int method = kSmartMethod;
    int brackets = 1;
    std::string templateText;  // read only when "UseTemplate" is 1
    TemplateTokens tokens;     // of templateText
};

// Steps 27 and 29 take the title again when their pass changed the name.
void RunPassAndRetakeTitle(EngineRun& run,
                           std::string (*pass)(RenamingContext&, const std::string&)) {
    std::string changed = pass(run.context, run.name);
    if (changed == run.name)
        return;
    run.name = std::move(changed);
    TakeTitle(run.context, run.name);
}

// Which methods run a step: every method, or "RenamingMethod" 1 alone.
enum class RunsFor { AllMethods, MethodOneOnly };
constexpr RunsFor kAll = RunsFor::AllMethods;
constexpr RunsFor kMethodOneOnly = RunsFor::MethodOneOnly;

struct CleaningStep {
    int number;
    RunsFor runsFor;
    void (*apply)(EngineRun&);
};

// The cleaning steps, in their fixed order. Each works on the whole working name.
constexpr CleaningStep kCleaningSteps[] = {
    {1, kAll, [](EngineRun& r) { r.name = MoveLeadingYear(r.name); }},
    {2, kAll, [](EngineRun& r) { OfferYears(r.context, r.name); }},
    {3, kAll, [](EngineRun& r) { OfferTracks(r.context, r.name); }},
    {4, kAll, [](EngineRun& r) { r.name = DropTrackNumbers(r.name); }},
    {5, kAll, [](EngineRun& r) { r.name = DropEmptyDashes(r.name); }},
    {6, kAll, [](EngineRun& r) { r.name = SquareToRoundBrackets(r.name); }},
    {7, kAll, [](EngineRun& r) { r.name = BlankBeforeOpeningBracket(r.name); }},
    {8, kAll, [](EngineRun& r) { r.name = BlankAfterClosingBracket(r.name); }},
    {9, kAll, [](EngineRun& r) { r.name = ArtistGroup(r.context, r.name, 0); }},
    {10, kMethodOneOnly, [](EngineRun& r) { r.name = GarbageSegmentsPass(r.context, r.name); }},
    {11, kAll,
     [](EngineRun& r) { r.name = UnderscoreSeparator(r.name, r.context.underscoreDashCount); }},
    {12, kAll, [](EngineRun& r) { r.name = UnderscoresToBlanks(r.name); }},
    {13, kAll, [](EngineRun& r) { r.name = DropLeadingBlanks(r.name); }},
    {14, kAll, [](EngineRun& r) { r.name = ArtistWrap(r.context, r.name); }},
    {15, kAll, [](EngineRun& r) { r.name = ArtistGroup(r.context, r.name, 1); }},
    {16, kMethodOneOnly, [](EngineRun& r) { r.name = ExtraDashes(r.name); }},
    {17, kAll, [](EngineRun& r) { TakeTitle(r.context, r.name); }},
    {18, kAll, [](EngineRun& r) { r.name = DropBlankBeforeClosingBracket(r.name); }},
    {19, kAll, [](EngineRun& r) { r.name = DropBlankAfterOpeningBracket(r.name); }},
    {20, kAll, [](EngineRun& r) { r.name = BlankBeforeDashes(r.name); }},
    {21, kAll, [](EngineRun& r) { r.name = BlankAfterDashes(r.name); }},
    {22, kAll, [](EngineRun& r) { r.name = BlankBeforeOpeningBracket(r.name); }},
    {23, kAll, [](EngineRun& r) { r.name = BlankAfterClosingBracket(r.name); }},
    {24, kAll, [](EngineRun& r) { r.name = DropBangS(r.name); }},
    {25, kAll, [](EngineRun& r) { r.name = WordCase(r.name); }},
    {26, kAll, [](EngineRun& r) { r.name = YearBrackets(r.name); }},
    {27, kMethodOneOnly, [](EngineRun& r) { RunPassAndRetakeTitle(r, GarbageGroupsPass); }},
    {28, kAll, [](EngineRun& r) { r.name = CollapseBlankRuns(r.name); }},
    {29, kMethodOneOnly, [](EngineRun& r) { RunPassAndRetakeTitle(r, GarbageCharactersPass); }},
    {30, kAll, [](EngineRun& r) { r.name = DropBlankBeforeMp3(r.name); }},
    {31, kAll,
     [](EngineRun& r) {
         if (r.brackets == 0)
             r.name = DropLeadingGroupBrackets(r.name);
     }},
    {32, kAll, [](EngineRun& r) { r.name = UnderscoreOption(r.name, r.context.underscoreOption); }},
};
static_assert(std::size(kCleaningSteps) == 32);

// Start of a call: options, empty values, the needs flags.
EngineRun StartCall(RenamingContext& context, const std::string& oldName) {
    EngineRun run{context, oldName, kSmartMethod, 1, {}, {}};
    context.underscoreDashCount = 0;
    context.settings.GetBrackets(run.brackets);
    context.settings.GetRenamingMethod(run.method);
    for (std::string* value : {&context.title, &context.artist, &context.album, &context.year,
                               &context.track, &context.genre}) {
        value->clear();
    }
    context.needsAlbum = 0;
    context.needsTrack = 0;
    context.settings.GetUseTemplate(context.useTemplate);
    if (context.useTemplate == 1) {
        run.templateText = context.ReadTemplate();
        run.tokens = FindTemplateTokens(run.templateText);
        context.needsAlbum = run.tokens.album ? 1 : 0;
        context.needsTrack = run.tokens.track ? 1 : 0;
    }
    if (context.fileInfoLoader != 0) {
        context.needsAlbum = 1;
        context.needsTrack = 1;
    }
    return run;
}

// Removes the first "(" + part + ")" from the text or, failing that, the
// first part itself; true when something was removed.
bool RemovePart(std::string& text, const std::string& part) {
    std::size_t at = text.find("(" + part + ")");
    std::size_t length = part.size() + 2;
    if (at == std::string::npos) {
        at = text.find(part);
        length = part.size();
    }
    if (at == std::string::npos)
        return false;
    text.erase(at, length);
    return true;
}

// After-cleaning step 4: which values the loader is asked for.
std::string LoaderKey(const EngineRun& run) {
    const RenamingContext& context = run.context;
    const bool loader = context.fileInfoLoader != 0;
    const bool mass = run.method == kMassMethod;
    std::string key;
    if (loader)
        key += "GEN";
    if (context.title.empty() && (loader || mass || run.tokens.title))
        key += "TIT1";
    if (context.artist.empty() && (loader || mass || run.tokens.artist))
        key += "ART1";
    if (context.album.empty() && (loader || run.tokens.album))
        key += "ALB1";
    if (context.year.empty() && (loader || run.tokens.year))
        key += "YEA1";
    if (context.track.empty() && (loader || run.tokens.track))
        key += "TRC";
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
    if (EndsInMp3(oldName) && !EndsInMp3(proposal))
        proposal += ".mp3";
    return FitProposedName(proposal);
}

// The nine steps after the cleaning; returns the proposed name.
std::string AfterCleaning(EngineRun& run, const std::string& oldName) {
    RenamingContext& context = run.context;

    // 1. The year out of the title.
    if (!context.year.empty() && RemovePart(context.title, context.year)) {
        context.title = TrimBlanks(context.title);
    }
    // 2. Album brackets.
    const std::string album = TrimBlanks(context.album);
    if (!album.empty() && album[0] == '(') {
        context.album = album.size() >= 2 ? TrimBlanks(album.substr(1, album.size() - 2)) : "";
    }
    // 3. The album out of the title.
    if (!context.album.empty())
        RemovePart(context.title, context.album);

    // 4. and 5. The loader fills what the key asks for; an empty key asks for nothing.
    const std::string key = LoaderKey(run);
    FileInformation fresh;
    if (!key.empty())
        LoadFileInformation(context, key, oldName, fresh);
    if (EndsWithIgnoreAsciiCase(fresh.title, ".mp3")) {
        fresh.title = ToLowerAscii(fresh.title);
        fresh.title.resize(fresh.title.size() - 4);
    }

    // 6. Merge.
    const std::pair<std::string*, const std::string*> merged[] = {{&context.title, &fresh.title},
                                                                  {&context.artist, &fresh.artist},
                                                                  {&context.album, &fresh.album},
                                                                  {&context.year, &fresh.year},
                                                                  {&context.track, &fresh.track}};
    for (const auto& [value, freshValue] : merged) {
        if (value->empty() && !freshValue->empty())
            *value = *freshValue;
    }
    if (context.fileInfoLoader != 0)
        context.genre = fresh.genre;

    // 7. Capitalisation and trimming; no value outgrows a tag text.
    context.title = Capitalise(context.title);
    context.artist = Capitalise(context.artist);
    context.album = Capitalise(context.album);
    for (std::string* value : {&context.title, &context.artist, &context.album, &context.year,
                               &context.track, &context.genre}) {
        *value = Utf8CutBytes(TrimBlanks(*value), kMaxProposedNameBytes);
    }

    // 8. Output.
    std::string proposal;
    if (context.useTemplate == 1) {
        const NameValues values{context.artist, context.title, context.album, context.year,
                                context.track};
        proposal = FinishProposedName(ExpandTemplate(run.templateText, values, false),
                                      context.underscoreOption);
    } else if (run.method == kMassMethod) {
        std::string built = "(" + context.artist + ") - " + context.title;
        if (run.brackets == 0)
            built = DropLeadingGroupBrackets(built);
        proposal = FinishProposedName(built, context.underscoreOption);
    } else {
        proposal = CleanedNameAsProposal(run.name, oldName);
    }

    // 9. The table row, genres 1 to 255.
    if (context.fileInfoLoader != 0) {
        const FileInformation values{context.title, context.artist, context.album,
                                     context.year,  context.track,  context.genre};
        RecordFileInformation(context, oldName, proposal, values, 1);
    }
    return proposal;
}

}  // namespace

std::string FitProposedName(const std::string& name) {
    if (name.size() <= kMaxProposedNameBytes)
        return name;
    // The ending starts at an ASCII "." so cutting in front of it never
    // separates the bytes of one character.
    std::size_t endingBytes = 0;
    const std::size_t lastDot = name.rfind('.');
    if (lastDot != std::string::npos && name.size() - lastDot <= 16) {
        endingBytes = name.size() - lastDot;
    }
    const std::string ending = name.substr(name.size() - endingBytes);
    std::string stem = Utf8CutBytes(std::string_view(name).substr(0, name.size() - endingBytes),
                                    kMaxProposedNameBytes - endingBytes);
    while (!stem.empty() && (stem.back() == ' ' || stem.back() == '_'))
        stem.pop_back();
    return stem + ending;
}

}  // namespace smart

std::string ProposeNameSmart(RenamingContext& context, const std::string& oldName) {
    smart::EngineRun run = smart::StartCall(context, oldName);
    for (const smart::CleaningStep& step : smart::kCleaningSteps) {
        if (step.runsFor == smart::kMethodOneOnly && run.method != smart::kSmartMethod)
            continue;
        step.apply(run);
    }
    return smart::AfterCleaning(run, oldName);
}

}  // namespace tagnomen

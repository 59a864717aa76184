// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/CarefulNames.h"

#include "platform/Text.h"
#include "rename/FileNameChars.h"
#include "rename/GarbagePasses.h"
#include "rename/MusicCase.h"
#include "rename/NameJunk.h"
#include "rename/NameTemplate.h"
#include "rename/NameText.h"
#include "rename/RecordFileInformation.h"
#include "rename/RenameBatch.h"
#include "rename/RenameQuestions.h"
#include "rename/TagQuality.h"

namespace tagnomen {

namespace {

// The genres a music-aware Rename records: every number a genre byte holds,
// and a genre named by text as it is.
constexpr int kLowestRecordedGenre = 0;

// The fields whose values a name shows and whose capitals are cased.
constexpr SongField kTextFields[] = {SongField::Title, SongField::Artist, SongField::Album};

bool SameText(std::string_view a, std::string_view b) {
    return !a.empty() && EqualsIgnoreAsciiCase(a, b);
}

// A tag text as a careful reader takes it: mojibake decoded; lost
// characters and a ripper's placeholder worth nothing; blanks trimmed.
std::string ReadableTag(const std::string& text) {
    std::string readable = TrimWhiteSpace(text);
    if (std::optional<std::string> repaired = RepairMojibake(readable)) {
        readable = TrimWhiteSpace(*repaired);
    } else if (FindTextDamage(readable) == TextDamage::kLostCharacters) {
        return {};
    }
    return IsPlaceholderText(readable) ? std::string() : readable;
}

// The title without its junk, a track number in front and a ".mp3" ending.
std::string CleanTitle(std::string title) {
    if (EndsWithIgnoreAsciiCase(title, ".mp3")) {
        title.resize(title.size() - 4);
    }
    return WithoutLeadingTrack(TrimWhiteSpace(RemoveNameJunk(title)));
}

// An artist tag that names no artist of the song: a compilation's
// ("Various Artists"), or an uploader's channel ("TaylorSwiftVEVO",
// "Taylor Swift - Topic").
bool IsCompilationArtist(std::string_view artist) {
    const std::string lower = ToLowerAscii(artist);
    return lower == "various artists" || lower == "various" || lower == "va" || lower == "v.a.";
}

bool IsChannelArtist(std::string_view artist) {
    return artist.size() > 4 && (artist.ends_with("VEVO") || artist.ends_with(" - Topic") ||
                                 EndsWithIgnoreAsciiCase(artist, " Official"));
}

struct TagPick {
    std::string text;
    bool fromId3v1 = false;
};

TagPick PickTag(const TagCandidates& tags, SongField field) {
    std::string v2 = ReadableTag(tags.id3v2[field]);
    if (!v2.empty()) {
        return {std::move(v2), false};
    }
    return {ReadableTag(tags.id3v1[field]), true};
}

// Capitals: a tag written in mixed case on purpose stays; shouting or small
// letters get music-aware capitals, judged against all the tag's texts.
std::string CasedTag(const std::string& value, const std::string& evidence) {
    return HasMixedCase(value) ? value : MusicCase(value, evidence);
}

// A value of the name: written in mixed case, it keeps its capitals but for
// the habitual ones of small words; otherwise it gets music-aware capitals.
std::string CasedName(const std::string& value, const std::string& source) {
    return HasMixedCase(value) ? WithSmallWordsSmall(value) : MusicCase(value, source);
}

// An uploader's title tag "Artist - Title": both values, when the artist is
// the one the name or the artist tag names.
bool SplitVideoTitle(std::string& title, std::string& artist, const ParsedName& name) {
    if (title.find(" - ") == std::string::npos) {
        return false;
    }
    const ParsedName inTitle = ParseFileName(title);
    if (inTitle.artist.empty() || inTitle.title.empty()) {
        return false;
    }
    const bool knownArtist = SameText(inTitle.artist, name.artist) ||
                             SameText(inTitle.artist, artist) || IsCompilationArtist(artist) ||
                             IsChannelArtist(artist);
    if (!knownArtist) {
        return false;
    }
    artist = inTitle.artist;
    title = inTitle.title;
    return true;
}

// Words that say a bracketed group names a version of the song, beside the
// smart engine's own version words: never a question.
constexpr std::string_view kVersionWords[] = {
    "edit",         "feat",   "ft.",   "featuring", "with",    "prod",      "demo",
    "instrumental", "remix",  "cover", "dub",       "reprise", "unplugged", "radio",
    "part",         "pt.",    "vol",   "from",      "theme",   "session",   "original",
    "mono",         "stereo", "intro", "outro",     "bonus"};

bool NamesAVersion(const std::string& group) {
    if (smart::HasVersionWord(group)) {
        return true;
    }
    const std::string lower = ToLowerAscii(group);
    for (std::string_view word : kVersionWords) {
        if (lower.find(word) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// The smart engine's question about a bracketed group of a title taken from
// the name that nothing tells apart: not a version, not what a tag holds.
// The answer erases it, keeps it, or hands it over as the album or track.
void AskAboutGroups(RenameBatch& batch, CarefulSong& song, const TagCandidates& tags,
                    const std::string& oldName) {
    std::string& title = song.values.title;
    const RenameOptions& options = batch.options;
    const MarkAsButtons markAs{
        .album = options.fileInfoLoader || (options.useTemplate && options.tokens.album),
        .track = options.fileInfoLoader || (options.useTemplate && options.tokens.track)};
    for (std::size_t open = title.find_first_of("(["); open != std::string::npos && !batch.stopped;
         open = title.find_first_of("([", open)) {
        const std::size_t close = title.find(title[open] == '(' ? ')' : ']', open);
        if (close == std::string::npos) {
            break;
        }
        const std::string group = title.substr(open, close - open + 1);
        const std::string inner = TrimWhiteSpace(group.substr(1, group.size() - 2));
        const bool known = inner.empty() || NamesAVersion(group) ||
                           SameText(inner, tags.id3v2.artist) ||
                           SameText(inner, tags.id3v2.title) || SameText(inner, tags.id3v2.album) ||
                           SameText(inner, tags.id3v1.album);
        if (known) {
            open = close + 1;
            continue;
        }
        const std::string question = "Do you want to erase: " + group +
                                     "\nFrom: " + CarefulName(song.values, options, oldName);
        switch (AskGarbageText(batch, question, markAs)) {
            case GarbageAnswer::No:
            case GarbageAnswer::Stop:
                open = close + 1;
                continue;
            case GarbageAnswer::Album:
                song.values.album = inner;
                song.sources[SongField::Album] = ValueSource::FileName;
                break;
            case GarbageAnswer::Track:
                song.values.track = smart::TwoDigitValue(group);
                song.sources[SongField::Track] = ValueSource::FileName;
                break;
            case GarbageAnswer::Yes:
                break;
        }
        title = TrimWhiteSpace(CollapseBlanks(title.erase(open, close - open + 1)));
    }
}

}  // namespace

CarefulSong CarefulValues(const TagCandidates& tags, const ParsedName& name) {
    CarefulSong song;
    TagPick title = PickTag(tags, SongField::Title);
    TagPick artist = PickTag(tags, SongField::Artist);
    TagPick album = PickTag(tags, SongField::Album);
    // The tags as read, for the table: a value the rules below keep as it is
    // is recorded as the tag has it, so the cleaner changes nothing of it.
    const SongValues read{.title = title.text, .artist = artist.text, .album = album.text};
    title.text = CleanTitle(title.text);

    // What the tags hold, with the corrections their own faults call for.
    if (title.fromId3v1 && IsCutId3v1Value(title.text, name.title)) {
        title.text.clear();
    }
    if (artist.fromId3v1 && IsCutId3v1Value(artist.text, name.artist)) {
        artist.text.clear();
    }
    if (album.fromId3v1 && IsCutId3v1Value(album.text, name.album)) {
        album.text.clear();
    }
    SplitVideoTitle(title.text, artist.text, name);
    // A channel or a compilation names no artist of the song: the name's
    // artist wins, and without one a channel's own name is the artist.
    if (IsCompilationArtist(artist.text) || IsChannelArtist(artist.text)) {
        if (!name.artist.empty()) {
            artist.text.clear();
        } else if (artist.text.ends_with(" - Topic")) {
            artist.text.resize(artist.text.size() - std::string_view(" - Topic").size());
        }
    }
    if (SameText(title.text, album.text) && !name.title.empty() &&
        !SameText(name.title, title.text)) {
        title.text.clear();  // the album's name on every track
    }

    const std::string evidence = title.text + " " + artist.text + " " + album.text;
    struct Candidates {
        SongField field;
        const std::string& tag;
        const std::string& fromName;
    };
    const Candidates texts[] = {{SongField::Title, title.text, name.title},
                                {SongField::Artist, artist.text, name.artist},
                                {SongField::Album, album.text, name.album}};
    for (const Candidates& c : texts) {
        if (!c.tag.empty()) {
            song.values[c.field] = CasedTag(c.tag, evidence);
            // A tag the rules changed (junk out, a video title split) is a
            // guess of what it should say.
            const bool asRead = c.tag == read[c.field];
            song.recorded[c.field] = asRead ? read[c.field] : song.values[c.field];
            song.sources[c.field] = asRead ? ValueSource::Tag : ValueSource::FileName;
        } else if (!c.fromName.empty()) {
            song.values[c.field] = CasedName(c.fromName, name.source);
            song.recorded[c.field] = song.values[c.field];
            song.sources[c.field] = ValueSource::FileName;
        }
    }
    const std::pair<SongField, const std::string*> numbers[] = {{SongField::Year, &name.year},
                                                                {SongField::Track, &name.track}};
    for (const auto& [field, fromName] : numbers) {
        const std::string tag = PickTag(tags, field).text;
        song.values[field] = tag.empty() ? *fromName : tag;
        song.sources[field] = !tag.empty()        ? ValueSource::Tag
                              : fromName->empty() ? ValueSource::None
                                                  : ValueSource::FileName;
    }
    song.values.genre = PickTag(tags, SongField::Genre).text;
    song.sources[SongField::Genre] =
        song.values.genre.empty() ? ValueSource::None : ValueSource::Tag;
    for (SongField field : {SongField::Year, SongField::Track, SongField::Genre}) {
        song.recorded[field] = song.values[field];
    }
    return song;
}

std::string CarefulName(const SongValues& values, const RenameOptions& options,
                        const std::string& oldName) {
    if (values.title.empty()) {
        return oldName;
    }
    // Characters a file name cannot hold never reach it.
    SongValues shown = values;
    for (SongField field : kTextFields) {
        shown[field] = MakeFileNameSafe(shown[field]);
    }
    std::string text;
    if (options.useTemplate) {
        text = ExpandTemplate(options.templateText, shown, false, MissingValues::kEmpty);
    } else if (shown.artist.empty()) {
        text = shown.title;
    } else {
        text = FixedFormat(shown.artist, shown.title, options.brackets);
    }
    const std::string name = FinishCarefulName(text, options.underscoreOption);
    return IsVisibleFileName(name) ? name : oldName;
}

Proposal ProposeCarefulName(RenameBatch& batch, const std::string& oldName) {
    TagCandidates tags;
    ReadTagCandidates(batch.tags, oldName, tags);
    CarefulSong song = CarefulValues(tags, ParseFileName(oldName));
    if (batch.options.method == RenamingMethod::SmartEngine &&
        song.sources[SongField::Title] == ValueSource::FileName) {
        AskAboutGroups(batch, song, tags, oldName);
        for (SongField field : {SongField::Title, SongField::Album, SongField::Track}) {
            if (song.sources[field] == ValueSource::FileName) {
                song.recorded[field] = song.values[field];
            }
        }
    }
    Proposal proposal;
    proposal.name = CarefulName(song.values, batch.options, oldName);
    if (batch.options.fileInfoLoader) {
        proposal.recorded = RecordedValues(song.recorded, kLowestRecordedGenre);
        proposal.sources = SourcesOf(*proposal.recorded, song.sources);
    }
    return proposal;
}

}  // namespace tagnomen

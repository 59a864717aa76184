// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/TagEditor.h"

#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "platform/Ui.h"
#include "rename/TagReconciliation.h"
#include "session/RenamingContext.h"
#include "tags/GenreTable.h"
#include "tags/Id3v1Record.h"
#include "tags/Id3v2Fields.h"
#include "tags/Id3v2Record.h"
#include "tags/ReadTags.h"
#include "tags/TagEdit.h"
#include "tags/TagValues.h"
#include "tools/Tools.h"

namespace tagnomen {

namespace {

constexpr std::size_t kMaxValueCharacters = 255;
// An ID3v1 text longer than 26 characters that occurs inside the ID3v2 text
// is taken to be the same value cut short by the ID3v1 field.
constexpr std::size_t kCutTextCharacters = 27;

std::string Limited(std::string text) {
    if (text.size() > kMaxValueCharacters) {
        text = Utf8Left(text, kMaxValueCharacters);
    }
    return text;
}

class Reconciler {
  public:
    Reconciler(Ui& ui, const std::string& shownName) : ui_(ui), shownName_(shownName) {}

    // Title, artist, album, comment (cutTextRule) and year (without it).
    std::string Text(const char* caption, const std::string& v1, const std::string& v2,
                     bool cutTextRule) {
        if (auto settled = SettleByPresence(v1, v2, "")) {
            return *settled;
        }
        if (cutTextRule && IsCutShortCopy(v1, v2, kCutTextCharacters)) {
            return v2;
        }
        return Ask(caption, v1, v2);
    }

    std::string Track(const std::string& v1, const std::string& v2) {
        if (auto settled = SettleByPresence(v1, v2, "0")) {
            return *settled;
        }
        if (auto settled = SettleTrack(v1, v2)) {
            return *settled;
        }
        return Ask("Track Number", v1, v2);
    }

    // Genre 0 ("Blues") counts as no genre chosen.
    std::string Genre(const std::string& v1, const std::string& v2) {
        if (auto settled = SettleByPresence(v1, v2, "255")) {
            return *settled;
        }
        std::string n1, n2;
        if (auto settled = SettleGenre(v1, v2, n1, n2)) {
            return *settled;
        }
        return Ask("Genre", n1, n2) == n1 ? v1 : v2;
    }

  private:
    std::string Ask(const char* caption, const std::string& v1, const std::string& v2) {
        return Limited(ui_.AskTagMismatch(caption, shownName_, v1, v2));
    }

    Ui& ui_;
    const std::string& shownName_;
};

TagSupport SupportOf(const RenamingContext& context) {
    return context.fullTagSupport ? TagSupport::Full : TagSupport::Basic;
}

// Reads both tags of the old name inside the work directory.
TagEditorSides ReadSides(RenamingContext& context, const std::string& oldName) {
    TagEditorSides sides;
    const std::string workDirectory = WorkDirectory(context);
    const TagSupport support = SupportOf(context);
    Id3v1Record v1(support);
    Id3v2Record v2(support);
    int v2Result = 0;
    {
        DirectoryScope scope;
        // A directory that cannot be entered, or a name that is not a bare
        // file name, gives a file without tags.
        if (!IsBareFileName(oldName) || !scope.Enter(workDirectory)) {
            return sides;
        }
        v2Result = ReadTags(oldName, v1, v2);
        if (support == TagSupport::Full && v2.pictureCount > 0) {
            if (std::optional<Picture> cover = ReadCoverPicture(oldName)) {
                sides.cover = std::move(cover->data);
            }
        }
    }
    if (v1.tagPresent == 1) {
        sides.id3v1There = true;
        sides.id3v1 = {
            Limited(v1.title),        Limited(v1.artist),
            Limited(v1.album),        Limited(v1.year),
            std::to_string(v1.track), std::to_string(static_cast<unsigned>(v1.genre) & 0xFFu),
            Limited(v1.comment)};
    }
    if (v2Result == 1 && v2.tagPresent == 1) {
        sides.id3v2There = true;
        sides.id3v2 = {Limited(v2.title),  Limited(v2.artist),       Limited(v2.album),
                       Limited(v2.year),   std::to_string(v2.track), Limited(v2.genre),
                       Limited(v2.comment)};
    }
    return sides;
}

// Full support: only the values that differ from what the ID3v2 tag said
// are set; every other frame stays exactly as it was ("9/12" in TRCK, a
// genre named by text, the encoding of a title).
void SetChangedValues(Id3v2Record& v2, const TagEditorSides& sides, const SongValues& values,
                      bool genreChanged) {
    const SongValues& old = sides.id3v2;
    const bool had = sides.id3v2There;
    auto changed = [had](const std::string& before, const std::string& after) {
        return !had || before != after;
    };
    if (changed(old.title, values.title)) {
        v2.SetTitle(values.title);
    }
    if (changed(old.artist, values.artist)) {
        v2.SetArtist(values.artist);
    }
    if (changed(old.album, values.album)) {
        v2.SetAlbum(values.album);
    }
    if (changed(old.year, values.year)) {
        v2.SetYear(values.year);
    }
    if (changed(old.comment, values.comment)) {
        v2.SetComment(values.comment);
    }
    if (!had || LeadingInteger(old.track) != LeadingInteger(values.track)) {
        v2.SetTrack(values.track);
    }
    if (!had || genreChanged) {
        v2.SetGenre(values.genre);
    }
}

// What the editor writes: the new ID3v1 block when that tag is written, and
// the ID3v2 tag built from the file's own when that one is.
struct EditorWrite {
    bool id3v1 = false;
    bool id3v2 = false;
    SongValues values;
    int genreNumber = 255;  // the ID3v1 genre byte
    bool genreChanged = true;
    bool valuesChanged = true;  // false: OK was pressed on the values as opened
};

// A rebuilt file is a new file under its old name: the rows of the file
// information table that were read from it follow it.
void FollowRebuiltFile(FileInfoTable& table, const FileIdentity& before,
                       const std::optional<FileIdentity>& after) {
    if (!after || *after == before) {
        return;
    }
    for (std::size_t row = 0; row < table.RowCount(); ++row) {
        if (table.Identity(row) == before) {
            table.SetIdentity(row, after);
        }
    }
}

// True when the tags were written; each tag that was not is reported.
bool WriteTags(RenamingContext& context, const std::string& oldName, const std::string& shownName,
               const TagEditorSides& sides, const EditorWrite& write) {
    const std::string workDirectory = WorkDirectory(context);
    const TagSupport support = SupportOf(context);
    bool written = false;
    std::string reason = "not a file of the work directory";
    {
        DirectoryScope scope;
        if (IsBareFileName(oldName) && scope.Enter(workDirectory)) {
            RemoveStaleRebuildFiles(".");  // copies left by a killed run
            TagEdit edit;
            if (write.id3v1) {
                edit.id3v1 = Id3v1BlockOf(write.values, LeadingInteger(write.values.track),
                                          write.genreNumber);
            }
            if (write.id3v2) {
                edit.id3v2 = [&](std::string_view oldTag, std::string& why) {
                    Id3v2Record v2(support);
                    v2.Reset();
                    if (support == TagSupport::Full) {
                        SetChangedValues(v2, sides, write.values, write.genreChanged);
                    } else {
                        // Basic support: the ID3v2 tag holds exactly the edited values.
                        SetValues(v2, write.values);
                    }
                    return v2.BuildTagBytes(oldTag, why);
                };
            }
            // Both tags change in one step: after a failure the file has its
            // old tags.
            const std::optional<FileIdentity> before = IdentityOf(oldName);
            written = ApplyTagEdit(oldName, edit, reason);
            if (written && before) {
                FollowRebuiltFile(context.table, *before, IdentityOf(oldName));
            }
        }
    }
    // The boxes come after the directory is restored; each tag is reported on its own.
    if (written) {
        return true;
    }
    if (write.id3v1) {
        context.ui.ShowFailure("Error", "Unable to update ID3 TAGv1 on " + shownName, reason,
                               MessageIcon::Warning);
    }
    if (write.id3v2) {
        context.ui.ShowFailure("Error", "Unable to update ID3 TAGv2 on " + shownName, reason,
                               MessageIcon::Warning);
    }
    return false;
}

// False when the person left every value as the editor opened with it: the
// track by its number, the genre by its number (or left unselected).
bool ValuesChanged(const SongValues& opened, const SongValues& edited, bool genreUntouched) {
    for (SongField field : {SongField::Title, SongField::Artist, SongField::Album, SongField::Year,
                            SongField::Comment}) {
        if (opened[field] != edited[field]) {
            return true;
        }
    }
    return LeadingInteger(opened.track) != LeadingInteger(edited.track) ||
           (!genreUntouched && GenreNumberOf(opened.genre) != GenreNumberOf(edited.genre));
}

// Which tags the edited values go to, and the genre each gets.
EditorWrite PlanWrite(const TagEditorSides& sides, const SongValues& opened,
                      const FileInfoEditorModel& editor, int openedGenreIndex, bool fullSupport) {
    EditorWrite write;
    write.values = editor.Result();
    const SongValues& v = write.values;
    write.genreNumber = LeadingInteger(v.genre);
    if (!fullSupport) {
        // ID3v1 is always written; ID3v2 when the file had one or a value does not fit.
        write.id3v1 = true;
        write.id3v2 = sides.id3v2There || !FitsId3v1Widths(v);
        return write;
    }
    // The genre list cannot show "Blues" or a genre named by text; left
    // unselected, such a genre is kept, not removed.
    const bool genreUntouched = openedGenreIndex == FileInfoEditorModel::kNoGenre &&
                                editor.GenreIndex() == FileInfoEditorModel::kNoGenre;
    if (genreUntouched) {
        write.values.genre = opened.genre;
        write.genreNumber = GenreNumberOf(opened.genre);
    }
    write.genreChanged = !genreUntouched && GenreNumberOf(sides.id3v2.genre) != write.genreNumber;
    write.valuesChanged = ValuesChanged(opened, v, genreUntouched);
    const bool fitsId3v1 = FitsId3v1Widths(v) && TextsFitLatin1(v);
    // A file keeps the tags it has; a value ID3v1 cannot hold whole also goes
    // into an ID3v2 tag, and a file without tags gets an ID3v1 tag.
    write.id3v2 = sides.id3v2There || !fitsId3v1;
    write.id3v1 = sides.id3v1There || !write.id3v2;
    return write;
}

}  // namespace

SongValues ReconcileTagValues(Ui& ui, const std::string& shownName, const TagEditorSides& sides) {
    const SongValues& a = sides.id3v1;
    const SongValues& b = sides.id3v2;
    Reconciler reconcile(ui, shownName);
    SongValues result;
    result.title = reconcile.Text("Title - Song Name", a.title, b.title, true);
    result.artist = reconcile.Text("Artist - Author", a.artist, b.artist, true);
    result.album = reconcile.Text("Album", a.album, b.album, true);
    result.year = reconcile.Text("Year", a.year, b.year, false);
    result.track = reconcile.Track(a.track, b.track);
    result.genre = reconcile.Genre(a.genre, b.genre);
    result.comment = reconcile.Text("Comments", a.comment, b.comment, true);
    return result;
}

std::string TagLabel(bool id3v1There, bool id3v2There) {
    if (id3v1There && id3v2There) {
        return "Uses ID3 TAGv1 and TAGv2";
    }
    if (id3v1There) {
        return "Uses ID3 TAGv1";
    }
    if (id3v2There) {
        return "Uses ID3 TAGv2";
    }
    return "Not Uses ID3 TAG";
}

CommandResult RunTagEditor(RenamingContext& context, const std::string& oldName,
                           const std::string& shownName) {
    const TagEditorSides sides = ReadSides(context, oldName);
    const SongValues opened = ReconcileTagValues(context.ui, shownName, sides);

    FileInfoEditorModel editor(context.ui, EditorMode::Tag,
                               TagLabel(sides.id3v1There, sides.id3v2There), shownName, opened);
    editor.SetCover(sides.cover);
    const int openedGenreIndex = editor.GenreIndex();
    if (!context.ui.RunFileInfoEditor(editor) || !editor.Accepted()) {
        return CommandResult::Cancelled();
    }
    const EditorWrite write =
        PlanWrite(sides, opened, editor, openedGenreIndex, context.fullTagSupport);
    if (context.fullTagSupport && !write.valuesChanged) {
        return CommandResult::Done();  // nothing to write: the file stays as it is
    }
    return WriteTags(context, oldName, shownName, sides, write) ? CommandResult::Done()
                                                                : CommandResult::Failed();
}

}  // namespace tagnomen

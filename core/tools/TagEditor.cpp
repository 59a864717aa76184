#include "tools/TagEditor.h"

#include <cstdint>

#include "app/RenamingContext.h"
#include "app/Tools.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "platform/Ui.h"
#include "rename/TagReconciliation.h"
#include "tags/GenreTable.h"
#include "tags/Id3v1Record.h"
#include "tags/Id3v2Record.h"
#include "tags/ReadTags.h"

namespace tagnomen {

namespace {

constexpr std::size_t kMaxValueCharacters = 255;
// An ID3v1 text longer than 26 characters that occurs inside the ID3v2 text
// is taken to be the same value cut short by the ID3v1 field.
constexpr std::size_t kCutTextCharacters = 27;
constexpr std::size_t kId3v1TextCharacters = 30;
constexpr std::size_t kId3v1CommentCharacters = 28;

std::string Limited(std::string text) {
    if (text.size() > kMaxValueCharacters)
        text = Utf8Left(text, kMaxValueCharacters);
    return text;
}

class Reconciler {
  public:
    Reconciler(Ui& ui, const std::string& shownName) : ui_(ui), shownName_(shownName) {}

    // Title, artist, album, comment (cutTextRule) and year (without it).
    std::string Text(const char* caption, const std::string& v1, const std::string& v2,
                     bool cutTextRule) {
        if (auto settled = SettleByPresence(v1, v2, ""))
            return *settled;
        if (cutTextRule && IsCutShortCopy(v1, v2, kCutTextCharacters))
            return v2;
        return Ask(caption, v1, v2);
    }

    std::string Track(const std::string& v1, const std::string& v2) {
        if (auto settled = SettleByPresence(v1, v2, "0"))
            return *settled;
        if (auto settled = SettleTrack(v1, v2))
            return *settled;
        return Ask("Track Number", v1, v2);
    }

    // Genre 0 ("Blues") counts as no genre chosen.
    std::string Genre(const std::string& v1, const std::string& v2) {
        if (auto settled = SettleByPresence(v1, v2, "255"))
            return *settled;
        std::string n1, n2;
        if (auto settled = SettleGenre(v1, v2, n1, n2))
            return *settled;
        return Ask("Genre", n1, n2) == n1 ? v1 : v2;
    }

  private:
    std::string Ask(const char* caption, const std::string& v1, const std::string& v2) {
        return Limited(ui_.AskTagMismatch(caption, shownName_, v1, v2));
    }

    Ui& ui_;
    const std::string& shownName_;
};

// Reads both tags of the old name inside the work directory.
TagEditorSides ReadSides(RenamingContext& context, const std::string& oldName) {
    TagEditorSides sides;
    std::string workDirectory;
    context.settings.GetPathToWork(workDirectory);
    Id3v1Record v1;
    Id3v2Record v2;
    int v2Result = 0;
    {
        DirectoryScope scope;
        // A directory that cannot be entered, or a name that is not a bare
        // file name, gives a file without tags.
        if (!IsBareFileName(oldName) || !scope.Enter(workDirectory))
            return sides;
        v2Result = ReadTags(oldName, v1, v2);
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

std::uint8_t LowByte(const std::string& number) {
    return static_cast<std::uint8_t>(static_cast<unsigned>(LeadingInteger(number)) & 0xFFu);
}

void WriteTags(RenamingContext& context, const std::string& oldName, const std::string& shownName,
               const EditorValues& values, bool writeId3v2) {
    std::string workDirectory;
    context.settings.GetPathToWork(workDirectory);
    bool v1Written = false;
    bool v2Written = false;
    {
        DirectoryScope scope;
        if (IsBareFileName(oldName) && scope.Enter(workDirectory)) {
            Id3v1Record v1;
            v1.Reset();
            v1.SetTitle(values.title);
            v1.SetArtist(values.artist);
            v1.SetAlbum(values.album);
            v1.SetYear(values.year);
            v1.SetComment(values.comment);
            v1.trackByte = LowByte(values.track);
            v1.genreByte = LowByte(values.genre);
            v1Written = v1.WriteTag(oldName) == 1;
            if (writeId3v2) {
                Id3v2Record v2;
                v2.Reset();
                v2.SetTitle(values.title);
                v2.SetArtist(values.artist);
                v2.SetAlbum(values.album);
                v2.SetYear(values.year);
                v2.SetComment(values.comment);
                v2.SetTrack(values.track);
                v2.SetGenre(values.genre);
                v2Written = v2.WriteTag(oldName) == 1;
            }
        }
    }
    // The boxes come after the directory is restored; each tag is reported on its own.
    if (!v1Written) {
        ShowOk(context.ui, "Error", "Unable to update ID3 TAGv1 on " + shownName,
               MessageIcon::Warning);
    }
    if (writeId3v2 && !v2Written) {
        ShowOk(context.ui, "Error", "Unable to update ID3 TAGv2 on " + shownName,
               MessageIcon::Warning);
    }
}

}  // namespace

EditorValues ReconcileTagValues(Ui& ui, const std::string& shownName, const TagEditorSides& sides) {
    const EditorValues& a = sides.id3v1;
    const EditorValues& b = sides.id3v2;
    Reconciler reconcile(ui, shownName);
    EditorValues result;
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
    if (id3v1There && id3v2There)
        return "Uses ID3 TAGv1 and TAGv2";
    if (id3v1There)
        return "Uses ID3 TAGv1";
    if (id3v2There)
        return "Uses ID3 TAGv2";
    return "Not Uses ID3 TAG";
}

bool NeedsId3v2(const std::string& title, const std::string& artist, const std::string& album,
                const std::string& comment) {
    return Utf8Length(title) > kId3v1TextCharacters || Utf8Length(artist) > kId3v1TextCharacters ||
           Utf8Length(album) > kId3v1TextCharacters ||
           Utf8Length(comment) > kId3v1CommentCharacters;
}

CommandResult RunTagEditor(RenamingContext& context, const std::string& oldName,
                           const std::string& shownName) {
    const TagEditorSides sides = ReadSides(context, oldName);
    EditorValues values = ReconcileTagValues(context.ui, shownName, sides);

    FileInfoEditorModel editor(context.ui, EditorMode::Tag,
                               TagLabel(sides.id3v1There, sides.id3v2There), shownName,
                               std::move(values));
    if (!context.ui.RunFileInfoEditor(editor) || !editor.Accepted())
        return CommandResult::Cancelled();

    const EditorValues& edited = editor.Result();
    // ID3v1 is always written; ID3v2 when the file had one or a value does not fit.
    const bool writeId3v2 =
        sides.id3v2There || NeedsId3v2(edited.title, edited.artist, edited.album, edited.comment);
    WriteTags(context, oldName, shownName, edited, writeId3v2);
    return CommandResult::Done();
}

}  // namespace tagnomen

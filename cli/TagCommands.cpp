// SPDX-License-Identifier: GPL-3.0-or-later
// Commands of the tag tools and the file information table. The tool
// commands play the person in front of the dialogs: what is to be typed and
// pressed is queued for the dialog, then the main window's command runs.
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <optional>
#include <utility>

#include "Commands.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "tags/TagReport.h"
#include "tools/CleanReviewModel.h"
#include "tools/DirectoryChooserModel.h"
#include "tools/FileInfoEditorModel.h"
#include "tools/FileInfoViewerModel.h"
#include "tools/FilesOrganizerModel.h"

namespace tagnomen::cli {

namespace {

constexpr const char* kTagsFileUsage = "tags-file PATH";
constexpr const char* kTagsUsage = "tags I [FIELD=VALUE ...]";
constexpr const char* kTableUsage = "table";
constexpr const char* kTableEditUsage = "table-edit ROW FIELD=VALUE ...";
constexpr const char* kCleanUsage = "clean [--dry-run]";
constexpr const char* kOrganizeUsage =
    "organize ROOT title|artist|artist-name|album|album-name|year|genre";

// What is typed into the editor: texts for the edits, and the genre as
// given (its number or its name) when it was given.
struct EditorInput {
    std::vector<std::pair<EditorField, std::string>> texts;
    std::optional<std::string> genre;
};

// A genre is a number, empty, or a genre's name (letter case ignored); any
// other word is a mistake in the command line. Whether a number names an
// entry of the list is the editor's to say.
const std::string& CheckGenre(const char* usage, const std::string& value) {
    bool digits = true;
    for (char c : value) {
        digits = digits && std::isdigit(static_cast<unsigned char>(c)) != 0;
    }
    if (!digits && FileInfoEditorModel::GenreNamed(value) == FileInfoEditorModel::kNoGenre) {
        UsageFailure(usage, "unknown genre '" + value + "'");
    }
    return value;
}

EditorInput ParseFields(const char* usage, const Arguments& args, std::size_t first,
                        bool allowComment) {
    EditorInput input;
    for (std::size_t i = first; i < args.size(); ++i) {
        const std::string& pair = args[i];
        const std::size_t equals = pair.find('=');
        if (equals == std::string::npos) {
            UsageFailure(usage, "expected FIELD=VALUE, not '" + pair + "'");
        }
        const std::string field = pair.substr(0, equals);
        const std::string value = pair.substr(equals + 1);
        if (field == "title") {
            input.texts.emplace_back(EditorField::Title, value);
        } else if (field == "artist") {
            input.texts.emplace_back(EditorField::Artist, value);
        } else if (field == "album") {
            input.texts.emplace_back(EditorField::Album, value);
        } else if (field == "year") {
            input.texts.emplace_back(EditorField::Year, value);
        } else if (field == "track") {
            input.texts.emplace_back(EditorField::Track, value);
        } else if (field == "comment" && allowComment) {
            input.texts.emplace_back(EditorField::Comment, value);
        } else if (field == "genre") {
            input.genre = CheckGenre(usage, value);
        } else {
            UsageFailure(usage, "unknown field '" + field + "'");
        }
    }
    return input;
}

// Each value is entered whole: one the editor cannot hold is refused at OK,
// never cut or dropped.
void Type(FileInfoEditorModel& editor, const EditorInput& input) {
    for (const auto& [field, value] : input.texts) {
        editor.EnterText(field, value);
    }
    if (input.genre) {
        editor.EnterGenre(*input.genre);
    }
}

std::string DescribeEditor(const FileInfoEditorModel& editor) {
    const SongValues& v = editor.Result();
    return "{\"file\": " + tagnomen::JsonString(editor.ShownName()) +
           ", \"label\": " + tagnomen::JsonString(editor.TagLabel()) +
           ", \"title\": " + tagnomen::JsonString(v.title) +
           ", \"artist\": " + tagnomen::JsonString(v.artist) +
           ", \"album\": " + tagnomen::JsonString(v.album) +
           ", \"year\": " + tagnomen::JsonString(v.year) +
           ", \"track\": " + tagnomen::JsonString(v.track) +
           ", \"genre\": " + tagnomen::JsonString(v.genre) +
           ", \"comment\": " + tagnomen::JsonString(v.comment) + "}";
}

// The cleaner, the viewer and the organizer are greyed in the Tools menu
// while the file information loader is off; a script is told so instead of
// having its command pass without a trace.
void RequireLoaderTools(CommandContext& c, const char* usage) {
    if (!c.workbench.Menu().loaderToolsEnabled) {
        UsageFailure(usage, "greyed while the file information loader is off (see 'loader on')");
    }
}

// Why the tags of a file cannot be read, in the system's words; empty when
// they can.
std::string WhyUnreadable(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        return ErrorReason(errno);
    }
    if (!S_ISREG(info.st_mode)) {
        return "not a regular file";
    }
    const int fd = OpenRegularForReading(path);
    if (fd < 0) {
        return ErrorReason(errno);
    }
    close(fd);
    return std::string();
}

CommandResult TagsFile(CommandContext& c, const Arguments& args) {
    if (args.size() != 1) {
        UsageFailure(kTagsFileUsage, "wrong number of arguments");
    }
    // A file that is not there, or cannot be read, would print as one
    // without tags; say so instead.
    const std::string unreadable = WhyUnreadable(args[0]);
    if (!unreadable.empty()) {
        c.ui.ShowFailure("Error", "Unable to read the tags of " + args[0], unreadable,
                         MessageIcon::Stop);
        return CommandResult::Failed(1);
    }
    c.out << DescribeTagsAsJson(args[0], c.workbench.Context().fullTagSupport ? TagSupport::Full
                                                                              : TagSupport::Basic)
          << '\n';
    return CommandResult::Done();
}

CommandResult Tags(CommandContext& c, const Arguments& args) {
    if (args.empty()) {
        UsageFailure(kTagsUsage, "wrong number of arguments");
    }
    const int index = ParseIndex(kTagsUsage, args[0]);
    if (static_cast<std::size_t>(index) >= c.workbench.Set().Size()) {
        UsageFailure(kTagsUsage, "there is no entry " + args[0] + " in the old file names");
    }
    const EditorInput input = ParseFields(kTagsUsage, args, 1, true);
    const bool change = args.size() > 1;
    std::ostream& out = c.out;
    // The values are printed as the dialog opens with them; with fields given
    // they are typed and OK is pressed, otherwise the dialog is cancelled. A
    // value the editor refuses keeps it open: the command has been refused.
    bool refused = false;
    c.ui.dialogs.fileInfoEditor.Push([&out, input, change, &refused](FileInfoEditorModel& editor) {
        // Printed before anything is written: when the values cannot be
        // printed, the dialog is cancelled and the run fails on the output.
        out << DescribeEditor(editor) << '\n' << std::flush;
        if (!change || !out) {
            return false;
        }
        Type(editor, input);
        refused = !editor.Accept();
        return !refused;
    });
    c.workbench.SelectOld(index);
    const CommandResult result = c.workbench.TagEditor();
    c.ui.dialogs.fileInfoEditor.Clear();
    return refused ? CommandResult::Refused() : result;
}

CommandResult Table(CommandContext& c, const Arguments& args) {
    if (!args.empty()) {
        UsageFailure(kTableUsage, "wrong number of arguments");
    }
    c.out << "File Name\tTitle\tArtist\tAlbum\tYear\tTrack\tGenre\n";
    const FileInfoTable& table = c.workbench.Context().table;
    for (std::size_t row = 0; row < table.RowCount(); ++row) {
        c.out << table.FileName(row);
        for (SongField field : kTableFields) {
            c.out << '\t' << table.Value(row, field);
        }
        c.out << '\n';
    }
    return CommandResult::Done();
}

CommandResult TableEdit(CommandContext& c, const Arguments& args) {
    if (args.empty()) {
        UsageFailure(kTableEditUsage, "wrong number of arguments");
    }
    const int row = ParseIndex(kTableEditUsage, args[0]);
    const EditorInput input = ParseFields(kTableEditUsage, args, 1, false);
    RequireLoaderTools(c, kTableEditUsage);
    // The row is selected and "&Edit" pressed; the editor gets the fields
    // typed and OK (a refused year leaves it open, which here means Cancel).
    // A missing row or a refused value: the command has been refused.
    bool edited = false;
    c.ui.dialogs.fileInfoViewer.Push([row, &edited](FileInfoViewerModel& viewer) {
        viewer.Select(row);
        edited = viewer.EditSelected();
        return true;
    });
    c.ui.dialogs.fileInfoEditor.Push([input](FileInfoEditorModel& editor) {
        Type(editor, input);
        return editor.Accept();
    });
    const CommandResult result = c.workbench.FileInfoViewer();
    c.ui.dialogs.fileInfoViewer.Clear();
    c.ui.dialogs.fileInfoEditor.Clear();
    return edited ? result : CommandResult::Refused();
}

// One line per change the review shows: file, field, old value, new value
// and where the new value came from, TAB-separated.
void PrintChanges(std::ostream& out, const CleanReviewModel& review) {
    for (std::size_t row = 0; row < review.RowCount(); ++row) {
        const CleanReviewModel::FileRow& file = review.Row(row);
        for (const ValueChange& change : file.changes) {
            out << file.fileName << '\t' << FieldName(change.field) << '\t'
                << ShownValue(change.field, change.before) << '\t'
                << ShownValue(change.field, change.after) << '\t'
                << CleanReviewModel::SourceName(change.source) << '\n';
        }
    }
    out << std::flush;
}

CommandResult Clean(CommandContext& c, const Arguments& args) {
    const bool dryRun = args.size() == 1 && args[0] == "--dry-run";
    if (!args.empty() && !dryRun) {
        UsageFailure(kCleanUsage, args.size() == 1 ? "unknown option '" + args[0] + "'"
                                                   : "wrong number of arguments");
    }
    RequireLoaderTools(c, kCleanUsage);
    if (dryRun && !c.workbench.Context().fullTagSupport) {
        // The cleaner of old has no review to list: it would only ask and write.
        UsageFailure(kCleanUsage, "--dry-run needs full tag support (FullTagSupport 1)");
    }
    // The review is played as a script would have it: a dry run prints its
    // rows and cancels; a plain clean asks the question the cleaner always
    // asked and, on Yes, writes what the review checks by itself (a guess
    // that would replace a value of the tags stays unticked).
    std::ostream& out = c.out;
    CliUi& ui = c.ui;
    c.ui.dialogs.cleanReview.Push([&out, &ui, dryRun](CleanReviewModel& review) {
        if (dryRun) {
            PrintChanges(out, review);
            return false;
        }
        if (!AskYesNo(ui, "Warning", CleanReviewModel::ConfirmationQuestion(),
                      MessageIcon::Warning)) {
            return false;
        }
        review.Accept();
        return true;
    });
    const CommandResult result = c.workbench.TagCleaner();
    c.ui.dialogs.cleanReview.Clear();
    return result;
}

CommandResult Organize(CommandContext& c, const Arguments& args) {
    if (args.size() != 2) {
        UsageFailure(kOrganizeUsage, "wrong number of arguments");
    }
    const std::string root = args[0];
    const std::string& by = args[1];
    SortMethod method = SortMethod::None;
    SortDetail detail = SortDetail::Alphabetically;
    if (by == "title") {
        method = SortMethod::Title;
    } else if (by == "artist" || by == "artist-name") {
        method = SortMethod::Artist;
        detail = by == "artist" ? SortDetail::Alphabetically : SortDetail::ByName;
    } else if (by == "album" || by == "album-name") {
        method = SortMethod::Album;
        detail = by == "album" ? SortDetail::Alphabetically : SortDetail::ByName;
    } else if (by == "year") {
        method = SortMethod::Year;
    } else if (by == "genre") {
        method = SortMethod::Genre;
    } else {
        UsageFailure(kOrganizeUsage, "unknown sort '" + by + "'");
    }
    RequireLoaderTools(c, kOrganizeUsage);
    // An invalid root leaves the chooser open, which here means Cancel, and
    // the command has been refused.
    bool refused = false;
    c.ui.dialogs.directoryChooser.Push([root, &refused](DirectoryChooserModel& chooser) {
        chooser.SetText(root);
        refused = !chooser.Accept();
        return !refused;
    });
    // A sort choice that could not be stored keeps the dialog open, which
    // here means Cancel, and the command has failed.
    bool unstored = false;
    c.ui.dialogs.filesOrganizer.Push([method, detail, &unstored](FilesOrganizerModel& dialog) {
        dialog.Choose(method);
        if (method == SortMethod::Artist) {
            dialog.SetArtistDetail(detail);
        }
        if (method == SortMethod::Album) {
            dialog.SetAlbumDetail(detail);
        }
        unstored = !dialog.Accept();
        return !unstored;
    });
    const CommandResult result = c.workbench.FilesOrganizer();
    c.ui.dialogs.directoryChooser.Clear();
    c.ui.dialogs.filesOrganizer.Clear();
    if (unstored) {
        return CommandResult::Failed();
    }
    return refused ? CommandResult::Refused() : result;
}

}  // namespace

void RegisterTagCommands(CommandTable& table) {
    table["tags-file"] = {kTagsFileUsage, "print what both tag readers find in PATH as JSON",
                          TagsFile};
    table["tags"] = {kTagsUsage, "show or change the tags of entry I", Tags};
    table["table"] = {kTableUsage, "print the file information table", Table};
    table["table-edit"] = {kTableEditUsage, "edit one row of the table", TableEdit};
    table["clean"] = {kCleanUsage, "write the table's values into the tags (--dry-run: list them)",
                      Clean};
    table["organize"] = {kOrganizeUsage, "move the files into folders below ROOT", Organize};
}

}  // namespace tagnomen::cli

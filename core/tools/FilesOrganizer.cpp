// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/FilesOrganizer.h"

#include <cerrno>
#include <cstdint>
#include <optional>
#include <set>

#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "platform/Ui.h"
#include "session/RenamingContext.h"
#include "session/UndoFileName.h"
#include "tags/GenreTable.h"
#include "tools/DirectoryChooserModel.h"
#include "tools/RowValues.h"
#include "tools/Tools.h"

namespace tagnomen {

namespace {

constexpr std::size_t kMaxFolderNameBytes = 255;

// Decodes the first character of a valid UTF-8 text; false for anything else.
bool DecodeOne(const std::string& text, char32_t& code) {
    if (text.empty()) {
        return false;
    }
    const auto b0 = static_cast<unsigned char>(text[0]);
    std::size_t length = 0;
    if (b0 < 0x80) {
        code = b0;
        length = 1;
    } else if ((b0 & 0xE0) == 0xC0) {
        code = b0 & 0x1Fu;
        length = 2;
    } else if ((b0 & 0xF0) == 0xE0) {
        code = b0 & 0x0Fu;
        length = 3;
    } else {
        return false;  // four-byte characters have no case here
    }
    if (text.size() != length) {
        return false;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if ((b & 0xC0) != 0x80) {
            return false;
        }
        code = (code << 6) | (b & 0x3Fu);
    }
    return true;
}

std::string EncodeOne(char32_t code) {
    std::string out;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
    return out;
}

char32_t UpperCode(char32_t c) {
    if (c >= U'a' && c <= U'z') {
        return c - 0x20;
    }
    // Latin-1: à..þ except ÷; ÿ has its capital in Latin Extended-A.
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) {
        return c - 0x20;
    }
    if (c == 0xFF) {
        return 0x178;
    }
    if (c == 0x131) {
        return U'I';  // dotless i
    }
    // Latin Extended-A: capital and small letters alternate, in two runs.
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) {
        return (c & 1) ? c - 1 : c;
    }
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) {
        return (c & 1) ? c : c - 1;
    }
    // Greek: α..ω, with the final sigma as Σ.
    if (c == 0x3C2) {
        return 0x3A3;
    }
    if (c >= 0x3B1 && c <= 0x3C9) {
        return c - 0x20;
    }
    // Cyrillic: а..я and ѐ..џ.
    if (c >= 0x430 && c <= 0x44F) {
        return c - 0x20;
    }
    if (c >= 0x450 && c <= 0x45F) {
        return c - 0x50;
    }
    return c;
}

std::string ValueFor(const SongValues& values, SortMethod method) {
    switch (method) {
        case SortMethod::Title:
            return values.title;
        case SortMethod::Artist:
            return values.artist;
        case SortMethod::Album:
            return values.album;
        case SortMethod::Year:
            return values.year;
        case SortMethod::Genre:
            // Text that does not begin with a number reads as genre 0.
            return GenreName(LeadingInteger(values.genre));
        case SortMethod::None:
            break;
    }
    return {};
}

// The field a sort method names folders by.
SongField SortedField(SortMethod method) {
    switch (method) {
        case SortMethod::Artist:
            return SongField::Artist;
        case SortMethod::Album:
            return SongField::Album;
        case SortMethod::Year:
            return SongField::Year;
        case SortMethod::Genre:
            return SongField::Genre;
        default:
            return SongField::Title;
    }
}

// "24 files have no artist and stay in the folder".
std::string StayedText(std::size_t files, SongField field) {
    const std::string count = files == 1 ? "1 file has" : std::to_string(files) + " files have";
    return count + " no " + std::string(FieldName(field)) + " and " +
           (files == 1 ? "stays" : "stay") + " in the folder";
}

bool ByInitial(const OrganizeRule& rule) {
    switch (rule.method) {
        case SortMethod::Title:
            return true;
        case SortMethod::Artist:
        case SortMethod::Album:
            return rule.detail == SortDetail::Alphabetically;
        default:
            return false;
    }
}

// The folder below the root, made when it is missing. A symbolic link in its
// place is not followed: it could lead out of the root.
bool ReadyFolder(const std::string& folder) {
    const EntryType type = TypeOf(folder);
    if (type == EntryType::Directory) {
        return true;
    }
    return type == EntryType::Missing && CreateDirectoryLevel(folder) &&
           TypeOf(folder) == EntryType::Directory;
}

// Moves one file of the table out of the work directory; 0 or the reason it
// failed. Only the entry is moved (a link as a link), only when it is still
// the file the row was read from, and never over a file in the folder.
int MoveRow(const FileInfoTable& table, std::size_t row, const std::string& source,
            const std::string& target) {
    const std::string& fileName = table.FileName(row);
    if (!IsBareFileName(fileName)) {
        return EINVAL;
    }
    const EntryType type = TypeOf(source);
    if (type == EntryType::Missing) {
        return ENOENT;
    }
    if (type != EntryType::Regular && type != EntryType::Link) {
        return EISDIR;
    }
    const std::optional<FileIdentity> recorded = table.Identity(row);
    if (recorded && IdentityOf(source) != recorded) {
        return ESTALE;  // another file has taken the name since Rename
    }
    return MoveFileNoReplace(source, target) ? 0 : errno;
}

}  // namespace

std::string UpperCaseCharacter(const std::string& character) {
    char32_t code = 0;
    if (!DecodeOne(character, code)) {
        return character;
    }
    return EncodeOne(UpperCode(code));
}

std::string FolderNameFor(const SongValues& values, const OrganizeRule& rule) {
    std::string name = ValueFor(values, rule.method);
    if (ByInitial(rule)) {
        name = UpperCaseCharacter(Utf8Left(name, 1));
    }
    // A folder name is one level below the root, whatever the tags say.
    for (char& c : name) {
        if (c == '/') {
            c = '-';
        }
    }
    if (name.find('\0') != std::string::npos) {
        name.erase(name.find('\0'));
    }
    if (name == "." || name == "..") {
        return {};
    }
    if (name.size() > kMaxFolderNameBytes) {
        name = Utf8CutBytes(name, kMaxFolderNameBytes);
    }
    return name;
}

OrganizeResult OrganizeFiles(RenamingContext& context, const OrganizeRule& rule,
                             const OrganizerRowHook& beforeRow) {
    OrganizeResult result;
    // The files are where the table was made, whatever "PathToWork" says now.
    const FileInfoTable& table = context.table;
    const std::string workDirectory =
        table.Directory().empty() ? WorkDirectory(context) : table.Directory();
    const std::string root = AbsolutePath(context.ReadOrganizeRoot());

    context.ui.OpenProgressWindow("Organizing your Mp3 Files...");
    std::set<std::string> sweptFolders;
    for (std::size_t i = 0; i < table.RowCount(); ++i) {
        const TableRow row = table.Rows()[i];
        const std::string& fileName = row.fileName;
        if (beforeRow) {
            beforeRow(i, fileName);
        }
        const bool known = !context.fullTagSupport || RowHoldsValue(row, SortedField(rule.method));
        const std::string folderName = known ? FolderNameFor(row.values, rule) : std::string();
        if (folderName.empty()) {
            ++result.skipped;
            continue;
        }
        const std::string folder = JoinPath(root, folderName);
        if (!ReadyFolder(folder)) {
            ShowOk(context.ui, "Error",
                   "Unable to create " + folder + " Files Organizer will abort now!",
                   MessageIcon::Stop);
            result.aborted = true;
            break;
        }
        if (sweptFolders.insert(folder).second) {
            RemoveMoveLeftovers(folder);  // copies left by a killed run
        }
        const int error =
            MoveRow(table, i, JoinPath(workDirectory, fileName), JoinPath(folder, fileName));
        if (error != 0) {
            context.ui.ShowFailure("Error", "Unable to move " + fileName, ErrorReason(error),
                                   MessageIcon::Stop);
            ++result.moveFailures;
            continue;
        }
        ++result.moved;
    }
    // The saved renames can no longer be undone once files have left; while
    // none has, the undo file still serves. A record parked by a killed Save
    // goes first, or it would come back in place of the undo file.
    if (!result.aborted && result.moved > 0) {
        for (const char* name : {kPreviousUndoFileName, kReplacementUndoFileName, kUndoFileName}) {
            RemoveFile(JoinPath(workDirectory, name));
        }
    }
    context.ui.CloseProgressWindow();
    // Told after the batch, so that the count is not taken for a failure.
    if (context.fullTagSupport && !result.aborted && result.skipped > 0) {
        ShowOk(context.ui, "Files Organizer", StayedText(result.skipped, SortedField(rule.method)),
               MessageIcon::Information);
    }
    return result;
}

CommandResult RunFilesOrganizer(RenamingContext& context) {
    if (!AskYesNo(context.ui, "Warning",
                  "Before proceeding, check that the File Information loaded is correct, going "
                  "to Tools -> File Info Viewer.\nDo you want to proceed with Files Organizer?")) {
        return CommandResult::Cancelled();
    }
    DirectoryChooserModel chooser(context, ChooserMode::Root);
    if (!context.ui.RunDirectoryChooser(chooser) || !chooser.Accepted()) {
        return CommandResult::Cancelled();
    }
    FilesOrganizerModel dialog(context);
    if (!context.ui.RunFilesOrganizer(dialog) || !dialog.Accepted() || !dialog.Proceed()) {
        return CommandResult::Cancelled();
    }
    const OrganizeResult result = OrganizeFiles(context, dialog.Rule());
    if (result.aborted) {
        return CommandResult::Failed(result.moveFailures);
    }
    return CommandResult::Batch(result.moveFailures);
}

}  // namespace tagnomen

// SPDX-License-Identifier: GPL-3.0-or-later
// The commands of the main window itself: the working set, Rename, Save,
// Undo and the options.
#include "Commands.h"
#include "app/Clashes.h"
#include "tools/DirectoryChooserModel.h"

namespace tagnomen::cli {

namespace {

void RequireCount(const Arguments& args, std::size_t count, const std::string& usage) {
    if (args.size() != count) {
        UsageFailure(usage, "wrong number of arguments");
    }
}

CommandResult Dir(CommandContext& c, const Arguments& args) {
    RequireCount(args, 1, "dir PATH");
    const std::string path = args[0];
    // The path is typed into the chooser and OK pressed; an invalid path
    // leaves the chooser open, which here means Cancel, and the command has
    // been refused.
    bool refused = false;
    c.ui.dialogs.directoryChooser.Push([path, &refused](DirectoryChooserModel& chooser) {
        chooser.SetText(path);
        refused = !chooser.Accept();
        return !refused;
    });
    const CommandResult result = c.workbench.ChooseDirectory();
    c.ui.dialogs.directoryChooser.Clear();
    return refused ? CommandResult::Refused() : result;
}

CommandResult List(CommandContext& c, const Arguments& args) {
    RequireCount(args, 0, "list");
    for (const WorkingRow& row : c.workbench.Set().Rows()) {
        c.out << row.oldName << '\n';
    }
    return CommandResult::Done();
}

CommandResult Show(CommandContext& c, const Arguments& args) {
    RequireCount(args, 0, "show");
    const WorkingSet& set = c.workbench.Set();
    for (std::size_t i = 0; i < set.Size(); ++i) {
        c.out << set.OldName(i) << '\t';
        if (set.HasProposal(i)) {
            c.out << set.Proposal(i);
        }
        c.out << '\n';
    }
    return CommandResult::Done();
}

// The fourth column of a clash that is not two rows ending with one name:
// what is in the way of the name.
const char* ClashReason(const ClashPair& clash) {
    switch (clash.kind) {
        case ClashKind::SameName:
            return nullptr;
        case ClashKind::HeldByRow:
            return "chain";
        case ClashKind::Refused:
            return "refused";
        case ClashKind::HeldByEntry:
            break;
    }
    switch (clash.holder) {
        case EntryType::Directory:
            return "folder";
        case EntryType::Link:
            return "link";
        case EntryType::Regular:
            return "file";
        default:
            return "special";
    }
}

// One line per clash; any clash makes the run fail, so that a script stops
// before a Save that would fail on them. The columns: what has the name (the
// old name of the other file, or the entry's name; nothing for a name Save
// refuses), the old name of the file that cannot get it, the name, and for
// all but two files ending with one name, why.
CommandResult Clashes(CommandContext& c, const Arguments& args) {
    RequireCount(args, 0, "clashes");
    const WorkingSet& set = c.workbench.Set();
    const std::vector<ClashPair> clashes = FindClashes(set, c.workbench.WorkDirectory());
    for (const ClashPair& clash : clashes) {
        const std::string& name = set.NameAfterSave(clash.second);
        const char* reason = ClashReason(clash);
        switch (clash.kind) {
            case ClashKind::SameName:
            case ClashKind::HeldByRow:
                c.out << set.OldName(clash.first);
                break;
            case ClashKind::HeldByEntry:
                c.out << name;
                break;
            case ClashKind::Refused:
                break;
        }
        c.out << '\t' << set.OldName(clash.second) << '\t' << name;
        if (reason != nullptr) {
            c.out << '\t' << reason;
        }
        c.out << '\n';
    }
    return clashes.empty() ? CommandResult::Done() : CommandResult::Failed(clashes.size());
}

CommandResult Method(CommandContext& c, const Arguments& args) {
    const char* usage = "method id3|smart|mass";
    RequireCount(args, 1, usage);
    RenamingMethod method;
    if (args[0] == "id3" || args[0] == "0") {
        method = RenamingMethod::Id3Tag;
    } else if (args[0] == "smart" || args[0] == "1") {
        method = RenamingMethod::SmartEngine;
    } else if (args[0] == "mass" || args[0] == "2") {
        method = RenamingMethod::Mass;
    } else {
        UsageFailure(usage, "unknown method '" + args[0] + "'");
    }
    return c.workbench.SelectMethod(method);
}

CommandResult Underscore(CommandContext& c, const Arguments& args) {
    const char* usage = "underscore on|off";
    RequireCount(args, 1, usage);
    bool on = ParseOnOff(usage, args[0]);
    if (on != c.workbench.Menu().underscoreChecked) {
        return c.workbench.ToggleUnderscore();
    }
    return CommandResult::Done();
}

CommandResult Loader(CommandContext& c, const Arguments& args) {
    const char* usage = "loader on|off";
    RequireCount(args, 1, usage);
    bool on = ParseOnOff(usage, args[0]);
    if (on != c.workbench.Menu().loaderChecked) {
        return c.workbench.ToggleLoader();
    }
    return CommandResult::Done();
}

CommandResult Settings(CommandContext& c, const Arguments& args) {
    RequireCount(args, 0, "settings");
    for (const auto& [name, value] : c.workbench.Context().settings.AllValues()) {
        c.out << name << '=' << value << '\n';
    }
    return CommandResult::Done();
}

void Simple(CommandTable& table, const std::string& name, const std::string& summary,
            CommandResult (Workbench::*command)()) {
    table[name] = {name, summary, [name, command](CommandContext& c, const Arguments& args) {
                       RequireCount(args, 0, name);
                       return (c.workbench.*command)();
                   }};
}

}  // namespace

void RegisterWorkingSetCommands(CommandTable& table) {
    table["dir"] = {"dir PATH", "choose the work directory and list its MP3 files", Dir};
    table["list"] = {"list", "print the old file names", List};
    table["show"] = {"show", "print each old name, a TAB and its proposed name", Show};
    table["clashes"] = {"clashes", "print the proposed names Save cannot give (exit status 1)",
                        Clashes};
    table["method"] = {"method id3|smart|mass", "choose the renaming method", Method};
    table["underscore"] = {"underscore on|off", "replace blanks with underscores", Underscore};
    table["loader"] = {"loader on|off", "enable the file information loader", Loader};
    table["settings"] = {"settings", "print every setting as NAME=VALUE", Settings};
    Simple(table, "rename", "propose new names for every old name", &Workbench::Rename);
    Simple(table, "save", "rename the files on disk and write the undo file", &Workbench::Save);
    Simple(table, "undo", "rename the files of the last save back", &Workbench::Undo);
}

}  // namespace tagnomen::cli

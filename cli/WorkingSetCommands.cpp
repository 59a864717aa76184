// The commands of the main window itself: the working set, Rename, Save,
// Undo and the options.
#include "Commands.h"
#include "app/Clashes.h"
#include "tools/DirectoryChooserModel.h"

namespace tagnomen::cli {

namespace {

void RequireCount(const Arguments& args, std::size_t count, const std::string& usage) {
    if (args.size() != count)
        UsageFailure(usage, "wrong number of arguments");
}

void Dir(CommandContext& c, const Arguments& args) {
    RequireCount(args, 1, "dir PATH");
    const std::string path = args[0];
    // The path is typed into the chooser and OK pressed; an invalid path
    // leaves the chooser open, which here means Cancel.
    c.ui.dialogs.directoryChooser.Push([path](DirectoryChooserModel& chooser) {
        chooser.SetText(path);
        return chooser.Accept();
    });
    c.workbench.ChooseDirectory();
    c.ui.dialogs.directoryChooser.Clear();
}

void List(CommandContext& c, const Arguments& args) {
    RequireCount(args, 0, "list");
    for (const std::string& name : c.workbench.Set().oldNames)
        c.out << name << '\n';
}

void Show(CommandContext& c, const Arguments& args) {
    RequireCount(args, 0, "show");
    const WorkingSet& set = c.workbench.Set();
    for (std::size_t i = 0; i < set.oldNames.size(); ++i) {
        c.out << set.oldNames[i] << '\t';
        if (i < set.renamedNames.size())
            c.out << set.renamedNames[i];
        c.out << '\n';
    }
}

// One line per clashing pair; any clash makes the run fail, so that a script
// stops before a Save that would fail on them.
void Clashes(CommandContext& c, const Arguments& args) {
    RequireCount(args, 0, "clashes");
    const WorkingSet& set = c.workbench.Set();
    const std::vector<ClashPair> clashes = FindClashes(set);
    for (const ClashPair& clash : clashes) {
        c.out << set.oldNames[clash.first] << '\t' << set.oldNames[clash.second] << '\t'
              << NameAfterSave(set, clash.second) << '\n';
    }
    if (!clashes.empty())
        c.ui.NoteFailure();
}

void Method(CommandContext& c, const Arguments& args) {
    const char* usage = "method id3|smart|mass";
    RequireCount(args, 1, usage);
    int method;
    if (args[0] == "id3" || args[0] == "0") {
        method = 0;
    } else if (args[0] == "smart" || args[0] == "1") {
        method = 1;
    } else if (args[0] == "mass" || args[0] == "2") {
        method = 2;
    } else {
        UsageFailure(usage, "unknown method '" + args[0] + "'");
    }
    c.workbench.SelectMethod(method);
}

void Underscore(CommandContext& c, const Arguments& args) {
    const char* usage = "underscore on|off";
    RequireCount(args, 1, usage);
    bool on = ParseOnOff(usage, args[0]);
    if (on != c.workbench.Menu().underscoreChecked)
        c.workbench.ToggleUnderscore();
}

void Loader(CommandContext& c, const Arguments& args) {
    const char* usage = "loader on|off";
    RequireCount(args, 1, usage);
    bool on = ParseOnOff(usage, args[0]);
    if (on != c.workbench.Menu().loaderChecked)
        c.workbench.ToggleLoader();
}

void Settings(CommandContext& c, const Arguments& args) {
    RequireCount(args, 0, "settings");
    for (const auto& [name, value] : c.workbench.Context().settings.AllValues()) {
        c.out << name << '=' << value << '\n';
    }
}

void Simple(CommandTable& table, const std::string& name, const std::string& summary,
            void (Workbench::*command)()) {
    table[name] = {name, summary, [name, command](CommandContext& c, const Arguments& args) {
                       RequireCount(args, 0, name);
                       (c.workbench.*command)();
                   }};
}

}  // namespace

void RegisterWorkingSetCommands(CommandTable& table) {
    table["dir"] = {"dir PATH", "choose the work directory and list its MP3 files", Dir};
    table["list"] = {"list", "print the old file names", List};
    table["show"] = {"show", "print each old name, a TAB and its proposed name", Show};
    table["clashes"] = {
        "clashes", "print the pairs of files whose proposed names clash (exit status 1)", Clashes};
    table["method"] = {"method id3|smart|mass", "choose the renaming method", Method};
    table["underscore"] = {"underscore on|off", "replace blanks with underscores", Underscore};
    table["loader"] = {"loader on|off", "enable the file information loader", Loader};
    table["settings"] = {"settings", "print every setting as NAME=VALUE", Settings};
    Simple(table, "rename", "propose new names for every old name", &Workbench::Rename);
    Simple(table, "save", "rename the files on disk and write the undo file", &Workbench::Save);
    Simple(table, "undo", "rename the files of the last save back", &Workbench::Undo);
}

}  // namespace tagnomen::cli

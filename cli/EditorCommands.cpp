// SPDX-License-Identifier: GPL-3.0-or-later
// Commands of the name format dialog and the file name editors. Each plays
// the person in front of the dialog: the choices are queued for the dialog,
// then the main window's command opens it.
#include <optional>

#include "Commands.h"
#include "tools/EditFileNameModel.h"
#include "tools/MassFileNameEditorModel.h"
#include "tools/NameFormatModel.h"

namespace tagnomen::cli {

namespace {

constexpr const char* kFormatUsage = "format brackets|plain|free [TEMPLATE]";
constexpr const char* kEditUsage = "edit I NAME";
constexpr const char* kMassEditUsage = "mass-edit begin|end|after:TOKEN TEXT I J ...";

CommandResult Format(CommandContext& c, const Arguments& args) {
    if (args.empty() || args.size() > 2) {
        UsageFailure(kFormatUsage, "wrong number of arguments");
    }
    NameFormatChoice choice;
    if (args[0] == "brackets") {
        choice = NameFormatChoice::Brackets;
    } else if (args[0] == "plain") {
        choice = NameFormatChoice::Plain;
    } else if (args[0] == "free") {
        choice = NameFormatChoice::Free;
    } else {
        UsageFailure(kFormatUsage, "unknown format '" + args[0] + "'");
    }
    if (args.size() == 2 && choice != NameFormatChoice::Free) {
        UsageFailure(kFormatUsage, "only the free format takes a template");
    }
    std::optional<std::string> typed;
    if (args.size() == 2) {
        typed = args[1];
    }
    // A format that could not be stored keeps the dialog open, which here
    // means Cancel, and the command has failed.
    bool refused = false;
    c.ui.dialogs.nameFormat.Push([choice, typed, &refused](NameFormatModel& dialog) {
        dialog.Choose(choice);
        if (typed) {
            dialog.SetTemplateText(*typed);
        }
        refused = !dialog.Accept();
        return !refused;
    });
    c.workbench.FormatToRename();
    c.ui.dialogs.nameFormat.Clear();
    return refused ? CommandResult::Failed() : CommandResult::Done();
}

CommandResult Edit(CommandContext& c, const Arguments& args) {
    if (args.size() != 2) {
        UsageFailure(kEditUsage, "wrong number of arguments");
    }
    const int index = ParseIndex(kEditUsage, args[0]);
    const std::string typed = args[1];
    // The window has no entry to double-click; a script is told so instead
    // of having its command pass without a trace.
    const std::size_t proposals = c.workbench.Set().ProposalCount();
    if (proposals == 0) {
        ShowOk(c.ui, "Error", "There is no proposed name to edit yet: run rename first",
               MessageIcon::Stop);
        return CommandResult::Failed();
    }
    if (static_cast<std::size_t>(index) >= proposals) {
        ShowOk(c.ui, "Error",
               "There is no proposed name " + args[0] + ": the Renamed File Names list holds " +
                   std::to_string(proposals),
               MessageIcon::Stop);
        return CommandResult::Failed();
    }
    // A name the editor refuses keeps the dialog open, which here means
    // Cancel, and the command has been refused.
    bool refused = false;
    c.ui.dialogs.editFileName.Push([typed, &refused](EditFileNameModel& dialog) {
        dialog.SetText(typed);
        refused = !dialog.Accept();
        return !refused;
    });
    // The double click selects the clicked entry first, as in the list.
    c.workbench.SetRenamedSelection({index});
    c.workbench.DoubleClickRenamed(index);
    c.ui.dialogs.editFileName.Clear();
    return refused ? CommandResult::Refused() : CommandResult::Done();
}

CommandResult MassEdit(CommandContext& c, const Arguments& args) {
    if (args.size() < 2) {
        UsageFailure(kMassEditUsage, "wrong number of arguments");
    }
    AddPosition position;
    std::string token;
    const std::string& where = args[0];
    if (where == "begin") {
        position = AddPosition::Beginning;
    } else if (where == "end") {
        position = AddPosition::End;
    } else if (where.rfind("after:", 0) == 0) {
        position = AddPosition::AfterToken;
        token = where.substr(6);
    } else {
        UsageFailure(kMassEditUsage, "unknown position '" + where + "'");
    }
    const std::string text = args[1];
    std::vector<int> indexes;
    for (std::size_t i = 2; i < args.size(); ++i) {
        indexes.push_back(ParseIndex(kMassEditUsage, args[i]));
    }

    bool refused = false;
    c.ui.dialogs.massFileNameEditor.Push(
        [position, token, text, &refused](MassFileNameEditorModel& dialog) {
            dialog.Choose(position);
            dialog.SetToken(token);
            dialog.SetText(text);
            refused = !dialog.Accept();
            return !refused;
        });
    c.workbench.SetRenamedSelection(indexes);
    const CommandResult result = c.workbench.MassFileNameEditor();
    c.ui.dialogs.massFileNameEditor.Clear();
    return refused ? CommandResult::Refused() : result;
}

}  // namespace

void RegisterEditorCommands(CommandTable& table) {
    table["format"] = {kFormatUsage, "choose the name format", Format};
    table["edit"] = {kEditUsage, "edit proposed name I", Edit};
    table["mass-edit"] = {kMassEditUsage, "add TEXT to the selected proposed names", MassEdit};
}

}  // namespace tagnomen::cli

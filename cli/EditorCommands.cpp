// Commands of the name format dialog and the file name editors.
#include "Commands.h"

namespace tagnomen::cli {

void RegisterEditorCommands(CommandTable& table) {
    table["format"] = {"format brackets|plain|free [TEMPLATE]", "choose the name format", {}};
    table["edit"] = {"edit I NAME", "edit proposed name I", {}};
    table["mass-edit"] = {"mass-edit begin|end|after:TOKEN TEXT I J ...",
                          "add TEXT to the selected proposed names",
                          {}};
}

}  // namespace tagnomen::cli

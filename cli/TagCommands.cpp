// Commands of the tag tools and the file information table.
#include "Commands.h"

namespace tagnomen::cli {

void RegisterTagCommands(CommandTable& table) {
    table["tags-file"] = {"tags-file PATH", "print what both tag readers find in PATH as JSON", {}};
    table["tags"] = {"tags I [FIELD=VALUE ...]", "show or change the tags of entry I", {}};
    table["table"] = {"table", "print the file information table", {}};
    table["table-edit"] = {"table-edit ROW FIELD=VALUE ...", "edit one row of the table", {}};
    table["clean"] = {"clean", "rewrite every file's tags from the table", {}};
    table["organize"] = {"organize ROOT title|artist|artist-name|album|album-name|year|genre",
                         "move the files into folders below ROOT",
                         {}};
}

}  // namespace tagnomen::cli

// Tools that have not been built yet say so plainly instead of doing nothing.
#include "app/RenamingContext.h"
#include "app/Tools.h"
#include "app/WorkingSet.h"

namespace tagnomen {

namespace {
void NotAvailable(RenamingContext& context, const std::string& tool) {
    ShowOk(context.ui, "Error", tool + " is not available yet in this version of Tagnomen.",
           MessageIcon::Stop);
}
}  // namespace

void RunTagEditor(RenamingContext& context, const std::string&, const std::string&) {
    NotAvailable(context, "The tag editor");
}
void RunTagCleaner(RenamingContext& context, const WorkingSet&) {
    NotAvailable(context, "The tag cleaner");
}
void RunFileInfoViewer(RenamingContext& context) {
    NotAvailable(context, "The file information viewer");
}
void RunFilesOrganizer(RenamingContext& context) {
    NotAvailable(context, "The files organizer");
}

}  // namespace tagnomen

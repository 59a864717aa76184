// Until the renaming methods land, Rename proposes every old name unchanged.
#include "rename/RenamingMethods.h"

namespace tagnomen {

std::string ProposeNameId3Tag(RenamingContext&, const std::string& oldName) {
    return oldName;
}
std::string ProposeNameSmart(RenamingContext&, const std::string& oldName) {
    return oldName;
}

}  // namespace tagnomen

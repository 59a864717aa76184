// Until the smart engine lands, it proposes every old name unchanged.
#include "rename/RenamingMethods.h"

namespace tagnomen {

std::string ProposeNameSmart(RenamingContext&, const std::string& oldName) {
    return oldName;
}

}  // namespace tagnomen

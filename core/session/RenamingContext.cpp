#include "session/RenamingContext.h"

namespace tagnomen {

std::string RenamingContext::ReadPathToWork() {
    settings.GetPathToWork(caches.workDirectory);
    return caches.workDirectory;
}

void RenamingContext::StorePathToWork(const std::string& path) {
    settings.SetPathToWork(path);
    caches.workDirectory = path;
}

std::string RenamingContext::ReadTemplate() {
    settings.GetTemplate(caches.templateText);
    return caches.templateText;
}

void RenamingContext::StoreTemplate(const std::string& text) {
    settings.SetTemplate(text);
    caches.templateText = text;
}

std::string RenamingContext::ReadOrganizeRoot() {
    settings.GetRootOrganizePath(caches.organizeRoot);
    return caches.organizeRoot;
}

void RenamingContext::StoreOrganizeRoot(const std::string& path) {
    settings.SetRootOrganizePath(path);
    caches.organizeRoot = path;
}

std::string WorkDirectory(RenamingContext& context) {
    if (!context.listedDirectory.empty()) {
        return context.listedDirectory;
    }
    return AbsolutePath(context.ReadPathToWork());
}

}  // namespace tagnomen

// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/RenamingContext.h"

namespace tagnomen {

std::string RenamingContext::ReadPathToWork() {
    settings.GetPathToWork(caches.workDirectory);
    return caches.workDirectory;
}

bool RenamingContext::StorePathToWork(const std::string& path) {
    if (!settings.SetPathToWork(path)) {
        return false;
    }
    caches.workDirectory = path;
    return true;
}

std::string RenamingContext::ReadTemplate() {
    settings.GetTemplate(caches.templateText);
    return caches.templateText;
}

bool RenamingContext::StoreTemplate(const std::string& text) {
    if (!settings.SetTemplate(text)) {
        return false;
    }
    caches.templateText = text;
    return true;
}

std::string RenamingContext::ReadOrganizeRoot() {
    settings.GetRootOrganizePath(caches.organizeRoot);
    return caches.organizeRoot;
}

bool RenamingContext::StoreOrganizeRoot(const std::string& path) {
    if (!settings.SetRootOrganizePath(path)) {
        return false;
    }
    caches.organizeRoot = path;
    return true;
}

void RenamingContext::ReadUseTemplate() {
    int stored = useTemplate ? 1 : 0;
    settings.GetUseTemplate(stored);
    useTemplate = stored == 1;
}

void RenamingContext::ReadFileInfoLoader() {
    int stored = fileInfoLoader ? 1 : 0;
    settings.GetFileInfoLoader(stored);
    fileInfoLoader = stored != 0;
}

std::string WorkDirectory(RenamingContext& context) {
    if (!context.listedDirectory.empty()) {
        return context.listedDirectory;
    }
    return AbsolutePath(context.ReadPathToWork());
}

}  // namespace tagnomen

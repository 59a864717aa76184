// SPDX-License-Identifier: GPL-3.0-or-later
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

#include "tools/DirectoryChooserModel.h"

#include <utility>

#include "app/RenamingContext.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"

namespace tagnomen {

namespace {

// A place is listed only when it can be entered, as a drive that cannot be
// made current is left out.
bool CanEnter(const std::string& path) {
    DirectoryScope scope;
    return scope.Enter(path);
}

}  // namespace

DirectoryChooserModel::DirectoryChooserModel(RenamingContext& context, ChooserMode mode)
    : context_(context), mode_(mode) {
    if (CanEnter("/"))
        topItems_.push_back(AddItem("/", kNoItem));
    const std::string home = ExpandHome("~");
    if (home != "~" && home != "/" && !home.empty() && CanEnter(home))
        topItems_.push_back(AddItem(home, kNoItem));

    std::string stored;
    if (mode_ == ChooserMode::WorkDirectory) {
        context_.settings.GetPathToWork(stored);
    } else {
        context_.settings.GetRootOrganizePath(stored);
    }
    SetText(stored);
}

const char* DirectoryChooserModel::Title() const {
    return mode_ == ChooserMode::WorkDirectory
               ? "Directory To Work On"
               : "Select a Root Directory To Organize Your Mp3 Files";
}

void DirectoryChooserModel::SetText(const std::string& text) {
    text_ = Utf8Left(text, kMaxCharacters);
}

int DirectoryChooserModel::AddItem(std::string text, int parent) {
    const int index = static_cast<int>(items_.size());
    items_.push_back(Item{std::move(text), parent, {}});
    if (parent != kNoItem)
        items_[static_cast<std::size_t>(parent)].children.push_back(index);
    return index;
}

bool DirectoryChooserModel::IsTopItem(int item) const {
    return ItemAt(item).parent == kNoItem;
}

ChooserImage DirectoryChooserModel::Image(int item, bool selected) const {
    if (IsTopItem(item))
        return ChooserImage::Drive;
    return selected ? ChooserImage::SelectedFolder : ChooserImage::Folder;
}

std::string DirectoryChooserModel::FullPath(int item) const {
    std::vector<const std::string*> names;
    int top = item;
    for (; !IsTopItem(top); top = ItemAt(top).parent)
        names.push_back(&ItemAt(top).text);
    std::string path = ItemAt(top).text;
    for (auto it = names.rbegin(); it != names.rend(); ++it) {
        if (path.empty() || path.back() != '/')
            path += '/';
        path += **it;
    }
    return path;
}

void DirectoryChooserModel::ListFolders(int item) {
    std::vector<std::string> names;
    {
        // Listed from inside the folder, so a folder that cannot be entered
        // gets no children; the current directory is restored right away.
        DirectoryScope scope;
        if (scope.Enter(FullPath(item)))
            names = ListSubdirectories(".");
    }
    for (std::string& name : names)
        AddItem(std::move(name), item);
}

void DirectoryChooserModel::Select(int item) {
    if (item < 0 || static_cast<std::size_t>(item) >= items_.size())
        return;
    if (ItemAt(item).children.empty())
        ListFolders(item);
    selected_ = item;
    SetText(FullPath(item));
}

bool DirectoryChooserModel::IsExpanded(int item) const {
    for (int i = selected_; i != kNoItem; i = ItemAt(i).parent) {
        if (i == item)
            return true;
    }
    return false;
}

bool DirectoryChooserModel::Accept() {
    // "~" is expanded here, and the path is stored expanded; a relative path
    // would name another directory for every current directory, so it is
    // stored absolute. A path that grows past what the setting can hold is
    // refused like one that does not exist: it could never be read back.
    const std::string path = AbsolutePath(text_);
    if (Utf8Length(path) > kMaxCharacters || !CanEnter(path)) {
        ShowOk(context_.ui, "Invalid Directory", text_ + " is not a valid directory!",
               MessageIcon::Warning);
        return false;
    }
    if (mode_ == ChooserMode::WorkDirectory) {
        context_.settings.SetPathToWork(path);
    } else {
        context_.settings.SetRootOrganizePath(path);
    }
    stored_ = path;
    accepted_ = true;
    return true;
}

}  // namespace tagnomen

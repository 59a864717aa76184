// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/DirectoryChooserModel.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "platform/Ui.h"
#include "platform/UserDirectories.h"
#include "session/RenamingContext.h"

namespace tagnomen {

namespace {

// A place is listed only when it can be entered, as a drive that cannot be
// made current is left out.
bool CanEnter(const std::string& path) {
    DirectoryScope scope;
    return scope.Enter(path);
}

// The root "RootOrganizePath" holds until one is chosen.
constexpr const char* kFirstRunRoot = "/";
constexpr std::size_t kMaxNameBytes = 255;

// Makes every missing folder of an absolute path, from the top; false with
// errno set when one cannot be made (an entry that is not a folder is in the
// way, or the system refuses).
bool CreateMissingFolders(const std::string& path) {
    std::size_t at = 1;
    while (at <= path.size()) {
        const std::size_t end = std::min(path.find('/', at), path.size());
        const std::string prefix = path.substr(0, end);
        if (end > at && !IsDirectory(prefix)) {
            if (PathExists(prefix)) {
                errno = ENOTDIR;
                return false;
            }
            if (!CreateDirectoryLevel(prefix)) {
                return false;
            }
        }
        at = end + 1;
    }
    return true;
}

}  // namespace

DirectoryChooserModel::DirectoryChooserModel(RenamingContext& context, ChooserMode mode)
    : context_(context), mode_(mode) {
    if (CanEnter("/")) {
        topItems_.push_back(AddItem("/", kNoItem));
    }
    const std::string home = ExpandHome("~");
    const bool hasHome = home != "~" && home != "/" && !home.empty();
    if (hasHome && CanEnter(home)) {
        topItems_.push_back(AddItem(home, kNoItem));
    }
    // A Music folder set to the home directory means "none" to the desktop.
    const std::string music = UserMusicDirectory();
    if (!music.empty() && music != home && music != "/" && CanEnter(music)) {
        topItems_.push_back(AddItem(music, kNoItem));
    }

    if (mode_ == ChooserMode::WorkDirectory) {
        SetText(context_.ReadPathToWork());
        return;
    }
    std::string root = context_.ReadOrganizeRoot();
    // A root never chosen starts at the Music folder, not at the top of the system.
    if (CanCreateFolders() && (root.empty() || root == kFirstRunRoot) && !music.empty() &&
        music != home) {
        root = music;
    }
    SetText(root);
}

bool DirectoryChooserModel::CanCreateFolders() const {
    return mode_ == ChooserMode::Root && context_.fullTagSupport;
}

bool DirectoryChooserModel::CreateFolder(const std::string& name) {
    if (!CanCreateFolders()) {
        return false;
    }
    const std::string parent = AbsolutePath(text_);
    if (!IsBareFileName(name) || name.size() > kMaxNameBytes) {
        ShowOk(context_.ui, "Error", name + " is not a valid folder name!", MessageIcon::Warning);
        return false;
    }
    const std::string path = JoinPath(parent, name);
    if (!IsDirectory(parent) || PathExists(path) || ::mkdir(path.c_str(), 0777) != 0) {
        const int error = !IsDirectory(parent) ? ENOENT : PathExists(path) ? EEXIST : errno;
        context_.ui.ShowFailure("Error", "Unable to create " + path, ErrorReason(error),
                                MessageIcon::Stop);
        return false;
    }
    // The new folder joins the tree below the selected item when that is
    // where it was made.
    if (selected_ != kNoItem && FullPath(selected_) == parent) {
        const int item = AddItem(name, selected_);
        Select(item);
    } else {
        SetText(path);
    }
    return true;
}

bool DirectoryChooserModel::OfferToCreate(const std::string& path) {
    if (!AskYesNo(context_.ui, "Create Folder",
                  path + " does not exist.\nDo you want to create it?", MessageIcon::Question)) {
        return false;
    }
    if (!CreateMissingFolders(path)) {
        context_.ui.ShowFailure("Error", "Unable to create " + path, ErrorReason(errno),
                                MessageIcon::Stop);
        return false;
    }
    return true;
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
    if (parent != kNoItem) {
        items_[static_cast<std::size_t>(parent)].children.push_back(index);
    }
    return index;
}

bool DirectoryChooserModel::IsTopItem(int item) const {
    return ItemAt(item).parent == kNoItem;
}

ChooserImage DirectoryChooserModel::Image(int item, bool selected) const {
    if (IsTopItem(item)) {
        return ChooserImage::Drive;
    }
    return selected ? ChooserImage::SelectedFolder : ChooserImage::Folder;
}

std::string DirectoryChooserModel::FullPath(int item) const {
    std::vector<const std::string*> names;
    int top = item;
    for (; !IsTopItem(top); top = ItemAt(top).parent) {
        names.push_back(&ItemAt(top).text);
    }
    std::string path = ItemAt(top).text;
    for (auto it = names.rbegin(); it != names.rend(); ++it) {
        if (path.empty() || path.back() != '/') {
            path += '/';
        }
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
        if (scope.Enter(FullPath(item))) {
            names = ListSubdirectories(".");
        }
    }
    for (std::string& name : names) {
        AddItem(std::move(name), item);
    }
}

void DirectoryChooserModel::Select(int item) {
    if (item < 0 || static_cast<std::size_t>(item) >= items_.size()) {
        return;
    }
    if (ItemAt(item).children.empty()) {
        ListFolders(item);
    }
    selected_ = item;
    SetText(FullPath(item));
}

bool DirectoryChooserModel::IsExpanded(int item) const {
    for (int i = selected_; i != kNoItem; i = ItemAt(i).parent) {
        if (i == item) {
            return true;
        }
    }
    return false;
}

void DirectoryChooserModel::OpenAtText() {
    const std::string stored = text_;
    const std::string path = ExpandHome(text_);
    // The top item with the longest path that holds the directory.
    int top = kNoItem;
    std::size_t topLength = 0;
    for (int item : topItems_) {
        const std::string& start = ItemAt(item).text;
        const bool holds = start == "/" || path == start ||
                           (path.compare(0, start.size(), start) == 0 && path[start.size()] == '/');
        if (holds && (top == kNoItem || start.size() > topLength)) {
            top = item;
            topLength = start.size();
        }
    }
    if (top == kNoItem) {
        return;
    }
    int item = top;
    std::size_t at = topLength;
    for (;;) {
        Select(item);
        while (at < path.size() && path[at] == '/') {
            ++at;
        }
        if (at >= path.size()) {
            break;
        }
        const std::size_t end = std::min(path.find('/', at), path.size());
        const std::string name = path.substr(at, end - at);
        at = end;
        int next = kNoItem;
        for (int child : ItemAt(item).children) {
            if (ItemAt(child).text == name) {
                next = child;
            }
        }
        if (next == kNoItem) {
            break;
        }
        item = next;
    }
    text_ = stored;
}

bool DirectoryChooserModel::Accept() {
    // "~" is expanded here, and the path is stored expanded; a relative path
    // would name another directory for every current directory, so it is
    // stored absolute. A path that grows past what the setting can hold is
    // refused like one that does not exist: it could never be read back.
    const std::string path = AbsolutePath(text_);
    const bool tooLong = Utf8Length(path) > kMaxCharacters;
    if (!tooLong && CanCreateFolders() && !PathExists(path) && !OfferToCreate(path)) {
        return false;
    }
    if (tooLong || !CanEnter(path)) {
        ShowOk(context_.ui, "Invalid Directory", text_ + " is not a valid directory!",
               MessageIcon::Warning);
        return false;
    }
    // A path that could not be stored would be lost at the next start, and
    // every later command would work on the old one: OK fails like a path
    // that does not exist.
    const bool stored = mode_ == ChooserMode::WorkDirectory ? context_.StorePathToWork(path)
                                                            : context_.StoreOrganizeRoot(path);
    if (!stored) {
        ShowSettingNotStored(context_.ui, context_.settings);
        return false;
    }
    stored_ = path;
    accepted_ = true;
    return true;
}

}  // namespace tagnomen

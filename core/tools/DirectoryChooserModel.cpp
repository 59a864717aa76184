#include "tools/DirectoryChooserModel.h"

#include "app/RenamingContext.h"
#include "platform/FileSystem.h"

namespace tagnomen {

namespace {

std::string CutToCharacters(const std::string& text, std::size_t characters) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && count++ == characters) {
            return text.substr(0, i);
        }
    }
    return text;
}

}  // namespace

DirectoryChooserModel::DirectoryChooserModel(RenamingContext& context, ChooserMode mode)
    : context_(context), mode_(mode) {
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
    text_ = CutToCharacters(text, kMaxCharacters);
}

bool DirectoryChooserModel::Accept() {
    // The path is checked by entering it, and the current directory is the
    // same afterwards as before.
    std::string path = ExpandHome(text_);
    bool valid;
    {
        DirectoryScope scope;
        valid = scope.Enter(path);
    }
    if (!valid) {
        ShowOk(context_.ui, "Invalid Directory", text_ + " is not a valid directory!",
               MessageIcon::Warning);
        return false;
    }
    if (mode_ == ChooserMode::WorkDirectory) {
        context_.settings.SetPathToWork(path);
    } else {
        context_.settings.SetRootOrganizePath(path);
    }
    accepted_ = true;
    return true;
}

}  // namespace tagnomen

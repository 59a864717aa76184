// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/EditFileNameModel.h"

#include "platform/Text.h"
#include "platform/Ui.h"

namespace tagnomen {

namespace {
constexpr std::string_view kExtension = ".mp3";
}  // namespace

EditFileNameModel::EditFileNameModel(Ui& ui, const std::string& nameToEdit,
                                     const std::string& oldName)
    : ui_(ui), nameToEdit_(nameToEdit), oldName_(Utf8Left(oldName, kMaxCharacters)) {
    Show(nameToEdit_);
}

void EditFileNameModel::Show(const std::string& name) {
    // Only the first ".mp3", in exactly this case, is taken out; ".MP3"
    // stays part of the text.
    std::string shown = name;
    const std::size_t at = shown.find(kExtension);
    hasExtension_ = at != std::string::npos;
    if (hasExtension_) {
        shown.erase(at, kExtension.size());
    }
    SetText(shown);
}

void EditFileNameModel::SetText(const std::string& text) {
    text_ = Utf8Left(text, kMaxCharacters);
}

void EditFileNameModel::GetOldName() {
    Show(oldName_);
}

std::string EditFileNameModel::Result() const {
    return hasExtension_ ? text_ + std::string(kExtension) : text_;
}

bool EditFileNameModel::Accept() {
    if (Result().size() > kMaxNameBytes) {
        ShowOk(ui_, "Error",
               "The new name of \"" + nameToEdit_ + "\" would be longer than 255 bytes.",
               MessageIcon::Stop);
        return false;
    }
    accepted_ = true;
    return true;
}

}  // namespace tagnomen

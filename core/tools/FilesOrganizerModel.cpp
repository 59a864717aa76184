// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/FilesOrganizerModel.h"

#include "platform/Ui.h"
#include "session/RenamingContext.h"

namespace tagnomen {

namespace {

constexpr int kLowestMethod = static_cast<int>(SortMethod::Title);
constexpr int kHighestMethod = static_cast<int>(SortMethod::Genre);

}  // namespace

FilesOrganizerModel::FilesOrganizerModel(RenamingContext& context) : context_(context) {
    int stored = -1;
    context_.settings.GetSortMethod(stored);
    if (stored >= kLowestMethod && stored <= kHighestMethod) {
        chosen_ = static_cast<SortMethod>(stored);
    }
}

const char* FilesOrganizerModel::ButtonText(SortMethod method) {
    switch (method) {
        case SortMethod::Title:
            return "&Title (Alphabetically)";
        case SortMethod::Artist:
            return "&Artist";
        case SortMethod::Album:
            return "Al&bum";
        case SortMethod::Year:
            return "&Year";
        case SortMethod::Genre:
            return "&Genre";
        case SortMethod::None:
            break;
    }
    return "";
}

const std::array<const char*, 2>& FilesOrganizerModel::ArtistEntries() {
    static const std::array<const char*, 2> kEntries = {"Alphabetically", "By Artist Name"};
    return kEntries;
}

const std::array<const char*, 2>& FilesOrganizerModel::AlbumEntries() {
    static const std::array<const char*, 2> kEntries = {"Alphabetically", "By Album Name"};
    return kEntries;
}

void FilesOrganizerModel::Choose(SortMethod method) {
    if (method == chosen_ || method == SortMethod::None) {
        return;
    }
    chosen_ = method;
    if (method == SortMethod::Artist) {
        artistDetail_ = SortDetail::Alphabetically;
    }
    if (method == SortMethod::Album) {
        albumDetail_ = SortDetail::Alphabetically;
    }
}

void FilesOrganizerModel::SetArtistDetail(SortDetail detail) {
    if (ArtistListEnabled()) {
        artistDetail_ = detail;
    }
}

void FilesOrganizerModel::SetAlbumDetail(SortDetail detail) {
    if (AlbumListEnabled()) {
        albumDetail_ = detail;
    }
}

bool FilesOrganizerModel::Accept() {
    if (chosen_ == SortMethod::None) {
        return false;
    }
    if (!context_.settings.SetSortMethod(static_cast<int>(chosen_))) {
        ShowSettingNotStored(context_.ui, context_.settings);
        return false;
    }
    proceed_ = AskYesNo(context_.ui, "Warning",
                        "After organizing your files you will no longer be able to undo your "
                        "renamed files.\nDo you want to proceed organizing files?");
    accepted_ = true;
    return true;
}

OrganizeRule FilesOrganizerModel::Rule() const {
    OrganizeRule rule;
    rule.method = chosen_;
    if (chosen_ == SortMethod::Artist) {
        rule.detail = artistDetail_;
    }
    if (chosen_ == SortMethod::Album) {
        rule.detail = albumDetail_;
    }
    return rule;
}

}  // namespace tagnomen

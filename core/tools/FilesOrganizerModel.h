// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules of the "Files Organizer" dialog: five radio buttons (title,
// artist, album, year, genre), the two drop-down lists beside "&Artist" and
// "Al&bum" and which of them is enabled, and what OK stores and asks. The Qt
// dialog and the CLI drive the same model.
#include <array>
#include <string>

namespace tagnomen {

struct RenamingContext;

// The radio buttons; the values are those of the "SortMethod" setting.
enum class SortMethod { None = -1, Title = 0, Artist = 1, Album = 2, Year = 3, Genre = 4 };

// The entries of the artist and the album list.
enum class SortDetail { Alphabetically = 0, ByName = 1 };

// How the run names a file's folder.
struct OrganizeRule {
    SortMethod method = SortMethod::None;
    SortDetail detail = SortDetail::Alphabetically;
};

class FilesOrganizerModel {
  public:
    // Opening: both lists filled and disabled; the button of the stored
    // "SortMethod" chosen (none for a value outside 0..4), and for the artist
    // or the album its list enabled, showing "Alphabetically".
    explicit FilesOrganizerModel(RenamingContext& context);

    const char* Title() const { return "Files Organizer"; }
    static const char* ButtonText(SortMethod method);
    static const std::array<const char*, 2>& ArtistEntries();
    static const std::array<const char*, 2>& AlbumEntries();

    SortMethod Chosen() const { return chosen_; }
    // Choosing a button that is not chosen yet: "&Artist" and "Al&bum" enable
    // their own list, disable the other and select "Alphabetically" in it;
    // the other three disable both lists. Choosing the chosen button again,
    // or SortMethod::None, changes nothing.
    void Choose(SortMethod method);

    bool ArtistListEnabled() const { return chosen_ == SortMethod::Artist; }
    bool AlbumListEnabled() const { return chosen_ == SortMethod::Album; }
    SortDetail ArtistDetail() const { return artistDetail_; }
    SortDetail AlbumDetail() const { return albumDetail_; }
    // Picking an entry of a list; ignored while that list is disabled.
    void SetArtistDetail(SortDetail detail);
    void SetAlbumDetail(SortDetail detail);

    // OK. With no button chosen it does nothing and the dialog stays open
    // (false). Otherwise the chosen method is stored in "SortMethod" at once
    // (when it cannot be, the box says so and the dialog stays open: false),
    // then the person is asked whether to go on (the answer is Proceed());
    // the dialog closes either way (true).
    bool Accept();
    void Reject() { accepted_ = false; }
    bool Accepted() const { return accepted_; }
    bool Proceed() const { return proceed_; }

    // The method and the list entry that name the folders.
    OrganizeRule Rule() const;

  private:
    RenamingContext& context_;
    SortMethod chosen_ = SortMethod::None;
    SortDetail artistDetail_ = SortDetail::Alphabetically;
    SortDetail albumDetail_ = SortDetail::Alphabetically;
    bool accepted_ = false;
    bool proceed_ = false;
};

}  // namespace tagnomen

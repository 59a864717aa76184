// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules of the work directory chooser: the "Directory Name" text, the
// folder tree beside it, what OK checks and what it stores. The Qt dialog and
// the CLI drive the same model.
//
// The tree's top items stand for the places a path can start from: the file
// system root "/", the home directory and the desktop's Music folder. Below them, folder items are
// added the first time an item is selected and never removed while the chooser is open. The
// process's current directory is the same after every call as before it.
//
// With full tag support the root chooser of the organizer also creates
// folders: "New Folder" makes one inside the folder the edit names, and a
// typed root that does not exist yet is offered for creation. Its edit opens
// at the desktop's Music folder while the stored root is still the first-run
// default "/".
#include <cstddef>
#include <string>
#include <vector>

namespace tagnomen {

struct RenamingContext;

enum class ChooserMode { Root = 0, WorkDirectory = 1 };

// The three pictures of the tree.
enum class ChooserImage { Folder = 0, SelectedFolder = 1, Drive = 2 };

class DirectoryChooserModel {
  public:
    static constexpr std::size_t kMaxCharacters = 255;
    static constexpr int kNoItem = -1;

    struct Item {
        std::string text;  // the top item's path, or the folder's own name
        int parent = kNoItem;
        std::vector<int> children;  // in display order
    };

    DirectoryChooserModel(RenamingContext& context, ChooserMode mode);

    ChooserMode Mode() const { return mode_; }
    const char* Title() const;
    // The "Directory Name" edit.
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);

    // The tree. Items are numbered in the order they were added; the top
    // items come first.
    std::size_t ItemCount() const { return items_.size(); }
    const Item& ItemAt(int item) const { return items_.at(static_cast<std::size_t>(item)); }
    const std::vector<int>& TopItems() const { return topItems_; }
    bool IsTopItem(int item) const;
    // The picture of an item, as shown when it is (not) the selected one.
    ChooserImage Image(int item, bool selected) const;
    // The directory an item stands for: the top item's path followed by the
    // folder names from the top down.
    std::string FullPath(int item) const;

    // Selecting an item lists its folders when it has none yet (an item
    // whose folder has no subfolders is scanned again every time), expands
    // it, collapses the branch expanded before, and puts its path into the
    // edit.
    void Select(int item);
    int Selected() const { return selected_; }
    // Single expansion: exactly the selected item and the items above it.
    bool IsExpanded(int item) const;

    // Opens the tree at the directory the edit names: from the top item
    // that holds it, every folder down to it is selected in turn, as far as
    // they exist. The edit keeps its text.
    void OpenAtText();

    // True when this chooser creates folders (the organizer's root, with
    // full tag support).
    bool CanCreateFolders() const;
    // "New Folder": a folder of that name inside the directory the edit
    // names, which becomes the selected item and the edit's text. False, after
    // the box that says why, when the name is not a folder name or the folder
    // cannot be made (it never replaces anything).
    bool CreateFolder(const std::string& name);

    // OK: checks the text and stores it ("~" expanded, a relative path made
    // absolute, so that it names the same directory from anywhere). A root
    // that does not exist yet is offered for creation where folders are
    // created: Yes creates every missing level. False (after the "Invalid
    // Directory" box, a No, a folder that could not be made, or the box of a
    // setting that could not be stored) keeps the dialog open.
    bool Accept();
    // The path the last accepted OK stored.
    const std::string& StoredPath() const { return stored_; }
    // Cancel: nothing is stored.
    void Reject() { accepted_ = false; }
    bool Accepted() const { return accepted_; }

  private:
    int AddItem(std::string text, int parent);
    void ListFolders(int item);
    // The folders of a path that does not exist yet, made on the person's Yes.
    bool OfferToCreate(const std::string& path);

    RenamingContext& context_;
    ChooserMode mode_;
    std::string text_;
    std::string stored_;
    std::vector<Item> items_;
    std::vector<int> topItems_;
    int selected_ = kNoItem;
    bool accepted_ = false;
};

}  // namespace tagnomen

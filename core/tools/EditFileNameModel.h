// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules of the single file name editor ("Edit The Mp3 File Name"): the
// ".mp3" taken out of the shown name and put back on OK, "&Get Old Name",
// and the length check of the result. The Qt dialog and the CLI drive it.
#include <cstddef>
#include <string>

namespace tagnomen {

class Ui;

class EditFileNameModel {
  public:
    static constexpr std::size_t kMaxCharacters = 255;  // the "New File Name" edit
    static constexpr std::size_t kMaxNameBytes = 255;   // a proposed name

    // The name to edit is shown without its first ".mp3"; the old name is the
    // file's name on disk, offered by "&Get Old Name".
    EditFileNameModel(Ui& ui, const std::string& nameToEdit, const std::string& oldName);

    const char* Title() const { return "Edit The Mp3 File Name"; }
    const std::string& NameToEdit() const { return nameToEdit_; }
    const std::string& OldName() const { return oldName_; }

    // The "New File Name" edit.
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    // Whether ".mp3" was taken out of the text last put into the edit by the
    // model (the name to edit or the old name); OK appends it again.
    bool HasExtension() const { return hasExtension_; }

    // "&Get Old Name": the old name, treated as the name to edit is.
    void GetOldName();

    // The name OK hands back: the edit's text, plus ".mp3" when the flag is set.
    std::string Result() const;
    // OK: a result longer than a name may be is refused with an "Error" box
    // and the dialog stays open; otherwise the edit is accepted.
    bool Accept();
    bool Accepted() const { return accepted_; }

  private:
    void Show(const std::string& name);

    Ui& ui_;
    std::string nameToEdit_;
    std::string oldName_;
    std::string text_;
    bool hasExtension_ = false;
    bool accepted_ = false;
};

}  // namespace tagnomen

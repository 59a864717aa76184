// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules of the mass file name editor ("Mass Mp3 Filename Editor"): the
// text to add, where it goes, and how OK rebuilds the selected proposed names.
// The Qt dialog and the CLI drive it.
#include <cstddef>
#include <string>

namespace tagnomen {

class Ui;
class WorkingSet;

// The radio buttons of "Add the text at :".
enum class AddPosition { Beginning = 1, End = 2, AfterToken = 3 };

// The name with the text added at the position. A name that does not contain
// the token comes back unchanged with tokenFound false; an empty token is
// found at the start of every name.
std::string AddTextToName(const std::string& name, const std::string& text, AddPosition position,
                          const std::string& token, bool& tokenFound);

class MassFileNameEditorModel {
  public:
    static constexpr std::size_t kMaxCharacters = 255;  // each edit
    static constexpr std::size_t kMaxNameBytes = 255;   // a proposed name

    // Works on the proposed names and their selection.
    MassFileNameEditorModel(Ui& ui, WorkingSet& set);

    const char* Title() const { return "Mass Mp3 Filename Editor"; }

    // "Text to add to selected items ".
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    // The token edit beside the third button; typing is ignored while it is
    // disabled.
    const std::string& Token() const { return token_; }
    void SetToken(const std::string& token);
    bool TokenEnabled() const { return position_ == AddPosition::AfterToken; }

    AddPosition Position() const { return position_; }
    // Choosing the button that is already chosen changes nothing.
    void Choose(AddPosition position);

    // OK: every selected proposed name gets the text; the rebuilt entries
    // are deselected. A name without the token is left as it is, and so is
    // one that would grow past 255 bytes (after an "Error" box naming it);
    // both stay selected. The dialog always closes.
    bool Accept();
    bool Accepted() const { return accepted_; }

  private:
    Ui& ui_;
    WorkingSet& set_;
    std::string text_;
    std::string token_;
    AddPosition position_ = AddPosition::Beginning;
    bool accepted_ = false;
};

}  // namespace tagnomen

#pragma once
// The rules of the work directory chooser: what it shows, what OK checks and
// what it stores. The Qt dialog and the CLI drive the same model.
#include <string>

namespace tagnomen {

struct RenamingContext;

enum class ChooserMode { Root = 0, WorkDirectory = 1 };

class DirectoryChooserModel {
  public:
    static constexpr std::size_t kMaxCharacters = 255;

    DirectoryChooserModel(RenamingContext& context, ChooserMode mode);

    ChooserMode Mode() const { return mode_; }
    const char* Title() const;
    // The "Directory Name" edit.
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);

    // OK: checks the text and stores it. False (after the "Invalid Directory"
    // box) keeps the dialog open.
    bool Accept();
    bool Accepted() const { return accepted_; }

  private:
    RenamingContext& context_;
    ChooserMode mode_;
    std::string text_;
    bool accepted_ = false;
};

}  // namespace tagnomen

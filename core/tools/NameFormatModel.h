// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules of the name format dialog ("Format To Rename"): which of the
// three formats is chosen, the template edit that only the free format
// enables, and what OK stores. The Qt dialog and the CLI drive it; leaving
// without OK stores nothing.
#include <cstddef>
#include <string>
#include <utility>

#include "tools/NameFormatPreview.h"

namespace tagnomen {

struct RenamingContext;

// The radio buttons; the values are those of the "Brackets" setting.
enum class NameFormatChoice { None = -1, Plain = 0, Brackets = 1, Free = 2 };

class NameFormatModel {
  public:
    static constexpr std::size_t kMaxCharacters = 255;

    // Opening: reads "Brackets"; the free format shows the stored template.
    explicit NameFormatModel(RenamingContext& context);

    const char* Title() const { return "Format To Rename"; }

    NameFormatChoice Choice() const { return choice_; }
    // Choosing a button that is not chosen yet: the fixed formats empty and
    // disable the template edit, the free format fills it with the default
    // template and enables it.
    void Choose(NameFormatChoice choice);

    const std::string& TemplateText() const { return templateText_; }
    bool TemplateEnabled() const { return choice_ == NameFormatChoice::Free; }
    // Typing into the template edit; ignored while it is disabled.
    void SetTemplateText(const std::string& text);

    // The preview: the name the chosen format gives for the sample file (the
    // first of the list); empty while no format is chosen.
    void SetPreviewSample(PreviewSample sample) { sample_ = std::move(sample); }
    const PreviewSample& Sample() const { return sample_; }
    std::string Preview() const;

    // OK: stores "Brackets", "UseTemplate" and, for the free format,
    // "Template", and updates the renaming context's copies. False, after
    // the box that says so, when a value could not be stored: the dialog
    // stays open and the context keeps its format.
    bool Accept();
    bool Accepted() const { return accepted_; }

  private:
    RenamingContext& context_;
    NameFormatChoice choice_ = NameFormatChoice::None;
    std::string templateText_;
    bool accepted_ = false;
    PreviewSample sample_;
};

}  // namespace tagnomen

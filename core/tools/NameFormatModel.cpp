// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/NameFormatModel.h"

#include "platform/Text.h"
#include "rename/NameTemplate.h"
#include "session/RenamingContext.h"

namespace tagnomen {

NameFormatModel::NameFormatModel(RenamingContext& context) : context_(context) {
    // The template copy is refreshed whatever the format, so that OK with no
    // button chosen stores the template back as it is, never an empty copy.
    const std::string storedTemplate = context_.ReadTemplate();
    int brackets = -1;
    context_.settings.GetBrackets(brackets);
    switch (brackets) {
        case 0:
            choice_ = NameFormatChoice::Plain;
            break;
        case 1:
            choice_ = NameFormatChoice::Brackets;
            break;
        case 2:
            choice_ = NameFormatChoice::Free;
            SetTemplateText(storedTemplate);
            break;
        default:
            choice_ = NameFormatChoice::None;
            break;
    }
}

void NameFormatModel::Choose(NameFormatChoice choice) {
    if (choice == choice_ || choice == NameFormatChoice::None) {
        return;
    }
    choice_ = choice;
    if (choice_ == NameFormatChoice::Free) {
        templateText_ = kDefaultTemplate;
    } else {
        templateText_.clear();
    }
}

void NameFormatModel::SetTemplateText(const std::string& text) {
    if (TemplateEnabled()) {
        templateText_ = Utf8Left(text, kMaxCharacters);
    }
}

std::string NameFormatModel::Preview() const {
    switch (choice_) {
        case NameFormatChoice::Brackets:
        case NameFormatChoice::Plain:
            return PreviewName(sample_, false, "", static_cast<int>(choice_),
                               context_.underscoreOption);
        case NameFormatChoice::Free:
            return PreviewName(sample_, true, templateText_, 2, context_.underscoreOption);
        case NameFormatChoice::None:
            break;
    }
    return {};
}

bool NameFormatModel::Accept() {
    SettingsStore& settings = context_.settings;
    bool useTemplate = context_.useTemplate;
    bool stored = true;
    switch (choice_) {
        case NameFormatChoice::Brackets:
        case NameFormatChoice::Plain:
            stored = settings.SetBrackets(static_cast<int>(choice_));
            useTemplate = false;
            break;
        case NameFormatChoice::Free:
            stored = settings.SetBrackets(2) && context_.StoreTemplate(templateText_);
            useTemplate = true;
            break;
        case NameFormatChoice::None:
            break;
    }
    stored = stored && settings.SetUseTemplate(useTemplate ? 1 : 0);
    if (stored && useTemplate) {
        stored = context_.StoreTemplate(context_.caches.templateText);
    }
    // The names would follow a format the next start no longer knows.
    if (!stored) {
        ShowSettingNotStored(context_.ui, settings);
        return false;
    }
    context_.useTemplate = useTemplate;
    accepted_ = true;
    return true;
}

}  // namespace tagnomen

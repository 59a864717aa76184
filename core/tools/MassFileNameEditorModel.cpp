// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/MassFileNameEditorModel.h"

#include "platform/Text.h"
#include "platform/Ui.h"
#include "session/WorkingSet.h"

namespace tagnomen {

namespace {

// Byte offset of the start of the last `characters` characters; 0 when the
// text has no more than that.
std::size_t StartOfLastCharacters(const std::string& text, std::size_t characters) {
    std::size_t at = text.size();
    for (std::size_t seen = 0; seen < characters && at > 0;) {
        --at;
        if ((static_cast<unsigned char>(text[at]) & 0xC0) != 0x80) {
            ++seen;
        }
    }
    return at;
}

}  // namespace

std::string AddTextToName(const std::string& name, const std::string& text, AddPosition position,
                          const std::string& token, bool& tokenFound) {
    tokenFound = true;
    switch (position) {
        case AddPosition::Beginning:
            return text + name;
        case AddPosition::End: {
            // Before the extension: the last four characters. A name of four
            // characters or fewer gets the text in front.
            if (Utf8Length(name) <= 4) {
                return text + name;
            }
            const std::size_t at = StartOfLastCharacters(name, 4);
            return name.substr(0, at) + text + name.substr(at);
        }
        case AddPosition::AfterToken: {
            const std::size_t at = name.find(token);
            if (at == std::string::npos) {
                tokenFound = false;
                return name;
            }
            const std::size_t after = at + token.size();
            return name.substr(0, after) + text + name.substr(after);
        }
    }
    return name;
}

MassFileNameEditorModel::MassFileNameEditorModel(Ui& ui, WorkingSet& set) : ui_(ui), set_(set) {}

void MassFileNameEditorModel::SetText(const std::string& text) {
    text_ = Utf8Left(text, kMaxCharacters);
}

void MassFileNameEditorModel::SetToken(const std::string& token) {
    if (TokenEnabled()) {
        token_ = Utf8Left(token, kMaxCharacters);
    }
}

void MassFileNameEditorModel::Choose(AddPosition position) {
    if (position == position_) {
        return;
    }
    position_ = position;
    if (position_ != AddPosition::AfterToken) {
        token_.clear();
    }
}

bool MassFileNameEditorModel::Accept() {
    for (std::size_t i = 0; i < set_.ProposalCount(); ++i) {
        if (!set_.IsSelected(i)) {
            continue;
        }
        const std::string& name = set_.Proposal(i);
        bool tokenFound = true;
        std::string rebuilt = AddTextToName(name, text_, position_, token_, tokenFound);
        if (!tokenFound) {
            continue;
        }
        if (rebuilt.size() > kMaxNameBytes) {
            ShowOk(ui_, "Error",
                   "The new name of \"" + name +
                       "\" would be longer than 255 bytes; it keeps its old name.",
                   MessageIcon::Stop);
            continue;
        }
        set_.SetProposal(i, std::move(rebuilt));
        set_.SetSelected(i, false);
    }
    accepted_ = true;
    return true;
}

}  // namespace tagnomen

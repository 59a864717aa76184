// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's Ui answering every question No at once, without showing it:
// the benchmarks and the screenshot tool use it so that a Rename runs to its
// end unattended. Tool dialogs and the progress windows still show.
#include "QtUi.h"

namespace tagnomen {

class SilentQtUi : public QtUi {
  public:
    MessageAnswer ShowMessage(const std::string&, const std::string&, MessageIcon,
                              MessageButtons buttons) override {
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
    }
    MessageAnswer AskRenameQuestion(RenameQuestion, const std::string&, const std::string&,
                                    bool& sameForRest) override {
        sameForRest = false;
        return MessageAnswer::No;
    }
    GarbageAnswer AskRenameGarbage(const std::string&, bool, bool, bool& sameForRest) override {
        sameForRest = false;
        return GarbageAnswer::No;
    }
};

}  // namespace tagnomen

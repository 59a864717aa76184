// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The answers a person gave "for the rest of this Rename": the Rename's batch
// keeps them until it ends (rename/RenameQuestions asks and remembers).
#include <optional>

#include "platform/Ui.h"

namespace tagnomen {

struct RememberedAnswers {
    std::optional<MessageAnswer> valueChoice;
    std::optional<GarbageAnswer> garbageText;
    std::optional<MessageAnswer> garbageCharacters;

    void Clear() { *this = RememberedAnswers{}; }
};

}  // namespace tagnomen

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a command did, for a front end that must tell success from failure
// without reading the boxes it showed: the CLI's exit status, a script that
// stops at its first failed command. The boxes stay the person's account of
// what happened; this is the program's.
#include <cstddef>

namespace tagnomen {

enum class CommandOutcome {
    Done,       // ran to its end, or had nothing to do
    Cancelled,  // the person answered No or pressed Cancel; nothing failed
    Refused,    // a guard or a check turned it down (its box said why)
    Failed,     // something it set out to do could not be done
};

struct CommandResult {
    CommandOutcome outcome = CommandOutcome::Done;
    std::size_t failures = 0;  // files of its batch that failed

    static CommandResult Done() { return {}; }
    static CommandResult Cancelled() { return {CommandOutcome::Cancelled, 0}; }
    static CommandResult Refused() { return {CommandOutcome::Refused, 0}; }
    static CommandResult Failed(std::size_t failures = 0) {
        return {CommandOutcome::Failed, failures};
    }
    // A batch that went through every file: failed when any file failed.
    static CommandResult Batch(std::size_t failures) {
        return failures == 0 ? Done() : Failed(failures);
    }

    bool Succeeded() const {
        return outcome == CommandOutcome::Done || outcome == CommandOutcome::Cancelled;
    }
};

}  // namespace tagnomen

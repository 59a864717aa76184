// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/RenameQuestions.h"

#include "rename/RenameBatch.h"
#include "session/RenamingContext.h"

namespace tagnomen {

namespace {

constexpr const char* kGarbageCaption = "Erase the Garbage Text";

const char* YesNoName(MessageAnswer answer) {
    return answer == MessageAnswer::Yes ? "yes" : "no";
}

// Escape on a question: No, and with music-aware names the end of the Rename.
void NoteStop(RenameBatch& batch) {
    batch.stopped = batch.options.musicAwareNames;
}

// A Yes/No question of one kind, answered from the memory when it holds an answer.
bool AskYesNoOnce(RenameBatch& batch, RenameQuestion kind, std::optional<MessageAnswer>& remembered,
                  const std::string& caption, const std::string& text) {
    Ui& ui = batch.context.ui;
    if (remembered) {
        ui.NoteAnsweredForRest("question", caption, text, YesNoName(*remembered));
        return *remembered == MessageAnswer::Yes;
    }
    bool sameForRest = false;
    const MessageAnswer answer = ui.AskRenameQuestion(kind, caption, text, sameForRest);
    if (answer == MessageAnswer::Stop) {
        NoteStop(batch);
        return false;
    }
    if (sameForRest) {
        remembered = answer;
    }
    return answer == MessageAnswer::Yes;
}

}  // namespace

bool AskValueChoice(RenameBatch& batch, const std::string& caption, const std::string& text) {
    return AskYesNoOnce(batch, RenameQuestion::ValueChoice, batch.remembered.valueChoice, caption,
                        text);
}

bool AskGarbageCharacters(RenameBatch& batch, const std::string& caption, const std::string& text) {
    return AskYesNoOnce(batch, RenameQuestion::GarbageCharacters,
                        batch.remembered.garbageCharacters, caption, text);
}

GarbageAnswer AskGarbageText(RenameBatch& batch, const std::string& question,
                             MarkAsButtons markAs) {
    Ui& ui = batch.context.ui;
    std::optional<GarbageAnswer>& remembered = batch.remembered.garbageText;
    const bool showAlbum = markAs.album;
    const bool showTrack = markAs.track;
    // A remembered "Mark as" answer whose button this question would not show
    // is no answer to it: the person is asked.
    const bool fits = remembered && (*remembered != GarbageAnswer::Album || showAlbum) &&
                      (*remembered != GarbageAnswer::Track || showTrack);
    if (fits) {
        ui.NoteAnsweredForRest("garbage", kGarbageCaption, question,
                               GarbageAnswerName(*remembered));
        return *remembered;
    }
    bool sameForRest = false;
    const GarbageAnswer answer = ui.AskRenameGarbage(question, showAlbum, showTrack, sameForRest);
    if (answer == GarbageAnswer::Stop) {
        NoteStop(batch);
        return GarbageAnswer::No;
    }
    if (sameForRest) {
        remembered = answer;
    }
    return answer;
}

}  // namespace tagnomen

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedUi.h"

namespace tagnomen {

namespace {
UiCall MakeCall(const char* kind, const std::string& caption, const std::string& text,
                const std::string& answer) {
    UiCall call;
    call.kind = kind;
    call.caption = caption;
    call.text = text;
    call.answer = answer;
    return call;
}
}  // namespace

std::vector<UiCall> ScriptedUi::CallsOfKind(const std::string& kind) const {
    std::vector<UiCall> result;
    for (const UiCall& call : calls) {
        if (call.kind == kind) {
            result.push_back(call);
        }
    }
    return result;
}

std::vector<std::string> ScriptedUi::MessageTexts() const {
    std::vector<std::string> result;
    for (const UiCall& call : calls) {
        if (call.kind == "message" || call.kind == "question") {
            result.push_back(call.text);
        }
    }
    return result;
}

MessageAnswer ScriptedUi::ShowMessage(const std::string& caption, const std::string& text,
                                      MessageIcon icon, MessageButtons buttons) {
    UiCall call =
        MakeCall(buttons == MessageButtons::YesNo ? "question" : "message", caption, text, "ok");
    call.icon = icon;
    MessageAnswer answer = MessageAnswer::Ok;
    if (buttons == MessageButtons::YesNo) {
        bool yes = false;
        if (!yesNoAnswers.empty()) {
            yes = yesNoAnswers.front();
            yesNoAnswers.pop_front();
        }
        answer = yes ? MessageAnswer::Yes : MessageAnswer::No;
        call.answer = yes ? "yes" : "no";
    }
    calls.push_back(call);
    return answer;
}

void ScriptedUi::ShowFailure(const std::string& caption, const std::string& text,
                             const std::string& reason, MessageIcon icon) {
    UiCall call = MakeCall("message", caption, text, "ok");
    call.icon = icon;
    call.reason = reason;
    calls.push_back(call);
}

std::string ScriptedUi::AskTagMismatch(const std::string& caption, const std::string& fileName,
                                       const std::string& id3v1Text, const std::string& id3v2Text) {
    int choice = 1;
    if (!mismatchAnswers.empty()) {
        choice = mismatchAnswers.front();
        mismatchAnswers.pop_front();
    }
    const std::string& chosen = choice == 2 ? id3v2Text : id3v1Text;
    UiCall call =
        MakeCall("mismatch", "Data between ID3v1 and ID3v2 Tags does not match!", caption, chosen);
    call.file = fileName;
    call.v1 = id3v1Text;
    call.v2 = id3v2Text;
    calls.push_back(call);
    return chosen;
}

GarbageAnswer ScriptedUi::AskGarbage(const std::string& question, bool showMarkAsAlbum,
                                     bool showMarkAsTrack) {
    GarbageAnswer answer = GarbageAnswer::No;
    if (!garbageAnswers.empty()) {
        answer = garbageAnswers.front();
        garbageAnswers.pop_front();
    }
    UiCall call =
        MakeCall("garbage", "Erase the Garbage Text", question, GarbageAnswerName(answer));
    call.showAlbum = showMarkAsAlbum;
    call.showTrack = showMarkAsTrack;
    calls.push_back(call);
    return answer;
}

bool ScriptedUi::NextTick() {
    if (sameForRestTicks.empty()) {
        return false;
    }
    const bool tick = sameForRestTicks.front();
    sameForRestTicks.pop_front();
    return tick;
}

MessageAnswer ScriptedUi::AskRenameQuestion(RenameQuestion, const std::string& caption,
                                            const std::string& text, bool& sameForRest) {
    const MessageAnswer answer =
        ShowMessage(caption, text, MessageIcon::Question, MessageButtons::YesNo);
    sameForRest = NextTick();
    calls.back().sameForRest = sameForRest;
    return answer;
}

GarbageAnswer ScriptedUi::AskRenameGarbage(const std::string& question, bool showMarkAsAlbum,
                                           bool showMarkAsTrack, bool& sameForRest) {
    const GarbageAnswer answer = AskGarbage(question, showMarkAsAlbum, showMarkAsTrack);
    sameForRest = NextTick();
    calls.back().sameForRest = sameForRest;
    return answer;
}

void ScriptedUi::NoteAnsweredForRest(const std::string& kind, const std::string& caption,
                                     const std::string& text, const std::string& answer) {
    UiCall call = MakeCall(kind == "garbage" ? "garbage" : "question", caption, text, answer);
    call.shown = false;
    calls.push_back(call);
}

void ScriptedUi::OpenProgressWindow(const std::string& text) {
    ++progressWindowsOpen;
    calls.push_back(MakeCall("progress", "", text, "open"));
}

void ScriptedUi::CloseProgressWindow() {
    --progressWindowsOpen;
    calls.push_back(MakeCall("progress", "", "", "close"));
}

void ScriptedUi::ShowRenameProgress(int value, int, const std::string& percentText) {
    renameProgress.emplace_back(value, percentText);
}

bool ScriptedUi::ShowAbout(const AboutInfo& info) {
    calls.push_back(MakeCall("about", info.programName, info.description, ""));
    return aboutPressesWebSite;
}

void ScriptedUi::OpenHelp(const std::string& helpFile) {
    calls.push_back(MakeCall("help", "", helpFile, ""));
}

bool ScriptedUi::RunDirectoryChooser(DirectoryChooserModel& model) {
    return dialogs.directoryChooser.Run(model);
}
bool ScriptedUi::RunNameFormat(NameFormatModel& model) {
    return dialogs.nameFormat.Run(model);
}
bool ScriptedUi::RunEditFileName(EditFileNameModel& model) {
    return dialogs.editFileName.Run(model);
}
bool ScriptedUi::RunMassFileNameEditor(MassFileNameEditorModel& model) {
    return dialogs.massFileNameEditor.Run(model);
}
bool ScriptedUi::RunFileInfoEditor(FileInfoEditorModel& model) {
    return dialogs.fileInfoEditor.Run(model);
}
bool ScriptedUi::RunFileInfoViewer(FileInfoViewerModel& model) {
    return dialogs.fileInfoViewer.Run(model);
}
bool ScriptedUi::RunFilesOrganizer(FilesOrganizerModel& model) {
    return dialogs.filesOrganizer.Run(model);
}
bool ScriptedUi::RunCleanReview(CleanReviewModel& model) {
    return dialogs.cleanReview.Run(model);
}

}  // namespace tagnomen

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A Ui that records every call and answers from queues: the tests' person.
// With a queue empty it answers as the CLI's "no" policy does: No, the
// ID3v1 text, "&No", Cancel.
#include <deque>
#include <string>
#include <vector>

#include "platform/DialogScripts.h"
#include "platform/Ui.h"

namespace tagnomen {

struct UiCall {
    std::string kind;  // "message", "question", "mismatch", "garbage", "progress", "about", "help"
    std::string caption;
    std::string text;
    std::string answer;
    std::string reason;  // failures only: the system's reason
    MessageIcon icon = MessageIcon::None;
    // mismatch only
    std::string file, v1, v2;
    // garbage only
    bool showAlbum = false, showTrack = false;
    // questions of a Rename: the "same for the rest" box was ticked; the
    // question was answered from an earlier tick without being shown
    bool sameForRest = false;
    bool shown = true;
};

class ScriptedUi : public Ui {
  public:
    std::deque<bool> yesNoAnswers;    // true = Yes
    std::deque<int> mismatchAnswers;  // 1 = ID3v1 text, 2 = ID3v2 text
    std::deque<GarbageAnswer> garbageAnswers;
    // Whether the "same for the rest" box is ticked, per question of a Rename in order.
    std::deque<bool> sameForRestTicks;
    bool aboutPressesWebSite = false;
    DialogScripts dialogs;

    std::vector<UiCall> calls;
    std::vector<std::pair<int, std::string>> renameProgress;  // value, percent text
    int progressWindowsOpen = 0;

    // The calls of one kind, in order.
    std::vector<UiCall> CallsOfKind(const std::string& kind) const;
    // Texts of every message and question box, in order.
    std::vector<std::string> MessageTexts() const;

    MessageAnswer ShowMessage(const std::string& caption, const std::string& text, MessageIcon icon,
                              MessageButtons buttons) override;
    void ShowFailure(const std::string& caption, const std::string& text, const std::string& reason,
                     MessageIcon icon) override;
    std::string AskTagMismatch(const std::string& caption, const std::string& fileName,
                               const std::string& id3v1Text, const std::string& id3v2Text) override;
    GarbageAnswer AskGarbage(const std::string& question, bool showMarkAsAlbum,
                             bool showMarkAsTrack) override;
    MessageAnswer AskRenameQuestion(RenameQuestion kind, const std::string& caption,
                                    const std::string& text, bool& sameForRest) override;
    GarbageAnswer AskRenameGarbage(const std::string& question, bool showMarkAsAlbum,
                                   bool showMarkAsTrack, bool& sameForRest) override;
    void NoteAnsweredForRest(const std::string& kind, const std::string& caption,
                             const std::string& text, const std::string& answer) override;
    void OpenProgressWindow(const std::string& text) override;
    void CloseProgressWindow() override;
    void ShowRenameProgress(int value, int maximum, const std::string& percentText) override;
    bool ShowAbout(const AboutInfo& info) override;
    void OpenHelp(const std::string& helpFile) override;

    bool RunDirectoryChooser(DirectoryChooserModel& model) override;
    bool RunNameFormat(NameFormatModel& model) override;
    bool RunEditFileName(EditFileNameModel& model) override;
    bool RunMassFileNameEditor(MassFileNameEditorModel& model) override;
    bool RunFileInfoEditor(FileInfoEditorModel& model) override;
    bool RunFileInfoViewer(FileInfoViewerModel& model) override;
    bool RunFilesOrganizer(FilesOrganizerModel& model) override;
    bool RunCleanReview(CleanReviewModel& model) override;

  private:
    bool NextTick();
};

}  // namespace tagnomen

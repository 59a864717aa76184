// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Ui of tagnomen-cli: questions are answered by the answer policy or a
// file of scripted answers, every box is logged to the transcript, messages
// go to standard error, and tool dialogs are played by queued actions.
#include <iosfwd>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "CheckedOutput.h"
#include "platform/DialogScripts.h"
#include "platform/Ui.h"

namespace tagnomen::cli {

enum class AnswerPolicy { No, Yes, Ask };

// A usage error found while running: ends the run with exit status 2.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class CliUi : public Ui {
  public:
    CliUi(std::ostream& messages, std::istream& terminal);

    void SetPolicy(AnswerPolicy policy) { policy_ = policy; }
    void SetQuiet(bool quiet) { quiet_ = quiet; }
    // False with a reason when the file cannot be read (a directory cannot)
    // or holds an unknown answer.
    bool LoadAnswers(const std::string& path, std::string& error);
    // Opens the transcript for appending; false with the system's reason.
    bool OpenTranscript(const std::string& path, std::string& error);
    // The error number of the first transcript line that could not be
    // written; 0 while every line was.
    int TranscriptError() const { return transcript_ ? transcript_->Error() : 0; }

    DialogScripts dialogs;

    MessageAnswer ShowMessage(const std::string& caption, const std::string& text, MessageIcon icon,
                              MessageButtons buttons) override;
    void ShowFailure(const std::string& caption, const std::string& text, const std::string& reason,
                     MessageIcon icon) override;
    std::string AskTagMismatch(const std::string& caption, const std::string& fileName,
                               const std::string& id3v1Text, const std::string& id3v2Text) override;
    GarbageAnswer AskGarbage(const std::string& question, bool showMarkAsAlbum,
                             bool showMarkAsTrack) override;
    // A scripted or typed answer ending in "!" ticks "the same for the rest".
    MessageAnswer AskRenameQuestion(RenameQuestion kind, const std::string& caption,
                                    const std::string& text, bool& sameForRest) override;
    GarbageAnswer AskRenameGarbage(const std::string& question, bool showMarkAsAlbum,
                                   bool showMarkAsTrack, bool& sameForRest) override;
    // Logged with "shown": false.
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
    struct ScriptedAnswer {
        std::string word;
        int line = 0;
    };
    // The next scripted answer, if any is left.
    bool NextScripted(ScriptedAnswer& answer);
    [[noreturn]] void Unfitting(const ScriptedAnswer& answer, const std::string& question);
    std::string AskTerminal(const std::string& prompt);
    // restOffered: the question has the "same for the rest" check box.
    MessageAnswer AskYesNo(const std::string& caption, const std::string& text, bool restOffered,
                           bool& sameForRest);
    GarbageAnswer AskGarbageDialog(const std::string& question, bool showMarkAsAlbum,
                                   bool showMarkAsTrack, bool restOffered, bool& sameForRest);
    // The scripted word without its "!"; a "!" where no box is offered does not fit.
    std::string TakeRestMark(const ScriptedAnswer& answer, bool restOffered,
                             const std::string& question, bool& sameForRest);
    void LogQuestion(const char* kind, const std::string& caption, const std::string& text,
                     const std::string& answer, bool sameForRest, bool shown);
    void Report(const std::string& caption, const std::string& text);
    void Log(const std::string& json);

    std::ostream& messages_;
    std::istream& terminal_;
    AnswerPolicy policy_ = AnswerPolicy::No;
    bool quiet_ = false;
    std::vector<ScriptedAnswer> scripted_;
    std::size_t nextScripted_ = 0;
    std::unique_ptr<FdOutputBuffer> transcript_;
};

}  // namespace tagnomen::cli

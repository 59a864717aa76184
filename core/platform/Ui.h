// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one way the core talks to a person. The GUI shows these calls as real
// windows, the CLI answers them by its policy, tests answer them from a script.
#include <string>

#include "platform/DialogModels.h"

namespace tagnomen {

enum class MessageIcon { Stop, Warning, Question, Information, None };
enum class MessageButtons { Ok, YesNo };
// Stop: a question of a Rename left with Escape (or its close box); the
// Rename takes it as No, or, with music-aware names, stops as Cancel does.
enum class MessageAnswer { Ok, Yes, No, Stop };
enum class GarbageAnswer { No, Yes, Album, Track, Stop };
// "no", "yes", "album", "track" or "stop", as logs and transcripts name the answer.
const char* GarbageAnswerName(GarbageAnswer answer);

// The questions of a Rename that a person may answer once for the rest of
// that Rename, each kind with its own "Answer the same for the rest" check box.
enum class RenameQuestion {
    ValueChoice,        // the smart engine's "Choose the correct File Information"
    GarbageText,        // the "Erase the Garbage Text" dialog
    GarbageCharacters,  // the "Erase the garbage text" Yes/No box
};

// What the About box shows.
struct AboutInfo {
    std::string programName;
    std::string version;
    std::string description;
    std::string webPage;
    std::string licence;
};

class Ui {
  public:
    virtual ~Ui() = default;

    // A modal message box; Ok for OK-only boxes, Yes or No for Yes/No boxes.
    virtual MessageAnswer ShowMessage(const std::string& caption, const std::string& text,
                                      MessageIcon icon, MessageButtons buttons) = 0;

    // A failure of one step of a command (a rename, a tag write, a move): the
    // box's own caption and text, plus the reason the system gave ("Permission
    // denied", "File exists"), which may be empty. A window shows the reason as
    // detail; the default shows the plain box.
    virtual void ShowFailure(const std::string& caption, const std::string& text,
                             const std::string& reason, MessageIcon icon) {
        (void)reason;
        ShowMessage(caption, text, icon, MessageButtons::Ok);
    }

    // The tag-mismatch prompt: returns the chosen text (one of the two given).
    virtual std::string AskTagMismatch(const std::string& caption, const std::string& fileName,
                                       const std::string& id3v1Text,
                                       const std::string& id3v2Text) = 0;

    // The "Erase the Garbage Text" dialog; the two flags show the "Mark as" buttons.
    virtual GarbageAnswer AskGarbage(const std::string& question, bool showMarkAsAlbum,
                                     bool showMarkAsTrack) = 0;

    // A Yes/No question of a Rename with the check box "Answer the same for
    // the rest of this Rename"; sameForRest tells whether it was ticked. The
    // default shows the plain box and never ticks it.
    virtual MessageAnswer AskRenameQuestion(RenameQuestion kind, const std::string& caption,
                                            const std::string& text, bool& sameForRest) {
        (void)kind;
        sameForRest = false;
        return ShowMessage(caption, text, MessageIcon::Question, MessageButtons::YesNo);
    }
    // The garbage dialog with the same check box.
    virtual GarbageAnswer AskRenameGarbage(const std::string& question, bool showMarkAsAlbum,
                                           bool showMarkAsTrack, bool& sameForRest) {
        sameForRest = false;
        return AskGarbage(question, showMarkAsAlbum, showMarkAsTrack);
    }
    // A question of a Rename answered without being shown, because the person
    // asked for the same answer earlier in that Rename. kind is "question" or
    // "garbage"; answer is "yes", "no", "album" or "track". Logs may record it.
    virtual void NoteAnsweredForRest(const std::string& kind, const std::string& caption,
                                     const std::string& text, const std::string& answer) {
        (void)kind, (void)caption, (void)text, (void)answer;
    }

    // The modeless progress window around a batch ("Renaming your Mp3 Files..." ...).
    virtual void OpenProgressWindow(const std::string& text) = 0;
    virtual void CloseProgressWindow() = 0;

    // The main window's progress bar and percentage label during Rename.
    virtual void ShowRenameProgress(int value, int maximum, const std::string& percentText) = 0;

    // The About box; returns true when the web site button was pressed.
    virtual bool ShowAbout(const AboutInfo& info) = 0;

    // The help: opens the manual without waiting.
    virtual void OpenHelp(const std::string& helpFile) = 0;

    // Tool dialogs. Each drives its model and returns true for OK, false for Cancel.
    virtual bool RunDirectoryChooser(DirectoryChooserModel& model) = 0;
    virtual bool RunNameFormat(NameFormatModel& model) = 0;
    virtual bool RunEditFileName(EditFileNameModel& model) = 0;
    virtual bool RunMassFileNameEditor(MassFileNameEditorModel& model) = 0;
    virtual bool RunFileInfoEditor(FileInfoEditorModel& model) = 0;
    virtual bool RunFileInfoViewer(FileInfoViewerModel& model) = 0;
    virtual bool RunFilesOrganizer(FilesOrganizerModel& model) = 0;
    // The tag cleaner's review of what it will change.
    virtual bool RunCleanReview(CleanReviewModel& model) = 0;
};

// Shorthands for the common boxes.
inline bool AskYesNo(Ui& ui, const std::string& caption, const std::string& text,
                     MessageIcon icon = MessageIcon::Warning) {
    return ui.ShowMessage(caption, text, icon, MessageButtons::YesNo) == MessageAnswer::Yes;
}
inline void ShowOk(Ui& ui, const std::string& caption, const std::string& text, MessageIcon icon) {
    ui.ShowMessage(caption, text, icon, MessageButtons::Ok);
}

}  // namespace tagnomen

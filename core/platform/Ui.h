#pragma once
// The one way the core talks to a person. The GUI shows these calls as real
// windows, the CLI answers them by its policy, tests answer them from a script.
#include <string>

namespace tagnomen {

class DirectoryChooserModel;
class NameFormatModel;
class EditFileNameModel;
class MassFileNameEditorModel;
class FileInfoEditorModel;
class FileInfoViewerModel;
class FilesOrganizerModel;

enum class MessageIcon { Stop, Warning, Question, Information, None };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };
enum class GarbageAnswer { No, Yes, Album, Track };

// What the About box shows.
struct AboutInfo {
    std::string programName;
    std::string version;
    std::string description;
    std::string webPage;
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

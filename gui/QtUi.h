#pragma once
// The Ui port shown as real windows: message boxes, the tag-mismatch prompt,
// the garbage dialog, the progress windows and the tool dialogs.
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

#include "platform/Ui.h"

namespace tagnomen {

class ProgressWindow;

class QtUi : public Ui {
  public:
    QtUi();
    ~QtUi() override;

    // The window that owns the message boxes and dialogs.
    void SetOwner(QWidget* owner) { owner_ = owner; }
    // Called for every file of a Rename (progress bar and label).
    void SetRenameProgressSink(std::function<void(int, int, const std::string&)> sink) {
        renameProgressSink_ = std::move(sink);
    }
    // Closes the help window, if one is open.
    void CloseHelp();

    MessageAnswer ShowMessage(const std::string& caption, const std::string& text, MessageIcon icon,
                              MessageButtons buttons) override;
    std::string AskTagMismatch(const std::string& caption, const std::string& fileName,
                               const std::string& id3v1Text, const std::string& id3v2Text) override;
    GarbageAnswer AskGarbage(const std::string& question, bool showMarkAsAlbum,
                             bool showMarkAsTrack) override;
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

  private:
    QPointer<QWidget> owner_;
    std::unique_ptr<ProgressWindow> progress_;
    QPointer<QWidget> helpWindow_;
    std::function<void(int, int, const std::string&)> renameProgressSink_;
};

}  // namespace tagnomen

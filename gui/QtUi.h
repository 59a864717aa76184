// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Ui port shown as real windows: message boxes, the tag-mismatch prompt,
// the garbage dialog, the progress windows and the tool dialogs.
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

#include "platform/Ui.h"

namespace tagnomen {

class ProgressWindow;
class ScreenFit;

// What the batch of the last command reported (Save, Undo, the cleaner and
// the organizer each run one batch between opening and closing their
// progress window).
struct BatchReport {
    bool ran = false;
    int failures = 0;  // failure boxes, shown or not
};

inline constexpr const char* kSameForRestText = "Answer the same for the rest of this Rename";
inline constexpr const char* kHideFailuresText = "Don't show further errors of this run";

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
    // Forgets the last batch; the next command's batch, if any, is reported.
    void ForgetBatch() { batch_ = BatchReport{}; }
    const BatchReport& LastBatch() const { return batch_; }

    // Inside a batch an OK-only box reports the failure of one file, so it
    // is shown as ShowFailure shows it.
    MessageAnswer ShowMessage(const std::string& caption, const std::string& text, MessageIcon icon,
                              MessageButtons buttons) override;
    // The box with the reason as detail; inside a batch it offers to hide the
    // failures that follow, which are then listed in one box at the batch's end.
    void ShowFailure(const std::string& caption, const std::string& text, const std::string& reason,
                     MessageIcon icon) override;
    MessageAnswer AskRenameQuestion(RenameQuestion kind, const std::string& caption,
                                    const std::string& text, bool& sameForRest) override;
    GarbageAnswer AskRenameGarbage(const std::string& question, bool showMarkAsAlbum,
                                   bool showMarkAsTrack, bool& sameForRest) override;
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
    bool RunCleanReview(CleanReviewModel& model) override;

  private:
    void ShowHiddenFailures();

    QPointer<QWidget> owner_;
    std::unique_ptr<ScreenFit> screenFit_;
    BatchReport batch_;
    bool batchOpen_ = false;
    bool hideFailures_ = false;
    QStringList hiddenFailures_;
    std::unique_ptr<ProgressWindow> progress_;
    QPointer<QWidget> helpWindow_;
    std::function<void(int, int, const std::string&)> renameProgressSink_;
};

}  // namespace tagnomen

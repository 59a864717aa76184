#include "QtUi.h"

#include <QMessageBox>
#include <QPushButton>

#include "AboutDialog.h"
#include "GarbageDialog.h"
#include "HelpWindow.h"
#include "ProgressWindow.h"
#include "TagMismatchDialog.h"
#include "ToolDialogs.h"

namespace tagnomen {

namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Stop:
            return QMessageBox::Critical;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

QtUi::QtUi() = default;
QtUi::~QtUi() = default;

MessageAnswer QtUi::ShowMessage(const std::string& caption, const std::string& text,
                                MessageIcon icon, MessageButtons buttons) {
    QMessageBox box(ToQtIcon(icon), QString::fromUtf8(caption), QString::fromUtf8(text),
                    QMessageBox::NoButton, owner_);
    if (buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return MessageAnswer::Ok;
}

std::string QtUi::AskTagMismatch(const std::string& caption, const std::string& fileName,
                                 const std::string& id3v1Text, const std::string& id3v2Text) {
    TagMismatchDialog dialog(owner_);
    return dialog.Ask(caption, fileName, id3v1Text, id3v2Text);
}

GarbageAnswer QtUi::AskGarbage(const std::string& question, bool showMarkAsAlbum,
                               bool showMarkAsTrack) {
    GarbageDialog dialog(QString::fromUtf8(question), showMarkAsAlbum, showMarkAsTrack, nullptr);
    return dialog.Ask();
}

void QtUi::OpenProgressWindow(const std::string& text) {
    progress_ = std::make_unique<ProgressWindow>(QString::fromUtf8(text), owner_);
    progress_->ShowCentred();
}

void QtUi::CloseProgressWindow() {
    progress_.reset();
}

void QtUi::ShowRenameProgress(int value, int maximum, const std::string& percentText) {
    if (renameProgressSink_)
        renameProgressSink_(value, maximum, percentText);
}

bool QtUi::ShowAbout(const AboutInfo& info) {
    AboutDialog dialog(info, owner_);
    return dialog.exec() == AboutDialog::kWebSiteResult;
}

void QtUi::OpenHelp(const std::string& helpFile) {
    helpWindow_ = OpenHelpFile(helpFile, owner_);
}

void QtUi::CloseHelp() {
    if (helpWindow_)
        helpWindow_->close();
}

bool QtUi::RunDirectoryChooser(DirectoryChooserModel& model) {
    return ExecDirectoryChooserDialog(owner_, model);
}
bool QtUi::RunNameFormat(NameFormatModel& model) {
    return ExecNameFormatDialog(owner_, model);
}
bool QtUi::RunEditFileName(EditFileNameModel& model) {
    return ExecEditFileNameDialog(owner_, model);
}
bool QtUi::RunMassFileNameEditor(MassFileNameEditorModel& model) {
    return ExecMassFileNameEditorDialog(owner_, model);
}
bool QtUi::RunFileInfoEditor(FileInfoEditorModel& model) {
    return ExecFileInfoEditorDialog(owner_, model);
}
bool QtUi::RunFileInfoViewer(FileInfoViewerModel& model) {
    return ExecFileInfoViewerDialog(owner_, model);
}
bool QtUi::RunFilesOrganizer(FilesOrganizerModel& model) {
    return ExecFilesOrganizerDialog(owner_, model);
}

}  // namespace tagnomen

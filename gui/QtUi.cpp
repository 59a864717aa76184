// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtUi.h"

#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>

#include "AboutDialog.h"
#include "GarbageDialog.h"
#include "HelpWindow.h"
#include "ProgressWindow.h"
#include "ScreenFit.h"
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

// A Yes/No box with the check box "Answer the same for the rest of this Rename".
MessageAnswer AskWithRestBox(QWidget* owner, const std::string& caption, const std::string& text,
                             MessageIcon icon, bool& sameForRest) {
    QMessageBox box(ToQtIcon(icon), QString::fromUtf8(caption), QString::fromUtf8(text),
                    QMessageBox::Yes | QMessageBox::No, owner);
    box.setDefaultButton(QMessageBox::Yes);
    // Escape and the close box reach a button of their own, not No.
    QAbstractButton* stop = box.addButton(QMessageBox::Cancel);
    stop->hide();
    box.setEscapeButton(stop);
    auto* rest = new QCheckBox(QString::fromUtf8(kSameForRestText), &box);
    box.setCheckBox(rest);
    box.exec();
    sameForRest = rest->isChecked();
    if (box.clickedButton() == stop) {
        return MessageAnswer::Stop;
    }
    return box.clickedButton() == box.button(QMessageBox::Yes) ? MessageAnswer::Yes
                                                               : MessageAnswer::No;
}

}  // namespace

QtUi::QtUi() : screenFit_(std::make_unique<ScreenFit>()) {
    // Every window shown while this Ui lives is kept on its screen.
    if (qApp != nullptr) {
        qApp->installEventFilter(screenFit_.get());
    }
}

QtUi::~QtUi() = default;

MessageAnswer QtUi::ShowMessage(const std::string& caption, const std::string& text,
                                MessageIcon icon, MessageButtons buttons) {
    if (buttons == MessageButtons::Ok && batchOpen_) {
        ShowFailure(caption, text, "", icon);
        return MessageAnswer::Ok;
    }
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

void QtUi::ShowFailure(const std::string& caption, const std::string& text,
                       const std::string& reason, MessageIcon icon) {
    const QString reasonText =
        reason.empty() ? QString() : QStringLiteral("Reason: %1").arg(QString::fromUtf8(reason));
    if (batchOpen_) {
        ++batch_.failures;
        if (hideFailures_) {
            hiddenFailures_ << (reason.empty() ? QString::fromUtf8(text)
                                               : QString::fromUtf8(text) + " (" +
                                                     QString::fromUtf8(reason) + ")");
            return;
        }
    }
    QMessageBox box(ToQtIcon(icon), QString::fromUtf8(caption), QString::fromUtf8(text),
                    QMessageBox::Ok, owner_);
    box.setInformativeText(reasonText);
    QCheckBox* hide = nullptr;
    if (batchOpen_) {
        hide = new QCheckBox(QString::fromUtf8(kHideFailuresText), &box);
        box.setCheckBox(hide);
    }
    box.exec();
    if (hide != nullptr && hide->isChecked()) {
        hideFailures_ = true;
    }
}

void QtUi::ShowHiddenFailures() {
    if (hiddenFailures_.isEmpty()) {
        return;
    }
    const qsizetype count = hiddenFailures_.size();
    QMessageBox box(
        QMessageBox::Warning, QStringLiteral("Errors not shown"),
        count == 1 ? QStringLiteral("1 further error of this run was not shown.")
                   : QStringLiteral("%1 further errors of this run were not shown.").arg(count),
        QMessageBox::Ok, owner_);
    // The first few at once, all of them under "Show Details...".
    box.setInformativeText(hiddenFailures_.mid(0, 5).join(QLatin1Char('\n')) +
                           (count > 5 ? QStringLiteral("\n...") : QString()));
    box.setDetailedText(hiddenFailures_.join(QLatin1Char('\n')));
    hiddenFailures_.clear();
    box.exec();
}

MessageAnswer QtUi::AskRenameQuestion(RenameQuestion, const std::string& caption,
                                      const std::string& text, bool& sameForRest) {
    return AskWithRestBox(owner_, caption, text, MessageIcon::Question, sameForRest);
}

GarbageAnswer QtUi::AskRenameGarbage(const std::string& question, bool showMarkAsAlbum,
                                     bool showMarkAsTrack, bool& sameForRest) {
    GarbageDialog dialog(QString::fromUtf8(question), showMarkAsAlbum, showMarkAsTrack, nullptr,
                         true);
    const GarbageAnswer answer = dialog.Ask();
    sameForRest = dialog.SameForRest();
    return answer;
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
    batch_ = BatchReport{true, 0};
    batchOpen_ = true;
    hideFailures_ = false;
    hiddenFailures_.clear();
    progress_ = std::make_unique<ProgressWindow>(QString::fromUtf8(text), owner_);
    progress_->ShowCentred();
}

void QtUi::CloseProgressWindow() {
    progress_.reset();
    batchOpen_ = false;
    ShowHiddenFailures();
}

void QtUi::ShowRenameProgress(int value, int maximum, const std::string& percentText) {
    if (renameProgressSink_) {
        renameProgressSink_(value, maximum, percentText);
    }
}

bool QtUi::ShowAbout(const AboutInfo& info) {
    AboutDialog dialog(info, owner_);
    return dialog.exec() == AboutDialog::kWebSiteResult;
}

void QtUi::OpenHelp(const std::string& helpFile) {
    helpWindow_ = OpenHelpFile(helpFile, owner_);
}

void QtUi::CloseHelp() {
    if (helpWindow_) {
        helpWindow_->close();
    }
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
bool QtUi::RunCleanReview(CleanReviewModel& model) {
    return ExecCleanReviewDialog(owner_, model);
}

}  // namespace tagnomen

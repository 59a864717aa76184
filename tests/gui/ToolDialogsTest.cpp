// SPDX-License-Identifier: GPL-3.0-or-later
// The directory chooser, the name format dialog and the two file name
// editors as windows: their widgets follow the model (texts, enabled states,
// tree, icons) and OK leaves the settings or names the model describes.
#include <sys/stat.h>
#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <cstdlib>

#include "DirectoryChooserDialog.h"
#include "EditFileNameDialog.h"
#include "MassFileNameEditorDialog.h"
#include "NameFormatDialog.h"
#include "ScriptedUi.h"
#include "TempDir.h"
#include "WorkingSetLists.h"
#include "platform/FileSystem.h"
#include "rename/NameTemplate.h"
#include "session/RenamingContext.h"
#include "session/WorkingSet.h"
#include "settings/SettingsStore.h"
#include "tools/EditFileNameModel.h"
#include "tools/MassFileNameEditorModel.h"
#include "tools/NameFormatModel.h"

using namespace tagnomen;

namespace {

QString Q(const std::string& text) {
    return QString::fromUtf8(text);
}

// Two icons show the same picture.
bool SamePicture(const QIcon& a, const QIcon& b) {
    return a.pixmap(16, 16).toImage() == b.pixmap(16, 16).toImage();
}

}  // namespace

class ToolDialogsTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void directoryChooserTreeFollowsTheSelection();
    void directoryChooserOffersTheMusicFolder();
    void directoryChooserOkChecksTheTypedPath();
    void directoryChooserMakesTheOrganizersFolders();
    void nameFormatTemplateEditFollowsTheButtons();
    void nameFormatPreviewFollowsTheFormatAndThePlaceholders();
    void nameFormatOkStoresAndEscapeDoesNot();
    void editFileNameShowsTheNameWithoutExtension();
    void massEditorTokenFieldAndOk();

  private:
    testing::TempDir* home_ = nullptr;
    testing::TempDir* settingsDir_ = nullptr;
    SettingsStore* store_ = nullptr;
    ScriptedUi* ui_ = nullptr;
    RenamingContext* context_ = nullptr;
    QByteArray oldHome_;
    QByteArray oldConfigHome_;
};

void ToolDialogsTest::init() {
    home_ = new testing::TempDir;
    settingsDir_ = new testing::TempDir;
    oldHome_ = qgetenv("HOME");
    qputenv("HOME", QByteArray::fromStdString(home_->Path()));
    oldConfigHome_ = qgetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_CONFIG_HOME");
    for (const char* folder : {"Music", "Music/Rock", "Music/Jazz", "Books", ".cache"}) {
        QCOMPARE(mkdir((*home_ / folder).c_str(), 0755), 0);
    }
    store_ = new SettingsStore(*settingsDir_ / "settings.reg");
    store_->FirstRunCheck();
    ui_ = new ScriptedUi;
    context_ = new RenamingContext(*store_, *ui_);
}

void ToolDialogsTest::cleanup() {
    delete context_;
    delete ui_;
    delete store_;
    qputenv("HOME", oldHome_);
    if (!oldConfigHome_.isEmpty()) {
        qputenv("XDG_CONFIG_HOME", oldConfigHome_);
    }
    delete settingsDir_;
    delete home_;
}

void ToolDialogsTest::directoryChooserTreeFollowsTheSelection() {
    store_->SetPathToWork(*home_ / "Books");
    DirectoryChooserModel model(*context_, ChooserMode::WorkDirectory);
    DirectoryChooserDialog dialog(model);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Directory To Work On"));
    QCOMPARE(dialog.DirectoryEdit()->text(), Q(*home_ / "Books"));
    QCOMPARE(dialog.DirectoryEdit()->maxLength(), 255);

    QTreeWidget* tree = dialog.Tree();
    QCOMPARE(tree->topLevelItemCount(), 2);
    QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("/"));
    QTreeWidgetItem* home = tree->topLevelItem(1);
    QCOMPARE(home->text(0), Q(home_->Path()));
    QVERIFY(SamePicture(home->icon(0), dialog.ImageIcon(ChooserImage::Drive)));
    // It opens at the work directory, and the edit keeps the stored text.
    QCOMPARE(tree->currentItem()->text(0), QStringLiteral("Books"));
    QVERIFY(tree->currentItem()->parent() == home && home->isExpanded());
    QCOMPARE(dialog.DirectoryEdit()->text(), Q(*home_ / "Books"));

    tree->setCurrentItem(home);
    QCOMPARE(dialog.DirectoryEdit()->text(), Q(home_->Path()));
    QCOMPARE(home->childCount(), 2);  // ".cache" is hidden
    QCOMPARE(home->child(0)->text(0), QStringLiteral("Books"));
    QTreeWidgetItem* music = home->child(1);
    QCOMPARE(music->text(0), QStringLiteral("Music"));
    QVERIFY(home->isExpanded());
    QVERIFY(SamePicture(home->icon(0), dialog.ImageIcon(ChooserImage::Drive)));
    QVERIFY(SamePicture(music->icon(0), dialog.ImageIcon(ChooserImage::Folder)));

    tree->setCurrentItem(music);
    QCOMPARE(dialog.DirectoryEdit()->text(), Q(*home_ / "Music"));
    QCOMPARE(music->childCount(), 2);
    QVERIFY(music->isExpanded());
    QVERIFY(SamePicture(music->icon(0), dialog.ImageIcon(ChooserImage::SelectedFolder)));
    QVERIFY(!SamePicture(dialog.ImageIcon(ChooserImage::Folder),
                         dialog.ImageIcon(ChooserImage::SelectedFolder)));

    // A sibling: the Music branch collapses and its picture closes again.
    tree->setCurrentItem(home->child(0));
    QCOMPARE(dialog.DirectoryEdit()->text(), Q(*home_ / "Books"));
    QVERIFY(!music->isExpanded());
    QVERIFY(home->isExpanded());
    QVERIFY(SamePicture(music->icon(0), dialog.ImageIcon(ChooserImage::Folder)));

    // Selecting the root collapses the home branch.
    tree->setCurrentItem(tree->topLevelItem(0));
    QCOMPARE(dialog.DirectoryEdit()->text(), QStringLiteral("/"));
    QVERIFY(!home->isExpanded());
    QCOMPARE(home->childCount(), 2);  // the tree only grows
}

void ToolDialogsTest::directoryChooserOffersTheMusicFolder() {
    QCOMPARE(mkdir((*home_ / ".config").c_str(), 0755), 0);
    testing::WriteFile(*home_ / ".config/user-dirs.dirs",
                       "# written by xdg-user-dirs-update\nXDG_MUSIC_DIR=\"$HOME/Music\"\n");
    store_->SetPathToWork(*home_ / "Music/Jazz");
    DirectoryChooserModel model(*context_, ChooserMode::WorkDirectory);
    DirectoryChooserDialog dialog(model);
    QTreeWidget* tree = dialog.Tree();
    QCOMPARE(tree->topLevelItemCount(), 3);
    QCOMPARE(tree->topLevelItem(2)->text(0), Q(*home_ / "Music"));
    // The Music item holds the work directory more closely than the home item.
    QCOMPARE(tree->currentItem()->text(0), QStringLiteral("Jazz"));
    QVERIFY(tree->currentItem()->parent() == tree->topLevelItem(2));
}

void ToolDialogsTest::directoryChooserOkChecksTheTypedPath() {
    context_->fullTagSupport = false;  // a missing root is not offered for creation
    DirectoryChooserModel model(*context_, ChooserMode::Root);
    DirectoryChooserDialog dialog(model);
    QCOMPARE(dialog.windowTitle(),
             QStringLiteral("Select a Root Directory To Organize Your Mp3 Files"));
    dialog.show();
    QLineEdit* edit = dialog.DirectoryEdit();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("~/Nowhere"));
    dialog.accept();
    QVERIFY(dialog.isVisible());
    QCOMPARE(ui_->MessageTexts(),
             (std::vector<std::string>{"~/Nowhere is not a valid directory!"}));

    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("~/Music/"));
    dialog.accept();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    std::string stored;
    store_->GetRootOrganizePath(stored);
    QCOMPARE(stored, *home_ / "Music/");
}

void ToolDialogsTest::directoryChooserMakesTheOrganizersFolders() {
    DirectoryChooserModel work(*context_, ChooserMode::WorkDirectory);
    QVERIFY(DirectoryChooserDialog(work).NewFolderButton() == nullptr);
    store_->SetRootOrganizePath(*home_ / "Music");
    DirectoryChooserModel model(*context_, ChooserMode::Root);
    DirectoryChooserDialog dialog(model);
    dialog.show();
    QCOMPARE(dialog.NewFolderButton()->text(), QStringLiteral("&New Folder..."));
    dialog.CreateFolder(QStringLiteral("Sorted"));
    QCOMPARE(dialog.Tree()->currentItem()->text(0), QStringLiteral("Sorted"));
    QCOMPARE(dialog.DirectoryEdit()->text(), Q(*home_ / "Music/Sorted"));
    QTest::keyClicks(dialog.DirectoryEdit(), QStringLiteral("/By Year"));
    ui_->yesNoAnswers = {true};
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(IsDirectory(*home_ / "Music/Sorted/By Year"));
}

void ToolDialogsTest::nameFormatTemplateEditFollowsTheButtons() {
    store_->SetBrackets(2);
    store_->SetTemplate("%Title");
    NameFormatModel model(*context_);
    NameFormatDialog dialog(model);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Format To Rename"));
    QVERIFY(!(dialog.windowFlags() & Qt::WindowCloseButtonHint));
    QCOMPARE(dialog.CancelButton()->text(), QStringLiteral("&Cancel"));
    QVERIFY(dialog.FreeButton()->isChecked());
    QCOMPARE(dialog.TemplateEdit()->text(), QStringLiteral("%Title"));
    QVERIFY(dialog.TemplateEdit()->isEnabled());
    QCOMPARE(dialog.TemplateEdit()->maxLength(), 255);

    dialog.FreeButton()->click();  // already chosen
    QCOMPARE(dialog.TemplateEdit()->text(), QStringLiteral("%Title"));
    dialog.PlainButton()->click();
    QCOMPARE(dialog.TemplateEdit()->text(), QString());
    QVERIFY(!dialog.TemplateEdit()->isEnabled());
    dialog.FreeButton()->click();
    QCOMPARE(dialog.TemplateEdit()->text(), QString::fromUtf8(kDefaultTemplate));
    QVERIFY(dialog.TemplateEdit()->isEnabled());
}

void ToolDialogsTest::nameFormatPreviewFollowsTheFormatAndThePlaceholders() {
    store_->SetBrackets(1);
    NameFormatModel model(*context_);
    model.SetPreviewSample({"x.mp3",
                            {.title = "angel",
                             .artist = "Massive Attack",
                             .album = "Mezzanine",
                             .year = "1998",
                             .track = "3"}});
    NameFormatDialog dialog(model);
    dialog.show();
    QCOMPARE(dialog.PreviewLabel()->text(), QStringLiteral("(Massive Attack) - Angel.mp3"));
    dialog.PlainButton()->click();
    QCOMPARE(dialog.PreviewLabel()->text(), QStringLiteral("Massive Attack - Angel.mp3"));
    dialog.FreeButton()->click();
    QCOMPARE(dialog.PreviewLabel()->text(),
             QStringLiteral("#03 - (Massive Attack) - Mezzanine - Angel (1998).mp3"));
    dialog.TemplateEdit()->selectAll();
    QTest::keyClicks(dialog.TemplateEdit(), QStringLiteral("%Year "));
    QPushButton* title = nullptr;
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == QStringLiteral("%Title")) {
            title = button;
        }
    }
    QVERIFY(title);
    title->click();
    QCOMPARE(dialog.TemplateEdit()->text(), QStringLiteral("%Year %Title"));
    QCOMPARE(dialog.PreviewLabel()->text(), QStringLiteral("1998 Angel.mp3"));
    // Cancel stores nothing.
    dialog.CancelButton()->click();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    int brackets = -1;
    store_->GetBrackets(brackets);
    QCOMPARE(brackets, 1);
}

void ToolDialogsTest::nameFormatOkStoresAndEscapeDoesNot() {
    store_->SetBrackets(1);
    {
        NameFormatModel model(*context_);
        NameFormatDialog dialog(model);
        QVERIFY(dialog.BracketsButton()->isChecked());
        QVERIFY(!dialog.TemplateEdit()->isEnabled());
        dialog.show();
        dialog.FreeButton()->click();
        dialog.TemplateEdit()->selectAll();
        QTest::keyClicks(dialog.TemplateEdit(), QStringLiteral("%Track. %Title"));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
    }
    int brackets = -1, useTemplate = -1;
    store_->GetBrackets(brackets);
    store_->GetUseTemplate(useTemplate);
    QCOMPARE(brackets, 1);
    QCOMPARE(useTemplate, 0);
    QCOMPARE(store_->GetString("Template"), std::string());

    NameFormatModel model(*context_);
    NameFormatDialog dialog(model);
    dialog.show();
    dialog.FreeButton()->click();
    dialog.TemplateEdit()->selectAll();
    QTest::keyClicks(dialog.TemplateEdit(), QStringLiteral("%Track. %Title"));
    dialog.OkButton()->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    store_->GetBrackets(brackets);
    store_->GetUseTemplate(useTemplate);
    QCOMPARE(brackets, 2);
    QCOMPARE(useTemplate, 1);
    QCOMPARE(store_->GetString("Template"), std::string("%Track. %Title"));
    QVERIFY(context_->useTemplate);
}

void ToolDialogsTest::editFileNameShowsTheNameWithoutExtension() {
    EditFileNameModel model(*ui_, "Artist - Title.mp3", "track01.mp3");
    EditFileNameDialog dialog(model);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Edit The Mp3 File Name"));
    QCOMPARE(dialog.NameEdit()->text(), QStringLiteral("Artist - Title"));
    QCOMPARE(dialog.NameEdit()->maxLength(), 255);
    dialog.show();
    dialog.GetOldNameButton()->click();
    QCOMPARE(dialog.NameEdit()->text(), QStringLiteral("track01"));
    QTest::keyClicks(dialog.NameEdit(), QStringLiteral(" (edit)"));
    dialog.OkButton()->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(model.Result(), std::string("track01 (edit).mp3"));

    // A name that is not valid UTF-8 comes back byte for byte when not edited.
    const std::string latin1 = "Caf\xE9.mp3";
    EditFileNameModel raw(*ui_, latin1, "old.mp3");
    EditFileNameDialog rawDialog(raw);
    rawDialog.show();
    rawDialog.OkButton()->click();
    QCOMPARE(raw.Result(), latin1);
}

void ToolDialogsTest::massEditorTokenFieldAndOk() {
    WorkingSet set;
    testing::SetProposals(set, {"Artist - One.mp3", "Two.mp3", "Artist - Three.mp3"});
    testing::SetSelected(set, {true, true, true});
    MassFileNameEditorModel model(*ui_, set);
    MassFileNameEditorDialog dialog(model);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Mass Mp3 Filename Editor"));
    QVERIFY(dialog.BeginningButton()->isChecked());
    QVERIFY(!dialog.TokenEdit()->isEnabled());
    QCOMPARE(dialog.TextEdit()->maxLength(), 255);
    dialog.show();

    QTest::keyClicks(dialog.TextEdit(), QStringLiteral(" Live"));
    dialog.AfterTokenButton()->click();
    QVERIFY(dialog.TokenEdit()->isEnabled());
    QTest::keyClicks(dialog.TokenEdit(), QStringLiteral("-"));
    dialog.EndButton()->click();
    QVERIFY(!dialog.TokenEdit()->isEnabled());
    QCOMPARE(dialog.TokenEdit()->text(), QString());
    dialog.AfterTokenButton()->click();
    QVERIFY(dialog.TokenEdit()->isEnabled());
    QTest::keyClicks(dialog.TokenEdit(), QStringLiteral("-"));
    QCOMPARE(dialog.TextEdit()->text(), QStringLiteral(" Live"));

    dialog.OkButton()->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(set.Proposals(), (std::vector<std::string>{"Artist - Live One.mp3", "Two.mp3",
                                                        "Artist - Live Three.mp3"}));
    QCOMPARE(testing::Selected(set), (std::vector<bool>{false, true, false}));
}

QTEST_MAIN(ToolDialogsTest)
#include "ToolDialogsTest.moc"

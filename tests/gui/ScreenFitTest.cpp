// SPDX-License-Identifier: GPL-3.0-or-later
// Every window of the program, shown on the screen the test runs on, lies
// inside the screen's available area with every button of it. CMake runs
// this test on the default screen, on 1024x600 and on 1280x900 with
// QT_SCALE_FACTOR=2.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <functional>
#include <memory>

#include "AboutDialog.h"
#include "DirectoryChooserDialog.h"
#include "EditFileNameDialog.h"
#include "FileInfoEditorDialog.h"
#include "FileInfoViewerDialog.h"
#include "FilesOrganizerDialog.h"
#include "GarbageDialog.h"
#include "HelpWindow.h"
#include "MainWindow.h"
#include "MassFileNameEditorDialog.h"
#include "NameFormatDialog.h"
#include "QtUi.h"
#include "TableRows.h"
#include "TagMismatchDialog.h"
#include "TempDir.h"
#include "WorkingSetLists.h"
#include "app/Workbench.h"
#include "tools/DirectoryChooserModel.h"
#include "tools/EditFileNameModel.h"
#include "tools/FileInfoEditorModel.h"
#include "tools/FileInfoViewerModel.h"
#include "tools/FilesOrganizerModel.h"
#include "tools/MassFileNameEditorModel.h"
#include "tools/NameFormatModel.h"

using namespace tagnomen;

class ScreenFitTest : public QObject {
    Q_OBJECT

  private:
    // Shows the window, then checks its frame and each visible button.
    void CheckFits(QWidget& window, const char* name) {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect area = window.screen()->availableGeometry();
        QVERIFY2(area.contains(window.frameGeometry()),
                 qPrintable(QStringLiteral("%1 at %2,%3 %4x%5 leaves the screen %6x%7")
                                .arg(name)
                                .arg(window.frameGeometry().x())
                                .arg(window.frameGeometry().y())
                                .arg(window.frameGeometry().width())
                                .arg(window.frameGeometry().height())
                                .arg(area.width())
                                .arg(area.height())));
        for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
            if (!button->isVisible()) {
                continue;
            }
            const QRect onScreen(button->mapToGlobal(QPoint(0, 0)), button->size());
            QVERIFY2(
                area.contains(onScreen),
                qPrintable(
                    QStringLiteral("%1: button %2 is off the screen").arg(name, button->text())));
        }
        window.hide();
    }

  private slots:
    void everyWindowFitsTheScreen() {
        testing::TempDir settingsDir, music;
        for (int i = 0; i < 40; ++i) {
            music.Write(
                "a rather long file name for the list, number " + std::to_string(i) + ".mp3", "x");
        }
        SettingsStore store(settingsDir / "s.reg");
        store.FirstRunCheck();
        store.SetPathToWork(music.Path());
        QtUi ui;
        Workbench workbench(store, ui);
        workbench.Start();
        RenamingContext& context = workbench.Context();

        MainWindow main(workbench, ui);
        main.resize(2000, 1600);  // as if kept from a larger screen
        CheckFits(main, "main window");
        ui.SetOwner(&main);

        DirectoryChooserModel chooser(context, ChooserMode::WorkDirectory);
        DirectoryChooserDialog chooserDialog(chooser, &main);
        CheckFits(chooserDialog, "directory chooser");
        NameFormatModel format(context);
        format.Choose(NameFormatChoice::Free);
        NameFormatDialog formatDialog(format, &main);
        CheckFits(formatDialog, "name format");
        EditFileNameModel edit(ui, "Artist - Title.mp3", "old.mp3");
        EditFileNameDialog editDialog(edit, &main);
        CheckFits(editDialog, "file name editor");
        WorkingSet set;
        testing::SetProposals(set, {"One.mp3", "Two.mp3"});
        testing::SetSelected(set, {true, true});
        MassFileNameEditorModel mass(ui, set);
        MassFileNameEditorDialog massDialog(mass, &main);
        CheckFits(massDialog, "mass file name editor");
        const SongValues values{"Angel", "Massive Attack", "Mezzanine", "1998", "1", "17", "x"};
        for (EditorMode mode : {EditorMode::Tag, EditorMode::Table}) {
            FileInfoEditorModel editor(ui, mode, "Uses ID3 TAGv1 and TAGv2", "Angel.mp3", values);
            FileInfoEditorDialog editorDialog(editor, &main);
            CheckFits(editorDialog, "file information editor");
        }
        FileInfoTable table;
        for (int i = 0; i < 30; ++i) {
            table.AppendRow(testing::RowOf(
                {"Angel.mp3", "Angel", "Massive Attack", "Mezzanine", "1998", "1", "1"}));
        }
        FileInfoViewerModel viewer(ui, table);
        FileInfoViewerDialog viewerDialog(viewer, &main);
        CheckFits(viewerDialog, "file information viewer");
        FilesOrganizerModel organizer(context);
        FilesOrganizerDialog organizerDialog(organizer, &main);
        CheckFits(organizerDialog, "files organizer");
        GarbageDialog garbage("Do you want to erase: (Www Site)\nFrom: x.mp3", true, true, nullptr,
                              true);
        CheckFits(garbage, "garbage dialog");
        TagMismatchDialog mismatch(&main);
        mismatch.Fill("Title - Song Name", "a.mp3", "Hello", "Hello World");
        CheckFits(mismatch, "tag-mismatch prompt");
        AboutDialog about({"Tagnomen", "3.1.1", "Names MP3 files.", "https://tagnomen.org/"},
                          &main);
        CheckFits(about, "About box");
        HelpWindow help(&main);
        CheckFits(help, "help window");
    }
};

QTEST_MAIN(ScreenFitTest)
#include "ScreenFitTest.moc"

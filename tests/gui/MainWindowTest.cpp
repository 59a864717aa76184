#include <QAction>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStringListModel>
#include <QTest>

#include "MainWindow.h"
#include "QtUi.h"
#include "TempDir.h"
#include "app/Workbench.h"

using namespace tagnomen;

namespace {

// Answers message boxes without showing them, so that commands run to their end.
class RecordingQtUi : public QtUi {
  public:
    MessageAnswer ShowMessage(const std::string& caption, const std::string& text, MessageIcon,
                              MessageButtons buttons) override {
        captions.push_back(caption);
        if (window)
            renamedRowsAtLastMessage = window->RenamedList()->model()->rowCount();
        texts.push_back(text);
        if (buttons == MessageButtons::Ok)
            return MessageAnswer::Ok;
        return answerYes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    std::vector<std::string> captions, texts;
    bool answerYes = false;
    MainWindow* window = nullptr;
    int renamedRowsAtLastMessage = -1;
    std::vector<QString> labelsSeen;
};

QStringList MenuTexts(QMenu* menu) {
    QStringList texts;
    for (QAction* action : menu->actions()) {
        texts << (action->isSeparator() ? QStringLiteral("---") : action->text());
    }
    return texts;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private:
    struct Fixture {
        testing::TempDir settingsDir;
        testing::TempDir music;
        std::unique_ptr<SettingsStore> store;
        RecordingQtUi ui;
        std::unique_ptr<Workbench> workbench;
        std::unique_ptr<MainWindow> window;

        explicit Fixture(int files) {
            for (int i = 0; i < files; ++i)
                music.Write("song " + std::to_string(i) + ".mp3", "x");
            store = std::make_unique<SettingsStore>(settingsDir / "s.reg");
            store->FirstRunCheck();
            store->SetPathToWork(music.Path());
            workbench = std::make_unique<Workbench>(*store, ui);
            workbench->Start();
            window = std::make_unique<MainWindow>(*workbench, ui);
            ui.window = window.get();
        }
    };

  private slots:
    void menusHoldEveryItemInOrder() {
        Fixture f(0);
        QMenuBar* bar = f.window->Menus();
        QStringList titles;
        for (QAction* action : bar->actions())
            titles << action->text();
        QCOMPARE(titles, (QStringList{"&File", "Renaming &Method", "&Tools", "&Options", "&Help"}));
        const QList<QAction*> menus = bar->actions();
        QCOMPARE(MenuTexts(menus[0]->menu()),
                 (QStringList{"&Directory To Work On...", "&Format To Rename...", "&Undo", "---",
                              "&Exit"}));
        QCOMPARE(MenuTexts(menus[1]->menu()),
                 (QStringList{"Renamer &Smart Engine (RSE)", "ID3 &TAG Method",
                              "&Mass Renaming Method"}));
        QCOMPARE(MenuTexts(menus[2]->menu()),
                 (QStringList{"ID3 TAG's  &Cleaner", "ID3 TAG's &Editor...", "---",
                              "Mass Mp3 &Filename Editor...", "Files &Organizer...",
                              "File Info &Viewer..."}));
        QCOMPARE(MenuTexts(menus[3]->menu()),
                 (QStringList{"&Enable File Info Loader", "Replace &Blank Spaces With Underscores",
                              "&Full ID3 Support"}));
        QCOMPARE(MenuTexts(menus[4]->menu()),
                 (QStringList{"&Contents", "---", "&About Tagnomen", "Renamer's &Web Site"}));
        QCOMPARE(f.window->windowTitle(), QString::fromUtf8("Velk\xC2\xB4s Tagnomen 3.1.1"));
    }

    void checkMarksAndGreyedItemsFollowTheOptions() {
        Fixture f(0);
        QAction* smart = f.window->FindAction("Renamer &Smart Engine (RSE)");
        QAction* id3 = f.window->FindAction("ID3 &TAG Method");
        QAction* loader = f.window->FindAction("&Enable File Info Loader");
        QAction* cleaner = f.window->FindAction("ID3 TAG's  &Cleaner");
        QAction* viewer = f.window->FindAction("File Info &Viewer...");
        QAction* organizer = f.window->FindAction("Files &Organizer...");
        QAction* underscore = f.window->FindAction("Replace &Blank Spaces With Underscores");
        QVERIFY(smart->isChecked());
        QVERIFY(!id3->isChecked());
        QVERIFY(!loader->isChecked());
        QVERIFY(!cleaner->isEnabled() && !viewer->isEnabled() && !organizer->isEnabled());

        id3->trigger();
        QVERIFY(id3->isChecked());
        QVERIFY(!smart->isChecked());
        loader->trigger();
        QVERIFY(loader->isChecked());
        QVERIFY(cleaner->isEnabled() && viewer->isEnabled() && organizer->isEnabled());
        underscore->trigger();
        QVERIFY(underscore->isChecked());

        int method = -1, loaderValue = -1;
        f.store->GetRenamingMethod(method);
        f.store->GetFileInfoLoader(loaderValue);
        QCOMPARE(method, 0);
        QCOMPARE(loaderValue, 1);
    }

    void renameFillsTheSecondListAndTheLabel() {
        Fixture f(3);
        QCOMPARE(f.window->OldList()->model()->rowCount(), 3);
        QCOMPARE(f.window->PercentLabel()->text(), QStringLiteral("0%"));
        QTest::mouseClick(f.window->RenameButton(), Qt::LeftButton);
        QCOMPARE(f.window->RenamedList()->model()->rowCount(), 3);
        QCOMPARE(f.window->PercentLabel()->text(), QStringLiteral("100%"));
        QCOMPARE(f.window->ProgressBar()->value(), 3);
        QCOMPARE(f.window->ProgressBar()->maximum(), 3);
        QCOMPARE(f.ui.captions.back(), std::string("Rename of mp3 files completed"));
        // The list was filled before the completion message came up.
        QCOMPARE(f.ui.renamedRowsAtLastMessage, 3);
    }

    void saveEmptiesBothListsAndResetsTheProgress() {
        Fixture f(3);
        QTest::mouseClick(f.window->RenameButton(), Qt::LeftButton);
        QCOMPARE(f.window->PercentLabel()->text(), QStringLiteral("100%"));
        QTest::mouseClick(f.window->SaveButton(), Qt::LeftButton);
        QCOMPARE(f.window->OldList()->model()->rowCount(), 0);
        QCOMPARE(f.window->RenamedList()->model()->rowCount(), 0);
        QCOMPARE(f.window->PercentLabel()->text(), QStringLiteral("0%"));
        QCOMPARE(f.window->ProgressBar()->value(), 0);
        QVERIFY(f.music.Exists("Undo.inf"));
    }

    void selectingAnOldEntrySelectsTheSameProposedEntry() {
        Fixture f(5);
        QTest::mouseClick(f.window->RenameButton(), Qt::LeftButton);
        QListView* old = f.window->OldList();
        old->selectionModel()->select(old->model()->index(3, 0),
                                      QItemSelectionModel::ClearAndSelect);
        QModelIndexList selected = f.window->RenamedList()->selectionModel()->selectedRows();
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected.front().row(), 3);
        // Selecting in the proposed list clears the old list's selection.
        QListView* renamed = f.window->RenamedList();
        renamed->selectionModel()->select(renamed->model()->index(1, 0),
                                          QItemSelectionModel::ClearAndSelect);
        QVERIFY(old->selectionModel()->selectedRows().isEmpty());
    }

    void exitAsksOnlyWithUnsavedNamesAndEscapeNeverAsks() {
        Fixture f(2);
        f.window->show();
        QTest::mouseClick(f.window->RenameButton(), Qt::LeftButton);
        f.ui.captions.clear();
        f.ui.answerYes = false;
        QTest::mouseClick(f.window->ExitButton(), Qt::LeftButton);
        QCOMPARE(f.ui.captions.size(), std::size_t{1});
        QVERIFY(f.window->isVisible());
        QTest::keyClick(f.window.get(), Qt::Key_Escape);
        QVERIFY(!f.window->isVisible());
        QCOMPARE(f.ui.captions.size(), std::size_t{1});
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStringListModel>
#include <QTest>
#include <functional>

#include "MainWindow.h"
#include "NameListModel.h"
#include "QtUi.h"
#include "TempDir.h"
#include "WorkingSetLists.h"
#include "app/Workbench.h"

using namespace tagnomen;

namespace {

// Answers message boxes without showing them, so that commands run to their end.
class RecordingQtUi : public QtUi {
  public:
    MessageAnswer ShowMessage(const std::string& caption, const std::string& text, MessageIcon,
                              MessageButtons buttons) override {
        captions.push_back(caption);
        if (window) {
            renamedRowsAtLastMessage = window->RenamedList()->model()->rowCount();
        }
        texts.push_back(text);
        if (buttons == MessageButtons::Ok) {
            return MessageAnswer::Ok;
        }
        return answerYes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    MessageAnswer AskRenameQuestion(RenameQuestion, const std::string& caption,
                                    const std::string& text, bool& sameForRest) override {
        sameForRest = false;
        if (onRenameQuestion) {
            onRenameQuestion();
        }
        return ShowMessage(caption, text, MessageIcon::Question, MessageButtons::YesNo);
    }
    GarbageAnswer AskRenameGarbage(const std::string&, bool, bool, bool& sameForRest) override {
        sameForRest = false;
        return GarbageAnswer::No;
    }
    bool RunFileInfoEditor(FileInfoEditorModel&) override {
        opened.push_back("tag editor");
        return false;
    }
    bool RunEditFileName(EditFileNameModel&) override {
        opened.push_back("name editor");
        return false;
    }
    std::vector<std::string> captions, texts, opened;
    std::function<void()> onRenameQuestion;
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

        explicit Fixture(int files, std::vector<std::string> names = {}) {
            for (int i = 0; i < files; ++i) {
                names.push_back("song " + std::to_string(i) + ".mp3");
            }
            for (const std::string& name : names) {
                music.Write(name, "x");
            }
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
        for (QAction* action : bar->actions()) {
            titles << action->text();
        }
        QCOMPARE(titles, (QStringList{"&File", "Renaming &Method", "&Tools", "&Options", "&Help"}));
        const QList<QAction*> menus = bar->actions();
        QCOMPARE(MenuTexts(menus[0]->menu()),
                 (QStringList{"&Directory To Work On...", "&Format To Rename...", "&Rename",
                              "&Save", "&Undo", "---", "&Exit"}));
        const std::pair<const char*, const char*> shortcuts[] = {
            {"&Directory To Work On...", "Ctrl+O"},
            {"&Rename", "Ctrl+R"},
            {"&Save", "Ctrl+S"},
            {"&Undo", "Ctrl+Z"},
            {"&Exit", "Ctrl+Q"},
            {"&Contents", "F1"}};
        for (const auto& [text, keys] : shortcuts) {
            QCOMPARE(f.window->FindAction(text)->shortcut(), QKeySequence(keys));
        }
        QCOMPARE(MenuTexts(menus[1]->menu()),
                 (QStringList{"Renamer &Smart Engine (RSE)", "ID3 &TAG Method",
                              "&Mass Renaming Method"}));
        QCOMPARE(MenuTexts(menus[2]->menu()),
                 (QStringList{"ID3 TAG's  &Cleaner", "ID3 TAG's &Editor...", "---",
                              "Mass Mp3 &Filename Editor...", "Files &Organizer...",
                              "File Info &Viewer..."}));
        QCOMPARE(MenuTexts(menus[3]->menu()),
                 (QStringList{"&Enable File Info Loader", "Replace &Blank Spaces With Underscores",
                              "&Full ID3 Support", "&Music-Aware Names"}));
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
        for (QAction* greyed : {cleaner, viewer, organizer}) {
            QVERIFY(greyed->toolTip().contains("Enable File Info Loader"));
            QCOMPARE(greyed->statusTip(), greyed->toolTip());
        }
        QVERIFY(smart->actionGroup() && smart->actionGroup() == id3->actionGroup());
        QVERIFY(smart->actionGroup()->isExclusive());

        id3->trigger();
        QVERIFY(id3->isChecked());
        QVERIFY(!smart->isChecked());
        loader->trigger();
        QVERIFY(loader->isChecked());
        QVERIFY(cleaner->isEnabled() && viewer->isEnabled() && organizer->isEnabled());
        QVERIFY(!cleaner->toolTip().contains("Enable File Info Loader"));
        underscore->trigger();
        QVERIFY(underscore->isChecked());

        RenamingMethod method{-1};
        int loaderValue = -1;
        f.store->GetRenamingMethod(method);
        f.store->GetFileInfoLoader(loaderValue);
        QCOMPARE(method, RenamingMethod::Id3Tag);
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

    void exitEscapeAndTheCloseBoxAskOnlyWithUnsavedNames() {
        using Close = std::function<void(MainWindow&)>;
        const std::pair<const char*, Close> ways[] = {
            {"Exit", [](MainWindow& w) { QTest::mouseClick(w.ExitButton(), Qt::LeftButton); }},
            {"Escape", [](MainWindow& w) { QTest::keyClick(&w, Qt::Key_Escape); }},
            {"close box", [](MainWindow& w) { w.close(); }},
        };
        for (const auto& [way, close] : ways) {
            Fixture f(2);
            f.window->show();
            QTest::mouseClick(f.window->RenameButton(), Qt::LeftButton);
            f.ui.captions.clear();
            f.ui.answerYes = false;
            close(*f.window);
            QCOMPARE(f.ui.captions, std::vector<std::string>{"Warning"});
            QVERIFY2(f.window->isVisible(), way);
            f.ui.answerYes = true;
            close(*f.window);
            QVERIFY2(!f.window->isVisible(), way);
        }
        // Nothing unsaved: no question.
        Fixture f(2);
        f.window->show();
        QTest::keyClick(f.window.get(), Qt::Key_Escape);
        QVERIFY(!f.window->isVisible());
        QVERIFY(f.ui.captions.empty());
    }

    void enterOnAListOpensItsEditorAndNeverClosesTheWindow() {
        Fixture f(2);
        f.window->show();
        QTest::mouseClick(f.window->RenameButton(), Qt::LeftButton);
        const std::pair<QListView*, const char*> lists[] = {
            {f.window->OldList(), "tag editor"}, {f.window->RenamedList(), "name editor"}};
        for (const auto& [list, editor] : lists) {
            f.ui.opened.clear();
            list->setFocus();
            list->setCurrentIndex(list->model()->index(1, 0));
            QTest::keyClick(list, Qt::Key_Return);
            QCOMPARE(f.ui.opened, std::vector<std::string>{editor});
            QVERIFY(f.window->isVisible());
        }
        QVERIFY(f.ui.answerYes == false && f.window->result() == 0);
    }

    void clashingProposalsAreMarkedAndCounted() {
        // "x - same" and "X - same" both become "(X) - Same.mp3"; the third stays apart.
        Fixture f(0, {"x - same.mp3", "X - same.mp3", "y - other.mp3"});
        QTest::mouseClick(f.window->RenameButton(), Qt::LeftButton);
        NameListModel* renamed = f.window->RenamedModel();
        QAbstractItemModel* old = f.window->OldList()->model();
        std::vector<int> marked;
        for (int row = 0; row < renamed->rowCount(); ++row) {
            if (renamed->IsMarked(row)) {
                marked.push_back(row);
            }
        }
        QCOMPARE(marked.size(), std::size_t{2});
        for (int row : marked) {
            const int other = marked[0] == row ? marked[1] : marked[0];
            const QString tooltip = renamed->data(renamed->index(row), Qt::ToolTipRole).toString();
            QVERIFY2(tooltip.contains(old->index(other, 0).data().toString()), qPrintable(tooltip));
        }
        QVERIFY(!f.window->ClashLabel()->isHidden());
        QCOMPARE(f.window->ClashLabel()->text(), QStringLiteral("2 proposed names clash"));
        // Editing one of them away removes the marks.
        f.workbench->Set().SetProposal(static_cast<std::size_t>(marked[0]), "Else.mp3");
        f.window->Refresh();
        QVERIFY(!renamed->IsMarked(marked[1]));
        QVERIFY(f.window->ClashLabel()->isHidden());
    }

    void namesHeldInSaveOrderOrByAFolderAreMarked() {
        Fixture f(0, {"a.mp3", "b.mp3"});
        QDir(QString::fromStdString(f.music.Path())).mkdir(QStringLiteral("Taken.mp3"));
        // a.mp3 cannot become b.mp3 while b.mp3 is still there; a folder has Taken.mp3.
        testing::SetProposals(f.workbench->Set(), {"b.mp3", "Taken.mp3"});
        f.window->Refresh();
        NameListModel* renamed = f.window->RenamedModel();
        const auto tooltip = [&](int row) {
            return renamed->data(renamed->index(row), Qt::ToolTipRole).toString();
        };
        QVERIFY(renamed->IsMarked(0) && renamed->IsMarked(1));
        QVERIFY2(tooltip(0).contains(QStringLiteral("b.mp3 still has this name")),
                 qPrintable(tooltip(0)));
        QVERIFY2(tooltip(1).contains(QStringLiteral("folder")), qPrintable(tooltip(1)));
        QCOMPARE(f.window->ClashLabel()->text(), QStringLiteral("2 proposed names clash"));
    }

    void escapeDuringRenameStopsItAndKeepsTheProposalsSoFar() {
        // Each "song N" raises the garbage characters question (the digit).
        Fixture f(4);
        f.window->show();
        bool cancelEnabled = false;
        f.ui.onRenameQuestion = [&] {
            cancelEnabled = f.window->CancelButton()->isEnabled();
            QTest::keyClick(f.window.get(), Qt::Key_Escape);
        };
        QTest::mouseClick(f.window->RenameButton(), Qt::LeftButton);
        QVERIFY(cancelEnabled);
        QVERIFY(!f.window->CancelButton()->isEnabled());
        QVERIFY(f.window->isVisible());
        const WorkingSet& set = f.workbench->Set();
        QCOMPARE(set.ProposalCount(), set.Size());
        QCOMPARE(set.Proposal(1), set.OldName(1));  // not reached: keeps its name
        QVERIFY(f.window->StatusLabel()->text().contains("cancelled"));
        QVERIFY(f.window->RenameButton()->isEnabled());
    }

    void saveSaysWhatItDidAndOffersToListAgain() {
        Fixture f(3);
        f.window->show();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        QTest::keyClick(f.window.get(), Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(f.window->RenamedList()->model()->rowCount(), 3);
        QTest::keyClick(f.window.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(f.window->StatusLabel()->text(), QStringLiteral("3 files renamed"));
        QVERIFY(!f.window->ListAgainButton()->isHidden());
        QTest::mouseClick(f.window->ListAgainButton(), Qt::LeftButton);
        QCOMPARE(f.window->OldList()->model()->rowCount(), 3);
        QVERIFY(f.window->ListAgainButton()->isHidden());
        QVERIFY(f.window->WorkDirectoryLabel()->toolTip() ==
                QString::fromStdString(f.music.Path()));
    }

    void theWindowKeepsItsSizeForTheNextStart() {
        Fixture f(0);
        f.window->resize(600, 450);
        f.window->show();
        f.window->accept();
        MainWindow again(*f.workbench, f.ui);
        QCOMPARE(again.size(), QSize(600, 450));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"

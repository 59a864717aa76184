// SPDX-License-Identifier: GPL-3.0-or-later
// The tag cleaner's review as a window, over a table made partly from file
// names: one row per file that changes, "old → new" cells, guesses in
// italics with their own boxes (off where they would replace a tag's value),
// and what OK and Cancel leave for the cleaner to write.
// The tag records come before Qt, whose "slots" would clash with a member.
#include "../core/TagsTestBytes.h"
#include "tags/Id3v2Record.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "CleanReviewDialog.h"
#include "ScriptedUi.h"
#include "TableRows.h"
#include "TempDir.h"
#include "session/RenamingContext.h"
#include "settings/SettingsStore.h"
#include "tools/CleanReviewModel.h"
#include "tools/TagCleaner.h"

using namespace tagnomen;
using namespace tagnomen::testing::tags;

class CleanReviewDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void rowsOfATableWithGuesses();
};

void CleanReviewDialogTest::rowsOfATableWithGuesses() {
    testing::TempDir dir;
    const Bytes tagged = Tag(3, TextFrame(3, "TIT2", "Billie Jean") + TextFrame(3, "TYER", "1982"));
    dir.Write("guessed.mp3", tagged + Audio(300));
    dir.Write("untagged.mp3", Audio(300));
    dir.Write("same.mp3", tagged + Audio(300));
    SettingsStore store(dir / ".settings.reg");
    store.FirstRunCheck();
    store.SetPathToWork(dir.Path());
    ScriptedUi ui;
    RenamingContext context(store, ui);
    const struct {
        testing::RowTexts row;
        ValueSource source;
    } rows[] = {
        {{"guessed.mp3", "Billie Jean", "Michael Jackson", "", "2000", "0", "255"},
         ValueSource::FileName},
        {{"untagged.mp3", "Intro", "", "", "", "1", "255"}, ValueSource::FileName},
        {{"same.mp3", "Billie Jean", "", "", "1982", "0", "255"}, ValueSource::Tag},
    };
    for (const auto& r : rows) {
        TableRow row = testing::RowOf(r.row);
        row.sources.of.fill(r.source);
        context.table.AppendRow(row);
    }
    ui.dialogs.cleanReview.Push([](CleanReviewModel& model) {
        CleanReviewDialog dialog(model);
        QTableWidget* grid = dialog.Grid();
        [&] {
            QCOMPARE(grid->rowCount(), 2);
            QCOMPARE(grid->horizontalHeaderItem(5)->text(), QStringLiteral("Track"));
            QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("guessed.mp3"));
            QCOMPARE(grid->item(0, 2)->text(), QStringLiteral("(none) → Michael Jackson"));
            QCOMPARE(grid->item(0, 4)->text(), QStringLiteral("1982 → 2000"));
            QCOMPARE(grid->item(0, 1)->text(), QString());
            QCOMPARE(grid->item(1, 5)->text(), QStringLiteral("(none) → 1"));
            QVERIFY(grid->item(0, 4)->font().italic());
            // Rows on; a guess that fills a field on, one that replaces the tag's year off.
            QCOMPARE(grid->item(0, 0)->checkState(), Qt::Checked);
            QCOMPARE(grid->item(0, 2)->checkState(), Qt::Checked);
            QCOMPARE(grid->item(0, 4)->checkState(), Qt::Unchecked);
            QCOMPARE(dialog.Summary()->text(),
                     QStringLiteral("2 files change; 1 guess would replace a value of the tags "
                                    "and is written only when ticked; 1 file already holds the "
                                    "table's values."));
            // A box clicked reaches the model; one file off, the year left unticked.
            grid->item(0, 4)->setCheckState(Qt::Checked);
            QVERIFY(model.GuessChecked(0, SongField::Year));
            grid->item(0, 4)->setCheckState(Qt::Unchecked);
            grid->item(1, 0)->setCheckState(Qt::Unchecked);
            QCOMPARE(model.ChangesToWrite(1).size(), 0u);
            QCOMPARE(model.ChangesToWrite(0).size(), 1u);
        }();
        dialog.OkButton()->click();
        return model.Accepted();
    });
    QCOMPARE(CleanTags(context, {}).failures, 0u);
    Id3v2Record v2(TagSupport::Full);
    v2.ReadTag(dir / "guessed.mp3");
    QCOMPARE(v2.artist + " " + v2.year, std::string("Michael Jackson 1982"));
    QCOMPARE(dir.Read("untagged.mp3"), Audio(300));
    QCOMPARE(dir.Read("same.mp3"), tagged + Audio(300));
}

QTEST_MAIN(CleanReviewDialogTest)
#include "CleanReviewDialogTest.moc"

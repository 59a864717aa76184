// SPDX-License-Identifier: GPL-3.0-or-later
// The boxes QtUi shows during a Rename and a batch: the check box "Answer the
// same for the rest of this Rename" on the question box and the garbage
// dialog, and the failure box with its reason, the check box that hides the
// following failures and the one box that lists them at the batch's end.
#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "GarbageDialog.h"
#include "QtUi.h"
#include "WhenModalOpens.h"

using namespace tagnomen;
using testing::WhenModalOpens;

namespace {

// Ticks the box's check box when asked, then presses the button.
void Answer(QMessageBox::StandardButton button, bool tick) {
    WhenModalOpens([button, tick](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        if (tick) {
            QVERIFY(box->checkBox());
            box->checkBox()->setChecked(true);
        }
        box->button(button)->click();
    });
}

}  // namespace

class QuestionsAndFailuresTest : public QObject {
    Q_OBJECT

  private slots:
    void renameQuestionsOfferTheCheckBox() {
        QtUi ui;
        for (bool tick : {false, true}) {
            QString boxText;
            WhenModalOpens([&](QWidget* modal) {
                auto* box = qobject_cast<QMessageBox*>(modal);
                boxText = box->checkBox()->text();
                box->checkBox()->setChecked(tick);
                box->button(QMessageBox::No)->click();
            });
            bool sameForRest = !tick;
            const MessageAnswer answer = ui.AskRenameQuestion(
                RenameQuestion::ValueChoice, "Choose the correct File Information",
                "Do you want to use 2000 instead of 1999 as Year", sameForRest);
            QCOMPARE(answer, MessageAnswer::No);
            QCOMPARE(sameForRest, tick);
            QCOMPARE(boxText, QStringLiteral("Answer the same for the rest of this Rename"));
        }
    }

    void garbageDialogOffersTheCheckBoxOnlyInARename() {
        GarbageDialog plain("Do you want to erase: x\nFrom: x.mp3", false, false);
        QVERIFY(plain.SameForRestBox() == nullptr);
        GarbageDialog dialog("Do you want to erase: x\nFrom: x.mp3", false, false, nullptr, true);
        QTimer::singleShot(0, &dialog, [&] {
            dialog.SameForRestBox()->setChecked(true);
            dialog.YesButton()->click();
        });
        QCOMPARE(dialog.Ask(), GarbageAnswer::Yes);
        QVERIFY(dialog.SameForRest());
    }

    void failureBoxShowsTheReasonAndHidesTheRestOfTheBatch() {
        QtUi ui;
        // Outside a batch: the reason, no check box.
        QString informative;
        bool hadCheckBox = true;
        WhenModalOpens([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            informative = box->informativeText();
            hadCheckBox = box->checkBox() != nullptr;
            box->button(QMessageBox::Ok)->click();
        });
        ui.ShowFailure("Error", "Unable to rename a.mp3 file", "Permission denied",
                       MessageIcon::Warning);
        QCOMPARE(informative, QStringLiteral("Reason: Permission denied"));
        QVERIFY(!hadCheckBox);

        // A batch of four failures: the first is shown and hides the others,
        // which one box lists at the end; plain OK boxes count as failures.
        ui.OpenProgressWindow("Renaming your Mp3 Files...");
        Answer(QMessageBox::Ok, true);
        ui.ShowFailure("Error", "Unable to rename a.mp3 file", "Permission denied",
                       MessageIcon::Warning);
        ui.ShowFailure("Error", "Unable to rename b.mp3 file", "File exists", MessageIcon::Warning);
        ui.ShowMessage("Error", "Unable to rename c.mp3 file", MessageIcon::Warning,
                       MessageButtons::Ok);
        QString listText, listDetails;
        WhenModalOpens([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            listText = box->text();
            listDetails = box->detailedText();
            box->button(QMessageBox::Ok)->click();
        });
        ui.CloseProgressWindow();
        QCOMPARE(listText, QStringLiteral("2 further errors of this run were not shown."));
        QCOMPARE(listDetails, QStringLiteral("Unable to rename b.mp3 file (File exists)\n"
                                             "Unable to rename c.mp3 file"));
        QCOMPARE(ui.LastBatch().failures, 3);

        // The next batch shows its failures again.
        ui.OpenProgressWindow("Renaming your Mp3 Files...");
        Answer(QMessageBox::Ok, false);
        ui.ShowFailure("Error", "Unable to rename d.mp3 file", "", MessageIcon::Warning);
        ui.CloseProgressWindow();
        QCOMPARE(ui.LastBatch().failures, 1);
    }
};

QTEST_MAIN(QuestionsAndFailuresTest)
#include "QuestionsAndFailuresTest.moc"

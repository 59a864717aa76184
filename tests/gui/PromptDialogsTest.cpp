// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "GarbageDialog.h"
#include "TagMismatchDialog.h"

using namespace tagnomen;

// The two prompts that come up in the middle of a Rename.
class PromptDialogsTest : public QObject {
    Q_OBJECT

  private slots:
    void mismatchPromptStartsWithTheId3v1TextAndKeepsOneButtonChosen() {
        TagMismatchDialog dialog;
        QCOMPARE(dialog.windowTitle(),
                 QStringLiteral("Data between ID3v1 and ID3v2 Tags does not match!"));
        dialog.Fill("Title - Song Name", "a.mp3", "Hello", "Hello World");
        QVERIFY(dialog.Id3v1Button()->isChecked());
        QCOMPARE(dialog.ChosenText(), std::string("Hello"));
        QTest::mouseClick(dialog.Id3v2Button(), Qt::LeftButton);
        QVERIFY(dialog.Id3v2Button()->isChecked());
        QVERIFY(!dialog.Id3v1Button()->isChecked());
        QCOMPARE(dialog.ChosenText(), std::string("Hello World"));
        // Clicking the chosen button changes nothing.
        QTest::mouseClick(dialog.Id3v2Button(), Qt::LeftButton);
        QCOMPARE(dialog.ChosenText(), std::string("Hello World"));
        // Each showing starts afresh with the ID3v1 text.
        dialog.Fill("Album", "b.mp3", "X", "Y");
        QCOMPARE(dialog.ChosenText(), std::string("X"));
    }

    void mismatchPromptAnswersWithOkAndEscapeKeepsTheId3v1Text() {
        TagMismatchDialog dialog;
        QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        QVERIFY(ok->isDefault());
        QTimer::singleShot(0, &dialog, [&] {
            dialog.Id3v2Button()->click();
            ok->click();
        });
        QCOMPARE(dialog.Ask("Year", "a.mp3", "1999", "2000"), std::string("2000"));
        QTimer::singleShot(0, &dialog, [&] {
            dialog.Id3v2Button()->click();
            QTest::keyClick(&dialog, Qt::Key_Escape);
        });
        QCOMPARE(dialog.Ask("Year", "a.mp3", "1999", "2000"), std::string("1999"));
    }

    void garbageDialogHidesTheMarkButtonsItDoesNotNeed() {
        for (bool album : {false, true}) {
            for (bool track : {false, true}) {
                GarbageDialog dialog("Do you want to erase: (Live)\nFrom: x.mp3", album, track);
                QCOMPARE(dialog.AlbumButton()->isVisibleTo(&dialog), album);
                QCOMPARE(dialog.TrackButton()->isVisibleTo(&dialog), track);
                QCOMPARE(dialog.AlbumButton()->text(), QStringLiteral("Mark as &Album"));
                QCOMPARE(dialog.TrackButton()->text(), QStringLiteral("Mark as &Track"));
            }
        }
    }

    // Escape and the close box say Stop: a Rename takes it as No, or with
    // music-aware names stops there.
    void garbageDialogAnswersByButtonAndEscapeStops() {
        struct Case {
            std::function<void(GarbageDialog&)> act;
            GarbageAnswer expected;
        };
        const std::vector<Case> cases = {
            {[](GarbageDialog& d) { d.YesButton()->click(); }, GarbageAnswer::Yes},
            {[](GarbageDialog& d) { d.NoButton()->click(); }, GarbageAnswer::No},
            {[](GarbageDialog& d) { d.AlbumButton()->click(); }, GarbageAnswer::Album},
            {[](GarbageDialog& d) { d.TrackButton()->click(); }, GarbageAnswer::Track},
            {[](GarbageDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }, GarbageAnswer::Stop},
            {[](GarbageDialog& d) { d.close(); }, GarbageAnswer::Stop},
        };
        for (const Case& c : cases) {
            GarbageDialog dialog("Do you want to erase: ()\nFrom: x.mp3", true, true);
            QTimer::singleShot(0, &dialog, [&] { c.act(dialog); });
            QCOMPARE(dialog.Ask(), c.expected);
        }
    }
};

QTEST_MAIN(PromptDialogsTest)
#include "PromptDialogsTest.moc"

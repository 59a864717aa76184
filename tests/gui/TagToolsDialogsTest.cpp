// SPDX-License-Identifier: GPL-3.0-or-later
// The file information editor, the viewer and the files organizer as
// windows: which widgets show, which are enabled, what typing and clicking
// leave in the model, and what OK and Cancel do. Set TAGNOMEN_GRAB_DIR to a
// directory to get a picture of each dialog.
#include <QBuffer>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <memory>

#include "FileInfoEditorDialog.h"
#include "FileInfoViewerDialog.h"
#include "FilesOrganizerDialog.h"
#include "ScriptedUi.h"
#include "TableRows.h"
#include "TempDir.h"
#include "session/FileInfoTable.h"
#include "session/RenamingContext.h"
#include "settings/SettingsStore.h"
#include "tools/FileInfoEditorModel.h"
#include "tools/FileInfoViewerModel.h"
#include "tools/FilesOrganizerModel.h"

using namespace tagnomen;

namespace {

SongValues SomeValues() {
    return {"Angel", "Massive Attack", "Mezzanine", "1998", "1", "17", "A comment"};
}

void Grab(QWidget& widget, const char* name) {
    const QByteArray directory = qgetenv("TAGNOMEN_GRAB_DIR");
    if (directory.isEmpty()) {
        return;
    }
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    widget.grab().save(QString::fromUtf8(directory) + "/" + name + ".png");
}

// Clicks a radio button on its indicator (a click beyond its text misses it).
void ClickRadio(QRadioButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(6, button->height() / 2));
}

}  // namespace

class TagToolsDialogsTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void editorTagModeShowsCommentAndLabel();
    void editorTableModeHidesCommentAndLabel();
    void editorEditsFollowTheModelsLimits();
    void editorOkRefusesABadYearAndCancelKeepsTheValues();
    void viewerGridShowsTheTable();
    void viewerEditAndDoubleClickRunTheRowEditor();
    void organizerListsFollowTheChosenButton_data();
    void organizerListsFollowTheChosenButton();
    void organizerOkWithoutAButtonDoesNothing();
    void organizerCancelStoresNothing();

  private:
    testing::TempDir* settingsDir_ = nullptr;
    SettingsStore* store_ = nullptr;
    ScriptedUi* ui_ = nullptr;
    RenamingContext* context_ = nullptr;
};

void TagToolsDialogsTest::init() {
    settingsDir_ = new testing::TempDir;
    store_ = new SettingsStore(*settingsDir_ / "settings.reg");
    store_->FirstRunCheck();
    ui_ = new ScriptedUi;
    context_ = new RenamingContext(*store_, *ui_);
}

void TagToolsDialogsTest::cleanup() {
    delete context_;
    delete ui_;
    delete store_;
    delete settingsDir_;
}

void TagToolsDialogsTest::editorTagModeShowsCommentAndLabel() {
    FileInfoEditorModel model(*ui_, EditorMode::Tag, "Uses ID3 TAGv1 and TAGv2", "Angel.mp3",
                              SomeValues());
    // A cover of 400 x 200 pixels, as a tag stores it.
    QImage picture(400, 200, QImage::Format_RGB32);
    picture.fill(Qt::darkRed);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    model.SetCover(png.toStdString());
    FileInfoEditorDialog dialog(model);
    dialog.show();
    QVERIFY(dialog.CoverLabel()->isVisible());
    QCOMPARE(dialog.CoverLabel()->pixmap().size(), QSize(96, 48));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("ID3 TAG Editor"));
    QVERIFY(dialog.FileNameEdit()->isReadOnly());
    QCOMPARE(dialog.FileNameEdit()->text(), QStringLiteral("Angel.mp3"));
    QCOMPARE(dialog.Edit(EditorField::Title)->text(), QStringLiteral("Angel"));
    QCOMPARE(dialog.Edit(EditorField::Track)->text(), QStringLiteral("1"));
    QVERIFY(dialog.CommentEdit()->isVisible());
    QVERIFY(dialog.CommentCaption()->isVisible());
    QCOMPARE(dialog.CommentEdit()->toPlainText(), QStringLiteral("A comment"));
    QVERIFY(dialog.TagLabel()->isVisible());
    QCOMPARE(dialog.TagLabel()->text(), QStringLiteral("Uses ID3 TAGv1 and TAGv2"));
    QCOMPARE(dialog.GenreList()->count(), 148);
    QCOMPARE(dialog.GenreList()->itemText(17), QStringLiteral("Rock"));
    QCOMPARE(dialog.GenreList()->currentIndex(), 17);
    Grab(dialog, "tag-editor");
}

void TagToolsDialogsTest::editorTableModeHidesCommentAndLabel() {
    SongValues values = SomeValues();
    values.track = "0";
    values.genre = "255";
    FileInfoEditorModel model(*ui_, EditorMode::Table, "", "Angel.mp3", values);
    FileInfoEditorDialog dialog(model);
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("File Information Editor"));
    QVERIFY(!dialog.CommentEdit()->isVisible());
    QVERIFY(!dialog.CommentCaption()->isVisible());
    QVERIFY(!dialog.TagLabel()->isVisible());
    QVERIFY(!dialog.CoverLabel()->isVisible());
    QCOMPARE(dialog.Edit(EditorField::Track)->text(), QString());
    QCOMPARE(dialog.GenreList()->currentIndex(), -1);
    Grab(dialog, "file-information-editor");
}

void TagToolsDialogsTest::editorEditsFollowTheModelsLimits() {
    FileInfoEditorModel model(*ui_, EditorMode::Tag, "", "a.mp3", SomeValues());
    FileInfoEditorDialog dialog(model);
    dialog.show();
    QCOMPARE(dialog.Edit(EditorField::Title)->maxLength(), 250);
    QCOMPARE(dialog.Edit(EditorField::Year)->maxLength(), 4);
    QCOMPARE(dialog.Edit(EditorField::Track)->maxLength(), 2);

    QLineEdit* year = dialog.Edit(EditorField::Year);
    year->clear();
    QTest::keyClicks(year, "2a0b0");
    QCOMPARE(year->text(), QStringLiteral("200"));
    QCOMPARE(model.Text(EditorField::Year), std::string("200"));

    QLineEdit* title = dialog.Edit(EditorField::Title);
    title->clear();
    for (const QChar c : QStringLiteral("Été")) {
        QTest::sendKeyEvent(QTest::Press, title, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    QCOMPARE(model.Text(EditorField::Title), std::string("\xC3\x89t\xC3\xA9"));

    QPlainTextEdit* comment = dialog.CommentEdit();
    comment->clear();
    QTest::keyClicks(comment, "one");
    QTest::keyClick(comment, Qt::Key_Return);
    QTest::keyClicks(comment, "two");
    QCOMPARE(model.Text(EditorField::Comment), std::string("one\ntwo"));
    comment->setPlainText(QString(300, QLatin1Char('c')));
    QCOMPARE(comment->toPlainText().size(), 250);

    dialog.GenreList()->setCurrentIndex(13);
    QCOMPARE(model.GenreIndex(), 13);
}

void TagToolsDialogsTest::editorOkRefusesABadYearAndCancelKeepsTheValues() {
    FileInfoEditorModel model(*ui_, EditorMode::Tag, "", "a.mp3", SomeValues());
    FileInfoEditorDialog dialog(model);
    dialog.show();
    QLineEdit* year = dialog.Edit(EditorField::Year);
    year->clear();
    QTest::keyClicks(year, "1850");
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    QVERIFY(dialog.isVisible());
    QCOMPARE(ui_->calls.size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(ui_->calls[0].caption), QStringLiteral("Error in Year"));

    year->selectAll();
    QTest::keyClick(year, Qt::Key_Delete);
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(model.Result().year, std::string());

    FileInfoEditorModel other(*ui_, EditorMode::Tag, "", "a.mp3", SomeValues());
    FileInfoEditorDialog cancelled(other);
    cancelled.show();
    QTest::keyClicks(cancelled.Edit(EditorField::Title), " changed");
    QTest::mouseClick(cancelled.CancelButton(), Qt::LeftButton);
    QCOMPARE(cancelled.result(), int(QDialog::Rejected));
    QVERIFY(!other.Accepted());
    QCOMPARE(other.Result().title, std::string("Angel"));
}

void TagToolsDialogsTest::viewerGridShowsTheTable() {
    FileInfoTable table;
    table.AppendRow(
        testing::RowOf({"Angel.mp3", "Angel", "Massive Attack", "Mezzanine", "1998", "0", "17"}));
    table.AppendRow(testing::RowOf({"Song.mp3", "Song", "Band", "", "", "5", "255"}));
    FileInfoViewerModel model(*ui_, table);
    FileInfoViewerDialog dialog(model);
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("File Information Viewer"));
    QTableWidget* grid = dialog.Grid();
    QCOMPARE(grid->rowCount(), 2);
    QCOMPARE(grid->columnCount(), 7);
    const int widths[] = {300, 200, 200, 200, 50, 50, 150};
    const char* headers[] = {
        "File Name", "Title (Song Name)", "Artist (Author)", "Album", "Year", "Track", "Genre"};
    for (int column = 0; column < 7; ++column) {
        QCOMPARE(grid->columnWidth(column), widths[column]);
        QCOMPARE(grid->horizontalHeaderItem(column)->text(), QString::fromUtf8(headers[column]));
    }
    QVERIFY(grid->showGrid());
    QVERIFY(!grid->isSortingEnabled());
    QVERIFY(!grid->horizontalHeader()->sectionsClickable());
    QCOMPARE(grid->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(grid->selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(grid->item(0, 5)->text(), QString());  // track 0
    QCOMPARE(grid->item(0, 6)->text(), QStringLiteral("Rock"));
    QCOMPARE(grid->item(1, 5)->text(), QStringLiteral("5"));
    QCOMPARE(grid->item(1, 6)->text(), QString());  // genre 255
    QVERIFY(dialog.EditButton()->x() < dialog.OkButton()->x());
    Grab(dialog, "file-information-viewer");

    // An empty table: only the headers.
    FileInfoTable empty;
    FileInfoViewerModel emptyModel(*ui_, empty);
    FileInfoViewerDialog emptyDialog(emptyModel);
    QCOMPARE(emptyDialog.Grid()->rowCount(), 0);
}

void TagToolsDialogsTest::viewerEditAndDoubleClickRunTheRowEditor() {
    FileInfoTable table;
    table.AppendRow(
        testing::RowOf({"Angel.mp3", "Angel", "Massive Attack", "Mezzanine", "1998", "3", "13"}));
    table.AppendRow(testing::RowOf({"Song.mp3", "Song", "Band", "", "", "5", "255"}));
    FileInfoViewerModel model(*ui_, table);
    FileInfoViewerDialog dialog(model);
    dialog.show();

    // Nothing selected.
    QTest::mouseClick(dialog.EditButton(), Qt::LeftButton);
    QCOMPARE(ui_->calls.size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(ui_->calls[0].text),
             QStringLiteral("You must select an item to edit"));

    ui_->dialogs.fileInfoEditor.Push([](FileInfoEditorModel& editor) {
        editor.SelectGenre(17);
        editor.SetText(EditorField::Track, "");
        return editor.Accept();
    });
    dialog.Grid()->selectRow(0);
    QCOMPARE(model.Selected(), 0);
    QTest::mouseClick(dialog.EditButton(), Qt::LeftButton);
    QCOMPARE(table.Value(0, SongField::Genre), std::string("17"));
    QCOMPARE(table.Value(0, SongField::Track), std::string("0"));
    QCOMPARE(dialog.Grid()->item(0, 6)->text(), QStringLiteral("Rock"));
    QCOMPARE(dialog.Grid()->item(0, 5)->text(), QString());

    bool opened = false;
    ui_->dialogs.fileInfoEditor.Push([&opened](FileInfoEditorModel& editor) {
        opened = editor.ShownName() == "Song.mp3";
        return false;
    });
    QTableWidget* grid = dialog.Grid();
    const QRect cell = grid->visualItemRect(grid->item(1, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QVERIFY(opened);
    QCOMPARE(table.Value(1, SongField::Title), std::string("Song"));
}

void TagToolsDialogsTest::organizerListsFollowTheChosenButton_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("click");
    QTest::addColumn<bool>("artistEnabled");
    QTest::addColumn<bool>("albumEnabled");
    QTest::newRow("title to artist") << 0 << 1 << true << false;
    QTest::newRow("artist to album") << 1 << 2 << false << true;
    QTest::newRow("album to year") << 2 << 3 << false << false;
    QTest::newRow("nothing to genre") << 9 << 4 << false << false;
    QTest::newRow("genre to title") << 4 << 0 << false << false;
}

void TagToolsDialogsTest::organizerListsFollowTheChosenButton() {
    QFETCH(int, stored);
    QFETCH(int, click);
    QFETCH(bool, artistEnabled);
    QFETCH(bool, albumEnabled);
    store_->SetSortMethod(stored);
    FilesOrganizerModel model(*context_);
    FilesOrganizerDialog dialog(model);
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Files Organizer"));
    // On opening: the stored button, and its list enabled at "Alphabetically".
    for (int method = 0; method < 5; ++method) {
        QCOMPARE(dialog.Button(static_cast<SortMethod>(method))->isChecked(), method == stored);
    }
    QCOMPARE(dialog.ArtistList()->isEnabled(), stored == 1);
    QCOMPARE(dialog.AlbumList()->isEnabled(), stored == 2);
    QCOMPARE(dialog.ArtistList()->currentText(), QStringLiteral("Alphabetically"));
    QCOMPARE(dialog.AlbumList()->count(), 2);
    QCOMPARE(dialog.AlbumList()->itemText(1), QStringLiteral("By Album Name"));

    if (stored == 1 || stored == 2) {
        QComboBox* list = stored == 1 ? dialog.ArtistList() : dialog.AlbumList();
        list->setCurrentIndex(1);
        emit list->activated(1);
        QCOMPARE(model.Rule().detail, SortDetail::ByName);
    }
    ClickRadio(dialog.Button(static_cast<SortMethod>(click)));
    QCOMPARE(static_cast<int>(model.Chosen()), click);
    QCOMPARE(dialog.ArtistList()->isEnabled(), artistEnabled);
    QCOMPARE(dialog.AlbumList()->isEnabled(), albumEnabled);
    // The newly enabled list starts at "Alphabetically"; a list that is
    // disabled keeps showing its entry.
    QCOMPARE(dialog.ArtistList()->currentIndex(), stored == 1 && !artistEnabled ? 1 : 0);
    QCOMPARE(dialog.AlbumList()->currentIndex(), stored == 2 && !albumEnabled ? 1 : 0);
    for (int method = 0; method < 5; ++method) {
        QCOMPARE(dialog.Button(static_cast<SortMethod>(method))->isChecked(), method == click);
    }
    if (stored == 1) {
        Grab(dialog, "files-organizer");
    }
}

void TagToolsDialogsTest::organizerOkWithoutAButtonDoesNothing() {
    store_->SetSortMethod(-1);
    FilesOrganizerModel model(*context_);
    FilesOrganizerDialog dialog(model);
    dialog.show();
    for (int method = 0; method < 5; ++method) {
        QVERIFY(!dialog.Button(static_cast<SortMethod>(method))->isChecked());
    }
    QVERIFY(!dialog.ArtistList()->isEnabled());
    QVERIFY(!dialog.AlbumList()->isEnabled());
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    QVERIFY(dialog.isVisible());
    QVERIFY(ui_->calls.empty());

    ClickRadio(dialog.Button(SortMethod::Year));
    ui_->yesNoAnswers = {false};
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(model.Accepted());
    QVERIFY(!model.Proceed());
    int stored = -1;
    store_->GetSortMethod(stored);
    QCOMPARE(stored, 3);
}

void TagToolsDialogsTest::organizerCancelStoresNothing() {
    store_->SetSortMethod(0);
    FilesOrganizerModel model(*context_);
    FilesOrganizerDialog dialog(model);
    dialog.show();
    ClickRadio(dialog.Button(SortMethod::Genre));
    QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!model.Accepted());
    int stored = -1;
    store_->GetSortMethod(stored);
    QCOMPARE(stored, 0);
    QVERIFY(ui_->calls.empty());
}

QTEST_MAIN(TagToolsDialogsTest)
#include "TagToolsDialogsTest.moc"

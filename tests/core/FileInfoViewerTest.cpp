// SPDX-License-Identifier: GPL-3.0-or-later
// The file information viewer: what its grid shows for the table's texts,
// and the row editor's effect on the table, through the Workbench's command.
#include <gtest/gtest.h>

#include <memory>

#include "ScriptedUi.h"
#include "TableRows.h"
#include "TempDir.h"
#include "WorkbenchFixture.h"
#include "app/Workbench.h"
#include "tools/FileInfoEditorModel.h"
#include "tools/FileInfoViewerModel.h"

namespace tagnomen {
namespace {

using testing::TempDir;

TEST(FileInfoViewerModelTest, ColumnsAndTheirWidths) {
    const auto& columns = FileInfoViewerModel::Columns();
    const std::vector<std::pair<std::string, int>> expected = {{"File Name", 300},
                                                               {"Title (Song Name)", 200},
                                                               {"Artist (Author)", 200},
                                                               {"Album", 200},
                                                               {"Year", 50},
                                                               {"Track", 50},
                                                               {"Genre", 150}};
    ASSERT_EQ(columns.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(columns[i].header, expected[i].first);
        EXPECT_EQ(columns[i].width, expected[i].second);
    }
}

TEST(FileInfoViewerModelTest, TrackAndGenreCellsShowWhatTheNumbersMean) {
    const struct {
        const char* track;
        const char* genre;
        const char* trackCell;
        const char* genreCell;
    } cases[] = {
        {"0", "255", "", ""},    {"7", "17", "7", "Rock"},
        {"", "0", "", "Blues"},  {"abc", "147", "", "Synthpop"},
        {"12", "148", "12", ""}, {"Unknown Track", "x", "", "Blues"},
    };
    FileInfoTable table;
    for (const auto& c : cases) {
        table.AppendRow(testing::RowOf({"f.mp3", "T", "A", "B", "1999", c.track, c.genre}));
    }
    ScriptedUi ui;
    FileInfoViewerModel viewer(ui, table);
    ASSERT_EQ(viewer.RowCount(), std::size(cases));
    for (std::size_t row = 0; row < std::size(cases); ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(viewer.CellText(row, FileInfoViewerModel::ColumnOf(SongField::Track)),
                  cases[row].trackCell);
        EXPECT_EQ(viewer.CellText(row, FileInfoViewerModel::ColumnOf(SongField::Genre)),
                  cases[row].genreCell);
        EXPECT_EQ(viewer.CellText(row, FileInfoViewerModel::kFileNameColumn), "f.mp3");
        EXPECT_EQ(viewer.CellText(row, FileInfoViewerModel::ColumnOf(SongField::Year)), "1999");
    }
}

TEST(FileInfoViewerModelTest, SelectingARowThatDoesNotExistClearsTheSelection) {
    FileInfoTable table;
    table.AppendRow(testing::RowOf({"f.mp3", "T", "A", "B", "1999", "1", "2"}));
    ScriptedUi ui;
    FileInfoViewerModel viewer(ui, table);
    EXPECT_EQ(viewer.Selected(), FileInfoViewerModel::kNoRow);
    viewer.Select(0);
    EXPECT_EQ(viewer.Selected(), 0);
    viewer.Select(1);
    EXPECT_EQ(viewer.Selected(), FileInfoViewerModel::kNoRow);
    EXPECT_FALSE(viewer.EditSelected());
    ASSERT_EQ(ui.calls.size(), 1u);
    EXPECT_EQ(ui.calls[0].caption, "Error");
    EXPECT_EQ(ui.calls[0].icon, MessageIcon::Stop);
    EXPECT_EQ(ui.calls[0].text, "You must select an item to edit");
}

class FileInfoViewerTest : public testing::WorkbenchFixture {
  protected:
    void SetUp() override {
        WorkbenchFixture::SetUp();
        store_.SetFileInfoLoader(1);
        Start();
        Table().AppendRow(testing::RowOf({"a.mp3", "Angel", "Artist", "Album", "1999", "3", "13"}));
        Table().AppendRow(testing::RowOf({"b.mp3", "Bee", "Band", "", "", "0", "255"}));
    }

    FileInfoTable& Table() { return workbench_->Context().table; }

    // Selects a row, presses "&Edit", and lets `edit` play the row editor.
    void EditRow(int row, std::function<bool(FileInfoEditorModel&)> edit) {
        ui_.dialogs.fileInfoViewer.Push([row](FileInfoViewerModel& viewer) {
            viewer.Select(row);
            viewer.EditSelected();
            return true;
        });
        ui_.dialogs.fileInfoEditor.Push(std::move(edit));
        workbench_->FileInfoViewer();
    }
};

TEST_F(FileInfoViewerTest, EditedValuesGoIntoTheTableOnly) {
    bool opened = false;
    std::string shownName, title;
    bool showsComment = true;
    EditRow(0, [&](FileInfoEditorModel& editor) {
        opened = true;
        shownName = editor.ShownName();
        title = editor.Title();
        showsComment = editor.ShowsComment();
        editor.SetText(EditorField::Title, "Angel (Live)");
        editor.SetText(EditorField::Track, "");
        editor.SelectGenre(17);
        return editor.Accept();
    });
    ASSERT_TRUE(opened);
    EXPECT_EQ(shownName, "a.mp3");
    EXPECT_EQ(title, "File Information Editor");
    EXPECT_FALSE(showsComment);
    EXPECT_EQ(testing::TextsOf(Table(), 0),
              (testing::RowTexts{"a.mp3", "Angel (Live)", "Artist", "Album", "1999", "0", "17"}));
    EXPECT_EQ(testing::TextsOf(Table(), 1),
              (testing::RowTexts{"b.mp3", "Bee", "Band", "", "", "0", "255"}));
    EXPECT_TRUE(music_.List().empty()) << "nothing is written to disk";
    // The values the person changed are theirs now; the others keep their source.
    for (SongField field : kTableFields) {
        const bool changed =
            field == SongField::Title || field == SongField::Track || field == SongField::Genre;
        EXPECT_EQ(Table().Source(0, field), changed ? ValueSource::Edited : ValueSource::None);
    }
}

TEST_F(FileInfoViewerTest, RefusedYearThenCancelKeepsTheRow) {
    const testing::RowTexts before = testing::TextsOf(Table(), 0);
    EditRow(0, [](FileInfoEditorModel& editor) {
        editor.SetText(EditorField::Year, "1850");
        if (editor.Accept()) {
            return true;
        }
        editor.Reject();
        return false;
    });
    EXPECT_EQ(testing::TextsOf(Table(), 0), before);
    ASSERT_EQ(ui_.calls.size(), 1u);
    EXPECT_EQ(ui_.calls[0].caption, "Error in Year");
    EXPECT_EQ(ui_.calls[0].text, "Year value must be between 1900 and 2050.");
}

TEST_F(FileInfoViewerTest, OkOnAnUntouchedRowNormalisesTrackAndGenre) {
    // Genre 0 ("Blues") is never preselected, so OK stores no genre; an
    // unset track stays "0".
    Table().SetValue(1, SongField::Genre, "0");
    EditRow(1, [](FileInfoEditorModel& editor) { return editor.Accept(); });
    EXPECT_EQ(Table().Value(1, SongField::Genre), "255");
    EXPECT_EQ(Table().Value(1, SongField::Track), "0");
}

TEST_F(FileInfoViewerTest, EmptyTableOpensWithNothingToEdit) {
    Table().Empty();
    std::size_t rows = 99;
    ui_.dialogs.fileInfoViewer.Push([&rows](FileInfoViewerModel& viewer) {
        rows = viewer.RowCount();
        viewer.EditSelected();
        return true;
    });
    workbench_->FileInfoViewer();
    EXPECT_EQ(rows, 0u);
    ASSERT_EQ(ui_.calls.size(), 1u);
    EXPECT_EQ(ui_.calls[0].text, "You must select an item to edit");
}

}  // namespace
}  // namespace tagnomen

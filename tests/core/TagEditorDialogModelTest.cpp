// SPDX-License-Identifier: GPL-3.0-or-later
// The file information editor's own rules: what it shows on opening, what
// typing does to each edit, and what OK hands back, in both modes.
#include <gtest/gtest.h>

#include "ScriptedUi.h"
#include "tools/FileInfoEditorModel.h"

namespace tagnomen {
namespace {

using Field = EditorField;

SongValues Values(const std::string& track, const std::string& genre) {
    return {"Title", "Artist", "Album", "1999", track, genre, "Comment"};
}

TEST(FileInfoEditorModelTest, OpeningShowsTrackAndGenreOnlyWhenTheyMeanSomething) {
    const struct {
        const char* track;
        const char* genre;
        const char* shownTrack;
        int genreIndex;
    } cases[] = {
        {"0", "0", "", FileInfoEditorModel::kNoGenre},     // Blues counts as none
        {"5", "17", "5", 17},                              //
        {"", "", "", FileInfoEditorModel::kNoGenre},       //
        {"abc", "147", "", 147},                           // last entry of the table
        {"-3", "148", "", FileInfoEditorModel::kNoGenre},  // outside the table
        {"12", "255", "12", FileInfoEditorModel::kNoGenre},
        {"1", "Rock", "1", FileInfoEditorModel::kNoGenre},
    };
    ScriptedUi ui;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.track) + " / " + c.genre);
        FileInfoEditorModel editor(ui, EditorMode::Tag, "Uses ID3 TAGv1", "a.mp3",
                                   Values(c.track, c.genre));
        EXPECT_EQ(editor.Text(Field::Track), c.shownTrack);
        EXPECT_EQ(editor.GenreIndex(), c.genreIndex);
        EXPECT_EQ(editor.Text(Field::Title), "Title");
        EXPECT_EQ(editor.Text(Field::Year), "1999");
        EXPECT_EQ(editor.Text(Field::Comment), "Comment");
    }
}

TEST(FileInfoEditorModelTest, ModesDifferInTitleCommentAndLabel) {
    ScriptedUi ui;
    FileInfoEditorModel tag(ui, EditorMode::Tag, "Uses ID3 TAGv2", "a.mp3", Values("1", "2"));
    EXPECT_STREQ(tag.Title(), "ID3 TAG Editor");
    EXPECT_TRUE(tag.ShowsComment());
    EXPECT_TRUE(tag.ShowsTagLabel());
    EXPECT_EQ(tag.TagLabel(), "Uses ID3 TAGv2");

    FileInfoEditorModel table(ui, EditorMode::Table, "", "a.mp3", Values("1", "2"));
    EXPECT_STREQ(table.Title(), "File Information Editor");
    EXPECT_FALSE(table.ShowsComment());
    EXPECT_FALSE(table.ShowsTagLabel());
    EXPECT_EQ(table.Text(Field::Comment), "") << "the comment is not shown";
    table.SetText(Field::Comment, "typed");
    EXPECT_EQ(table.Text(Field::Comment), "");
    ASSERT_TRUE(table.Accept());
    EXPECT_EQ(table.Result().comment, "Comment") << "the given comment goes back untouched";
}

TEST(FileInfoEditorModelTest, TypingKeepsToTheLimitsAndToDigitsWhereAsked) {
    const std::string long260(260, 'x');
    const struct {
        Field field;
        std::string typed;
        std::string shown;
    } cases[] = {
        {Field::Year, "19a9x9", "1999"},
        {Field::Year, "20501", "2050"},
        {Field::Track, "123", "12"},
        {Field::Track, "t7", "7"},
        {Field::Title, long260, std::string(250, 'x')},
        {Field::Comment, long260, std::string(250, 'x')},
        {Field::Artist, std::string(249, 'x') + "\xC3\xA9\xC3\xA9",
         std::string(249, 'x') + "\xC3\xA9"},
    };
    ScriptedUi ui;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        FileInfoEditorModel editor(ui, EditorMode::Tag, "", "a.mp3", Values("1", "1"));
        editor.SetText(c.field, c.typed);
        EXPECT_EQ(editor.Text(c.field), c.shown);
    }
}

TEST(FileInfoEditorModelTest, AValueLongerThanTheLimitIsShownWholeAndSetsTheEditsLength) {
    ScriptedUi ui;
    SongValues values = Values("1", "1");
    values.title = std::string(255, 't');
    values.year = "2001-05-03";
    FileInfoEditorModel editor(ui, EditorMode::Tag, "", "a.mp3", values);
    EXPECT_EQ(editor.Text(Field::Title), values.title);
    EXPECT_EQ(editor.MaxLength(Field::Title), 255u);
    EXPECT_EQ(editor.MaxLength(Field::Artist), 250u);
    EXPECT_EQ(editor.Text(Field::Year), "2001-05-03");
    ASSERT_TRUE(editor.Accept()) << "the year's leading number 2001 is inside the limits";
    EXPECT_EQ(editor.Result().year, "2001-05-03");
}

TEST(FileInfoEditorModelTest, OkHandsBackTrackZeroForEmptyAndTheGenrePosition) {
    const struct {
        const char* track;
        int genre;
        const char* resultTrack;
        const char* resultGenre;
    } cases[] = {
        {"", FileInfoEditorModel::kNoGenre, "0", "255"},
        {"9", 0, "9", "0"},
        {"09", 147, "09", "147"},
        {"3", 148, "3", "255"},
    };
    ScriptedUi ui;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.genre);
        FileInfoEditorModel editor(ui, EditorMode::Table, "", "a.mp3", Values("4", "17"));
        editor.SetText(Field::Track, c.track);
        editor.SelectGenre(c.genre);
        EXPECT_EQ(editor.Result().track, "4") << "before OK the given values come back";
        ASSERT_TRUE(editor.Accept());
        EXPECT_TRUE(editor.Accepted());
        EXPECT_EQ(editor.Result().track, c.resultTrack);
        EXPECT_EQ(editor.Result().genre, c.resultGenre);
    }
    EXPECT_TRUE(ui.calls.empty());
}

TEST(FileInfoEditorModelTest, RefusedYearChangesNoResult) {
    ScriptedUi ui;
    FileInfoEditorModel editor(ui, EditorMode::Tag, "", "a.mp3", Values("4", "17"));
    editor.SetText(Field::Title, "Changed");
    editor.SetText(Field::Year, "1850");
    EXPECT_FALSE(editor.Accept());
    EXPECT_FALSE(editor.Accepted());
    EXPECT_EQ(editor.Result().title, "Title");
    ASSERT_EQ(ui.calls.size(), 1u);
    EXPECT_EQ(ui.calls[0].caption, "Error in Year");
    // Corrected, OK goes through.
    editor.SetText(Field::Year, "1950");
    EXPECT_TRUE(editor.Accept());
    EXPECT_EQ(editor.Result().title, "Changed");
}

TEST(FileInfoEditorModelTest, GenreListHoldsTheTableInNumberOrder) {
    ASSERT_EQ(FileInfoEditorModel::GenreCount(), 148u);
    EXPECT_EQ(FileInfoEditorModel::GenreEntry(0), "Blues");
    EXPECT_EQ(FileInfoEditorModel::GenreEntry(17), "Rock");
    EXPECT_EQ(FileInfoEditorModel::GenreEntry(147), "Synthpop");
}

}  // namespace
}  // namespace tagnomen

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules of the file information editor, shared by the tag editor (tag
// mode: "ID3 TAG Editor", with the comment and the tag label) and the file
// information viewer's row editor (table mode: "File Information Editor").
// It shows seven values, lets them be typed within the edits' limits, checks
// the year on OK and hands back the values in the form the callers store:
// the track "0" when empty, the genre as its number or "255" when none is
// selected. The Qt dialog and the CLI drive the same model.
//
// Typing (the window) drops at once what an edit may not hold, and the edit
// shows what was kept. A value entered whole (a script) is taken the same
// way, but what typing would have dropped or cut is not lost in silence: OK
// refuses the value with its field's box, and nothing is handed back.
#include <cstddef>
#include <string>

#include "tags/TagValues.h"

namespace tagnomen {

class Ui;

enum class EditorMode { Table = 0, Tag = 1 };

// The edits of the dialog, top to bottom (the genre is a list).
enum class EditorField { Title, Artist, Album, Year, Track, Comment };

class FileInfoEditorModel {
  public:
    using Field = EditorField;
    static constexpr int kFieldCount = 6;

    static constexpr int kNoGenre = -1;  // no entry of the genre list selected
    static constexpr int kLowestYear = 1900;
    static constexpr int kHighestYear = 2050;

    // Opening: the values are shown as given, except that a track below 1 is
    // shown empty and the genre list selects the given genre only when it is
    // not 0 ("Blues") and lies inside the genre table.
    FileInfoEditorModel(Ui& ui, EditorMode mode, std::string tagLabel, std::string shownName,
                        SongValues values);

    EditorMode Mode() const { return mode_; }
    const char* Title() const;
    // The comment edit and the tag label are shown in tag mode only.
    bool ShowsComment() const { return mode_ == EditorMode::Tag; }
    bool ShowsTagLabel() const { return mode_ == EditorMode::Tag; }
    const std::string& TagLabel() const { return tagLabel_; }
    // The read-only "File Name" edit.
    const std::string& ShownName() const { return shownName_; }

    // The file's cover picture as stored (JPEG, PNG ...), shown read only so
    // that the person sees it is kept; empty when there is none.
    void SetCover(std::string bytes) { cover_ = std::move(bytes); }
    const std::string& Cover() const { return cover_; }

    // The limit of an edit in characters (250 for the texts, 4 for the year,
    // 2 for the track) and whether it takes digits only.
    static std::size_t Limit(Field field);
    static bool DigitsOnly(Field field);
    // The most characters the edit holds: its limit, or the length of the
    // value it opened with when that was longer (an edit's limit restrains
    // typing, not the text it is given).
    std::size_t MaxLength(Field field) const;

    const std::string& Text(Field field) const { return texts_[static_cast<int>(field)]; }
    // Typing: a digits-only edit drops every other character, and the text is
    // cut to MaxLength characters. Typing into the hidden comment of table
    // mode is ignored.
    void SetText(Field field, const std::string& text);
    // A whole value, as a script gives it: kept as SetText keeps it, and
    // refused by OK when that is not all of it ("abc" for the year, "123"
    // for the track, a title past its limit).
    void EnterText(Field field, const std::string& text);

    // The genre list: the names of the genre table in number order, so an
    // entry's position is its genre number.
    static std::size_t GenreCount();
    static std::string GenreEntry(int position);
    int GenreIndex() const { return genre_; }
    // kNoGenre, or a position outside the list, clears the selection.
    void SelectGenre(int position);
    // A genre entered whole: its number or its name (letter case ignored)
    // selects its entry; empty or "255" (the number of none) selects none;
    // anything else clears the selection and is refused by OK.
    void EnterGenre(const std::string& text);
    // The position of the genre of that name (letter case ignored), or kNoGenre.
    static int GenreNamed(const std::string& name);

    // OK: a year that is not empty and whose number lies outside 1900..2050,
    // or any value entered whole that its edit could not hold, is refused
    // with the box of its field ("Error in Year", "Error in Track" ...) and
    // the dialog stays open (false); otherwise the edited values become the
    // result (true).
    bool Accept();
    void Reject() { accepted_ = false; }
    bool Accepted() const { return accepted_; }

    // The values the dialog hands back: after OK the edited ones (in table
    // mode with the comment it was given), otherwise those it was given.
    const SongValues& Result() const { return accepted_ ? edited_ : given_; }

  private:
    std::string& Edit(Field field) { return texts_[static_cast<int>(field)]; }
    // The first value entered whole that cannot be written, after its box.
    bool RefuseUntakenValue();

    Ui& ui_;
    EditorMode mode_;
    std::string tagLabel_;
    std::string shownName_;
    SongValues given_;
    SongValues edited_;
    std::string texts_[kFieldCount];
    std::size_t openedLength_[kFieldCount] = {};
    // Values entered whole that their edits could not hold.
    bool untaken_[kFieldCount] = {};
    bool genreUntaken_ = false;
    int genre_ = kNoGenre;
    bool accepted_ = false;
    std::string cover_;
};

}  // namespace tagnomen

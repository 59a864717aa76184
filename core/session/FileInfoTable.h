// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file information table: one row per file of the latest Rename that
// recorded rows, each holding the file's name and the song values found for
// it (title, artist, album, year, track "0" for none, genre as a number,
// "255" for none).
//
// The table belongs to the directory it was made from: it holds that
// directory's absolute path, and each row may hold the identity of the file
// it was read from, so that a tool can tell a file that is gone or was
// replaced since (the row's name then names another file, or none). It
// outlives the lists of the Rename that filled it: Save empties the lists and
// the rows follow the new names.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "tags/SongValues.h"

namespace tagnomen {

// The six song fields a row records, in the order the viewer shows them.
inline constexpr std::array<SongField, 6> kTableFields = {
    SongField::Title, SongField::Artist, SongField::Album,
    SongField::Year,  SongField::Track,  SongField::Genre,
};

// Where a value of a row came from, so that a guess from a file name never
// silently replaces what a person wrote into a tag.
enum class ValueSource : std::uint8_t {
    None,      // the file had no value: empty, or the placeholder of a missing one
    Tag,       // read from the file's tags
    FileName,  // taken from the file's name
    Edited,    // typed or changed by the person in the viewer
};

struct ValueSources {
    std::array<ValueSource, kSongFields.size()> of{};
    ValueSource& operator[](SongField field) { return of[static_cast<std::size_t>(field)]; }
    ValueSource operator[](SongField field) const { return of[static_cast<std::size_t>(field)]; }
    bool operator==(const ValueSources&) const = default;
};

struct TableRow {
    std::string fileName;
    // The comment is not part of the table and stays empty.
    SongValues values;
    ValueSources sources;
    // The identity of the file the row was read from, as it was when the row
    // was recorded (lstat of its name); nothing when it was not known.
    std::optional<FileIdentity> identity;
};

class FileInfoTable {
  public:
    // Every row to nothing, its storage released; the directory goes too.
    void Empty();
    std::size_t RowCount() const { return rows_.size(); }
    bool HasRow(std::size_t row) const { return row < rows_.size(); }
    void AppendRow(TableRow row) { rows_.push_back(std::move(row)); }
    const std::vector<TableRow>& Rows() const { return rows_; }

    // Empty text for a row that does not exist.
    const std::string& FileName(std::size_t row) const;
    const std::string& Value(std::size_t row, SongField field) const;
    // The song values of a row; all empty for a row that does not exist.
    const SongValues& Values(std::size_t row) const;
    // Replace one value / the file name / all values of an existing row;
    // false when the row does not exist.
    bool SetValue(std::size_t row, SongField field, std::string text);
    // ValueSource::None for a row that does not exist.
    ValueSource Source(std::size_t row, SongField field) const;
    bool SetSource(std::size_t row, SongField field, ValueSource source);
    bool SetFileName(std::size_t row, std::string name);

    // The absolute path of the directory the rows were read from; empty for a
    // table that was not recorded by a Rename (it then goes with the lists).
    const std::string& Directory() const { return directory_; }
    void SetDirectory(std::string directory) { directory_ = std::move(directory); }
    // Nothing for a row that does not exist or whose file was not known.
    std::optional<FileIdentity> Identity(std::size_t row) const;
    // False when the row does not exist.
    bool SetIdentity(std::size_t row, std::optional<FileIdentity> identity);

  private:
    std::vector<TableRow> rows_;
    std::string directory_;
};

}  // namespace tagnomen

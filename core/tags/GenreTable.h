// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The genre table: the 148 genre names, numbered as the ID3v1 genre byte and
// the number inside the brackets of an ID3v2 genre text. 255 means no genre;
// 148 to 254 are valid numbers without a name.
#include <array>
#include <string>
#include <string_view>

namespace tagnomen {

constexpr int kGenreCount = 148;
constexpr int kNoGenre = 255;

// The names in genre-number order, spelled as the program has always shown them.
const std::array<std::string_view, kGenreCount>& GenreTable();

// The name of a genre number; empty text for numbers outside 0..147 (255 included).
std::string GenreName(int number);

}  // namespace tagnomen

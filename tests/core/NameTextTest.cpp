// SPDX-License-Identifier: GPL-3.0-or-later
// The text rules every proposed name shares: the cases of the template's
// finishing steps, the smart engine's steps 28 and 32 and the Workbench's
// list rewrite, in one table per rule.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rename/NameText.h"

namespace tagnomen {
namespace {

TEST(NameText, CollapseBlanks) {
    struct Case {
        std::string in, out;
    };
    const std::vector<Case> cases = {
        {"a  b   c ", "a b c "},
        {"  x  ", " x "},
        {"a   b  ", "a b "},
        {"a\t\tb", "a\t\tb"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CollapseBlanks(c.in), c.out) << "'" << c.in << "'";
    }
}

TEST(NameText, UnderscoreOption) {
    struct Case {
        std::string name;
        int option;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"a b_c", 1, "a_b_c"},
        {"a_ _b", 0, "a b"},
        {"a_  b", 2, "a_ b"},
        {"(The Beatles) - Help!.mp3", 1, "(The_Beatles)_-_Help!.mp3"},
        {"(The__Beatles)  x.mp3", 0, "(The Beatles) x.mp3"},
        {"a_ _b", 2, "a_ _b"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ApplyUnderscoreOption(c.name, c.option), c.expected) << c.name << " " << c.option;
    }
}

TEST(NameText, FitProposedNameKeepsTheEnding) {
    const std::string accent = "\xC3\xA9";  // two bytes
    struct Case {
        std::string name;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"short.mp3", "short.mp3"},
        {std::string(255 - 4, 'a') + ".mp3", std::string(251, 'a') + ".mp3"},
        {std::string(300, 'a') + ".MP3", std::string(251, 'a') + ".MP3"},
        // 250 ASCII bytes, then a character that would straddle byte 251.
        {std::string(250, 'a') + accent + "bbb.mp3", std::string(250, 'a') + ".mp3"},
        {std::string(240, 'a') + std::string(30, ' ') + ".mp3", std::string(240, 'a') + ".mp3"},
        {std::string(300, 'a'), std::string(255, 'a')},
    };
    for (const Case& c : cases) {
        const std::string fitted = FitProposedName(c.name);
        EXPECT_EQ(fitted, c.expected) << c.name.size();
        EXPECT_LE(fitted.size(), kMaxProposedNameBytes);
    }
}

}  // namespace
}  // namespace tagnomen

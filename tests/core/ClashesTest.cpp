// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <tuple>

#include "TempDir.h"
#include "WorkingSetLists.h"
#include "app/Clashes.h"
#include "session/WorkingSet.h"

namespace tagnomen {
namespace {

TEST(ClashesTest, ProposalsMeetingAnotherProposalOrAFileThatStays) {
    struct Case {
        const char* what;
        std::vector<std::string> oldNames, renamedNames;
        std::vector<std::pair<std::size_t, std::size_t>> pairs;
    };
    const Case cases[] = {
        {"nothing proposed", {"a.mp3", "b.mp3"}, {}, {}},
        {"all different", {"a.mp3", "b.mp3"}, {"A.mp3", "B.mp3"}, {}},
        {"two equal proposals", {"a.mp3", "b.mp3", "c.mp3"}, {"X.mp3", "Y.mp3", "X.mp3"}, {{0, 2}}},
        {"three equal: each later one with the first",
         {"a", "b", "c", "d"},
         {"X", "X", "Y", "X"},
         {{0, 1}, {0, 3}}},
        {"a file that keeps its name",
         {"Help.mp3", "help.mp3"},
         {"Help.mp3", "Help.mp3"},
         {{0, 1}}},
        {"a chain: the old name of a file renamed later is still taken",
         {"a", "b"},
         {"b", "c"},
         {{1, 0}}},
        {"two files swapping names cannot both be renamed",
         {"a", "b"},
         {"b", "a"},
         {{1, 0}, {0, 1}}},
        {"letter case differs: no clash", {"a", "b"}, {"X.mp3", "x.mp3"}, {}},
        {"rows beyond the proposals keep their names", {"a", "b", "c"}, {"c"}, {{0, 2}}},
    };
    for (const Case& c : cases) {
        WorkingSet set;
        testing::SetLists(set, c.oldNames, c.renamedNames);
        std::vector<std::pair<std::size_t, std::size_t>> pairs;
        for (const ClashPair& clash : FindClashes(set)) {
            pairs.emplace_back(clash.first, clash.second);
        }
        EXPECT_EQ(pairs, c.pairs) << c.what;
    }
}

// Save renames in list order and never replaces an entry: a name still held
// at that moment, by a listed file or by anything else, cannot be given.
TEST(ClashesTest, NamesHeldWhenSaveComesToThemOrRefusedByIt) {
    testing::TempDir dir;
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3", "notes.txt"}) {
        dir.Write(name, "");
    }
    ASSERT_EQ(mkdir((dir / "Folder.mp3").c_str(), 0777), 0);
    ASSERT_EQ(mkfifo((dir / "Pipe.mp3").c_str(), 0600), 0);
    ASSERT_EQ(symlink("nowhere.mp3", (dir / "Dangling.mp3").c_str()), 0);
    using K = ClashKind;
    using Found = std::tuple<std::size_t, std::size_t, ClashKind, EntryType>;
    constexpr EntryType kNone = EntryType::Missing;
    struct Case {
        const char* what;
        std::vector<std::string> oldNames, renamedNames;
        std::vector<Found> found;
    };
    const Case cases[] = {
        {"a chain whose later link comes later in the list",
         {"a.mp3", "b.mp3"},
         {"b.mp3", "c2.mp3"},
         {{1, 0, K::HeldByRow, kNone}}},
        {"a chain in an order that works", {"a.mp3", "b.mp3"}, {"z.mp3", "a.mp3"}, {}},
        {"a swap",
         {"a.mp3", "b.mp3"},
         {"b.mp3", "a.mp3"},
         {{1, 0, K::HeldByRow, kNone}, {0, 1, K::HeldByRow, kNone}}},
        {"a folder, a FIFO, a dangling link, a file not listed",
         {"a.mp3", "b.mp3", "c.mp3", "d.mp3"},
         {"Folder.mp3", "Pipe.mp3", "Dangling.mp3", "notes.txt"},
         {{0, 0, K::HeldByEntry, EntryType::Directory},
          {1, 1, K::HeldByEntry, EntryType::Other},
          {2, 2, K::HeldByEntry, EntryType::Link},
          {3, 3, K::HeldByEntry, EntryType::Regular}}},
        {"a file whose rename fails keeps its name from the next",
         {"a.mp3", "b.mp3"},
         {"Folder.mp3", "a.mp3"},
         {{0, 0, K::HeldByEntry, EntryType::Directory}, {0, 1, K::HeldByRow, kNone}}},
        {"names Save refuses",
         {"a.mp3", "b.mp3", "c.mp3"},
         {".mp3", "x/y.mp3", "two\nlines.mp3"},
         {{0, 0, K::Refused, kNone}, {1, 1, K::Refused, kNone}, {2, 2, K::Refused, kNone}}},
        {"an equal proposal and a folder: both reasons, in row order",
         {"a.mp3", "b.mp3"},
         {"Folder.mp3", "Folder.mp3"},
         {{0, 0, K::HeldByEntry, EntryType::Directory},
          {0, 1, K::SameName, kNone},
          {1, 1, K::HeldByEntry, EntryType::Directory}}},
    };
    for (const Case& c : cases) {
        WorkingSet set;
        testing::SetLists(set, c.oldNames, c.renamedNames);
        std::vector<Found> found;
        for (const ClashPair& clash : FindClashes(set, dir.Path())) {
            found.emplace_back(clash.first, clash.second, clash.kind, clash.holder);
        }
        EXPECT_EQ(found, c.found) << c.what;
    }
}

TEST(ClashesTest, PartnersPointTheFirstOfAGroupAtTheSecondAndTheOthersAtTheFirst) {
    const std::vector<long> partners = ClashPartners(5, {{0, 1}, {0, 3}});
    EXPECT_EQ(partners, (std::vector<long>{1, 0, kNoClash, 0, kNoClash}));
}

}  // namespace
}  // namespace tagnomen

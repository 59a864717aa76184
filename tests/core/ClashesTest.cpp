// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

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
        {"the old name of a file that is renamed is free", {"a", "b"}, {"b", "c"}, {}},
        {"two files swapping names do not clash", {"a", "b"}, {"b", "a"}, {}},
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

TEST(ClashesTest, PartnersPointTheFirstOfAGroupAtTheSecondAndTheOthersAtTheFirst) {
    const std::vector<long> partners = ClashPartners(5, {{0, 1}, {0, 3}});
    EXPECT_EQ(partners, (std::vector<long>{1, 0, kNoClash, 0, kNoClash}));
}

}  // namespace
}  // namespace tagnomen

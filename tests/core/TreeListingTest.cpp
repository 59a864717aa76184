// SPDX-License-Identifier: GPL-3.0-or-later
// The MP3 files of a tree: order, links to folders, hidden folders and
// folders that cannot be read.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TempDir.h"
#include "platform/TreeListing.h"

namespace tagnomen {
namespace {

namespace fs = std::filesystem;

TEST(TreeListing, FoldersInNameOrderLinksNotFollowedHiddenLeftOut) {
    testing::TempDir top;
    for (const char* file :
         {"b.mp3", "A.MP3", "notes.txt", "Zed/1.mp3", "alpha/beta/2.mp3", "alpha/3.mp3",
          "alpha/beta/1.mp3", ".hidden/x.mp3", "empty/readme", "Zed/.x.mp3"}) {
        fs::create_directories(fs::path(top / file).parent_path());
        testing::WriteFile(top / file, "x");
    }
    fs::create_symlink(top / "alpha", top / "link-to-alpha");
    fs::create_symlink(top / "b.mp3", top / "alpha/link.mp3");
    const TreeListing listing = ListMp3FilesBelow(top.Path());
    EXPECT_EQ(listing.files,
              (std::vector<std::string>{"A.MP3", "b.mp3", "alpha/3.mp3", "alpha/link.mp3",
                                        "alpha/beta/1.mp3", "alpha/beta/2.mp3", "Zed/.x.mp3",
                                        "Zed/1.mp3"}));
    EXPECT_TRUE(listing.unreadable.empty());
}

TEST(TreeListing, AFolderThatCannotBeReadIsNamedAndTheRestListed) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root reads every folder";
    }
    testing::TempDir top;
    fs::create_directories(top / "closed");
    fs::create_directories(top / "open");
    testing::WriteFile(top / "open/a.mp3", "x");
    ASSERT_EQ(chmod((top / "closed").c_str(), 0), 0);
    const TreeListing listing = ListMp3FilesBelow(top.Path());
    chmod((top / "closed").c_str(), 0755);
    EXPECT_EQ(listing.files, std::vector<std::string>{"open/a.mp3"});
    ASSERT_EQ(listing.unreadable.size(), 1u);
    EXPECT_EQ(listing.unreadable[0].folder, "closed");
    EXPECT_NE(listing.unreadable[0].error, 0);
}

}  // namespace
}  // namespace tagnomen

// SPDX-License-Identifier: GPL-3.0-or-later
// The work directory chooser without a window: the tree of "/" and the home
// directory, folders listed on selection, single expansion, OK's check and
// what it stores, and the current directory left as it was.
#include "platform/UserDirectories.h"
#include "tools/DirectoryChooserModel.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <filesystem>

#include <cstdlib>
#include <string>
#include <vector>

#include "ScriptedUi.h"
#include "TempDir.h"
#include "app/Workbench.h"
#include "platform/FileSystem.h"
#include "session/RenamingContext.h"
#include "settings/SettingsStore.h"

namespace tagnomen {
namespace {

// Points HOME at a directory for the test's life.
class ScopedHome {
  public:
    explicit ScopedHome(const std::string& home) {
        if (const char* previous = std::getenv("HOME")) {
            previous_ = previous;
            hadPrevious_ = true;
        }
        setenv("HOME", home.c_str(), 1);
    }
    ~ScopedHome() {
        if (hadPrevious_) {
            setenv("HOME", previous_.c_str(), 1);
        } else {
            unsetenv("HOME");
        }
    }

  private:
    std::string previous_;
    bool hadPrevious_ = false;
};

void MakeDirectory(const std::string& path) {
    ASSERT_EQ(mkdir(path.c_str(), 0755), 0) << path;
}

class DirectoryChooserModelTest : public ::testing::Test {
  protected:
    DirectoryChooserModelTest()
        : homeGuard_(home_.Path()), store_(settingsDir_ / "settings.reg"), context_(store_, ui_) {
        store_.FirstRunCheck();
        MakeDirectory(home_ / "Music");
        MakeDirectory(home_ / "alpha");
        MakeDirectory(home_ / "Zeta");
        MakeDirectory(home_ / ".hidden");
        MakeDirectory(home_ / "Music/Rock");
        MakeDirectory(home_ / "Music/Jazz");
        home_.Write("notes.txt", "not a folder");
        EXPECT_EQ(symlink((home_ / "Zeta").c_str(), (home_ / "link-to-zeta").c_str()), 0);
    }

    // The child of an item with the given text, or kNoItem.
    static int Child(const DirectoryChooserModel& model, int item, const std::string& text) {
        for (int child : model.ItemAt(item).children) {
            if (model.ItemAt(child).text == text) {
                return child;
            }
        }
        return DirectoryChooserModel::kNoItem;
    }
    static std::vector<std::string> ChildTexts(const DirectoryChooserModel& model, int item) {
        std::vector<std::string> texts;
        for (int child : model.ItemAt(item).children) {
            texts.push_back(model.ItemAt(child).text);
        }
        return texts;
    }
    static int HomeItem(const DirectoryChooserModel& model) { return model.TopItems().at(1); }

    testing::CurrentDirectoryGuard cwdGuard_;
    testing::TempDir home_;
    ScopedHome homeGuard_;
    testing::TempDir settingsDir_;
    SettingsStore store_;
    ScriptedUi ui_;
    RenamingContext context_;
};

TEST_F(DirectoryChooserModelTest, TopItemsAreTheRootAndTheHomeDirectoryWithTheDrivePicture) {
    DirectoryChooserModel model(context_, ChooserMode::WorkDirectory);
    ASSERT_EQ(model.TopItems().size(), 2u);
    EXPECT_EQ(model.ItemAt(model.TopItems()[0]).text, "/");
    EXPECT_EQ(model.ItemAt(model.TopItems()[1]).text, home_.Path());
    for (int top : model.TopItems()) {
        EXPECT_TRUE(model.IsTopItem(top));
        EXPECT_TRUE(model.ItemAt(top).children.empty()) << "listed before the first selection";
        EXPECT_EQ(model.Image(top, false), ChooserImage::Drive);
        EXPECT_EQ(model.Image(top, true), ChooserImage::Drive);
    }
    EXPECT_EQ(model.Selected(), DirectoryChooserModel::kNoItem);
}

TEST_F(DirectoryChooserModelTest, SelectingListsVisibleFoldersSortedAndShowsTheFullPath) {
    DirectoryChooserModel model(context_, ChooserMode::WorkDirectory);
    const int home = HomeItem(model);
    model.Select(home);
    EXPECT_EQ(model.Text(), home_.Path());
    // Hidden folders and plain files are left out; a link to a folder is a folder.
    EXPECT_EQ(ChildTexts(model, home),
              (std::vector<std::string>{"alpha", "link-to-zeta", "Music", "Zeta"}));

    const int music = Child(model, home, "Music");
    model.Select(music);
    EXPECT_EQ(model.Text(), home_ / "Music");
    EXPECT_EQ(ChildTexts(model, music), (std::vector<std::string>{"Jazz", "Rock"}));
    model.Select(Child(model, music, "Rock"));
    EXPECT_EQ(model.Text(), home_ / "Music/Rock");
    EXPECT_EQ(model.FullPath(Child(model, music, "Jazz")), home_ / "Music/Jazz");
}

TEST_F(DirectoryChooserModelTest, TheRootItemStandsForSlashAndItsFoldersForSlashName) {
    DirectoryChooserModel model(context_, ChooserMode::WorkDirectory);
    const int root = model.TopItems()[0];
    model.Select(root);
    EXPECT_EQ(model.Text(), "/");
    ASSERT_FALSE(model.ItemAt(root).children.empty());
    for (int child : model.ItemAt(root).children) {
        EXPECT_EQ(model.FullPath(child), "/" + model.ItemAt(child).text);
        EXPECT_NE(model.ItemAt(child).text[0], '.');
    }
}

TEST_F(DirectoryChooserModelTest, OnlyTheSelectedBranchIsExpanded) {
    DirectoryChooserModel model(context_, ChooserMode::WorkDirectory);
    const int root = model.TopItems()[0];
    const int home = HomeItem(model);
    model.Select(home);
    const int music = Child(model, home, "Music");
    const int alpha = Child(model, home, "alpha");
    model.Select(music);
    const int rock = Child(model, music, "Rock");
    model.Select(rock);

    struct Case {
        int selected;
        std::vector<int> expanded;
        std::vector<int> collapsed;
    };
    const std::vector<Case> cases = {
        {rock, {home, music, rock}, {root, alpha}},
        {alpha, {home, alpha}, {root, music, rock}},
        {music, {home, music}, {root, alpha, rock}},
        {root, {root}, {home, music, alpha, rock}},
    };
    for (const Case& c : cases) {
        model.Select(c.selected);
        EXPECT_EQ(model.Selected(), c.selected);
        for (int item : c.expanded) {
            EXPECT_TRUE(model.IsExpanded(item)) << model.FullPath(item);
        }
        for (int item : c.collapsed) {
            EXPECT_FALSE(model.IsExpanded(item)) << model.FullPath(item);
        }
    }
}

TEST_F(DirectoryChooserModelTest, OnlyItemsWithoutFoldersAreScannedAgain) {
    DirectoryChooserModel model(context_, ChooserMode::WorkDirectory);
    const int home = HomeItem(model);
    model.Select(home);
    const int alpha = Child(model, home, "alpha");
    model.Select(alpha);
    EXPECT_TRUE(model.ItemAt(alpha).children.empty());

    MakeDirectory(home_ / "alpha/new");
    MakeDirectory(home_ / "later");
    model.Select(home);
    model.Select(alpha);
    EXPECT_EQ(ChildTexts(model, alpha), (std::vector<std::string>{"new"}));
    // Home had folders already: it is not listed again, so nothing is doubled
    // and the new folder stays out until the chooser is opened again.
    EXPECT_EQ(Child(model, home, "later"), DirectoryChooserModel::kNoItem);
    EXPECT_EQ(model.ItemAt(home).children.size(), 4u);
}

TEST_F(DirectoryChooserModelTest, FolderThatCannotBeListedGetsNoChildren) {
    DirectoryChooserModel model(context_, ChooserMode::WorkDirectory);
    model.Select(HomeItem(model));
    const int alpha = Child(model, HomeItem(model), "alpha");
    // Gone since it was listed; the current directory has folders, so a
    // listing that went on after the failure would show them.
    ASSERT_EQ(rmdir((home_ / "alpha").c_str()), 0);
    ASSERT_TRUE(ChangeDirectory(home_.Path()));
    model.Select(alpha);
    EXPECT_TRUE(model.ItemAt(alpha).children.empty());
    EXPECT_EQ(model.Selected(), alpha);
    EXPECT_EQ(model.Text(), home_ / "alpha");
}

TEST_F(DirectoryChooserModelTest, CurrentDirectoryIsTheSameAfterEveryAction) {
    ASSERT_TRUE(ChangeDirectory(settingsDir_.Path()));
    const std::string before = CurrentDirectory();
    DirectoryChooserModel model(context_, ChooserMode::WorkDirectory);
    EXPECT_EQ(CurrentDirectory(), before);
    model.Select(HomeItem(model));
    EXPECT_EQ(CurrentDirectory(), before);
    model.Select(Child(model, HomeItem(model), "Music"));
    EXPECT_EQ(CurrentDirectory(), before);
    model.SetText(home_ / "nowhere");
    EXPECT_FALSE(model.Accept());
    EXPECT_EQ(CurrentDirectory(), before);
    model.SetText(home_ / "Zeta");
    EXPECT_TRUE(model.Accept());
    EXPECT_EQ(CurrentDirectory(), before);
}

TEST_F(DirectoryChooserModelTest, OkChecksTheTextAndStoresItAsTyped) {
    home_.Write("song.mp3", "");
    // "~/" and 250 characters fit the edit but not the setting once expanded.
    const std::string longName(250, 'd');
    MakeDirectory(home_ / longName);
    struct Case {
        std::string typed;
        bool valid;
        std::string stored;  // PathToWork afterwards
    };
    const std::string before = "/stored/before";
    // A relative path is stored absolute: read back from anywhere else it
    // would name another directory.
    testing::CurrentDirectoryGuard cwd;
    ASSERT_TRUE(ChangeDirectory(home_ / "Music"));
    const std::string music = std::filesystem::canonical(home_ / "Music").string();
    const std::vector<Case> cases = {
        {".", true, music},
        {"Rock", true, music + "/Rock"},
        {"../alpha", true, std::filesystem::canonical(home_ / "alpha").string()},
        {"Missing", false, before},
        {home_ / "Music", true, home_ / "Music"},
        {home_ / "Music/", true, home_ / "Music/"},  // trailing separator kept
        {home_ / "Music/../alpha", true, home_ / "Music/../alpha"},
        {"~/Music", true, home_ / "Music"},  // "~" stored expanded
        {"~", true, home_.Path()},
        {home_ / "nowhere", false, before},
        {home_ / "song.mp3", false, before},
        {"~nobody-here", false, before},
        {"~/" + longName, false, before},
        {"", false, before},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        store_.SetPathToWork(before);
        ui_.calls.clear();
        DirectoryChooserModel model(context_, ChooserMode::WorkDirectory);
        model.SetText(c.typed);
        EXPECT_EQ(model.Accept(), c.valid);
        EXPECT_EQ(model.Accepted(), c.valid);
        std::string stored;
        store_.GetPathToWork(stored);
        EXPECT_EQ(stored, c.stored);
        EXPECT_EQ(context_.caches.workDirectory, c.stored);
        if (c.valid) {
            EXPECT_TRUE(ui_.calls.empty());
        } else {
            ASSERT_EQ(ui_.calls.size(), 1u);
            EXPECT_EQ(ui_.calls[0].caption, "Invalid Directory");
            EXPECT_EQ(ui_.calls[0].text, c.typed + " is not a valid directory!");
            EXPECT_EQ(ui_.calls[0].icon, MessageIcon::Warning);
        }
    }
}

// The organizer's root with full tag support: a typed root that does not
// exist is offered for creation; elsewhere it is refused as before.
TEST_F(DirectoryChooserModelTest, AMissingRootIsOfferedForCreationWhereFoldersAreMade) {
    const struct {
        ChooserMode mode;
        bool full;
        bool yes;
        std::vector<std::string> boxes;  // captions
        bool made;
    } cases[] = {
        {ChooserMode::Root, true, true, {"Create Folder"}, true},
        {ChooserMode::Root, true, false, {"Create Folder"}, false},
        {ChooserMode::Root, false, true, {"Invalid Directory"}, false},
        {ChooserMode::WorkDirectory, true, true, {"Invalid Directory"}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "full " << c.full << ", yes " << c.yes);
        context_.fullTagSupport = c.full;
        ui_.calls.clear();
        ui_.yesNoAnswers = {c.yes};
        DirectoryChooserModel model(context_, c.mode);
        model.SetText("~/new/deeper");
        EXPECT_EQ(model.Accept(), c.made);
        std::vector<std::string> captions;
        for (const UiCall& call : ui_.calls) {
            captions.push_back(call.caption);
        }
        EXPECT_EQ(captions, c.boxes);
        EXPECT_EQ(IsDirectory(home_ / "new/deeper"), c.made);
        std::filesystem::remove_all(home_ / "new");
    }
}

TEST_F(DirectoryChooserModelTest, NewFolderIsMadeInsideTheFolderTheTextNames) {
    DirectoryChooserModel model(context_, ChooserMode::Root);
    ASSERT_TRUE(model.CanCreateFolders());
    const int home = HomeItem(model);
    model.Select(home);
    ASSERT_TRUE(model.CreateFolder("Sorted"));
    EXPECT_TRUE(IsDirectory(home_ / "Sorted"));
    EXPECT_EQ(model.Text(), home_ / "Sorted");
    EXPECT_EQ(model.ItemAt(model.Selected()).parent, home) << "the new folder is selected";
    ui_.calls.clear();
    for (const char* name : {"", "a/b", "..", "Sorted"}) {
        model.SetText(home_.Path());
        EXPECT_FALSE(model.CreateFolder(name)) << name;
    }
    EXPECT_EQ(ui_.MessageTexts(),
              (std::vector<std::string>{
                  " is not a valid folder name!", "a/b is not a valid folder name!",
                  ".. is not a valid folder name!", "Unable to create " + (home_ / "Sorted")}));
    EXPECT_EQ(ui_.calls.back().reason, "File exists");
    EXPECT_FALSE(DirectoryChooserModel(context_, ChooserMode::WorkDirectory).CanCreateFolders());
}

TEST_F(DirectoryChooserModelTest, ARootNeverChosenStartsAtTheMusicFolder) {
    MakeDirectory(home_ / ".config");
    home_.Write(".config/user-dirs.dirs", "XDG_MUSIC_DIR=\"$HOME/Music\"\n");
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const bool hadConfig = config != nullptr;
    const std::string savedConfig = hadConfig ? config : "";
    unsetenv("XDG_CONFIG_HOME");
    const struct {
        std::string stored;
        bool full;
        std::string shown;
    } cases[] = {{"/", true, home_ / "Music"}, {"/", false, "/"}, {"/srv", true, "/srv"}};
    for (const auto& c : cases) {
        store_.SetRootOrganizePath(c.stored);
        context_.fullTagSupport = c.full;
        EXPECT_EQ(DirectoryChooserModel(context_, ChooserMode::Root).Text(), c.shown) << c.stored;
    }
    if (hadConfig) {
        setenv("XDG_CONFIG_HOME", savedConfig.c_str(), 1);
    }
}

TEST_F(DirectoryChooserModelTest, DirectoryCommandListsTheFolderChosenInTheTree) {
    home_.Write("Music/b.mp3", "");
    home_.Write("Music/A.MP3", "");
    Workbench workbench(store_, ui_);
    ui_.dialogs.directoryChooser.Push([](DirectoryChooserModel& chooser) {
        const int home = chooser.TopItems().at(1);
        chooser.Select(home);
        for (int child : chooser.ItemAt(home).children) {
            if (chooser.ItemAt(child).text == "Music") {
                chooser.Select(child);
            }
        }
        return chooser.Accept();
    });
    workbench.ChooseDirectory();
    std::string stored;
    store_.GetPathToWork(stored);
    EXPECT_EQ(stored, home_ / "Music");
    EXPECT_EQ(workbench.Set().OldNames(), (std::vector<std::string>{"A.MP3", "b.mp3"}));
}

}  // namespace
}  // namespace tagnomen

namespace tagnomen {
namespace {

TEST(UserDirectoriesTest, MusicLineOfTheUserDirectoriesFile) {
    struct Case {
        const char* line;
        const char* path;
    };
    for (const Case& c :
         {Case{"XDG_MUSIC_DIR=\"$HOME/Music\"", "/home/u/Music"},
          Case{"XDG_MUSIC_DIR=\"$HOME/Musik/\"", "/home/u/Musik"},
          Case{"XDG_MUSIC_DIR=\"/srv/music\"", "/srv/music"}, Case{"XDG_MUSIC_DIR=\"Music\"", ""},
          Case{"# XDG_MUSIC_DIR=\"$HOME/Music\"", ""}, Case{"XDG_MUSIC_DIRS=\"$HOME/Music\"", ""},
          Case{"XDG_VIDEOS_DIR=\"$HOME/Videos\"", ""}, Case{"XDG_MUSIC_DIR=\"$HOME/Music", ""}}) {
        EXPECT_EQ(UserDirectoryFromLine(c.line, "XDG_MUSIC_DIR", "/home/u"), c.path) << c.line;
    }
}

}  // namespace
}  // namespace tagnomen

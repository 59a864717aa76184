// SPDX-License-Identifier: GPL-3.0-or-later
// The renaming context's copies of the text settings: refreshed by every
// read and store that goes through the context, and by nothing else.
#include <gtest/gtest.h>

#include <string>

#include "ScriptedUi.h"
#include "TempDir.h"
#include "session/RenamingContext.h"
#include "settings/SettingsStore.h"

namespace tagnomen {
namespace {

class RenamingContextCopies : public ::testing::Test {
  protected:
    testing::TempDir dir_;
    SettingsStore store_{dir_ / "s.reg"};
    // Another copy of the program, writing the same settings file.
    SettingsStore other_{dir_ / "s.reg"};
    // The defaults are written before the context reads its copies.
    FirstRunResult firstRun_ = store_.FirstRunCheck();
    ScriptedUi ui_;
    RenamingContext context_{store_, ui_};
};

TEST_F(RenamingContextCopies, ReadsAndStoresThroughTheContextRefreshTheCopies) {
    context_.StoreTemplate("%Title");
    context_.StoreOrganizeRoot("/root/x");
    EXPECT_EQ(context_.caches.templateText, "%Title");
    EXPECT_EQ(context_.caches.organizeRoot, "/root/x");
    other_.SetPathToWork("/music");
    EXPECT_EQ(context_.ReadPathToWork(), "/music");
    EXPECT_EQ(context_.caches.workDirectory, "/music");
}

TEST_F(RenamingContextCopies, TheStoreAloneLeavesTheCopiesAsTheyWere) {
    EXPECT_EQ(context_.caches.workDirectory, "/") << "read when the context is made";
    store_.SetTemplate("%Artist");
    store_.SetPathToWork("/elsewhere");
    std::string read;
    store_.GetTemplate(read);
    EXPECT_EQ(read, "%Artist");
    EXPECT_EQ(context_.caches.templateText, "");
    EXPECT_EQ(context_.caches.workDirectory, "/");
}

}  // namespace
}  // namespace tagnomen

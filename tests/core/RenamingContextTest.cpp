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

using testing::TempDir;
using testing::WriteFile;

constexpr const char* kHeader =
    "Windows Registry Editor Version 5.00\n\n"
    "[HKEY_CURRENT_USER\\Software\\Corvanel\\Velk\\Tagnomen31\\Data]\n";

TEST(RenamingContextCopies, ReadsAndStoresThroughTheContextRefreshTheCopies) {
    TempDir dir;
    SettingsStore store(dir / "s.reg");
    store.FirstRunCheck();
    ScriptedUi ui;
    RenamingContext context(store, ui);
    context.StoreTemplate("%Title");
    context.StoreOrganizeRoot("/root/x");
    EXPECT_EQ(context.caches.templateText, "%Title");
    EXPECT_EQ(context.caches.organizeRoot, "/root/x");
    WriteFile(dir / "s.reg", std::string(kHeader) + "\"PathToWork\"=\"/music\"\n");
    EXPECT_EQ(context.ReadPathToWork(), "/music");
    EXPECT_EQ(context.caches.workDirectory, "/music");
}

TEST(RenamingContextCopies, TheStoreAloneLeavesTheCopiesAsTheyWere) {
    TempDir dir;
    SettingsStore store(dir / "s.reg");
    store.FirstRunCheck();
    ScriptedUi ui;
    RenamingContext context(store, ui);
    EXPECT_EQ(context.caches.workDirectory, "/") << "read when the context is made";
    store.SetTemplate("%Artist");
    store.SetPathToWork("/elsewhere");
    std::string read;
    store.GetTemplate(read);
    EXPECT_EQ(read, "%Artist");
    EXPECT_EQ(context.caches.templateText, "");
    EXPECT_EQ(context.caches.workDirectory, "/");
}

}  // namespace
}  // namespace tagnomen

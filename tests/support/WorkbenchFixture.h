// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A Workbench over a settings file that has had its first run and whose work
// directory is a fresh folder, music_. Start() builds and starts the Workbench.
#include <gtest/gtest.h>

#include <memory>

#include "ScriptedUi.h"
#include "TempDir.h"
#include "app/Workbench.h"
#include "settings/SettingsStore.h"

namespace tagnomen::testing {

class WorkbenchFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        SettingsStore setup(settingsDir_ / "s.reg");
        setup.FirstRunCheck();
        setup.SetPathToWork(music_.Path());
    }

    Workbench& Start() {
        workbench_ = std::make_unique<Workbench>(store_, ui_);
        EXPECT_EQ(workbench_->Start(), StartResult::Ready);
        return *workbench_;
    }

    CurrentDirectoryGuard cwd_;
    TempDir settingsDir_;
    TempDir music_;
    SettingsStore store_{settingsDir_ / "s.reg"};
    ScriptedUi ui_;
    std::unique_ptr<Workbench> workbench_;
};

}  // namespace tagnomen::testing

// SPDX-License-Identifier: GPL-3.0-or-later
// The name format dialog without a window: what opening shows for each
// stored "Brackets", the template edit's rules, what OK stores, and that
// leaving without OK stores nothing.
#include "tools/NameFormatModel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScriptedUi.h"
#include "TempDir.h"
#include "rename/NameTemplate.h"
#include "session/RenamingContext.h"
#include "settings/SettingsStore.h"
#include "tools/Tools.h"

namespace tagnomen {
namespace {

class NameFormatModelTest : public ::testing::Test {
  protected:
    NameFormatModelTest() : store_(settingsDir_ / "settings.reg"), context_(store_, ui_) {
        store_.FirstRunCheck();
    }

    struct Stored {
        int brackets = -99;
        int useTemplate = -99;
        std::string templateText;
    };
    Stored Read() {
        Stored s;
        store_.GetBrackets(s.brackets);
        store_.GetUseTemplate(s.useTemplate);
        s.templateText = store_.GetString("Template");
        return s;
    }
    void Prepare(int brackets, int useTemplate, const std::string& templateText) {
        store_.SetBrackets(brackets);
        store_.SetUseTemplate(useTemplate);
        store_.SetString("Template", templateText);
        context_.useTemplate = useTemplate == 1;
        context_.caches.templateText.clear();
    }

    testing::TempDir settingsDir_;
    SettingsStore store_;
    ScriptedUi ui_;
    RenamingContext context_;
};

TEST_F(NameFormatModelTest, OpeningFollowsTheStoredBrackets) {
    struct Case {
        int brackets;
        NameFormatChoice choice;
        std::string shownTemplate;
        bool templateEnabled;
    };
    const std::vector<Case> cases = {
        {1, NameFormatChoice::Brackets, "", false},
        {0, NameFormatChoice::Plain, "", false},
        {2, NameFormatChoice::Free, "%Artist - %Title", true},
        {7, NameFormatChoice::None, "", false},
        {-1, NameFormatChoice::None, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.brackets);
        Prepare(c.brackets, 0, "%Artist - %Title");
        NameFormatModel model(context_);
        EXPECT_STREQ(model.Title(), "Format To Rename");
        EXPECT_EQ(model.Choice(), c.choice);
        EXPECT_EQ(model.TemplateText(), c.shownTemplate);
        EXPECT_EQ(model.TemplateEnabled(), c.templateEnabled);
    }
}

TEST_F(NameFormatModelTest, NewlyChosenFreeFormatTakesTheDefaultTemplate) {
    Prepare(2, 1, "%Title");
    NameFormatModel model(context_);
    EXPECT_EQ(model.TemplateText(), "%Title");
    model.Choose(NameFormatChoice::Free);  // already chosen
    EXPECT_EQ(model.TemplateText(), "%Title");

    model.Choose(NameFormatChoice::Plain);
    EXPECT_EQ(model.TemplateText(), "");
    EXPECT_FALSE(model.TemplateEnabled());
    model.SetTemplateText("typed while disabled");
    EXPECT_EQ(model.TemplateText(), "");

    model.Choose(NameFormatChoice::Free);
    EXPECT_EQ(model.TemplateText(), kDefaultTemplate);
    EXPECT_TRUE(model.TemplateEnabled());
    model.SetTemplateText("%Artist");
    model.Choose(NameFormatChoice::Brackets);
    model.Choose(NameFormatChoice::Free);
    EXPECT_EQ(model.TemplateText(), kDefaultTemplate) << "the typed template is replaced";
}

TEST_F(NameFormatModelTest, OkStoresTheChoice) {
    struct Case {
        std::string name;
        int brackets, useTemplate;  // stored before
        NameFormatChoice choose;
        const char* typed;  // into the template edit, nullptr for none
        Stored expected;
    };
    const std::vector<Case> cases = {
        {"plain after free", 2, 1, NameFormatChoice::Plain, nullptr, {0, 0, "%Old"}},
        {"brackets after plain", 0, 0, NameFormatChoice::Brackets, nullptr, {1, 0, "%Old"}},
        {"free typed", 1, 0, NameFormatChoice::Free, "%Track. %Title", {2, 1, "%Track. %Title"}},
        {"free as filled in", 0, 0, NameFormatChoice::Free, nullptr, {2, 1, kDefaultTemplate}},
        {"free kept as stored", 2, 1, NameFormatChoice::Free, nullptr, {2, 1, "%Old"}},
        {"free emptied", 1, 0, NameFormatChoice::Free, "", {2, 1, ""}},
        // No button chosen: Brackets stays, UseTemplate and Template are
        // written back as they were.
        {"none, template on", 7, 1, NameFormatChoice::None, nullptr, {7, 1, "%Old"}},
        {"none, template off", 7, 0, NameFormatChoice::None, nullptr, {7, 0, "%Old"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Prepare(c.brackets, c.useTemplate, "%Old");
        NameFormatModel model(context_);
        model.Choose(c.choose);
        if (c.typed != nullptr) {
            model.SetTemplateText(c.typed);
        }
        model.Accept();
        EXPECT_TRUE(model.Accepted());
        const Stored stored = Read();
        EXPECT_EQ(stored.brackets, c.expected.brackets);
        EXPECT_EQ(stored.useTemplate, c.expected.useTemplate);
        EXPECT_EQ(stored.templateText, c.expected.templateText);
        EXPECT_EQ(context_.useTemplate, c.expected.useTemplate == 1);
        EXPECT_EQ(context_.caches.templateText, c.expected.templateText);
    }
}

TEST_F(NameFormatModelTest, LeavingWithoutOkStoresNothing) {
    Prepare(1, 0, "%Old");
    const std::string before = testing::ReadFile(store_.Path());
    ui_.dialogs.nameFormat.Push([](NameFormatModel& dialog) {
        dialog.Choose(NameFormatChoice::Free);
        dialog.SetTemplateText("%Title");
        return false;  // Escape
    });
    RunNameFormatDialog(context_, "");
    EXPECT_TRUE(ui_.dialogs.nameFormat.Empty());
    EXPECT_EQ(testing::ReadFile(store_.Path()), before);
    EXPECT_FALSE(context_.useTemplate);

    ui_.dialogs.nameFormat.Push([](NameFormatModel& dialog) {
        dialog.Choose(NameFormatChoice::Free);
        dialog.SetTemplateText("%Title");
        dialog.Accept();
        return true;
    });
    RunNameFormatDialog(context_, "");
    EXPECT_EQ(Read().templateText, "%Title");
    EXPECT_TRUE(context_.useTemplate);
}

}  // namespace
}  // namespace tagnomen

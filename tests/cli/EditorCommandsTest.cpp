// SPDX-License-Identifier: GPL-3.0-or-later
// The CLI's format, edit and mass-edit commands, run in-process: what they
// store or change, their messages, and their usage errors.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "CliRunner.h"
#include "TempDir.h"

namespace tagnomen::cli {
namespace {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

class EditorCommandsTest : public ::testing::Test {
  protected:
    EditorCommandsTest() {
        work_.Write("Alpha - One.mp3", "");
        work_.Write("Beta - Two.mp3", "");
        work_.Write("Gamma - Three.mp3", "");
    }

    // Runs the commands after choosing the work directory.
    CliResult Cli(const std::vector<std::string>& commands) {
        std::vector<std::string> args = {"--settings", settings_ / "settings.reg",
                                         "--answer",   "no",
                                         "-c",         "dir '" + work_.Path() + "'"};
        for (const std::string& command : commands) {
            args.push_back("-c");
            args.push_back(command);
        }
        std::ostringstream out, err;
        std::istringstream in;
        CliResult run;
        run.status = RunCli(args, out, err, in, false);
        run.out = out.str();
        run.err = err.str();
        return run;
    }

    // The proposed names printed by the last "show" of a run.
    static std::vector<std::string> Proposed(const std::string& showOutput) {
        std::vector<std::string> names;
        std::istringstream lines(showOutput);
        for (std::string line; std::getline(lines, line);) {
            names.push_back(line.substr(line.find('\t') + 1));
        }
        return names;
    }

    // The value of NAME in the output of "settings".
    static std::string Setting(const std::string& output, const std::string& name) {
        std::istringstream lines(output);
        for (std::string line; std::getline(lines, line);) {
            if (line.rfind(name + "=", 0) == 0) {
                return line.substr(name.size() + 1);
            }
        }
        return "<missing>";
    }

    testing::TempDir work_;
    testing::TempDir settings_;
};

TEST_F(EditorCommandsTest, FormatStoresTheChosenButton) {
    struct Case {
        std::string command;
        std::string brackets, useTemplate, templateText;
    };
    const std::vector<Case> cases = {
        {"format free '%Title - %Artist'", "2", "1", "%Title - %Artist"},
        {"format plain", "0", "0", "%Title - %Artist"},
        {"format free", "2", "1", "{#%Track - }(%Artist) -{ %Album -} %Title{ (%Year)}"},
        {"format free ''", "2", "1", ""},
        {"format brackets", "1", "0", ""},
    };
    // One after the other on the same settings file.
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        CliResult run = Cli({c.command, "settings"});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(Setting(run.out, "Brackets"), c.brackets);
        EXPECT_EQ(Setting(run.out, "UseTemplate"), c.useTemplate);
        EXPECT_EQ(Setting(run.out, "Template"), c.templateText);
    }
}

TEST_F(EditorCommandsTest, EditTypesIntoTheFieldAndKeepsTheExtensionFlag) {
    CliResult before = Cli({"rename", "show"});
    ASSERT_EQ(before.status, 0) << before.err;
    const std::vector<std::string> proposed = Proposed(before.out);
    ASSERT_EQ(proposed.size(), 3u);
    ASSERT_NE(proposed[1].find(".mp3"), std::string::npos);

    CliResult run = Cli({"rename", "edit 1 'Fresh Name'", "show"});
    EXPECT_EQ(run.status, 0) << run.err;
    std::vector<std::string> expected = proposed;
    expected[1] = "Fresh Name.mp3";
    EXPECT_EQ(Proposed(run.out), expected);

    // A name that would pass 255 bytes: the Error box, exit 1, and the run
    // stops there.
    run = Cli({"rename", "edit 1 '" + std::string(252, 'x') + "'", "show"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("longer than 255 bytes"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("stopped at command 3 of 4"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");

    // An entry that does not exist: nothing to edit, so the command fails
    // (exit 1) and the run stops before "show".
    run = Cli({"rename", "edit 7 'Other'", "show"});
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_NE(run.err.find("stopped at command 3 of 4"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
}

TEST_F(EditorCommandsTest, MassEditAddsTheTextToTheChosenEntries) {
    CliResult before = Cli({"rename", "show"});
    ASSERT_EQ(before.status, 0) << before.err;
    const std::vector<std::string> p = Proposed(before.out);
    ASSERT_EQ(p.size(), 3u);
    auto beforeExtension = [](const std::string& name, const std::string& text) {
        return name.substr(0, name.size() - 4) + text + name.substr(name.size() - 4);
    };
    auto afterFirst = [](std::string name, const std::string& token, const std::string& text) {
        const std::size_t at = name.find(token);
        return at == std::string::npos ? name : name.insert(at + token.size(), text);
    };

    struct Case {
        std::string command;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"mass-edit begin '01 ' 0 2", {"01 " + p[0], p[1], "01 " + p[2]}},
        {"mass-edit end ' (live)' 1 2",
         {p[0], beforeExtension(p[1], " (live)"), beforeExtension(p[2], " (live)")}},
        {"mass-edit after:- ' Live' 0 1 2",
         {afterFirst(p[0], "-", " Live"), afterFirst(p[1], "-", " Live"),
          afterFirst(p[2], "-", " Live")}},
        {"mass-edit end '' 0 1", p},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        CliResult run = Cli({"rename", c.command, "show"});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(Proposed(run.out), c.expected);
    }
}

TEST_F(EditorCommandsTest, MassEditNeedsTwoDistinctEntries) {
    const CliResult before = Cli({"rename", "show"});
    for (const char* command : {"mass-edit begin X 1", "mass-edit begin X 1 1"}) {
        SCOPED_TRACE(command);
        CliResult run = Cli({"rename", "show", command, "show"});
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find("You must select at least two items from the Renamed File Names "
                               "ListBox"),
                  std::string::npos)
            << run.err;
        EXPECT_EQ(run.out, before.out) << "the second show never runs";
    }
}

TEST_F(EditorCommandsTest, WrongArgumentsAreUsageErrors) {
    const std::vector<std::string> commands = {
        "format",
        "format bold",
        "format plain '%Title'",
        "format free a b",
        "edit 1",
        "edit x Name",
        "edit -1 Name",
        "mass-edit begin",
        "mass-edit middle X 0 1",
        "mass-edit end X 0 one",
    };
    for (const std::string& command : commands) {
        SCOPED_TRACE(command);
        CliResult run = Cli({command});
        EXPECT_EQ(run.status, 2) << run.err;
    }
}

}  // namespace
}  // namespace tagnomen::cli

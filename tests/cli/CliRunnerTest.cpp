// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sstream>

#include "CliRunner.h"
#include "ShellWords.h"
#include "TempDir.h"

namespace tagnomen::cli {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

struct CliResult {
    int status;
    std::string out;
    std::string err;
};

class CliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        music_.Write("03 - the beatles - help!.mp3", "audio");
        music_.Write("b.MP3", "audio");
        music_.Write("notes.txt", "text");
        // A settings file that has had its first run.
        Run({"-c", "settings"});
    }

    CliResult Run(std::vector<std::string> args, const std::string& input = "") {
        args.insert(args.begin(), {"--settings", settings_});
        std::ostringstream out, err;
        std::istringstream in(input);
        int status = RunCli(args, out, err, in, false);
        return {status, out.str(), err.str()};
    }

    testing::CurrentDirectoryGuard cwd_;
    TempDir dir_;
    TempDir music_;
    std::string settings_ = dir_ / "settings.reg";
};

TEST_F(CliTest, DirRenameShowPrintsEachOldNameWithItsProposal) {
    CliResult r = Run({"--quiet", "--transcript", dir_ / "t.jsonl", "-c", "dir " + music_.Path(),
                       "-c", "rename", "-c", "show"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    std::istringstream lines(r.out);
    std::string line;
    std::vector<std::string> olds;
    while (std::getline(lines, line)) {
        std::size_t tab = line.find('\t');
        ASSERT_NE(tab, std::string::npos) << line;
        EXPECT_FALSE(line.substr(tab + 1).empty()) << "every entry got a proposal";
        olds.push_back(line.substr(0, tab));
    }
    EXPECT_EQ(olds, (std::vector<std::string>{"03 - the beatles - help!.mp3", "b.MP3"}));
    EXPECT_NE(ReadFile(dir_ / "t.jsonl")
                  .find("{\"kind\": \"message\", \"caption\": \"Rename of mp3 files completed\", "
                        "\"text\": \"All your files have been renamed.\\nYou can edit them by "
                        "double clicking on the renamed filename.\\nPress Save button to do the "
                        "physical rename of files.\", \"answer\": \"ok\"}"),
              std::string::npos);
}

TEST_F(CliTest, WithoutCommandsADirectoryIsPreviewedAndNothingChanges) {
    CliResult r = Run({"--quiet", music_.Path()});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("b.MP3\t"), std::string::npos);
    EXPECT_EQ(music_.List(),
              (std::vector<std::string>{"03 - the beatles - help!.mp3", "b.MP3", "notes.txt"}));
}

TEST_F(CliTest, ErrorBoxesGiveExitStatusOne) {
    TempDir empty;
    CliResult r = Run({"-c", "dir " + empty.Path(), "-c", "rename"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Error: No mp3 files in current directory!"), std::string::npos);
    EXPECT_EQ(r.err.find("No mp3 files selected to rename!"), std::string::npos) << "not run";
}

// The exit status comes from what the commands did, never from the caption
// of a box, and a script stops at its first failed command, naming it: a
// mistyped "dir" must not go on in the folder stored before.
TEST_F(CliTest, RunStopsAtTheFirstFailedCommandAndNamesIt) {
    ASSERT_EQ(Run({"-c", "dir " + music_.Path()}).status, 0);
    const std::vector<std::string> files = music_.List();
    const std::string typo = "dir " + music_.Path() + "-typo";
    const struct {
        const char* answer;
        std::vector<std::string> commands;
        int status;
        std::string stop;
    } cases[] = {
        {"yes",
         {typo, "method mass", "rename", "save"},
         1,
         "command 1 of 4, which failed: " + typo},
        {"yes", {"undo", "list"}, 1, "command 1 of 2, which failed: undo"},  // no undo file
        {"no", {"rename", "rename", "show"}, 0, ""},  // a No to a question is no failure
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.commands.front());
        std::vector<std::string> args = {"--answer", c.answer};
        for (const std::string& command : c.commands) {
            args.insert(args.end(), {"-c", command});
        }
        const CliResult r = Run(args);
        EXPECT_EQ(r.status, c.status) << r.err;
        if (!c.stop.empty()) {
            EXPECT_NE(r.err.find("tagnomen-cli: stopped at " + c.stop), std::string::npos) << r.err;
        }
        EXPECT_EQ(music_.List(), files);
    }
    EXPECT_NE(Run({"-c", "settings"}).out.find("RenamingMethod=1\n"), std::string::npos)
        << "\"method mass\" never ran";
}

TEST_F(CliTest, UsageErrorsGiveExitStatusTwo) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"-c", "frobnicate"},
                                                 {"--bogus"},
                                                 {"-c", "method loud"},
                                                 {"-c", "underscore maybe"},
                                                 {"-c", "dir 'unclosed"},
                                                 {"-c", "list extra"},
                                                 {"--answer", "perhaps"},
                                                 {"--set", "novalue"},
                                                 {"a", "b"}}) {
        CliResult r = Run(args);
        EXPECT_EQ(r.status, 2) << args[0] << " " << (args.size() > 1 ? args[1] : "");
        EXPECT_NE(r.err.find("tagnomen-cli: "), std::string::npos);
    }
}

TEST_F(CliTest, CommandsRunInOrderOnOneWorkingSet) {
    CliResult r = Run({"--quiet", "-c", "method id3", "-c", "underscore on", "-c", "loader on",
                       "-c", "settings"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("RenamingMethod=0\n"), std::string::npos);
    EXPECT_NE(r.out.find("UnderScoreOption=1\n"), std::string::npos);
    EXPECT_NE(r.out.find("FileInfoLoader=1\n"), std::string::npos);
    // Switching to the state it is already in does nothing.
    r = Run({"--quiet", "-c", "underscore on", "-c", "settings"});
    EXPECT_NE(r.out.find("UnderScoreOption=1\n"), std::string::npos);
}

TEST_F(CliTest, OverlaidSettingsAreSeenButNotStored) {
    CliResult r = Run({"--quiet", "--set", "RenamingMethod=2", "--set", "Template=%Title", "-c",
                       "method id3", "-c", "settings"});
    EXPECT_NE(r.out.find("RenamingMethod=0\n"), std::string::npos);
    EXPECT_NE(r.out.find("Template=%Title\n"), std::string::npos);
    r = Run({"--quiet", "-c", "settings"});
    EXPECT_NE(r.out.find("RenamingMethod=1\n"), std::string::npos);
    EXPECT_EQ(r.out.find("\nTemplate="), std::string::npos);
}

TEST_F(CliTest, QuestionsFollowThePolicyAndTheScriptedAnswers) {
    const std::vector<std::string> base = {
        "--transcript", dir_ / "t.jsonl", "-c", "dir " + music_.Path(), "-c", "rename"};
    auto withRenameAgain = [&](std::vector<std::string> extra) {
        std::vector<std::string> args = extra;
        args.insert(args.end(), base.begin(), base.end());
        args.insert(args.end(), {"-c", "rename", "-c", "show"});
        return Run(args);
    };
    // The second Rename asks about the unsaved names: "no" keeps them.
    CliResult r = withRenameAgain({"--quiet", "--answer", "no"});
    EXPECT_NE(ReadFile(dir_ / "t.jsonl").find("\"kind\": \"question\", \"caption\": \"Warning\""),
              std::string::npos);
    EXPECT_NE(ReadFile(dir_ / "t.jsonl").find("\"answer\": \"no\"}"), std::string::npos);

    WriteFile(dir_ / "answers", "yes\n");
    r = withRenameAgain({"--quiet", "--answers", dir_ / "answers"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(ReadFile(dir_ / "t.jsonl").find("\"answer\": \"yes\"}"), std::string::npos);

    // An answer that does not fit the question is a usage error naming the line.
    WriteFile(dir_ / "answers", "v2\n");
    r = withRenameAgain({"--quiet", "--answers", dir_ / "answers"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("answers line 1"), std::string::npos);

    WriteFile(dir_ / "answers", "maybe\n");
    r = withRenameAgain({"--answers", dir_ / "answers"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(":1: unknown answer 'maybe'"), std::string::npos);
}

TEST_F(CliTest, AnAnswerWithAnExclamationMarkAnswersTheRestOfItsKindAndTheTranscriptKeepsThem) {
    for (const char* name :
         {"a - one (www x).mp3", "b - two (www y).mp3", "c - three (www z).mp3"}) {
        music_.Write(name, "x");
    }
    WriteFile(dir_ / "answers", "yes!\n");
    CliResult r =
        Run({"--quiet", "--answers", dir_ / "answers", "--transcript", dir_ / "t.jsonl", "-c",
             "dir " + music_.Path(), "-c", "method smart", "-c", "rename", "-c", "show"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("b - two (www y).mp3\t(B) - Two.mp3\n"), std::string::npos) << r.out;
    const std::string transcript = ReadFile(dir_ / "t.jsonl");
    std::size_t garbage = 0, unshown = 0;
    for (std::size_t at = 0;
         (at = transcript.find("\"kind\": \"garbage\"", at)) != std::string::npos; ++at) {
        ++garbage;
        const std::string line = transcript.substr(at, transcript.find('\n', at) - at);
        EXPECT_NE(line.find("\"answer\": \"yes\""), std::string::npos) << line;
        if (line.find("\"shown\": false") != std::string::npos) {
            ++unshown;
        }
    }
    EXPECT_EQ(garbage, 3u);
    EXPECT_EQ(unshown, 2u);
    EXPECT_NE(transcript.find("\"sameForRest\": true"), std::string::npos);

    // A question outside a Rename has no such box.
    WriteFile(dir_ / "answers", "yes!\n");
    r = Run({"--quiet", "--answers", dir_ / "answers", "-c", "dir " + music_.Path(), "-c", "undo"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("does not fit"), std::string::npos);
}

TEST_F(CliTest, ClashesPrintsThePairsAndFails) {
    music_.Write("01 - help.mp3", "x");
    music_.Write("02 - Help.mp3", "x");
    const std::vector<std::string> commands = {"--quiet", "-c",           "dir " + music_.Path(),
                                               "-c",      "method smart", "-c",
                                               "rename",  "-c",           "clashes"};
    CliResult r = Run(commands);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "01 - help.mp3\t02 - Help.mp3\tHelp.mp3\n");
    std::vector<std::string> edited = commands;
    edited.insert(edited.end() - 2, {"-c", "edit 0 Other.mp3"});
    std::swap(edited[edited.size() - 4], edited[edited.size() - 2]);  // rename, then edit
    r = Run(edited);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
}

// Names Save cannot give for another reason than a shared name carry the
// reason in a fourth column.
TEST_F(CliTest, ClashesNamesAChainAndAFolderInTheWay) {
    music_.Write("c.mp3", "x");
    ASSERT_EQ(mkdir((music_ / "Taken.mp3").c_str(), 0777), 0);
    CliResult r = Run({"--quiet", "-c", "dir " + music_.Path(), "-c", "rename", "-c", "edit 0 c",
                       "-c", "edit 1 Taken", "-c", "edit 2 Cee", "-c", "clashes"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out,
              "c.mp3\t03 - the beatles - help!.mp3\tc.mp3\tchain\n"
              "Taken.mp3\tb.MP3\tTaken.mp3\tfolder\n");
}

TEST_F(CliTest, AskPolicyReadsTheAnswerFromTheTerminal) {
    CliResult r = Run({"--answer", "ask", "-c", "dir " + music_.Path(), "-c", "rename", "-c",
                       "rename", "-c", "show"},
                      "y\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("[y/N] "), std::string::npos);
}

// A store that cannot be made is a fatal error; a file that is not a
// settings file is a mistake on the command line and is left as it is.
TEST_F(CliTest, UnusableSettingsFileIsRefused) {
    WriteFile(dir_ / "blocker", "x");
    WriteFile(dir_ / "notes.txt", "milk, eggs\n");
    const struct {
        std::string path;
        int status;
        std::string message;
    } cases[] = {
        {dir_ / "blocker/s.reg", 1, "Fatal Error: Error ID: EIK01"},
        {dir_ / "notes.txt", 2, "notes.txt is not a settings file"},
    };
    for (const auto& c : cases) {
        std::ostringstream out, err;
        std::istringstream in;
        EXPECT_EQ(RunCli({"--settings", c.path, "-c", "list"}, out, err, in, false), c.status);
        EXPECT_NE(err.str().find(c.message), std::string::npos) << err.str();
    }
    EXPECT_EQ(ReadFile(dir_ / "notes.txt"), "milk, eggs\n");
}

TEST(ShellWordsTest, SplitsLikeAPosixShell) {
    struct Case {
        std::string line;
        std::vector<std::string> words;
    };
    for (const Case& c : std::vector<Case>{
             {"dir /music", {"dir", "/music"}},
             {"  edit 3   'A  B.mp3' ", {"edit", "3", "A  B.mp3"}},
             {"format free \"{#%Track - }(%Artist)\"", {"format", "free", "{#%Track - }(%Artist)"}},
             {R"(edit 0 It\'s\ me.mp3)", {"edit", "0", "It's me.mp3"}},
             {R"(x "a\"b\\c\d")", {"x", R"(a"b\c\d)"}},
             {"x ''", {"x", ""}},
             {"a'b'\"c\"d", {"abcd"}},
         }) {
        auto words = SplitShellWords(c.line);
        ASSERT_TRUE(words.has_value()) << c.line;
        EXPECT_EQ(*words, c.words) << c.line;
    }
    EXPECT_FALSE(SplitShellWords("dir 'open").has_value());
    EXPECT_FALSE(SplitShellWords("dir \"open").has_value());
    for (const std::string& text : {std::string("it's"), std::string("a b"), std::string("")}) {
        EXPECT_EQ(*SplitShellWords(QuoteForShell(text)), std::vector<std::string>{text});
    }
}

TEST(CliBinaryTest, VersionHelpAndExitStatusOfTheRealProgram) {
    TempDir dir;
    std::string cli = TAGNOMEN_CLI_BINARY;
    std::string settings = dir / "s.reg";
    EXPECT_EQ(std::system((cli + " --version > " + dir / "v").c_str()), 0);
    EXPECT_NE(ReadFile(dir / "v").find("tagnomen-cli 3.1.1"), std::string::npos);
    EXPECT_EQ(std::system((cli + " --help > " + dir / "h").c_str()), 0);
    EXPECT_NE(ReadFile(dir / "h").find("mass-edit begin|end|after:TOKEN TEXT I J ..."),
              std::string::npos);
    int status = std::system((cli + " --settings " + settings + " -c nope 2>/dev/null").c_str());
    EXPECT_EQ(WEXITSTATUS(status), 2);
}

}  // namespace
}  // namespace tagnomen::cli

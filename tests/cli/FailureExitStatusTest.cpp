// SPDX-License-Identifier: GPL-3.0-or-later
// Every way the real tagnomen-cli once ended with exit status 0 after it had
// failed: commands that did nothing, tag values it could not write, output
// that never reached its file, settings that were not stored. Each row runs
// the program through the shell (so that /dev/full and a file size limit are
// real) and checks its status, its message, and that neither the MP3 files
// nor the settings file changed.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <map>

#include "../core/RenameTestFiles.h"
#include "ShellWords.h"
#include "TempDir.h"

namespace tagnomen::cli {
namespace {

using testing::Id3v1Bytes;
using testing::Mp3Bytes;
using testing::ReadFile;
using testing::TempDir;

struct ProgramRun {
    int status = -1;
    std::string messages;  // standard error
};

// Runs the program under sh: prefix (shell commands before it), then its
// arguments, standard output to stdoutPath; standard error is read back
// through a pipe, which no file size limit touches.
ProgramRun RunProgram(const std::string& prefix, const std::vector<std::string>& args,
                      const std::string& stdoutPath) {
    // SIGXFSZ ignored: a write past the size limit then fails with EFBIG.
    std::string command = "trap '' XFSZ; " + prefix + " exec " + QuoteForShell(TAGNOMEN_CLI_BINARY);
    for (const std::string& arg : args) {
        command += " " + QuoteForShell(arg);
    }
    command += " 2>&1 >" + QuoteForShell(stdoutPath);
    ProgramRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    char buffer[4096];
    for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        run.messages.append(buffer, got);
    }
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return run;
}

TEST(FailureExitStatus, EveryFailedCommandEndsTheRunWithItsStatusAndChangesNothing) {
    TempDir dir;
    TempDir music;
    TempDir other;
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"}) {
        music.Write(name, Mp3Bytes("", Id3v1Bytes({.title = name, .year = "1999", .track = 3})));
    }
    other.Write("x.mp3", Mp3Bytes("", Id3v1Bytes({.title = "x"})));
    const std::string settings = dir / "settings.reg";
    const std::vector<std::string> start = {"--settings", settings, "--answer", "no"};
    auto with = [&start](std::vector<std::string> args) {
        args.insert(args.begin(), start.begin(), start.end());
        return args;
    };
    // The first run, and the work directory stored: every row starts there.
    ASSERT_EQ(RunProgram("", with({"-c", "dir " + music.Path()}), "/dev/null").status, 0);
    const std::string storedSettings = ReadFile(settings);
    std::map<std::string, std::string> storedMusic;
    for (const std::string& name : music.List()) {
        storedMusic[name] = music.Read(name);
    }

    const std::string dirMusic = "dir " + music.Path();
    const std::string noSettingsWrite = "ulimit -f 0;";  // every write to a file fails
    const struct {
        const char* what;
        std::string prefix;
        std::vector<std::string> args;
        std::string stdoutPath;
        int status;
        std::string message;
    } cases[] = {
        {"edit past the last entry",
         "",
         {"-c", dirMusic, "-c", "rename", "-c", "edit 7 X"},
         "/dev/null",
         1,
         "There is no proposed name 7: the Renamed File Names list holds 3"},
        {"edit before any Rename",
         "",
         {"-c", dirMusic, "-c", "edit 0 X"},
         "/dev/null",
         1,
         "There is no proposed name to edit yet"},
        {"tags-file on a missing file",
         "",
         {"-c", "tags-file " + (music / "gone.mp3")},
         "/dev/null",
         1,
         "No such file or directory"},
        {"--answers naming a directory",
         "",
         {"--answers", music.Path(), "-c", "list"},
         "/dev/null",
         2,
         "Is a directory"},
        {"a year that is no number",
         "",
         {"-c", dirMusic, "-c", "tags 0 year=abc"},
         "/dev/null",
         1,
         "Year value must be between 1900 and 2050."},
        {"a track that is no number",
         "",
         {"-c", dirMusic, "-c", "tags 0 track=x"},
         "/dev/null",
         1,
         "Track value must be a number from 0 to 99."},
        {"a genre outside the list",
         "",
         {"-c", dirMusic, "-c", "tags 0 genre=999"},
         "/dev/null",
         1,
         "Genre value must be the number of a genre (0 to 147) or its name."},
        {"a track of three digits",
         "",
         {"-c", dirMusic, "-c", "tags 0 track=123"},
         "/dev/null",
         1,
         "Track value must be a number from 0 to 99."},
        {"list on a full device",
         "",
         {"-c", dirMusic, "-c", "list"},
         "/dev/full",
         1,
         "cannot write to standard output: No space left on device"},
        {"show on a full device",
         "",
         {"-c", dirMusic, "-c", "rename", "-c", "show"},
         "/dev/full",
         1,
         "cannot write to standard output: No space left on device"},
        {"table on a full device",
         "",
         {"-c", "table"},
         "/dev/full",
         1,
         "cannot write to standard output: No space left on device"},
        {"the transcript on a full device",
         "",
         {"--transcript", "/dev/full", "-c", dirMusic, "-c", "rename"},
         "/dev/null",
         1,
         "cannot write the transcript /dev/full: No space left on device"},
        {"dir B that cannot be stored, then undo",
         noSettingsWrite,
         {"-c", "dir " + other.Path(), "-c", "undo"},
         "/dev/null",
         1,
         "Unable to store the setting \"PathToWork\" in " + settings + " (File too large)"},
        {"a method that cannot be stored",
         noSettingsWrite,
         {"-c", "method id3"},
         "/dev/null",
         1,
         "Unable to store the setting \"RenamingMethod\""},
        {"the loader option that cannot be stored",
         noSettingsWrite,
         {"-c", "loader on"},
         "/dev/null",
         1,
         "Unable to store the setting \"FileInfoLoader\""},
        {"a name format that cannot be stored",
         noSettingsWrite,
         {"-c", "format plain"},
         "/dev/null",
         1,
         "Unable to store the setting \"Brackets\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ProgramRun run = RunProgram(c.prefix, with(c.args), c.stdoutPath);
        EXPECT_EQ(run.status, c.status) << run.messages;
        EXPECT_NE(run.messages.find(c.message), std::string::npos) << run.messages;
        EXPECT_EQ(ReadFile(settings), storedSettings) << "no setting changed";
        for (const auto& [name, bytes] : storedMusic) {
            EXPECT_EQ(music.Read(name), bytes) << name << " changed";
        }
        EXPECT_EQ(music.List().size(), storedMusic.size());
    }
}

}  // namespace
}  // namespace tagnomen::cli

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

    const std::string listed = "dir " + music.Path();
    const std::string full = "cannot write to standard output: No space left on device";
    // Plain, standard output on a full device, or no file may grow (ulimit -f 0).
    enum Setup { kPlain, kFullOutput, kNoFileWrites };
    const struct {
        const char* what;
        Setup setup;
        std::vector<std::string> args;
        int status;
        std::string message;
    } cases[] = {
        // clang-format off
        {"edit past the last entry", kPlain, {"-c", listed, "-c", "rename", "-c", "edit 7 X"}, 1,
         "There is no proposed name 7: the Renamed File Names list holds 3"},
        {"edit before any Rename", kPlain, {"-c", listed, "-c", "edit 0 X"}, 1,
         "There is no proposed name to edit yet"},
        {"tags-file on a missing file", kPlain, {"-c", "tags-file " + (music / "gone.mp3")}, 1,
         "Unable to read the tags of " + (music / "gone.mp3") + " (No such file or directory)"},
        {"--answers naming a directory", kPlain, {"--answers", music.Path(), "-c", "list"}, 2,
         "cannot read the answers file " + music.Path() + ": Is a directory"},
        {"a year that is no number", kPlain, {"-c", listed, "-c", "tags 0 year=abc"}, 1,
         "Error in Year: Year value must be between 1900 and 2050."},
        {"a track that is no number", kPlain, {"-c", listed, "-c", "tags 0 track=x"}, 1,
         "Error in Track: Track value must be a number from 0 to 99."},
        {"a genre outside the list", kPlain, {"-c", listed, "-c", "tags 0 genre=999"}, 1,
         "Error in Genre: Genre value must be the number of a genre (0 to 147) or its name."},
        {"a track of three digits", kPlain, {"-c", listed, "-c", "tags 0 track=123"}, 1,
         "Error in Track: Track value must be a number from 0 to 99."},
        {"list on a full device", kFullOutput, {"-c", listed, "-c", "list"}, 1, full},
        {"show on a full device", kFullOutput, {"-c", listed, "-c", "rename", "-c", "show"}, 1,
         full},
        {"table on a full device", kFullOutput, {"-c", "table"}, 1, full},
        {"--help on a full device", kFullOutput, {"--help"}, 1, full},
        {"the transcript on a full device", kPlain,
         {"--transcript", "/dev/full", "-c", listed, "-c", "rename"}, 1,
         "cannot write the transcript /dev/full: No space left on device"},
        {"dir B that cannot be stored, then undo", kNoFileWrites,
         {"-c", "dir " + other.Path(), "-c", "undo"}, 1,
         "Unable to store the setting \"PathToWork\" in " + settings + " (File too large)"},
        {"a method that cannot be stored", kNoFileWrites, {"-c", "method id3"}, 1,
         "Unable to store the setting \"RenamingMethod\""},
        {"the loader option that cannot be stored", kNoFileWrites, {"-c", "loader on"}, 1,
         "Unable to store the setting \"FileInfoLoader\""},
        {"a name format that cannot be stored", kNoFileWrites, {"-c", "format plain"}, 1,
         "Unable to store the setting \"Brackets\""},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ProgramRun run =
            RunProgram(c.setup == kNoFileWrites ? "ulimit -f 0;" : "", with(c.args),
                       c.setup == kFullOutput ? "/dev/full" : "/dev/null");
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

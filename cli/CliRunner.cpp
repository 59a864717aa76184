// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"

#include <istream>
#include <optional>
#include <ostream>
#include <utility>

#include "CheckedOutput.h"
#include "CliUi.h"
#include "Commands.h"
#include "ShellWords.h"
#include "app/Workbench.h"
#include "platform/FileSystem.h"
#include "settings/SettingsStore.h"

namespace tagnomen::cli {

namespace {

struct Options {
    std::string settingsPath;
    std::vector<std::pair<std::string, std::string>> overlays;
    std::optional<AnswerPolicy> policy;
    std::string answersPath;
    std::string transcriptPath;
    bool quiet = false;
    bool help = false;
    bool version = false;
    std::vector<std::string> commands;
    std::optional<std::string> directory;
};

// Parses the options; throws UsageError.
Options ParseOptions(const std::vector<std::string>& arguments) {
    Options options;
    auto value = [&](std::size_t& i) -> const std::string& {
        if (i + 1 >= arguments.size()) {
            throw UsageError(arguments[i] + " needs a value");
        }
        return arguments[++i];
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        if (arg == "--settings") {
            options.settingsPath = value(i);
        } else if (arg == "--set") {
            const std::string& pair = value(i);
            std::size_t equals = pair.find('=');
            if (equals == std::string::npos || equals == 0) {
                throw UsageError("--set needs NAME=VALUE, not '" + pair + "'");
            }
            options.overlays.emplace_back(pair.substr(0, equals), pair.substr(equals + 1));
        } else if (arg == "--answer") {
            const std::string& policy = value(i);
            if (policy == "no") {
                options.policy = AnswerPolicy::No;
            } else if (policy == "yes") {
                options.policy = AnswerPolicy::Yes;
            } else if (policy == "ask") {
                options.policy = AnswerPolicy::Ask;
            } else {
                throw UsageError("--answer takes no, yes or ask, not '" + policy + "'");
            }
        } else if (arg == "--answers") {
            options.answersPath = value(i);
        } else if (arg == "--transcript") {
            options.transcriptPath = value(i);
        } else if (arg == "--quiet" || arg == "-q") {
            options.quiet = true;
        } else if (arg == "-c") {
            options.commands.push_back(value(i));
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (!arg.empty() && arg[0] == '-') {
            throw UsageError("unknown option " + arg);
        } else if (!options.directory) {
            options.directory = arg;
        } else {
            throw UsageError("only one directory may be given");
        }
    }
    if (options.directory && !options.commands.empty()) {
        throw UsageError("give either DIR or -c commands, not both");
    }
    return options;
}

CommandResult RunCommandLine(const CommandTable& table, CommandContext& context,
                             const std::string& line) {
    std::optional<std::vector<std::string>> words = SplitShellWords(line);
    if (!words) {
        throw UsageError("unbalanced quotes in command: " + line);
    }
    if (words->empty()) {
        throw UsageError("empty command");
    }
    auto command = table.find(words->front());
    if (command == table.end()) {
        throw UsageError("unknown command '" + words->front() + "'");
    }
    if (!command->second.handler) {
        throw UsageError("'" + words->front() +
                         "' is not available yet in this version of tagnomen-cli");
    }
    return command->second.handler(context, Arguments(words->begin() + 1, words->end()));
}

// Flushes standard output and tells what could not be written there or to
// the transcript, as the message that ends the run; empty when all went out.
std::string OutputFailure(std::ostream& out, const CliUi& ui, const std::string& transcriptPath) {
    out.flush();
    if (!out) {
        return "cannot write to standard output: " + WriteFailureReason(out);
    }
    if (ui.TranscriptError() != 0) {
        return "cannot write the transcript " + transcriptPath + ": " +
               ErrorReason(ui.TranscriptError());
    }
    return std::string();
}

// Standard output after --help or --version: 0, or 1 when it could not be written.
int FinishPrinting(std::ostream& out, std::ostream& err) {
    out.flush();
    if (!out) {
        err << "tagnomen-cli: cannot write to standard output: " << WriteFailureReason(out) << '\n';
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace

std::string HelpText() {
    std::string text =
        "Usage: tagnomen-cli [OPTIONS] [DIR]\n"
        "       tagnomen-cli [OPTIONS] -c 'COMMAND ARG...' [-c 'COMMAND ARG...']...\n"
        "\n"
        "Gives the MP3 files of a directory consistent names and tidy ID3 tags.\n"
        "Without -c: lists DIR (or the stored work directory), proposes new names\n"
        "and prints them; nothing on disk changes.\n"
        "\n"
        "Options:\n"
        "  --settings FILE        the settings file\n"
        "  --set NAME=VALUE       overlay one setting for this run only\n"
        "  --answer no|yes|ask    how questions are answered\n"
        "  --answers FILE         scripted answers: yes, no, v1, v2, album, track\n"
        "  --transcript FILE      append every message and question as JSON lines\n"
        "  --quiet                no messages on standard error\n"
        "  -c 'COMMAND ...'       run one command (repeatable)\n"
        "  --help, --version\n"
        "\n"
        "Exit status: 0 when every command ran and none failed; 1 when a command\n"
        "failed (the run stops there and names it); 2 for a usage error.\n"
        "See tagnomen-cli(1).\n"
        "\n"
        "Commands:\n";
    for (const auto& [name, command] : AllCommands()) {
        // A long usage gets its summary on the next line.
        std::string usage = command.usage;
        if (usage.size() < 40) {
            usage.resize(40, ' ');
        } else {
            usage += "\n" + std::string(42, ' ');
        }
        text += "  " + usage + " " + command.summary + "\n";
    }
    return text;
}

int RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
           std::istream& in, bool inputIsTerminal) {
    Options options;
    try {
        options = ParseOptions(arguments);
    } catch (const UsageError& error) {
        err << "tagnomen-cli: " << error.what() << "\nTry 'tagnomen-cli --help'.\n";
        return kExitUsage;
    }
    if (options.help) {
        out << HelpText();
        return FinishPrinting(out, err);
    }
    if (options.version) {
        out << "tagnomen-cli " << TAGNOMEN_VERSION << '\n';
        return FinishPrinting(out, err);
    }

    CliUi ui(err, in);
    ui.SetQuiet(options.quiet);
    ui.SetPolicy(options.policy.value_or(inputIsTerminal ? AnswerPolicy::Ask : AnswerPolicy::No));
    std::string problem;
    if (!options.answersPath.empty() && !ui.LoadAnswers(options.answersPath, problem)) {
        err << "tagnomen-cli: " << problem << '\n';
        return kExitUsage;
    }
    if (!options.transcriptPath.empty() && !ui.OpenTranscript(options.transcriptPath, problem)) {
        err << "tagnomen-cli: cannot write the transcript " << options.transcriptPath << ": "
            << problem << '\n';
        return kExitUsage;
    }

    SettingsStore settings(options.settingsPath.empty() ? SettingsStore::DefaultPath()
                                                        : options.settingsPath);
    for (const auto& [name, value] : options.overlays) {
        settings.SetOverlay(name, value);
    }
    // Another file in the settings file's place is a mistake on the command
    // line (or in the environment), not a store to reset.
    if (settings.FileState() == SettingsFileState::Foreign) {
        err << "tagnomen-cli: " << settings.Path() << " is not a settings file\n"
            << "Try 'tagnomen-cli --help'.\n";
        return kExitUsage;
    }

    std::vector<std::string> commands = options.commands;
    if (commands.empty()) {
        if (options.directory) {
            commands.push_back("dir " + QuoteForShell(*options.directory));
        }
        commands.push_back("rename");
        commands.push_back("show");
    }

    Workbench workbench(settings, ui);
    // Output that did not reach its file fails the run like a failed command.
    auto outputFailed = [&out, &err, &ui, &options] {
        const std::string failure = OutputFailure(out, ui, options.transcriptPath);
        if (!failure.empty()) {
            err << "tagnomen-cli: " << failure << '\n';
        }
        return !failure.empty();
    };
    try {
        const bool started = workbench.Start() != StartResult::Fatal;
        if (outputFailed() || !started) {
            return kExitFailed;
        }
        const CommandTable table = AllCommands();
        CommandContext context{workbench, ui, out};
        // Like a shell with "set -e": what follows a failed command would run
        // on a state the script did not mean (a mistyped "dir" would leave the
        // previous folder in place).
        for (std::size_t k = 0; k < commands.size(); ++k) {
            const bool succeeded = RunCommandLine(table, context, commands[k]).Succeeded();
            if (outputFailed()) {
                return kExitFailed;
            }
            if (!succeeded) {
                err << "tagnomen-cli: stopped at command " << k + 1 << " of " << commands.size()
                    << ", which failed: " << commands[k] << '\n';
                return kExitFailed;
            }
        }
    } catch (const UsageError& error) {
        // A usage error says more than output that also failed (both are told).
        outputFailed();
        err << "tagnomen-cli: " << error.what() << '\n';
        return kExitUsage;
    }
    return kExitOk;
}

}  // namespace tagnomen::cli

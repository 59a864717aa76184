// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-command timings through tagnomen-cli's runner, in one process:
//   listing   dir + rename over N tagless files (smart engine), N = 10,000 and 100,000
//   id3       dir, method id3, loader on, the default template, rename over
//             10,000 tagged files, next to TagLib merely reading the same tags
//   save/undo rename and save of those files, then undo
//   undo chain an undo file of one long chain of renames in the order a Save
//             makes them (each pair free only once the one after it has
//             been undone), 1,000 to 16,000 pairs: Undo must stay linear
//   clashes   FindClashes over 2,000 to 200,000 proposals, all free, in a
//             directory of as many files: it reads the directory once and must
//             stay linear (the window runs it after every change of a name)
//   kid3-cli  (when installed and TAGNOMEN_BENCH_KID3_FILES is set) renaming
//             the same number of files from their tags
// Figures are seconds, and seconds per 10,000 files where it helps.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "CliRunner.h"
#include "Corpus.h"
#include "TagLibRival.h"
#include "Timing.h"
#include "app/Clashes.h"
#include "platform/FileSystem.h"
#include "rename/NameTemplate.h"
#include "session/WorkingSet.h"

namespace fs = std::filesystem;
using namespace tagnomen;
using bench::Seconds;

namespace {

// Names without digits, so that the smart engine asks nothing.
std::string LetterName(int index) {
    std::string word;
    for (int n = index; word.size() < 5 || n > 0; n /= 26) {
        word += static_cast<char>('a' + n % 26);
    }
    return "artist " + word + " - title " + word + ".mp3";
}

std::string MakeTaglessDirectory(int files) {
    std::string dir =
        (fs::temp_directory_path() / ("tagnomen-list-" + std::to_string(files))).string();
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (int i = 0; i < files; ++i) {
        std::ofstream(dir + "/" + LetterName(i)) << "audio";
    }
    return dir;
}

std::vector<std::string> ListEntriesNames(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& [name, type] : ListEntries(dir)) {
        names.push_back(name);
    }
    return names;
}

int Cli(const std::string& settings, std::vector<std::string> args) {
    args.insert(args.begin(), {"--settings", settings, "--quiet"});
    std::ostringstream out, err;
    std::istringstream in;
    int status = cli::RunCli(args, out, err, in, false);
    if (status == 2) {
        std::fprintf(stderr, "usage error: %s\n", err.str().c_str());
    }
    return status;
}

double TagLibRead(const std::string& dir) {
    const std::vector<std::string> files = bench::FilesOf(dir);
    return Seconds([&] {
        if (bench::TagLibReadTags(files) == 42) {
            std::puts("");
        }
    });
}

void Listing(const std::string& settings, int files) {
    std::string dir = MakeTaglessDirectory(files);
    double seconds = Seconds([&] {
        Cli(settings, {"-c", "dir " + dir, "-c", "method smart", "-c", "rename"});
    });
    std::printf("listing+rename %7d tagless files (smart engine): %6.2f s, %.3f s per 10,000\n",
                files, seconds, seconds * 10000 / files);
    fs::remove_all(dir);
}

// Files c0 .. c(n-1); pair i undoes ci back to c(i+1), which is free only once
// pair i+1 has been undone. The pairs are written in the order the renames
// were made (c1 to c0 first), as Save writes them.
void UndoChain(const std::string& settings, int pairs) {
    std::string dir = (fs::temp_directory_path() / "tagnomen-chain").string();
    fs::remove_all(dir);
    fs::create_directories(dir);
    {
        std::ofstream undo(dir + "/Undo.inf", std::ios::binary);
        for (int i = 0; i < pairs; ++i) {
            std::ofstream(dir + "/c" + std::to_string(i) + ".mp3") << i;
            undo << "c" << i + 1 << ".mp3\r\nc" << i << ".mp3\r\n";
        }
        undo << '\x01';
    }
    double seconds = Seconds([&] {
        Cli(settings, {"--answer", "yes", "-c", "dir " + dir, "-c", "undo"});
    });
    std::printf("undo of one chain of %5d pairs: %.3f s\n", pairs, seconds);
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(dir);
}

// Proposals that differ from every name in the directory, the case the
// window meets after each Rename.
void FreeProposals(int files) {
    const std::string dir = MakeTaglessDirectory(files);
    WorkingSet set;
    set.AppendListed(ListEntriesNames(dir));
    for (std::size_t row = 0; row < set.Size(); ++row) {
        set.AppendProposal("New " + set.OldName(row));
    }
    double best = 1e9;
    for (int run = 0; run < 5; ++run) {
        best = std::min(best, Seconds([&] { (void)FindClashes(set, dir); }));
    }
    std::printf("clashes of %6d free proposals: %.4f s, %.4f s per 10,000\n", files, best,
                best * 10000 / files);
    fs::remove_all(dir);
}

}  // namespace

int main() {
    std::string settings = (fs::temp_directory_path() / "tagnomen-bench-settings.reg").string();
    fs::remove(settings);
    Cli(settings, {"-c", "settings"});  // the first run

    Listing(settings, 10000);
    Listing(settings, 100000);

    bench::CorpusOptions options;
    options.files = 10000;
    std::string corpus = bench::MakeCorpus(options);
    const std::vector<std::string> id3Rename = {
        "--set", "UseTemplate=1", "--set", std::string("Template=") + kDefaultTemplate,
        "-c",    "dir " + corpus, "-c",    "method id3",
        "-c",    "loader on",     "-c",    "rename"};
    // Warm the page cache once, then measure both readers side by side.
    TagLibRead(corpus);
    Cli(settings, id3Rename);
    double ours = Seconds([&] { Cli(settings, id3Rename); });
    double taglib = TagLibRead(corpus);
    std::printf("id3 method rename of 10,000 tagged files (loader on, template): %.3f s\n", ours);
    std::printf("TagLib only reading the same tags:                              %.3f s\n", taglib);

    std::vector<std::string> save = id3Rename;
    save.insert(save.end(), {"-c", "save"});
    double saved = Seconds([&] { Cli(settings, save); });
    double undone = Seconds([&] {
        Cli(settings, {"--answer", "yes", "-c", "dir " + corpus, "-c", "undo"});
    });
    std::printf("rename and save of 10,000 tagged files: %.3f s; undo: %.3f s\n", saved, undone);
    // Undo leaves the work directory current; leave it before it is removed.
    fs::current_path(fs::temp_directory_path());
    bench::RemoveCorpus(corpus);

    // Rename and save must stay linear in the number of files.
    for (int files : {1000, 10000, 100000}) {
        bench::CorpusOptions small;
        small.files = files;
        small.audioBytes = 256;
        std::string dir = bench::MakeCorpus(small);
        std::vector<std::string> renameSave = {"--set", "UseTemplate=0", "-c", "dir " + dir,
                                               "-c",    "method id3",    "-c", "rename",
                                               "-c",    "save"};
        double seconds = Seconds([&] { Cli(settings, renameSave); });
        std::printf("rename and save %6d tagged files: %.3f s, %.3f s per 10,000\n", files, seconds,
                    seconds * 10000 / files);
        bench::RemoveCorpus(dir);
    }

    for (int pairs : {1000, 4000, 16000}) {
        UndoChain(settings, pairs);
    }

    for (int files : {2000, 20000, 200000}) {
        FreeProposals(files);
    }

    if (const char* kid3 = std::getenv("TAGNOMEN_BENCH_KID3_FILES")) {
        options.files = std::atoi(kid3);
        corpus = bench::MakeCorpus(options);
        std::string command =
            "kid3-cli -c 'timeout off' -c 'select all' -c 'fromtag \"%{artist} - "
            "%{title}\" 2' -c save '" +
            corpus + "' >/dev/null 2>&1";
        double kid3Seconds = Seconds([&] { (void)std::system(command.c_str()); });
        bench::RemoveCorpus(corpus);
        corpus = bench::MakeCorpus(options);
        std::vector<std::string> ourSave = {"--set", "UseTemplate=0", "--set", "Brackets=0",
                                            "-c",    "dir " + corpus, "-c",    "method id3",
                                            "-c",    "rename",        "-c",    "save"};
        double ourSeconds = Seconds([&] { Cli(settings, ourSave); });
        std::printf("%d files renamed from their tags: kid3-cli %.2f s, tagnomen %.3f s (%.0fx)\n",
                    options.files, kid3Seconds, ourSeconds, kid3Seconds / ourSeconds);
        bench::RemoveCorpus(corpus);
    }
    fs::remove(settings);
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Reading tags where the page cache cannot help: a cold cache, and a share
// that takes a millisecond per file. One run, the same 10,000 files:
//   floor/1, floor/32  open, read the first 4 KiB and the last 128 bytes,
//                      close: one file after another, then with 32 threads
//   TagLib             TagLib::MPEG::File without audio properties, both tags
//   Tagnomen           the whole ID3-method Rename (loader on, template)
//                      through tagnomen-cli's runner, with the tags read
//                      ahead (the default) and without
// Every cold figure follows a drop of the page cache, which needs root; run
// otherwise, it says so and the figures are warm. Then, under a stand-in for
// a slow share (bench/support/SlowOpen.cpp, loaded with LD_PRELOAD, 1 ms per
// open of an MP3 file), the same Rename with and without read-ahead.
// Goals: the cold Rename at most 1.5 times floor/32 and at least twice as
// fast as TagLib cold; on the slow share under 2 seconds.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "CliRunner.h"
#include "Corpus.h"
#include "TagLibRival.h"
#include "Timing.h"
#include "rename/NameTemplate.h"
#include "tags/TagReadAhead.h"

namespace fs = std::filesystem;
using namespace tagnomen;
using bench::FilesOf;
using bench::Seconds;

namespace {

constexpr int kFiles = 10000;
constexpr const char* kLatencyFlag = "--slow-share";

bool DropPageCache() {
    ::sync();
    std::ofstream drop("/proc/sys/vm/drop_caches");
    drop << "3\n";
    drop.flush();
    return static_cast<bool>(drop);
}

void ReadEnds(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    char head[4096];
    char tail[128];
    const off_t length = ::lseek(fd, 0, SEEK_END);
    [[maybe_unused]] ssize_t got = ::pread(fd, head, sizeof head, 0);
    got = ::pread(fd, tail, sizeof tail, length > 128 ? length - 128 : 0);
    ::close(fd);
}

double Floor(const std::vector<std::string>& files, unsigned threads) {
    return Seconds([&] {
        std::vector<std::thread> workers;
        for (unsigned t = 0; t < threads; ++t) {
            workers.emplace_back([&files, t, threads] {
                for (std::size_t i = t; i < files.size(); i += threads) {
                    ReadEnds(files[i]);
                }
            });
        }
        for (std::thread& worker : workers) {
            worker.join();
        }
    });
}

double TagLibRead(const std::vector<std::string>& files) {
    return Seconds([&] {
        if (bench::TagLibReadTags(files) == 42) {
            std::puts("");
        }
    });
}

double Rename(const std::string& settings, const std::string& corpus, int readAheadThreads) {
    const std::vector<std::string> args = {"--settings",
                                           settings,
                                           "--quiet",
                                           "--set",
                                           "UseTemplate=1",
                                           "--set",
                                           std::string("Template=") + kDefaultTemplate,
                                           "--set",
                                           "ReadAheadThreads=" + std::to_string(readAheadThreads),
                                           "-c",
                                           "dir " + corpus,
                                           "-c",
                                           "method id3",
                                           "-c",
                                           "loader on",
                                           "-c",
                                           "rename"};
    return Seconds([&] {
        std::ostringstream out, err;
        std::istringstream in;
        cli::RunCli(args, out, err, in, false);
    });
}

// The tags the read-ahead holds at most during a Rename of the corpus.
void ReportHeld(const std::string& corpus) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(corpus)) {
        names.push_back(entry.path().filename().string());
    }
    TagReadAhead readAhead(corpus, names, TagSupport::Full, {16, 256});
    std::size_t bytes = 0;
    for (const std::string& name : names) {
        const FileTags tags = readAhead.Take(name);
        bytes = std::max(bytes, sizeof(FileTags) + tags.id3v2.title.capacity() +
                                    tags.id3v2.artist.capacity() + tags.id3v2.album.capacity() +
                                    tags.id3v1.title.capacity() + tags.id3v1.artist.capacity());
    }
    std::printf("read-ahead holds at most %zu files, about %zu bytes each (%.1f KiB)\n",
                readAhead.PeakHeld(), bytes,
                static_cast<double>(readAhead.PeakHeld() * bytes) / 1024.0);
}

int SlowShare(const std::string& settings, const std::string& corpus) {
    Rename(settings, corpus, 16);  // the page cache is warm: only the share is slow
    const double ahead = Rename(settings, corpus, 16);
    const double alone = Rename(settings, corpus, 0);
    std::printf("slow share, 1 ms per file: Rename %.2f s with read-ahead, %.2f s without\n", ahead,
                alone);
    return 0;
}

// Runs this program again under the slow-share stand-in.
void RunOnSlowShare(const std::string& settings, const std::string& corpus) {
    std::fflush(stdout);
    const pid_t child = ::fork();
    if (child == 0) {
        ::setenv("LD_PRELOAD", TAGNOMEN_SLOW_OPEN_LIBRARY, 1);
        ::setenv("TAGNOMEN_SLOW_OPEN_US", "1000", 1);
        ::execl("/proc/self/exe", "cold_bench", kLatencyFlag, settings.c_str(), corpus.c_str(),
                static_cast<char*>(nullptr));
        std::_Exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], kLatencyFlag) == 0) {
        return SlowShare(argv[2], argv[3]);
    }
    const std::string settings =
        (fs::temp_directory_path() / "tagnomen-cold-settings.reg").string();
    fs::remove(settings);
    {
        std::ostringstream out, err;
        std::istringstream in;
        cli::RunCli({"--settings", settings, "-c", "settings"}, out, err, in, false);
    }
    bench::CorpusOptions options;
    options.files = kFiles;
    const std::string corpus = bench::MakeCorpus(options);
    const std::vector<std::string> files = FilesOf(corpus);

    const bool cold = DropPageCache();
    if (!cold) {
        std::printf("cannot drop the page cache (needs root): the figures below are warm\n");
    }
    auto measure = [cold](const char* what, const std::function<double()>& run) {
        if (cold) {
            DropPageCache();
        }
        const double seconds = run();
        std::printf("%-44s %6.3f s\n", what, seconds);
        return seconds;
    };
    const double floor1 = measure("floor, one file after another", [&] { return Floor(files, 1); });
    const double floor32 = measure("floor, 32 threads", [&] { return Floor(files, 32); });
    const double taglib = measure("TagLib reading the tags", [&] { return TagLibRead(files); });
    const double ahead = measure("Tagnomen ID3-method Rename, read-ahead",
                                 [&] { return Rename(settings, corpus, 16); });
    const double alone = measure("Tagnomen ID3-method Rename, no read-ahead",
                                 [&] { return Rename(settings, corpus, 0); });
    std::printf(
        "%s: Rename / floor-32 = %.2f (goal at most 1.5), TagLib / Rename = %.2f (goal at "
        "least 2); floor-1 / floor-32 = %.2f; without read-ahead %.2f times slower\n",
        cold ? "cold" : "warm", ahead / floor32, taglib / ahead, floor1 / floor32, alone / ahead);
    const double warm = Rename(settings, corpus, 16);
    std::printf("warm: Rename %.3f s with read-ahead, %.3f s without\n", warm,
                Rename(settings, corpus, 0));
    ReportHeld(corpus);
    RunOnSlowShare(settings, corpus);
    fs::current_path(fs::temp_directory_path());
    bench::RemoveCorpus(corpus);
    fs::remove(settings);
    return 0;
}

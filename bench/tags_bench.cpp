// SPDX-License-Identifier: GPL-3.0-or-later
// Reading both tags of every file of a 10,000-file corpus (ID3v2.3 tag, fake
// audio, ID3v1.1 block), warm page cache, side by side:
//   Tagnomen/0     both records through one open (ReadTags), basic tag support
//   Tagnomen/1     the same with full tag support (every encoding, and so on)
//   TagnomenTwice  each record's own ReadTag (two opens), basic support
//   TagLib         TagLib::MPEG::File without audio properties, as a tag-only
//                  reader opens files; ID3v1Tag() and ID3v2Tag(), six fields each
//   TagLibProperties  the same reading the audio properties as well
//   OpenRead       open, read the first 10 and the last 128 bytes, close
// "us_per_file" is the time per file. Goals: Tagnomen at least twice TagLib's
// files per second and at most three times OpenRead's time; full support at
// most 20% slower than basic.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <taglib/id3v1tag.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "Corpus.h"
#include "tags/Id3v1Record.h"
#include "tags/Id3v2Record.h"
#include "tags/ReadTags.h"

namespace {

using namespace tagnomen;

std::vector<std::string>& Files() {
    static std::vector<std::string> files;
    return files;
}

void PerFile(benchmark::State& state) {
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * Files().size()));
    state.counters["us_per_file"] = benchmark::Counter(
        static_cast<double>(Files().size()) / 1e6,
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_Tagnomen(benchmark::State& state) {
    const TagSupport support = state.range(0) == 1 ? TagSupport::Full : TagSupport::Basic;
    for (auto _ : state) {
        for (const std::string& path : Files()) {
            Id3v1Record v1(support);
            Id3v2Record v2(support);
            ReadTags(path, v1, v2);
            benchmark::DoNotOptimize(v1.title.data());
            benchmark::DoNotOptimize(v2.title.data());
            benchmark::DoNotOptimize(v1.track + v2.track + v1.genre);
        }
    }
    PerFile(state);
}

void BM_TagnomenTwice(benchmark::State& state) {
    for (auto _ : state) {
        for (const std::string& path : Files()) {
            Id3v1Record v1;
            Id3v2Record v2;
            v1.ReadTag(path);
            v2.ReadTag(path);
            benchmark::DoNotOptimize(v1.title.data());
            benchmark::DoNotOptimize(v2.title.data());
            benchmark::DoNotOptimize(v1.track + v2.track + v1.genre);
        }
    }
    PerFile(state);
}

template <typename Tag>
void TouchSixFields(Tag* tag) {
    if (tag == nullptr) {
        return;
    }
    TagLib::String title = tag->title();
    TagLib::String artist = tag->artist();
    TagLib::String album = tag->album();
    unsigned int year = tag->year();
    unsigned int track = tag->track();
    TagLib::String genre = tag->genre();
    benchmark::DoNotOptimize(title);
    benchmark::DoNotOptimize(artist);
    benchmark::DoNotOptimize(album);
    benchmark::DoNotOptimize(year);
    benchmark::DoNotOptimize(track);
    benchmark::DoNotOptimize(genre);
}

void BM_TagLib(benchmark::State& state) {
    const bool readProperties = state.range(0) == 1;
    for (auto _ : state) {
        for (const std::string& path : Files()) {
            TagLib::MPEG::File file(path.c_str(), readProperties);
            TouchSixFields(file.ID3v1Tag());
            TouchSixFields(file.ID3v2Tag());
        }
    }
    PerFile(state);
}

void BM_OpenRead(benchmark::State& state) {
    for (auto _ : state) {
        for (const std::string& path : Files()) {
            const int fd = ::open(path.c_str(), O_RDONLY);
            if (fd < 0) {
                continue;
            }
            char head[10];
            char tail[128];
            benchmark::DoNotOptimize(::read(fd, head, sizeof head));
            ::lseek(fd, -128, SEEK_END);
            benchmark::DoNotOptimize(::read(fd, tail, sizeof tail));
            ::close(fd);
        }
    }
    PerFile(state);
}

BENCHMARK(BM_OpenRead)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Tagnomen)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_TagnomenTwice)->Unit(benchmark::kMillisecond)->MinTime(2.0);
// Argument 0: tags only; 1: with the audio properties.
BENCHMARK(BM_TagLib)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    bench::CorpusOptions options;
    options.files = 10000;
    const std::string corpus = bench::MakeCorpus(options);
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        Files().push_back(entry.path().string());
    }
    // Warm the page cache, and make sure every file reads as tagged.
    int tagged = 0;
    for (const std::string& path : Files()) {
        Id3v1Record v1;
        Id3v2Record v2;
        ReadTags(path, v1, v2);
        tagged += v1.tagPresent + v2.tagPresent;
    }
    if (tagged != 2 * static_cast<int>(Files().size())) {
        bench::RemoveCorpus(corpus);
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    bench::RemoveCorpus(corpus);
    return 0;
}

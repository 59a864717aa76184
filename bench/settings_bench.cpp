// SPDX-License-Identifier: GPL-3.0-or-later
// Loading a settings file that has grown large (a script that stored one
// value per album, another program's values kept in the same key), warm page
// cache:
//   LoadSettingsFile/N   the settings file of N values read and parsed once
//   StartWithSettings/N  what a start does with it: the first-run check (a
//                        locked read of the whole file) and the first getter
// "us_per_value" is the time per stored value. Goals: no value looked up
// among all those before it (20,000 values took 10 s that way, 200,000 took
// 565 s), so the time per value grows at most with the logarithm of the count
// (the sorted map of names the getters use) and 200,000 values load in under
// a second. The linear fit and its RMS error are printed as well: a small
// RMS says the time is proportional to the size.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "platform/SettingsFile.h"
#include "settings/SettingsStore.h"

namespace {

using namespace tagnomen;

// A settings file of `count` values, there while the object lives.
class LargeSettingsFile {
  public:
    explicit LargeSettingsFile(std::int64_t count)
        : path_((std::filesystem::temp_directory_path() /
                 ("tagnomen-settings-bench-" + std::to_string(count) + ".reg"))
                    .string()) {
        RegistryValueList values;
        values.reserve(static_cast<std::size_t>(count));
        RegistryValue marker;
        marker.text = "0";
        values.emplace_back("IsFirstTime", marker);
        for (std::int64_t i = 1; i < count; ++i) {
            RegistryValue value;
            value.text = "/srv/music/album " + std::to_string(i);
            values.emplace_back("Album" + std::to_string(i), value);
        }
        SettingsFile(path_).Change([&values](const RegistryValueList*) { return values; });
    }
    ~LargeSettingsFile() {
        std::filesystem::remove(path_);
        std::filesystem::remove(path_ + ".lock");
    }
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

void PerValue(benchmark::State& state) {
    state.SetComplexityN(state.range(0));
    state.counters["us_per_value"] = benchmark::Counter(
        static_cast<double>(state.range(0)) / 1e6,
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_LoadSettingsFile(benchmark::State& state) {
    const LargeSettingsFile large(state.range(0));
    for (auto _ : state) {
        SettingsFile file(large.Path());
        const RegistryValues* values = file.Open();
        benchmark::DoNotOptimize(values);
        if (values == nullptr || values->size() != static_cast<std::size_t>(state.range(0))) {
            state.SkipWithError("the settings file did not load whole");
        }
    }
    PerValue(state);
}

void BM_StartWithSettings(benchmark::State& state) {
    const LargeSettingsFile large(state.range(0));
    for (auto _ : state) {
        SettingsStore store(large.Path());
        if (store.FirstRunCheck() != FirstRunResult::NotFirstRun) {
            state.SkipWithError("the settings file was taken for a first run");
        }
        std::string workDirectory;
        store.GetPathToWork(workDirectory);
        benchmark::DoNotOptimize(workDirectory.data());
    }
    PerValue(state);
}

}  // namespace

BENCHMARK(BM_LoadSettingsFile)
    ->Arg(2000)
    ->Arg(20000)
    ->Arg(200000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_StartWithSettings)
    ->Arg(2000)
    ->Arg(20000)
    ->Arg(200000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK_MAIN();

// SPDX-License-Identifier: GPL-3.0-or-later
// The smart engine alone: 10,000 generated messy old names, no tags, every
// question answered No. Reported as names per second (items_per_second).
// Goal: at least 50,000 names per second.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/Ui.h"
#include "rename/RenameBatch.h"
#include "rename/RenamingMethods.h"
#include "session/RenamingContext.h"
#include "settings/SettingsStore.h"
#include "tags/TagSource.h"

namespace {

using namespace tagnomen;

// Answers No to everything and records nothing, so that memory stays flat.
// (A ScriptedUi that skipped its records would break its own bookkeeping:
// the questions of a Rename mark the record they just made.)
class NoUi : public Ui {
  public:
    MessageAnswer ShowMessage(const std::string&, const std::string&, MessageIcon,
                              MessageButtons buttons) override {
        return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    }
    std::string AskTagMismatch(const std::string&, const std::string&, const std::string& id3v1Text,
                               const std::string&) override {
        return id3v1Text;
    }
    GarbageAnswer AskGarbage(const std::string&, bool, bool) override { return GarbageAnswer::No; }
    void OpenProgressWindow(const std::string&) override {}
    void CloseProgressWindow() override {}
    void ShowRenameProgress(int, int, const std::string&) override {}
    bool ShowAbout(const AboutInfo&) override { return false; }
    void OpenHelp(const std::string&) override {}
    bool RunDirectoryChooser(DirectoryChooserModel&) override { return false; }
    bool RunNameFormat(NameFormatModel&) override { return false; }
    bool RunEditFileName(EditFileNameModel&) override { return false; }
    bool RunMassFileNameEditor(MassFileNameEditorModel&) override { return false; }
    bool RunFileInfoEditor(FileInfoEditorModel&) override { return false; }
    bool RunFileInfoViewer(FileInfoViewerModel&) override { return false; }
    bool RunFilesOrganizer(FilesOrganizerModel&) override { return false; }
    bool RunCleanReview(CleanReviewModel&) override { return false; }
};

// Deterministic messy names: track numbers, years, underscores, dots,
// square brackets, garbage groups and characters, odd case.
std::vector<std::string> MessyNames(int count) {
    const char* const artists[] = {"the beatles", "Pink_Floyd",  "R.E.M.", "bEATLES",
                                   "a-ha",        "Daft Punk",   "prince", "The_Rolling_Stones",
                                   "[Artist]",    "(Some Band)", "ac dc",  "Caf\xC3\xA9 Tacvba"};
    const char* const titles[] = {"help!", "Money",       "losing my religion", "take_on_me",
                                  "dance", "Song",        "around the world",   "paint it black",
                                  "Title", "it's my life"};
    const char* const extras[] = {"",           " (Live)",  " (www site)",  " (1973)",
                                  " #1",        " (Bonus)", " [Remix]",     " 1999 2000",
                                  " (Take 75)", "_-_extra", " - album - x", ".Album"};
    std::vector<std::string> names;
    names.reserve(count);
    for (int i = 0; i < count; ++i) {
        std::string name;
        switch (i % 5) {
            case 0:
                name = (i % 50 < 10 ? "0" : "") + std::to_string(i % 50) + " - ";
                break;
            case 1:
                name = "track " + std::to_string(10 + i % 40) + " - ";
                break;
            case 2:
                name = std::to_string(1960 + i % 60) + " - ";
                break;
            case 3:
                name = "#" + std::to_string(10 + i % 40) + " ";
                break;
            default:
                break;
        }
        name += artists[i % 12];
        name += (i % 3 == 0) ? "_-_" : " - ";
        name += titles[(i / 12) % 10];
        name += extras[(i / 7) % 12];
        name += (i % 4 == 0) ? ".MP3" : ".mp3";
        names.push_back(std::move(name));
    }
    return names;
}

void BM_SmartEngine(benchmark::State& state) {
    const std::vector<std::string> names = MessyNames(10000);
    SettingsStore store("/nonexistent-tagnomen-bench/settings.reg");
    store.SetOverlay("PathToWork", "/nonexistent-tagnomen-bench");
    store.SetOverlay("RenamingMethod", std::to_string(state.range(0)));
    store.SetOverlay("UseTemplate", "0");
    store.SetOverlay("Brackets", "1");
    NoUi ui;
    RenamingContext context(store, ui);
    DirectTagSource tags("/nonexistent-tagnomen-bench", context.Support());
    RenameBatch batch(
        context, ReadRenameOptions(context, static_cast<RenamingMethod>(state.range(0))), tags);
    std::size_t bytes = 0;
    for (auto _ : state) {
        for (const std::string& name : names) {
            std::string proposal = ProposeNameSmart(batch, name).name;
            bytes += proposal.size();
            benchmark::DoNotOptimize(proposal);
        }
    }
    benchmark::DoNotOptimize(bytes);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(names.size()));
}
// Method 1: every cleaning step and garbage pass, questions answered No.
BENCHMARK(BM_SmartEngine)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target over old file names for the smart engine. The first two
// bytes choose the settings and the person's answers; the rest is the old
// name. Whatever the name, a proposal fits a file name (at most 255 bytes),
// keeps an old ".mp3" ending, stays valid UTF-8 when the old name was, and
// no value outgrows 255 bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "ScriptedUi.h"
#include "rename/NameTemplate.h"
#include "rename/RenameBatch.h"
#include "rename/SmartEngine.h"
#include "session/RenamingContext.h"
#include "settings/SettingsStore.h"
#include "tags/TagSource.h"

namespace {

using namespace tagnomen;

bool ValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        std::size_t length = lead < 0x80         ? 1
                             : (lead >> 5) == 6  ? 2
                             : (lead >> 4) == 14 ? 3
                             : (lead >> 3) == 30 ? 4
                                                 : 0;
        if (length == 0 || i + length > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

bool EndsInMp3(std::string_view text) {
    if (text.size() < 4) {
        return false;
    }
    std::string_view end = text.substr(text.size() - 4);
    return end[0] == '.' && (end[1] == 'm' || end[1] == 'M') && (end[2] == 'p' || end[2] == 'P') &&
           end[3] == '3';
}

[[noreturn]] void Fail(const char* what, const std::string& oldName, const std::string& proposal) {
    std::fprintf(stderr, "%s\nold name (%zu bytes): %s\nproposal (%zu bytes): %s\n", what,
                 oldName.size(), oldName.c_str(), proposal.size(), proposal.c_str());
    std::abort();
}

const char* const kTemplates[] = {kDefaultTemplate, "%Artist - %Title", "{%Track}{%Album}%Title",
                                  "%Title%Title%Title%Title%Title{ (%Year)}"};
const char* const kMethods[] = {"1", "2", "1", "5"};

SettingsStore& Store() {
    static SettingsStore store("/nonexistent-tagnomen-fuzz/settings.reg");
    return store;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const std::uint8_t settings = data[0];
    const std::uint8_t answers = data[1];
    const std::string oldName(reinterpret_cast<const char*>(data + 2), size - 2);

    SettingsStore& store = Store();
    store.SetOverlay("PathToWork", "/nonexistent-tagnomen-fuzz");
    store.SetOverlay("RenamingMethod", kMethods[settings & 3]);
    store.SetOverlay("UseTemplate", (settings & 4) ? "1" : "0");
    store.SetOverlay("Brackets", (settings & 8) ? "0" : "1");
    store.SetOverlay("Template", kTemplates[(settings >> 6) & 3]);

    ScriptedUi ui;
    // Enough answers for any name, cycling through the byte's bits.
    for (int i = 0; i < 64; ++i) {
        ui.yesNoAnswers.push_back(((answers >> (i % 8)) & 1) != 0);
        ui.garbageAnswers.push_back(static_cast<GarbageAnswer>((answers >> (2 * (i % 4))) & 3));
    }
    RenamingContext context(store, ui);
    context.underscoreOption = (settings & 16) ? 1 : 0;
    context.fileInfoLoader = (settings & 32) != 0;
    DirectTagSource tags(WorkDirectory(context), context.Support());
    RenamingMethod method = RenamingMethod::SmartEngine;
    store.GetRenamingMethod(method);
    RenameBatch batch(context, ReadRenameOptions(context, method), tags);
    smart::EngineRun run = smart::StartRun(batch, oldName);
    const std::string proposal = smart::ProposeName(run).name;
    if (proposal.size() > 255) {
        Fail("proposal longer than 255 bytes", oldName, proposal);
    }
    if (EndsInMp3(oldName) && !EndsInMp3(proposal)) {
        Fail("lost .mp3", oldName, proposal);
    }
    if (ValidUtf8(oldName) && !ValidUtf8(proposal)) {
        Fail("UTF-8 broken", oldName, proposal);
    }
    for (const std::string* value : {&run.values.title, &run.values.artist, &run.values.album,
                                     &run.values.year, &run.values.track, &run.values.genre}) {
        if (value->size() > 255) {
            Fail("value longer than 255 bytes", oldName, *value);
        }
    }
    return 0;
}

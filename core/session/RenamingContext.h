// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The renaming context: the state one session of the program shares, owned
// by the Workbench for its whole life and passed by reference to every
// renaming method, to Save and Undo and to every tool. What belongs to one
// call alone lives elsewhere: what one Rename reads and remembers in its
// batch (rename/RenameBatch.h), the smart engine's working values in its
// engine run (rename/EngineRun.h), the open undo file in Save and Undo.
#include <string>

#include "platform/FileSystem.h"
#include "platform/Ui.h"
#include "session/FileInfoTable.h"
#include "settings/SettingsStore.h"
#include "tags/TagSupport.h"

namespace tagnomen {

// The copies of the text settings that the renaming context keeps.
struct SettingsCaches {
    std::string workDirectory;
    std::string templateText;
    std::string organizeRoot;
};

struct RenamingContext {
    RenamingContext(SettingsStore& store, Ui& owner) : settings(store), ui(owner) {
        ReadPathToWork();
    }
    RenamingContext(const RenamingContext&) = delete;
    RenamingContext& operator=(const RenamingContext&) = delete;

    // The three text settings the context keeps copies of, read and stored
    // through it, so that each copy is refreshed where the setting is read.
    // A Store that returns false stored nothing and left the copy as it was
    // (the settings store tells why).
    std::string ReadPathToWork();
    bool StorePathToWork(const std::string& path);
    std::string ReadTemplate();
    bool StoreTemplate(const std::string& text);
    std::string ReadOrganizeRoot();
    bool StoreOrganizeRoot(const std::string& path);

    SettingsStore& settings;
    // Plays the owner window: every message box of the methods and tools goes here.
    Ui& ui;
    // Work directory, template and organizer root as they were last read or
    // stored through the context.
    SettingsCaches caches;
    // The absolute path of the directory the lists were made from. Rename,
    // Save and Undo act there, whatever "PathToWork" says by then: another
    // copy of the program may have changed it in the meantime.
    std::string listedDirectory;

    // Copies of the settings, set at start-up and by the menu commands.
    // "UnderscoreOption" keeps its number: 1 turns blanks into "_", 0 "_"
    // into blanks, and any other number does neither.
    int underscoreOption = 0;
    // "UseTemplate" holds 1.
    bool useTemplate = false;
    // "FileInfoLoader" holds anything but 0.
    bool fileInfoLoader = false;
    // Read the two above afresh; a missing value leaves the copy as it was.
    void ReadUseTemplate();
    void ReadFileInfoLoader();
    // "FullTagSupport": every ID3v2 encoding read, unchanged frames kept.
    bool fullTagSupport = true;
    // "MusicAwareNames": the names a careful person would give.
    bool musicAwareNames = true;
    TagSupport Support() const { return fullTagSupport ? TagSupport::Full : TagSupport::Basic; }
    // "ReadAheadThreads": the workers that read tags ahead of a Rename or
    // the cleaner; 0 reads every file only when it is its turn.
    int readAheadThreads = 16;
    FileInfoTable table;
};

// The directory a command acts on: the one the lists were made from; a
// context that never listed one (a tool run on its own) reads "PathToWork".
std::string WorkDirectory(RenamingContext& context);

}  // namespace tagnomen

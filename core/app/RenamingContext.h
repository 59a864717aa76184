#pragma once
// The renaming context: one object owned by the Workbench for its whole life
// and passed by reference to every renaming method, to Save and Undo and to
// every tool.
#include <cstdio>
#include <string>

#include "platform/Ui.h"
#include "rename/FileInfoTable.h"
#include "rename/RenameQuestions.h"
#include "settings/SettingsStore.h"

namespace tagnomen {

struct RenamingContext {
    RenamingContext(SettingsStore& store, Ui& owner) : settings(store), ui(owner) {
        settings.AttachCaches(&caches);
        settings.GetPathToWork(caches.workDirectory);
    }
    RenamingContext(const RenamingContext&) = delete;
    RenamingContext& operator=(const RenamingContext&) = delete;
    ~RenamingContext() { settings.AttachCaches(nullptr); }

    SettingsStore& settings;
    // Plays the owner window: every message box of the methods and tools goes here.
    Ui& ui;
    // Work directory, template and organizer root as the settings last gave them.
    SettingsCaches caches;

    // Smart engine working fields.
    int underscoreDashCount = 0;
    std::string title, artist, album, year, track, genre;
    int artistPassFlag = 0;
    int needsAlbum = 0;
    int needsTrack = 0;
    // Answers the person gave for the rest of the running Rename.
    RememberedAnswers remembered;

    // The undo file while Save or Undo runs.
    std::FILE* undoFile = nullptr;

    // Copies of the settings, set at start-up and by the menu commands.
    int underscoreOption = 0;
    int useTemplate = 0;
    int fileInfoLoader = 0;
    // "FullTagSupport": every ID3v2 encoding read, unchanged frames kept.
    bool fullTagSupport = true;

    // Set by Rename before its first file; cleared by the first recorded row.
    int tableResetFlag = 0;
    FileInfoTable table;
};

}  // namespace tagnomen

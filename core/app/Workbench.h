// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window without widgets: the working set, the renaming context and
// one routine per command of the main window. The Qt window and the CLI call
// these routines and show the state they leave behind.
#include <cstddef>
#include <string>

#include "session/CommandResult.h"
#include "session/RenamingContext.h"
#include "session/WorkingSet.h"

namespace tagnomen {

inline constexpr const char* kProgramTitle = "Velk\xC2\xB4s Tagnomen 3.1.1";
inline constexpr const char* kProgramName = "Tagnomen";
// The product's web page, opened by the Help menu and the About box.
inline constexpr const char* kWebPage = "https://tagnomen.org/";

struct MenuState {
    bool smartEngineChecked = false;      // "Renamer &Smart Engine (RSE)"
    bool id3TagChecked = false;           // "ID3 &TAG Method"
    bool massChecked = false;             // "&Mass Renaming Method"
    bool underscoreChecked = false;       // "Replace &Blank Spaces With Underscores"
    bool loaderChecked = false;           // "&Enable File Info Loader"
    bool fullTagSupportChecked = false;   // "&Full ID3 Support"
    bool musicAwareNamesChecked = false;  // "&Music-Aware Names"
    // Cleaner, organizer and viewer are greyed while the loader is off.
    bool loaderToolsEnabled = false;
};

enum class StartResult { Ready, Fatal };

// How the last Rename ended: how many files got a proposal of their own,
// and whether the person stopped it before the last file.
struct RenameReport {
    std::size_t proposed = 0;
    std::size_t total = 0;
    bool cancelled = false;
};

class Workbench {
  public:
    Workbench(SettingsStore& settings, Ui& ui);

    // Start-up: first-run check and notice, listing, options, menu state.
    // Fatal when the settings can be neither opened nor created (the
    // "Fatal Error" box has been shown; the program ends with code 1).
    StartResult Start();

    WorkingSet& Set() { return set_; }
    const WorkingSet& Set() const { return set_; }
    RenamingContext& Context() { return context_; }
    RenamingMethod CurrentMethod() const { return method_; }
    const MenuState& Menu() const { return menu_; }

    // Commands. Those that can fail say how they ended; the person has been
    // told through the Ui already.
    CommandResult ChooseDirectory();
    CommandResult Rename();
    // Asks a running Rename to stop after the file it is at (the window's
    // Cancel button and Escape). The files not reached keep their names as
    // their proposals, so that every command still finds one proposal per
    // file, and a Save leaves them as they are.
    void CancelRename() { cancelRequested_ = renaming_; }
    bool Renaming() const { return renaming_; }
    const RenameReport& LastRename() const { return lastRename_; }
    CommandResult Save();
    CommandResult Undo();
    void FormatToRename();
    // Exit button and menu item: true when the window may close.
    bool RequestExit();
    // The options: each is stored at once; an option that could not be
    // stored is reported and left as it was (Failed).
    CommandResult SelectMethod(RenamingMethod method);
    CommandResult ToggleUnderscore();
    CommandResult ToggleLoader();
    CommandResult ToggleFullTagSupport();
    CommandResult ToggleMusicAwareNames();
    CommandResult TagCleaner();
    CommandResult TagEditor();
    CommandResult MassFileNameEditor();
    CommandResult FilesOrganizer();
    CommandResult FileInfoViewer();
    void About();
    void WebSite();
    void Help();

    // List events.
    void SelectOld(int index);
    void SetRenamedSelection(const std::vector<int>& indexes);
    void DoubleClickOld(int index);
    void DoubleClickRenamed(int index);

    // A folder dropped on the window: asks about unsaved names, checks and
    // stores the path as the chooser's OK does, then lists it afresh.
    CommandResult OpenDroppedDirectory(const std::string& path);
    // Lists the directory of the lists again (asking about unsaved names),
    // so that the result of a Save or an Undo shows.
    CommandResult ListAgain();
    // The directory the lists belong to (the stored work directory before
    // anything was listed).
    std::string WorkDirectory();

    // Lists a directory into the old list (which is not emptied here) and
    // makes it, as an absolute path, the directory the lists belong to.
    // False when no MP3 file was found there.
    bool ListWorkDirectory(const std::string& directory, bool showMessage);

  private:
    bool ConfirmDiscardUnsaved();
    // Empties both lists and lists the directory with its message on.
    CommandResult ListAfresh(const std::string& directory);
    void ReadOptions();
    // Reports the setting the store could not keep.
    CommandResult SettingNotStored();
    void UpdateMenu();
    CommandResult EditTags(int index, bool foundInRenamedList);

    RenamingContext context_;
    WorkingSet set_;
    RenamingMethod method_ = RenamingMethod::SmartEngine;
    MenuState menu_;
    bool renaming_ = false;
    bool cancelRequested_ = false;
    RenameReport lastRename_;
};

}  // namespace tagnomen

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: the work directory line, the two lists, the progress bar
// with its label and Cancel button, the three buttons, the status line and
// the five menus. Every command runs on the Workbench; the window then shows
// the state the command left and says in the status line what was done.
#include <QDialog>
#include <QElapsedTimer>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "session/CommandResult.h"

class QAction;
class QLabel;
class QListView;
class QMenu;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QStatusBar;

namespace tagnomen {

class NameListModel;
class QtUi;
class Workbench;

class MainWindow : public QDialog {
    Q_OBJECT
  public:
    MainWindow(Workbench& workbench, QtUi& ui, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Shows the Workbench's lists, progress and menu state.
    void Refresh();

    // For tests and the screenshot tool.
    QListView* OldList() const { return oldList_; }
    QListView* RenamedList() const { return renamedList_; }
    NameListModel* RenamedModel() const { return renamedModel_; }
    QProgressBar* ProgressBar() const { return progressBar_; }
    QLabel* PercentLabel() const { return percentLabel_; }
    QPushButton* RenameButton() const { return renameButton_; }
    QPushButton* SaveButton() const { return saveButton_; }
    QPushButton* ExitButton() const { return exitButton_; }
    QPushButton* CancelButton() const { return cancelButton_; }
    QPushButton* ListAgainButton() const { return listAgainButton_; }
    QLabel* WorkDirectoryLabel() const { return workDirectoryLabel_; }
    QLabel* StatusLabel() const { return statusLabel_; }
    QLabel* ClashLabel() const { return clashLabel_; }
    QMenuBar* Menus() const { return menuBar_; }
    // The action with this menu text, e.g. "&Undo"; nullptr when there is none.
    QAction* FindAction(const QString& text) const;

    // Escape and the close box: a running Rename stops; otherwise the window
    // closes after the question Exit asks about unsaved names.
    void reject() override;
    // Every way of closing: the size and place are kept for the next start.
    void done(int result) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // The batches whose result the status line reports.
    enum class Batch { Save, Undo, Cleaner, Organizer };

    void BuildMenus();
    void BuildControls();
    template <typename Result>
    QAction* AddCommand(QMenu* menu, const QString& text, Result (Workbench::*command)(),
                        const QKeySequence& shortcut = {});
    void Run(const std::function<void()>& command);
    void RunRename();
    void RunBatch(Batch batch, CommandResult (Workbench::*command)());
    void RestorePlacement();
    void SetRenaming(bool renaming);
    void RefreshLists();
    void RefreshClashes();
    void ApplySelections();
    void ShowRenameProgress(int value, int maximum, const std::string& percentText);
    // Shows the proposals made since the last repaint of a running Rename.
    void AppendNewProposals();
    void ShowStatus(const QString& text, bool offerListAgain);
    void OnOldSelectionChanged();
    void OnRenamedSelectionChanged();
    void OpenEntry(QListView* list, int row);
    void OnExit();

    Workbench& workbench_;
    QtUi& ui_;
    QMenuBar* menuBar_ = nullptr;
    QLabel* workDirectoryLabel_ = nullptr;
    QListView* oldList_ = nullptr;
    QListView* renamedList_ = nullptr;
    NameListModel* oldModel_ = nullptr;
    NameListModel* renamedModel_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QLabel* percentLabel_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* renameButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    QLabel* clashLabel_ = nullptr;
    QPushButton* listAgainButton_ = nullptr;
    QAction* smartAction_ = nullptr;
    QAction* id3Action_ = nullptr;
    QAction* massAction_ = nullptr;
    QAction* cleanerAction_ = nullptr;
    QAction* organizerAction_ = nullptr;
    QAction* viewerAction_ = nullptr;
    QAction* loaderAction_ = nullptr;
    QAction* underscoreAction_ = nullptr;
    QAction* fullTagAction_ = nullptr;
    QAction* musicAwareAction_ = nullptr;
    // Every menu command, greyed while a Rename runs.
    std::vector<QAction*> commands_;
    // The working set's versions the lists show; kNeverShown forces a reset.
    static constexpr std::uint64_t kNeverShown = ~std::uint64_t{0};
    std::uint64_t shownNamesVersion_ = kNeverShown;
    std::uint64_t shownProposalsVersion_ = kNeverShown;
    bool updatingSelection_ = false;
    bool renameStarted_ = false;
    QElapsedTimer repaintTimer_;
    std::string shownPercent_;  // the percentage the label shows during a Rename
};

}  // namespace tagnomen

#pragma once
// The main window: the two lists, the progress bar with its label, the three
// buttons and the five menus. Every command runs on the Workbench; the
// window then shows the state the command left.
#include <QDialog>
#include <QElapsedTimer>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QListView;
class QMenuBar;
class QProgressBar;
class QPushButton;

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
    QProgressBar* ProgressBar() const { return progressBar_; }
    QLabel* PercentLabel() const { return percentLabel_; }
    QPushButton* RenameButton() const { return renameButton_; }
    QPushButton* SaveButton() const { return saveButton_; }
    QPushButton* ExitButton() const { return exitButton_; }
    QMenuBar* Menus() const { return menuBar_; }
    // The action with this menu text, e.g. "&Undo"; nullptr when there is none.
    QAction* FindAction(const QString& text) const;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildMenus();
    void BuildControls();
    template <typename Result>
    QAction* AddCommand(QMenu* menu, const QString& text, Result (Workbench::*command)());
    void Run(const std::function<void()>& command);
    void RefreshLists();
    void ApplySelections();
    void ShowRenameProgress(int value, int maximum, const std::string& percentText);
    // Shows the proposals made since the last repaint of a running Rename.
    void AppendNewProposals();
    void OnOldSelectionChanged();
    void OnRenamedSelectionChanged();
    void OnExit();

    Workbench& workbench_;
    QtUi& ui_;
    QMenuBar* menuBar_ = nullptr;
    QListView* oldList_ = nullptr;
    QListView* renamedList_ = nullptr;
    NameListModel* oldModel_ = nullptr;
    NameListModel* renamedModel_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QLabel* percentLabel_ = nullptr;
    QPushButton* renameButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    QAction* smartAction_ = nullptr;
    QAction* id3Action_ = nullptr;
    QAction* massAction_ = nullptr;
    QAction* cleanerAction_ = nullptr;
    QAction* organizerAction_ = nullptr;
    QAction* viewerAction_ = nullptr;
    QAction* loaderAction_ = nullptr;
    QAction* underscoreAction_ = nullptr;
    QAction* fullTagAction_ = nullptr;
    std::vector<std::string> shownOldNames_;
    std::vector<std::string> shownRenamedNames_;
    bool updatingSelection_ = false;
    QElapsedTimer repaintTimer_;
};

}  // namespace tagnomen

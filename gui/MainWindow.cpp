// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QUrl>
#include <QVBoxLayout>
#include <unordered_map>

#include "NameListModel.h"
#include "QtUi.h"
#include "StatusTexts.h"
#include "app/Clashes.h"
#include "app/WindowPlacement.h"
#include "app/Workbench.h"

namespace tagnomen {

namespace {

// The size of a first start, before any placement was kept.
constexpr QSize kFirstSize(640, 580);
// Repaints of a running Rename, a few times a second.
constexpr int kRepaintMilliseconds = 40;

constexpr const char* kNeedsLoader =
    "Greyed until Options > Enable File Info Loader is checked; it works on the file "
    "information that Rename then loads.";

QListView* MakeList(QWidget* parent, QAbstractItemView::SelectionMode mode) {
    auto* list = new QListView(parent);
    list->setSelectionMode(mode);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setUniformItemSizes(true);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list->setMinimumHeight(60);
    // The clash sign stays within a line of text.
    const int line = list->fontMetrics().height();
    list->setIconSize(QSize(line - 2, line - 2));
    return list;
}

QGroupBox* Framed(const QString& title, QWidget* content, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(content);
    return box;
}

// A label that shows a long path elided in the middle and the whole in its tooltip.
class PathLabel : public QLabel {
  public:
    explicit PathLabel(QWidget* parent) : QLabel(parent) {
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    void SetPath(const QString& path) {
        path_ = path;
        setToolTip(path);
        Elide();
    }

  protected:
    void resizeEvent(QResizeEvent* event) override {
        QLabel::resizeEvent(event);
        Elide();
    }

  private:
    void Elide() {
        const QString prefix = QStringLiteral("Work directory: ");
        const int room = width() - fontMetrics().horizontalAdvance(prefix);
        setText(prefix + fontMetrics().elidedText(path_, Qt::ElideMiddle, std::max(room, 40)));
    }
    QString path_;
};

std::size_t ChangedProposals(const WorkingSet& set) {
    std::size_t changed = 0;
    for (std::size_t i = 0; i < set.ProposalCount(); ++i) {
        if (set.Proposal(i) != set.OldName(i)) {
            ++changed;
        }
    }
    return changed;
}

}  // namespace

MainWindow::MainWindow(Workbench& workbench, QtUi& ui, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint),
      workbench_(workbench),
      ui_(ui) {
    setWindowTitle(QString::fromUtf8(kProgramTitle));
    setWindowIcon(QApplication::windowIcon());
    setAcceptDrops(true);
    setSizeGripEnabled(true);
    BuildControls();
    BuildMenus();
    ui_.SetOwner(this);
    ui_.SetRenameProgressSink([this](int value, int maximum, const std::string& percentText) {
        ShowRenameProgress(value, maximum, percentText);
    });
    RestorePlacement();
    Refresh();
}

MainWindow::~MainWindow() {
    ui_.SetRenameProgressSink({});
    ui_.CloseHelp();
}

void MainWindow::BuildControls() {
    workDirectoryLabel_ = new PathLabel(this);
    workDirectoryLabel_->setObjectName(QStringLiteral("workDirectory"));

    oldList_ = MakeList(this, QAbstractItemView::SingleSelection);
    renamedList_ = MakeList(this, QAbstractItemView::ExtendedSelection);
    const WorkingSet& set = workbench_.Set();
    oldModel_ = new NameListModel(
        [&set] { return set.Size(); },
        [&set](std::size_t row) -> const std::string& { return set.OldName(row); }, this);
    renamedModel_ = new NameListModel(
        [&set] { return set.ProposalCount(); },
        [&set](std::size_t row) -> const std::string& { return set.Proposal(row); }, this);
    oldList_->setModel(oldModel_);
    renamedList_->setModel(renamedModel_);
    oldList_->setObjectName(QStringLiteral("oldFileNames"));
    renamedList_->setObjectName(QStringLiteral("renamedFileNames"));
    oldList_->setToolTip(QStringLiteral("Double-click or press Enter to edit the file's tags"));
    oldList_->installEventFilter(this);
    renamedList_->installEventFilter(this);

    progressBar_ = new QProgressBar(this);
    progressBar_->setTextVisible(false);
    progressBar_->setRange(0, 1);
    progressBar_->setValue(0);
    percentLabel_ = new QLabel(QStringLiteral("0%"), this);
    percentLabel_->setMinimumWidth(40);
    cancelButton_ = new QPushButton(QStringLiteral("&Cancel"), this);
    cancelButton_->setAutoDefault(false);
    cancelButton_->setEnabled(false);
    cancelButton_->setToolTip(
        QStringLiteral("Stops Rename (also Escape); the names proposed so far are kept"));
    connect(cancelButton_, &QPushButton::clicked, this, [this] { workbench_.CancelRename(); });
    auto* progressBox = new QGroupBox(QStringLiteral("Renaming Progress Bar"), this);
    auto* progressLayout = new QHBoxLayout(progressBox);
    progressLayout->addWidget(progressBar_, 1);
    progressLayout->addWidget(percentLabel_);
    progressLayout->addWidget(cancelButton_);

    renameButton_ = new QPushButton(QStringLiteral("&Rename"), this);
    saveButton_ = new QPushButton(QStringLiteral("&Save"), this);
    exitButton_ = new QPushButton(QStringLiteral("&Exit"), this);
    // No default button: Enter on a list opens its entry and never ends the program.
    for (QPushButton* button : {renameButton_, saveButton_, exitButton_}) {
        button->setAutoDefault(false);
    }
    renameButton_->setToolTip(QStringLiteral("Propose a new name for every file (Ctrl+R)"));
    saveButton_->setToolTip(QStringLiteral("Rename the files on disk (Ctrl+S)"));
    exitButton_->setToolTip(QStringLiteral("End the program (Ctrl+Q)"));
    connect(renameButton_, &QPushButton::clicked, this, &MainWindow::RunRename);
    connect(saveButton_, &QPushButton::clicked, this,
            [this] { RunBatch(Batch::Save, &Workbench::Save); });
    connect(exitButton_, &QPushButton::clicked, this, &MainWindow::OnExit);

    connect(oldList_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &MainWindow::OnOldSelectionChanged);
    connect(renamedList_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &MainWindow::OnRenamedSelectionChanged);
    connect(oldList_, &QListView::doubleClicked, this,
            [this](const QModelIndex& index) { OpenEntry(oldList_, index.row()); });
    connect(renamedList_, &QListView::doubleClicked, this,
            [this](const QModelIndex& index) { OpenEntry(renamedList_, index.row()); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(renameButton_);
    buttons->addWidget(saveButton_);
    buttons->addWidget(exitButton_);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(progressBox, 1);
    bottom->addLayout(buttons);
    bottom->setAlignment(buttons, Qt::AlignBottom);

    statusBar_ = new QStatusBar(this);
    statusBar_->setSizeGripEnabled(false);
    statusLabel_ = new QLabel(statusBar_);
    statusLabel_->setObjectName(QStringLiteral("status"));
    clashLabel_ = new QLabel(statusBar_);
    clashLabel_->setObjectName(QStringLiteral("clashes"));
    clashLabel_->setStyleSheet(QStringLiteral("color: #9c0006; font-weight: bold"));
    clashLabel_->hide();
    listAgainButton_ = new QPushButton(QStringLiteral("&List Folder Again"), statusBar_);
    listAgainButton_->setAutoDefault(false);
    listAgainButton_->setToolTip(QStringLiteral("List the work directory to see the result"));
    listAgainButton_->hide();
    connect(listAgainButton_, &QPushButton::clicked, this, [this] {
        Run([this] { workbench_.ListAgain(); });
        ShowStatus({}, false);
    });
    statusBar_->addWidget(statusLabel_, 1);
    statusBar_->addPermanentWidget(clashLabel_);
    statusBar_->addPermanentWidget(listAgainButton_);

    auto* layout = new QVBoxLayout(this);
    menuBar_ = new QMenuBar(this);
    layout->setMenuBar(menuBar_);
    layout->addWidget(workDirectoryLabel_);
    layout->addWidget(Framed(QStringLiteral("Old File Names"), oldList_, this), 1);
    layout->addWidget(Framed(QStringLiteral("Renamed File Names"), renamedList_, this), 1);
    layout->addLayout(bottom);
    layout->addWidget(statusBar_);
}

template <typename Result>
QAction* MainWindow::AddCommand(QMenu* menu, const QString& text, Result (Workbench::*command)(),
                                const QKeySequence& shortcut) {
    QAction* action = menu->addAction(text);
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this,
            [this, command] { Run([this, command] { (workbench_.*command)(); }); });
    commands_.push_back(action);
    return action;
}

void MainWindow::BuildMenus() {
    QMenu* file = menuBar_->addMenu(QStringLiteral("&File"));
    AddCommand(file, QStringLiteral("&Directory To Work On..."), &Workbench::ChooseDirectory,
               QKeySequence(QStringLiteral("Ctrl+O")));
    AddCommand(file, QStringLiteral("&Format To Rename..."), &Workbench::FormatToRename);
    QAction* rename = file->addAction(QStringLiteral("&Rename"));
    rename->setShortcut(QKeySequence(QStringLiteral("Ctrl+R")));
    connect(rename, &QAction::triggered, this, &MainWindow::RunRename);
    QAction* save = file->addAction(QStringLiteral("&Save"));
    save->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    connect(save, &QAction::triggered, this, [this] { RunBatch(Batch::Save, &Workbench::Save); });
    QAction* undo = file->addAction(QStringLiteral("&Undo"));
    undo->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
    connect(undo, &QAction::triggered, this, [this] { RunBatch(Batch::Undo, &Workbench::Undo); });
    file->addSeparator();
    QAction* exit = file->addAction(QStringLiteral("&Exit"));
    exit->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
    connect(exit, &QAction::triggered, this, &MainWindow::OnExit);
    commands_.insert(commands_.end(), {rename, save, undo, exit});

    QMenu* method = menuBar_->addMenu(QStringLiteral("Renaming &Method"));
    // One method at a time: the items show radio marks.
    auto* methods = new QActionGroup(this);
    methods->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    auto addMethod = [this, method, methods](const QString& text, RenamingMethod value) {
        QAction* action = method->addAction(text);
        action->setCheckable(true);
        methods->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, value] { Run([this, value] { workbench_.SelectMethod(value); }); });
        commands_.push_back(action);
        return action;
    };
    smartAction_ =
        addMethod(QStringLiteral("Renamer &Smart Engine (RSE)"), RenamingMethod::SmartEngine);
    id3Action_ = addMethod(QStringLiteral("ID3 &TAG Method"), RenamingMethod::Id3Tag);
    massAction_ = addMethod(QStringLiteral("&Mass Renaming Method"), RenamingMethod::Mass);

    QMenu* tools = menuBar_->addMenu(QStringLiteral("&Tools"));
    tools->setToolTipsVisible(true);
    cleanerAction_ = tools->addAction(QStringLiteral("ID3 TAG's  &Cleaner"));
    connect(cleanerAction_, &QAction::triggered, this,
            [this] { RunBatch(Batch::Cleaner, &Workbench::TagCleaner); });
    commands_.push_back(cleanerAction_);
    AddCommand(tools, QStringLiteral("ID3 TAG's &Editor..."), &Workbench::TagEditor);
    tools->addSeparator();
    AddCommand(tools, QStringLiteral("Mass Mp3 &Filename Editor..."),
               &Workbench::MassFileNameEditor);
    organizerAction_ = tools->addAction(QStringLiteral("Files &Organizer..."));
    connect(organizerAction_, &QAction::triggered, this,
            [this] { RunBatch(Batch::Organizer, &Workbench::FilesOrganizer); });
    commands_.push_back(organizerAction_);
    viewerAction_ =
        AddCommand(tools, QStringLiteral("File Info &Viewer..."), &Workbench::FileInfoViewer);

    QMenu* options = menuBar_->addMenu(QStringLiteral("&Options"));
    loaderAction_ =
        AddCommand(options, QStringLiteral("&Enable File Info Loader"), &Workbench::ToggleLoader);
    underscoreAction_ =
        AddCommand(options, QStringLiteral("Replace &Blank Spaces With Underscores"),
                   &Workbench::ToggleUnderscore);
    fullTagAction_ =
        AddCommand(options, QStringLiteral("&Full ID3 Support"), &Workbench::ToggleFullTagSupport);
    loaderAction_->setCheckable(true);
    underscoreAction_->setCheckable(true);
    musicAwareAction_ = AddCommand(options, QStringLiteral("&Music-Aware Names"),
                                   &Workbench::ToggleMusicAwareNames);
    fullTagAction_->setCheckable(true);
    musicAwareAction_->setCheckable(true);

    QMenu* help = menuBar_->addMenu(QStringLiteral("&Help"));
    AddCommand(help, QStringLiteral("&Contents"), &Workbench::Help,
               QKeySequence(QStringLiteral("F1")));
    help->addSeparator();
    AddCommand(help, QStringLiteral("&About Tagnomen"), &Workbench::About);
    AddCommand(help, QStringLiteral("Renamer's &Web Site"), &Workbench::WebSite);
}

QAction* MainWindow::FindAction(const QString& text) const {
    for (QAction* menuAction : menuBar_->actions()) {
        if (menuAction->text() == text) {
            return menuAction;
        }
        if (QMenu* menu = menuAction->menu()) {
            for (QAction* action : menu->actions()) {
                if (action->text() == text) {
                    return action;
                }
            }
        }
    }
    return nullptr;
}

void MainWindow::Run(const std::function<void()>& command) {
    command();
    Refresh();
}

void MainWindow::RunRename() {
    renameStarted_ = false;
    SetRenaming(true);
    Run([this] { workbench_.Rename(); });
    SetRenaming(false);
    Refresh();
    if (!renameStarted_) {
        return;  // refused, or the person kept the unsaved names
    }
    const RenameReport& report = workbench_.LastRename();
    ShowStatus(report.cancelled ? RenameCancelledText(report.proposed, report.total)
                                : RenameDoneText(report.total),
               false);
}

void MainWindow::RunBatch(Batch batch, CommandResult (Workbench::*command)()) {
    const WorkingSet& set = workbench_.Set();
    const std::size_t changed = ChangedProposals(set);
    const std::size_t tableRows = workbench_.Context().table.RowCount();
    // The cleaner goes through the listed files as far as the table reaches.
    const std::size_t cleaned = set.Size() == 0 ? tableRows : std::min(set.Size(), tableRows);
    ui_.ForgetBatch();
    CommandResult result;
    Run([this, command, &result] { result = (workbench_.*command)(); });
    if (!ui_.LastBatch().ran) {
        return;  // refused before any file was touched
    }
    const std::size_t failures = result.failures;
    switch (batch) {
        case Batch::Save:
            ShowStatus(SaveDoneText(changed, failures), true);
            break;
        case Batch::Undo:
            ShowStatus(UndoDoneText(failures), true);
            break;
        case Batch::Cleaner:
            ShowStatus(CleanerDoneText(cleaned, failures), false);
            break;
        case Batch::Organizer:
            ShowStatus(OrganizerDoneText(tableRows, failures), false);
            break;
    }
}

void MainWindow::SetRenaming(bool renaming) {
    for (QWidget* widget : std::initializer_list<QWidget*>{
             oldList_, renamedList_, renameButton_, saveButton_, exitButton_, listAgainButton_}) {
        widget->setEnabled(!renaming);
    }
    for (QAction* action : commands_) {
        action->setEnabled(!renaming);
    }
    cancelButton_->setEnabled(renaming);
    if (renaming) {
        cancelButton_->setFocus();
    }
}

void MainWindow::RestorePlacement() {
    const QRect area = screen() ? screen()->availableGeometry() : QRect(QPoint(0, 0), kFirstSize);
    const std::optional<WindowPlacement> kept = LoadWindowPlacement(workbench_.Context().settings);
    if (!kept) {
        resize(kFirstSize.boundedTo(area.size()));
        return;
    }
    const QRect placed(kept->x, kept->y, kept->width, kept->height);
    resize(placed.size().boundedTo(area.size()));
    // A place on a screen that is gone is not restored.
    if (area.intersects(placed)) {
        move(placed.topLeft());
    }
    if (kept->maximized) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
}

void MainWindow::done(int result) {
    // The place and size it has when not maximized.
    const QRect normal = isMaximized() ? normalGeometry() : QRect(pos(), size());
    // Only the next start's window position depends on it; a box here would
    // stand between the person and the exit, so a failure goes unreported.
    (void)StoreWindowPlacement(
        workbench_.Context().settings,
        {normal.x(), normal.y(), normal.width(), normal.height(), isMaximized()});
    QDialog::done(result);
}

void MainWindow::Refresh() {
    RefreshLists();
    const WorkingSet& set = workbench_.Set();
    progressBar_->setRange(0, std::max(1, set.progressMaximum));
    progressBar_->setValue(set.progressValue);
    percentLabel_->setText(QString::fromUtf8(set.percentText));
    static_cast<PathLabel*>(workDirectoryLabel_)
        ->SetPath(QString::fromUtf8(workbench_.WorkDirectory()));

    const MenuState& menu = workbench_.Menu();
    smartAction_->setChecked(menu.smartEngineChecked);
    id3Action_->setChecked(menu.id3TagChecked);
    massAction_->setChecked(menu.massChecked);
    loaderAction_->setChecked(menu.loaderChecked);
    underscoreAction_->setChecked(menu.underscoreChecked);
    fullTagAction_->setChecked(menu.fullTagSupportChecked);
    musicAwareAction_->setChecked(menu.musicAwareNamesChecked);
    const QString cleanerTip =
        QStringLiteral("Rewrites the tags of every file from the file information table");
    const QString organizerTip =
        QStringLiteral("Moves the saved files into folders by title, artist, album, year or genre");
    const QString viewerTip = QStringLiteral("Shows and corrects the file information table");
    for (auto [action, tip] :
         {std::pair{cleanerAction_, cleanerTip}, std::pair{organizerAction_, organizerTip},
          std::pair{viewerAction_, viewerTip}}) {
        action->setEnabled(menu.loaderToolsEnabled && !workbench_.Renaming());
        const QString shown = menu.loaderToolsEnabled ? tip : QString::fromUtf8(kNeedsLoader);
        action->setToolTip(shown);
        action->setStatusTip(shown);
    }
}

void MainWindow::RefreshLists() {
    const WorkingSet& set = workbench_.Set();
    updatingSelection_ = true;
    // Comparing the bytes is cheap; resetting a view loses its scroll position.
    // Resetting a view loses its scroll position: only what changed is shown afresh.
    if (set.NamesVersion() != shownNamesVersion_) {
        shownNamesVersion_ = set.NamesVersion();
        oldModel_->Reset();
    }
    if (set.ProposalsVersion() != shownProposalsVersion_) {
        shownProposalsVersion_ = set.ProposalsVersion();
        renamedModel_->Reset();
        RefreshClashes();
    }
    updatingSelection_ = false;
    ApplySelections();
}

void MainWindow::RefreshClashes() {
    const WorkingSet& set = workbench_.Set();
    const std::vector<ClashPair> clashes = FindClashes(set, workbench_.WorkDirectory());
    const std::vector<long> partners = ClashPartners(set.Size(), clashes);
    std::unordered_map<int, QString> marks;
    // A row is marked once, with the first reason found for it.
    auto mark = [&](std::size_t row, const QString& tooltip) {
        if (set.HasProposal(row)) {
            marks.emplace(static_cast<int>(row), tooltip);
        }
    };
    for (std::size_t row = 0; row < partners.size(); ++row) {
        if (partners[row] == kNoClash) {
            continue;
        }
        const auto other = static_cast<std::size_t>(partners[row]);
        mark(row,
             ClashTooltip(set.OldName(other), set.NameAfterSave(other),
                          set.HasProposal(other) && set.Proposal(other) != set.OldName(other)));
    }
    for (const ClashPair& clash : clashes) {
        switch (clash.kind) {
            case ClashKind::SameName:
                break;
            case ClashKind::HeldByRow:
                mark(clash.second, ChainTooltip(set.OldName(clash.first)));
                break;
            case ClashKind::HeldByEntry:
                mark(clash.second, TakenTooltip(clash.holder));
                break;
            case ClashKind::Refused:
                mark(clash.second, RefusedTooltip());
                break;
        }
    }
    const std::size_t count = marks.size();
    renamedModel_->SetMarks(std::move(marks));
    clashLabel_->setText(ClashCountText(count));
    clashLabel_->setVisible(count > 0);
}

void MainWindow::ApplySelections() {
    const WorkingSet& set = workbench_.Set();
    updatingSelection_ = true;
    QItemSelectionModel* oldSelection = oldList_->selectionModel();
    if (set.oldSelection >= 0 && set.oldSelection < oldModel_->rowCount()) {
        oldSelection->select(oldModel_->index(set.oldSelection),
                             QItemSelectionModel::ClearAndSelect);
    } else {
        oldSelection->clearSelection();
    }
    QItemSelection renamed;
    for (int row : set.SelectedRenamed()) {
        if (row < renamedModel_->rowCount()) {
            renamed.select(renamedModel_->index(row), renamedModel_->index(row));
        }
    }
    renamedList_->selectionModel()->select(renamed, QItemSelectionModel::ClearAndSelect);
    updatingSelection_ = false;
}

void MainWindow::OnOldSelectionChanged() {
    if (updatingSelection_) {
        return;
    }
    QModelIndexList rows = oldList_->selectionModel()->selectedRows();
    if (rows.isEmpty()) {
        return;
    }
    workbench_.SelectOld(rows.front().row());
    ApplySelections();
}

void MainWindow::OnRenamedSelectionChanged() {
    if (updatingSelection_) {
        return;
    }
    std::vector<int> rows;
    for (const QModelIndex& index : renamedList_->selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    workbench_.SetRenamedSelection(rows);
    ApplySelections();
}

void MainWindow::OpenEntry(QListView* list, int row) {
    if (row < 0) {
        return;
    }
    if (list == oldList_) {
        Run([this, row] { workbench_.DoubleClickOld(row); });
    } else {
        Run([this, row] { workbench_.DoubleClickRenamed(row); });
    }
}

void MainWindow::ShowRenameProgress(int value, int maximum, const std::string& percentText) {
    if (value == 1) {
        // Rename starts from an empty proposed list.
        renameStarted_ = true;
        repaintTimer_.start();
        shownProposalsVersion_ = kNeverShown;
        renamedModel_->SetMarks({});
        clashLabel_->hide();
        renamedModel_->Reset();
        ShowStatus(QStringLiteral("Renaming... (Escape or Cancel stops)"), false);
    }
    // The widgets are told only what they would show differently: the label
    // changes a hundred times in a Rename, not once per file.
    const bool repaint = value == maximum || repaintTimer_.elapsed() >= kRepaintMilliseconds;
    if (repaint || percentText != shownPercent_) {
        progressBar_->setRange(0, std::max(1, maximum));
        progressBar_->setValue(value);
        percentLabel_->setText(QString::fromUtf8(percentText));
        shownPercent_ = percentText;
    }
    // Repaint a few times a second, not once per file: the label still
    // counts up, the proposals appear as they come and the window never
    // freezes, but painting does not dominate. The Cancel button and
    // Escape are heard at the same moments.
    if (repaint) {
        AppendNewProposals();
        QApplication::processEvents();
        repaintTimer_.restart();
    }
}

void MainWindow::AppendNewProposals() {
    updatingSelection_ = true;
    renamedModel_->ShowAppended();
    updatingSelection_ = false;
}

void MainWindow::ShowStatus(const QString& text, bool offerListAgain) {
    statusLabel_->setText(text);
    listAgainButton_->setVisible(offerListAgain);
}

void MainWindow::OnExit() {
    if (workbench_.RequestExit()) {
        accept();
    }
}

void MainWindow::reject() {
    if (workbench_.Renaming()) {
        workbench_.CancelRename();
        return;
    }
    if (workbench_.RequestExit()) {
        QDialog::reject();
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // Enter on an entry does what a double-click does.
    if (event->type() == QEvent::KeyPress && (watched == oldList_ || watched == renamedList_)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            auto* list = static_cast<QListView*>(watched);
            OpenEntry(list, list->currentIndex().row());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool MainWindow::event(QEvent* event) {
    // A dialog has no status bar of its own: menu items' status tips go to ours.
    if (event->type() == QEvent::StatusTip) {
        statusBar_->showMessage(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QDialog::event(event);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!workbench_.Renaming() && urls.size() == 1 && urls.front().isLocalFile() &&
        QFileInfo(urls.front().toLocalFile()).isDir()) {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (workbench_.Renaming() || urls.size() != 1 || !urls.front().isLocalFile()) {
        return;
    }
    event->acceptProposedAction();
    const std::string path = urls.front().toLocalFile().toUtf8().toStdString();
    Run([this, &path] { workbench_.OpenDroppedDirectory(path); });
}

}  // namespace tagnomen

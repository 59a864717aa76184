#include "MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "NameListModel.h"
#include "QtUi.h"
#include "app/Workbench.h"

namespace tagnomen {

namespace {

QListView* MakeList(QWidget* parent, QAbstractItemView::SelectionMode mode) {
    auto* list = new QListView(parent);
    list->setSelectionMode(mode);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setUniformItemSizes(true);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return list;
}

QGroupBox* Framed(const QString& title, QWidget* content, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(content);
    return box;
}

}  // namespace

MainWindow::MainWindow(Workbench& workbench, QtUi& ui, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      workbench_(workbench),
      ui_(ui) {
    setWindowTitle(QString::fromUtf8(kProgramTitle));
    setWindowIcon(QApplication::windowIcon());
    BuildControls();
    BuildMenus();
    ui_.SetOwner(this);
    ui_.SetRenameProgressSink([this](int value, int maximum, const std::string& percentText) {
        ShowRenameProgress(value, maximum, percentText);
    });
    resize(470, 500);
    Refresh();
}

MainWindow::~MainWindow() {
    ui_.SetRenameProgressSink({});
    ui_.CloseHelp();
}

void MainWindow::BuildControls() {
    oldList_ = MakeList(this, QAbstractItemView::SingleSelection);
    renamedList_ = MakeList(this, QAbstractItemView::ExtendedSelection);
    oldModel_ = new NameListModel(workbench_.Set().oldNames, this);
    renamedModel_ = new NameListModel(workbench_.Set().renamedNames, this);
    oldList_->setModel(oldModel_);
    renamedList_->setModel(renamedModel_);
    oldList_->setObjectName(QStringLiteral("oldFileNames"));
    renamedList_->setObjectName(QStringLiteral("renamedFileNames"));

    progressBar_ = new QProgressBar(this);
    progressBar_->setTextVisible(false);
    progressBar_->setRange(0, 1);
    progressBar_->setValue(0);
    percentLabel_ = new QLabel(QStringLiteral("0%"), this);
    percentLabel_->setMinimumWidth(40);
    auto* progressBox = new QGroupBox(QStringLiteral("Renaming Progress Bar"), this);
    auto* progressLayout = new QHBoxLayout(progressBox);
    progressLayout->addWidget(progressBar_, 1);
    progressLayout->addWidget(percentLabel_);

    renameButton_ = new QPushButton(QStringLiteral("&Rename"), this);
    saveButton_ = new QPushButton(QStringLiteral("&Save"), this);
    exitButton_ = new QPushButton(QStringLiteral("&Exit"), this);
    renameButton_->setAutoDefault(false);
    saveButton_->setAutoDefault(false);
    exitButton_->setDefault(true);  // the Enter key means Exit, as in any dialog
    connect(renameButton_, &QPushButton::clicked, this,
            [this] { Run([this] { workbench_.Rename(); }); });
    connect(saveButton_, &QPushButton::clicked, this,
            [this] { Run([this] { workbench_.Save(); }); });
    connect(exitButton_, &QPushButton::clicked, this, &MainWindow::OnExit);

    connect(oldList_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &MainWindow::OnOldSelectionChanged);
    connect(renamedList_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &MainWindow::OnRenamedSelectionChanged);
    connect(oldList_, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
        Run([this, row = index.row()] { workbench_.DoubleClickOld(row); });
    });
    connect(renamedList_, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
        Run([this, row = index.row()] { workbench_.DoubleClickRenamed(row); });
    });

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(progressBox, 1);
    bottom->addWidget(renameButton_, 0, Qt::AlignBottom);
    bottom->addWidget(saveButton_, 0, Qt::AlignBottom);
    bottom->addWidget(exitButton_, 0, Qt::AlignBottom);

    auto* layout = new QVBoxLayout(this);
    menuBar_ = new QMenuBar(this);
    layout->setMenuBar(menuBar_);
    layout->addWidget(Framed(QStringLiteral("Old File Names"), oldList_, this), 1);
    layout->addWidget(Framed(QStringLiteral("Renamed File Names"), renamedList_, this), 1);
    layout->addLayout(bottom);
}

template <typename Result>
QAction* MainWindow::AddCommand(QMenu* menu, const QString& text, Result (Workbench::*command)()) {
    QAction* action = menu->addAction(text);
    connect(action, &QAction::triggered, this,
            [this, command] { Run([this, command] { (workbench_.*command)(); }); });
    return action;
}

void MainWindow::BuildMenus() {
    QMenu* file = menuBar_->addMenu(QStringLiteral("&File"));
    AddCommand(file, QStringLiteral("&Directory To Work On..."), &Workbench::ChooseDirectory);
    AddCommand(file, QStringLiteral("&Format To Rename..."), &Workbench::FormatToRename);
    AddCommand(file, QStringLiteral("&Undo"), &Workbench::Undo);
    file->addSeparator();
    connect(file->addAction(QStringLiteral("&Exit")), &QAction::triggered, this,
            &MainWindow::OnExit);

    QMenu* method = menuBar_->addMenu(QStringLiteral("Renaming &Method"));
    auto addMethod = [this, method](const QString& text, int value) {
        QAction* action = method->addAction(text);
        action->setCheckable(true);
        connect(action, &QAction::triggered, this,
                [this, value] { Run([this, value] { workbench_.SelectMethod(value); }); });
        return action;
    };
    smartAction_ = addMethod(QStringLiteral("Renamer &Smart Engine (RSE)"), 1);
    id3Action_ = addMethod(QStringLiteral("ID3 &TAG Method"), 0);
    massAction_ = addMethod(QStringLiteral("&Mass Renaming Method"), 2);

    QMenu* tools = menuBar_->addMenu(QStringLiteral("&Tools"));
    cleanerAction_ =
        AddCommand(tools, QStringLiteral("ID3 TAG's  &Cleaner"), &Workbench::TagCleaner);
    AddCommand(tools, QStringLiteral("ID3 TAG's &Editor..."), &Workbench::TagEditor);
    tools->addSeparator();
    AddCommand(tools, QStringLiteral("Mass Mp3 &Filename Editor..."),
               &Workbench::MassFileNameEditor);
    organizerAction_ =
        AddCommand(tools, QStringLiteral("Files &Organizer..."), &Workbench::FilesOrganizer);
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
    fullTagAction_->setCheckable(true);

    QMenu* help = menuBar_->addMenu(QStringLiteral("&Help"));
    AddCommand(help, QStringLiteral("&Contents"), &Workbench::Help)
        ->setShortcut(QKeySequence::HelpContents);
    help->addSeparator();
    AddCommand(help, QStringLiteral("&About Tagnomen"), &Workbench::About);
    AddCommand(help, QStringLiteral("Renamer's &Web Site"), &Workbench::WebSite);
}

QAction* MainWindow::FindAction(const QString& text) const {
    for (QAction* menuAction : menuBar_->actions()) {
        if (menuAction->text() == text)
            return menuAction;
        if (QMenu* menu = menuAction->menu()) {
            for (QAction* action : menu->actions()) {
                if (action->text() == text)
                    return action;
            }
        }
    }
    return nullptr;
}

void MainWindow::Run(const std::function<void()>& command) {
    command();
    Refresh();
}

void MainWindow::Refresh() {
    RefreshLists();
    const WorkingSet& set = workbench_.Set();
    progressBar_->setRange(0, std::max(1, set.progressMaximum));
    progressBar_->setValue(set.progressValue);
    percentLabel_->setText(QString::fromUtf8(set.percentText));

    const MenuState& menu = workbench_.Menu();
    smartAction_->setChecked(menu.smartEngineChecked);
    id3Action_->setChecked(menu.id3TagChecked);
    massAction_->setChecked(menu.massChecked);
    loaderAction_->setChecked(menu.loaderChecked);
    underscoreAction_->setChecked(menu.underscoreChecked);
    fullTagAction_->setChecked(menu.fullTagSupportChecked);
    cleanerAction_->setEnabled(menu.loaderToolsEnabled);
    organizerAction_->setEnabled(menu.loaderToolsEnabled);
    viewerAction_->setEnabled(menu.loaderToolsEnabled);
}

void MainWindow::RefreshLists() {
    const WorkingSet& set = workbench_.Set();
    updatingSelection_ = true;
    // Comparing the bytes is cheap; resetting a view loses its scroll position.
    if (set.oldNames != shownOldNames_) {
        shownOldNames_ = set.oldNames;
        oldModel_->Reset();
    }
    if (set.renamedNames != shownRenamedNames_) {
        shownRenamedNames_ = set.renamedNames;
        renamedModel_->Reset();
    }
    updatingSelection_ = false;
    ApplySelections();
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
    if (updatingSelection_)
        return;
    QModelIndexList rows = oldList_->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return;
    workbench_.SelectOld(rows.front().row());
    ApplySelections();
}

void MainWindow::OnRenamedSelectionChanged() {
    if (updatingSelection_)
        return;
    std::vector<int> rows;
    for (const QModelIndex& index : renamedList_->selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    workbench_.SetRenamedSelection(rows);
    ApplySelections();
}

void MainWindow::ShowRenameProgress(int value, int maximum, const std::string& percentText) {
    if (value == 1) {
        // Rename starts from an empty proposed list.
        repaintTimer_.start();
        shownRenamedNames_.clear();
        renamedModel_->Reset();
    }
    progressBar_->setRange(0, std::max(1, maximum));
    progressBar_->setValue(value);
    percentLabel_->setText(QString::fromUtf8(percentText));
    // Repaint a few times a second, not once per file: the label still
    // counts up, the proposals appear as they come and the window never
    // freezes, but painting does not dominate.
    if (value == maximum || repaintTimer_.elapsed() >= 40) {
        AppendNewProposals();
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        repaintTimer_.restart();
    }
}

void MainWindow::AppendNewProposals() {
    updatingSelection_ = true;
    renamedModel_->ShowAppended();
    updatingSelection_ = false;
}

void MainWindow::OnExit() {
    if (workbench_.RequestExit())
        accept();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The title bar's close box ends the program without the question.
    event->accept();
}

}  // namespace tagnomen

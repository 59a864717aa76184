// SPDX-License-Identifier: GPL-3.0-or-later
#include "DirectoryChooserDialog.h"

#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ToolDialogs.h"

namespace tagnomen {

namespace {

constexpr int kItemRole = Qt::UserRole;

// A tree with dotted lines joining each folder to its parent and no
// expand buttons: expansion follows the selection alone. The top items
// stand at the left edge without lines.
class FolderTree : public QTreeWidget {
  public:
    using QTreeWidget::QTreeWidget;

  protected:
    void drawBranches(QPainter* painter, const QRect& rect,
                      const QModelIndex& index) const override {
        const int step = indentation();
        if (step <= 0 || !index.parent().isValid()) {
            return;
        }
        painter->save();
        painter->setPen(QPen(palette().color(QPalette::Mid), 1, Qt::DotLine));
        const int middleY = rect.top() + rect.height() / 2;
        auto hasNextSibling = [](const QModelIndex& item) {
            return item.sibling(item.row() + 1, 0).isValid();
        };
        // The item's own column: down from the top to its middle, on to the
        // bottom when a sibling follows, and across to the item.
        int right = rect.right() + 1;
        int x = right - step / 2;
        painter->drawLine(x, rect.top(), x, hasNextSibling(index) ? rect.bottom() : middleY);
        painter->drawLine(x, middleY, right - 2, middleY);
        // Columns of the folders above: a line passes by while their own
        // siblings follow further down.
        for (QModelIndex above = index.parent(); above.parent().isValid(); above = above.parent()) {
            right -= step;
            x = right - step / 2;
            if (hasNextSibling(above)) {
                painter->drawLine(x, rect.top(), x, rect.bottom());
            }
        }
        painter->restore();
    }
};

}  // namespace

DirectoryChooserDialog::DirectoryChooserDialog(DirectoryChooserModel& model, QWidget* parent)
    : QDialog(parent), model_(model) {
    setWindowTitle(QString::fromUtf8(model.Title()));
    icons_[static_cast<int>(ChooserImage::Folder)] =
        style()->standardIcon(QStyle::SP_DirClosedIcon);
    icons_[static_cast<int>(ChooserImage::SelectedFolder)] =
        style()->standardIcon(QStyle::SP_DirOpenIcon);
    icons_[static_cast<int>(ChooserImage::Drive)] = style()->standardIcon(QStyle::SP_DriveHDIcon);

    edit_ = new QLineEdit(QString::fromUtf8(model.Text()), this);
    edit_->setMaxLength(static_cast<int>(DirectoryChooserModel::kMaxCharacters));
    // Only typed text goes back to the model, so a stored path whose bytes
    // are not valid UTF-8 survives an OK without typing.
    connect(edit_, &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.SetText(text.toUtf8().toStdString()); });
    auto* caption = new QLabel(QStringLiteral("&Directory Name"), this);
    caption->setBuddy(edit_);

    tree_ = new FolderTree(this);
    tree_->setHeaderHidden(true);
    tree_->setColumnCount(1);
    tree_->setIconSize(QSize(16, 16));
    tree_->setRootIsDecorated(false);
    // Expansion follows the selection alone.
    tree_->setItemsExpandable(false);
    tree_->setExpandsOnDoubleClick(false);
    tree_->setDragEnabled(false);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    // The tree opens at the directory the edit names, which keeps its text.
    model_.OpenAtText();
    AddMissingItems();
    ShowModelSelection();
    connect(tree_, &QTreeWidget::currentItemChanged, this,
            &DirectoryChooserDialog::OnCurrentItemChanged);

    auto* buttons = new QDialogButtonBox(this);
    if (model_.CanCreateFolders()) {
        newFolder_ =
            buttons->addButton(QStringLiteral("&New Folder..."), QDialogButtonBox::ActionRole);
        newFolder_->setAutoDefault(false);
        connect(newFolder_, &QPushButton::clicked, this, [this] {
            bool typed = false;
            const QString name = QInputDialog::getText(
                this, QStringLiteral("New Folder"),
                QStringLiteral("Name of the new folder in %1:").arg(edit_->text()),
                QLineEdit::Normal, QStringLiteral("New Folder"), &typed);
            if (typed) {
                CreateFolder(name);
            }
        });
    }
    buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &DirectoryChooserDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &DirectoryChooserDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(edit_);
    layout->addWidget(tree_, 1);
    layout->addWidget(buttons);
    resize(440, 380);
}

QTreeWidgetItem* DirectoryChooserDialog::TreeItem(int item) const {
    if (item < 0 || static_cast<std::size_t>(item) >= treeItems_.size()) {
        return nullptr;
    }
    return treeItems_[static_cast<std::size_t>(item)];
}

QIcon DirectoryChooserDialog::ImageIcon(ChooserImage image) const {
    return icons_[static_cast<int>(image)];
}

int DirectoryChooserDialog::ModelItem(const QTreeWidgetItem* item) const {
    return item == nullptr ? DirectoryChooserModel::kNoItem : item->data(0, kItemRole).toInt();
}

void DirectoryChooserDialog::AddMissingItems() {
    // The model's tree only grows, and its items are numbered in the order
    // they were added, so the new ones are those past the known count.
    for (std::size_t i = treeItems_.size(); i < model_.ItemCount(); ++i) {
        const int index = static_cast<int>(i);
        const DirectoryChooserModel::Item& item = model_.ItemAt(index);
        QTreeWidgetItem* widgetItem;
        if (item.parent == DirectoryChooserModel::kNoItem) {
            widgetItem = new QTreeWidgetItem(tree_);
        } else {
            widgetItem = new QTreeWidgetItem(TreeItem(item.parent));
        }
        widgetItem->setText(0, QString::fromUtf8(item.text));
        widgetItem->setData(0, kItemRole, index);
        widgetItem->setIcon(0, ImageIcon(model_.Image(index, false)));
        treeItems_.push_back(widgetItem);
    }
}

void DirectoryChooserDialog::ShowModelSelection() {
    for (std::size_t i = 0; i < treeItems_.size(); ++i) {
        treeItems_[i]->setExpanded(model_.IsExpanded(static_cast<int>(i)));
    }
    QTreeWidgetItem* selected = TreeItem(model_.Selected());
    if (selected == nullptr) {
        return;
    }
    selected->setIcon(0, ImageIcon(model_.Image(model_.Selected(), true)));
    tree_->setCurrentItem(selected);
    tree_->scrollToItem(selected, QAbstractItemView::PositionAtCenter);
}

void DirectoryChooserDialog::OnCurrentItemChanged(QTreeWidgetItem* current,
                                                  QTreeWidgetItem* previous) {
    if (previous != nullptr) {
        previous->setIcon(0, ImageIcon(model_.Image(ModelItem(previous), false)));
    }
    if (current == nullptr) {
        return;
    }
    const int item = ModelItem(current);
    model_.Select(item);
    AddMissingItems();
    current->setIcon(0, ImageIcon(model_.Image(item, true)));
    for (std::size_t i = 0; i < treeItems_.size(); ++i) {
        treeItems_[i]->setExpanded(model_.IsExpanded(static_cast<int>(i)));
    }
    edit_->setText(QString::fromUtf8(model_.Text()));
}

void DirectoryChooserDialog::CreateFolder(const QString& name) {
    // The model's text is the edit's: typed text and selections reach it at once.
    if (!model_.CreateFolder(name.toUtf8().toStdString())) {
        return;
    }
    AddMissingItems();
    ShowModelSelection();
    edit_->setText(QString::fromUtf8(model_.Text()));
}

void DirectoryChooserDialog::accept() {
    if (model_.Accept()) {
        QDialog::accept();
    }
}

void DirectoryChooserDialog::reject() {
    model_.Reject();
    QDialog::reject();
}

bool ExecDirectoryChooserDialog(QWidget* parent, DirectoryChooserModel& model) {
    DirectoryChooserDialog dialog(model, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace tagnomen

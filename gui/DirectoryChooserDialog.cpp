#include "DirectoryChooserDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ToolDialogs.h"

namespace tagnomen {

namespace {
constexpr int kItemRole = Qt::UserRole;
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

    tree_ = new QTreeWidget(this);
    tree_->setHeaderHidden(true);
    tree_->setColumnCount(1);
    tree_->setIconSize(QSize(16, 16));
    tree_->setRootIsDecorated(false);
    // Expansion follows the selection alone.
    tree_->setItemsExpandable(false);
    tree_->setExpandsOnDoubleClick(false);
    tree_->setDragEnabled(false);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    AddMissingItems();
    connect(tree_, &QTreeWidget::currentItemChanged, this,
            &DirectoryChooserDialog::OnCurrentItemChanged);

    auto* buttons = new QDialogButtonBox(this);
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
    if (item < 0 || static_cast<std::size_t>(item) >= treeItems_.size())
        return nullptr;
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

void DirectoryChooserDialog::OnCurrentItemChanged(QTreeWidgetItem* current,
                                                  QTreeWidgetItem* previous) {
    if (previous != nullptr)
        previous->setIcon(0, ImageIcon(model_.Image(ModelItem(previous), false)));
    if (current == nullptr)
        return;
    const int item = ModelItem(current);
    model_.Select(item);
    AddMissingItems();
    current->setIcon(0, ImageIcon(model_.Image(item, true)));
    for (std::size_t i = 0; i < treeItems_.size(); ++i)
        treeItems_[i]->setExpanded(model_.IsExpanded(static_cast<int>(i)));
    edit_->setText(QString::fromUtf8(model_.Text()));
}

void DirectoryChooserDialog::accept() {
    if (model_.Accept())
        QDialog::accept();
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

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Directory To Work On" / "Select a Root Directory To Organize Your Mp3
// Files": the directory text over a folder tree. Selecting a folder lists
// its subfolders, expands it alone and puts its path into the text; OK has
// the model check and store the text. Where the model creates folders (the
// organizer's root), "&New Folder..." asks for a name and makes the folder
// inside the one the text names.
#include <QDialog>
#include <QIcon>
#include <vector>

#include "tools/DirectoryChooserModel.h"

class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace tagnomen {

class DirectoryChooserDialog : public QDialog {
    Q_OBJECT
  public:
    DirectoryChooserDialog(DirectoryChooserModel& model, QWidget* parent = nullptr);
    QLineEdit* DirectoryEdit() const { return edit_; }
    QTreeWidget* Tree() const { return tree_; }
    // Null where the model creates no folders.
    QPushButton* NewFolderButton() const { return newFolder_; }
    // What the button does once the name is typed.
    void CreateFolder(const QString& name);
    // The tree widget item of a model item.
    QTreeWidgetItem* TreeItem(int item) const;
    // The picture shown for one of the three images.
    QIcon ImageIcon(ChooserImage image) const;

    void accept() override;
    void reject() override;

  private:
    void AddMissingItems();
    // Expands and selects what the model has selected, without selecting it again.
    void ShowModelSelection();
    void OnCurrentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);
    int ModelItem(const QTreeWidgetItem* item) const;

    DirectoryChooserModel& model_;
    QLineEdit* edit_;
    QTreeWidget* tree_;
    QPushButton* newFolder_ = nullptr;
    std::vector<QTreeWidgetItem*> treeItems_;  // indexed by model item
    QIcon icons_[3];
};

}  // namespace tagnomen

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "File Information Viewer": the file information table as a grid with grid
// lines, whole-row single selection and no sorting. "&Edit" or a double click
// runs the row editor; "&OK" closes the viewer.
#include <QDialog>

class QPushButton;
class QTableWidget;

namespace tagnomen {

class FileInfoViewerModel;

class FileInfoViewerDialog : public QDialog {
    Q_OBJECT
  public:
    FileInfoViewerDialog(FileInfoViewerModel& model, QWidget* parent = nullptr);

    QTableWidget* Grid() const { return grid_; }
    QPushButton* EditButton() const { return edit_; }
    QPushButton* OkButton() const { return ok_; }

    // "&Edit": the row editor on the selected row, whose cells are then shown afresh.
    void EditSelectedRow();

  private:
    void ShowRow(int row);

    FileInfoViewerModel& model_;
    QTableWidget* grid_;
    QPushButton* edit_;
    QPushButton* ok_;
};

}  // namespace tagnomen

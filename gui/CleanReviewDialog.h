// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The review the tag cleaner shows before it writes: one row per file that
// changes, its check box in the file name column, one column per field with
// "old → new". Guesses from the file name are shown in italics with a check
// box of their own, off where they would replace a tag's value. The
// line under the grid counts the files that do not change. OK writes what is
// checked, Cancel nothing.
#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace tagnomen {

class CleanReviewModel;

class CleanReviewDialog : public QDialog {
    Q_OBJECT
  public:
    CleanReviewDialog(CleanReviewModel& model, QWidget* parent = nullptr);

    QTableWidget* Grid() const { return grid_; }
    QLabel* Summary() const { return summary_; }
    QPushButton* OkButton() const { return ok_; }

    void accept() override;
    void reject() override;

  private:
    void ShowRow(int row);
    void OnItemChanged(QTableWidgetItem* item);

    CleanReviewModel& model_;
    QTableWidget* grid_;
    QLabel* summary_;
    QPushButton* ok_;
    bool showing_ = false;
};

}  // namespace tagnomen

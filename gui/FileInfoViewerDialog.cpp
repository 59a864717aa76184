// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileInfoViewerDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ToolDialogs.h"
#include "tools/FileInfoViewerModel.h"

namespace tagnomen {

FileInfoViewerDialog::FileInfoViewerDialog(FileInfoViewerModel& model, QWidget* parent)
    : QDialog(parent), model_(model) {
    setWindowTitle(QString::fromUtf8(model.Title()));

    const auto& columns = FileInfoViewerModel::Columns();
    grid_ = new QTableWidget(static_cast<int>(model.RowCount()), FileInfoViewerModel::kColumnCount,
                             this);
    int width = 0;
    for (int column = 0; column < FileInfoViewerModel::kColumnCount; ++column) {
        const auto& info = columns[static_cast<std::size_t>(column)];
        grid_->setHorizontalHeaderItem(column,
                                       new QTableWidgetItem(QString::fromUtf8(info.header)));
        grid_->setColumnWidth(column, info.width);
        width += info.width;
    }
    grid_->setShowGrid(true);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSortingEnabled(false);
    grid_->setWordWrap(false);
    grid_->verticalHeader()->setVisible(false);
    grid_->horizontalHeader()->setSectionsClickable(false);
    grid_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int row = 0; row < grid_->rowCount(); ++row) {
        ShowRow(row);
    }
    // Wide enough for every column where the screen allows; the grid
    // scrolls on a smaller screen, where the window is fitted to it.
    grid_->setMinimumSize(240, 120);

    connect(grid_, &QTableWidget::itemSelectionChanged, this, [this] {
        const QList<QTableWidgetItem*> items = grid_->selectedItems();
        model_.Select(items.isEmpty() ? FileInfoViewerModel::kNoRow : items.first()->row());
    });
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        grid_->selectRow(row);
        EditSelectedRow();
    });

    edit_ = new QPushButton(QStringLiteral("&Edit"), this);
    edit_->setAutoDefault(false);
    connect(edit_, &QPushButton::clicked, this, &FileInfoViewerDialog::EditSelectedRow);
    ok_ = new QPushButton(QStringLiteral("&OK"), this);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(edit_);
    buttons->addStretch();
    buttons->addWidget(ok_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addLayout(buttons);
    resize(width + 2 * layout->contentsMargins().left() + 8, 420);
}

void FileInfoViewerDialog::ShowRow(int row) {
    for (int column = 0; column < FileInfoViewerModel::kColumnCount; ++column) {
        const std::string text = model_.CellText(static_cast<std::size_t>(row), column);
        const QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        if (QTableWidgetItem* item = grid_->item(row, column)) {
            item->setText(shown);
        } else {
            grid_->setItem(row, column, new QTableWidgetItem(shown));
        }
    }
}

void FileInfoViewerDialog::EditSelectedRow() {
    const int row = model_.Selected();
    model_.EditSelected();
    // Whatever the editor returned, the row shows the table's values again.
    if (row != FileInfoViewerModel::kNoRow) {
        ShowRow(row);
    }
}

bool ExecFileInfoViewerDialog(QWidget* parent, FileInfoViewerModel& model) {
    FileInfoViewerDialog dialog(model, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace tagnomen

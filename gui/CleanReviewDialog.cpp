// SPDX-License-Identifier: GPL-3.0-or-later
#include "CleanReviewDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "ToolDialogs.h"
#include "tools/CleanReviewModel.h"

namespace tagnomen {

namespace {

// The widest a column starts, and the narrowest.
constexpr int kFileNameWidth = 280;
constexpr int kFieldWidth = 220;
constexpr int kNarrowest = 60;

QString Text(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

Qt::CheckState StateOf(bool checked) {
    return checked ? Qt::Checked : Qt::Unchecked;
}

}  // namespace

CleanReviewDialog::CleanReviewDialog(CleanReviewModel& model, QWidget* parent)
    : QDialog(parent), model_(model) {
    setWindowTitle(QString::fromUtf8(model.Title()));

    auto* intro = new QLabel(
        QStringLiteral("The cleaner writes the checked files. Values in <i>italics</i> were "
                       "guessed from the file name and are written only while ticked; a guess "
                       "that would replace a value of the tags starts unticked."),
        this);
    intro->setWordWrap(true);

    grid_ =
        new QTableWidget(static_cast<int>(model.RowCount()), CleanReviewModel::kColumnCount, this);
    grid_->setObjectName(QStringLiteral("reviewGrid"));
    const auto& headers = CleanReviewModel::Headers();
    for (int column = 0; column < CleanReviewModel::kColumnCount; ++column) {
        grid_->setHorizontalHeaderItem(
            column,
            new QTableWidgetItem(QString::fromUtf8(headers[static_cast<std::size_t>(column)])));
    }
    grid_->setShowGrid(true);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSortingEnabled(false);
    grid_->setWordWrap(false);
    grid_->verticalHeader()->setVisible(false);
    grid_->horizontalHeader()->setSectionsClickable(false);
    grid_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid_->setMinimumSize(240, 120);
    for (int row = 0; row < grid_->rowCount(); ++row) {
        ShowRow(row);
    }
    // Each column as wide as what it shows, within limits; the grid scrolls
    // where the screen is narrower.
    grid_->resizeColumnsToContents();
    int width = 0;
    for (int column = 0; column < CleanReviewModel::kColumnCount; ++column) {
        const int limit =
            column == CleanReviewModel::kFileNameColumn ? kFileNameWidth : kFieldWidth;
        grid_->setColumnWidth(column, std::clamp(grid_->columnWidth(column), kNarrowest, limit));
        width += grid_->columnWidth(column);
    }
    connect(grid_, &QTableWidget::itemChanged, this, &CleanReviewDialog::OnItemChanged);

    summary_ = new QLabel(QString::fromUtf8(model.SummaryText()), this);
    summary_->setObjectName(QStringLiteral("reviewSummary"));
    summary_->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(this);
    ok_ = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok_->setDefault(true);
    buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CleanReviewDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CleanReviewDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(grid_, 1);
    layout->addWidget(summary_);
    layout->addWidget(buttons);
    resize(width + 2 * layout->contentsMargins().left() + 8, 420);
}

void CleanReviewDialog::ShowRow(int row) {
    showing_ = true;
    const auto index = static_cast<std::size_t>(row);
    auto* name = grid_->item(row, CleanReviewModel::kFileNameColumn);
    if (name == nullptr) {
        name = new QTableWidgetItem(Text(model_.Row(index).fileName));
        name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        grid_->setItem(row, CleanReviewModel::kFileNameColumn, name);
    }
    name->setCheckState(StateOf(model_.RowChecked(index)));
    for (int column = 1; column < CleanReviewModel::kColumnCount; ++column) {
        const SongField field = CleanReviewModel::FieldOf(column);
        auto* cell = grid_->item(row, column);
        if (cell == nullptr) {
            cell = new QTableWidgetItem(Text(model_.CellText(index, field)));
            cell->setFlags(Qt::ItemIsEnabled);
            if (model_.IsGuessed(index, field)) {
                QFont font = cell->font();
                font.setItalic(true);
                cell->setFont(font);
                cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
                cell->setToolTip(QStringLiteral("Guessed from the file name"));
            }
            if (model_.IsGuessedOverwrite(index, field)) {
                cell->setToolTip(
                    QStringLiteral("Guessed from the file name; the tags hold \"%1\". Tick it to "
                                   "write the guess.")
                        .arg(Text(ShownValue(field, model_.Change(index, field)->before))));
            }
            grid_->setItem(row, column, cell);
        }
        if (model_.IsGuessed(index, field)) {
            cell->setCheckState(StateOf(model_.GuessChecked(index, field)));
        }
    }
    showing_ = false;
}

void CleanReviewDialog::OnItemChanged(QTableWidgetItem* item) {
    if (showing_ || item == nullptr) {
        return;
    }
    const auto row = static_cast<std::size_t>(item->row());
    const bool checked = item->checkState() == Qt::Checked;
    if (item->column() == CleanReviewModel::kFileNameColumn) {
        model_.SetRowChecked(row, checked);
    } else {
        model_.SetGuessChecked(row, CleanReviewModel::FieldOf(item->column()), checked);
    }
    // Ticking a guess checks its row.
    ShowRow(item->row());
}

void CleanReviewDialog::accept() {
    model_.Accept();
    QDialog::accept();
}

void CleanReviewDialog::reject() {
    model_.Reject();
    QDialog::reject();
}

bool ExecCleanReviewDialog(QWidget* parent, CleanReviewModel& model) {
    CleanReviewDialog dialog(model, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace tagnomen

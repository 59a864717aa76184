// SPDX-License-Identifier: GPL-3.0-or-later
#include "NameListModel.h"

#include <QApplication>
#include <QBrush>
#include <QColor>
#include <QStyle>

namespace tagnomen {

NameListModel::NameListModel(Count count, NameAt nameAt, QObject* parent)
    : QAbstractListModel(parent),
      count_(std::move(count)),
      nameAt_(std::move(nameAt)),
      shown_(static_cast<int>(count_())) {}

int NameListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shown_;
}

QVariant NameListModel::data(const QModelIndex& index, int role) const {
    // The Workbench may be between two notifications (Rename empties the
    // list before it proposes again): rows beyond its names show nothing.
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= count_()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return QString::fromUtf8(nameAt_(static_cast<std::size_t>(index.row())));
    }
    if (marks_.empty()) {
        return {};
    }
    const auto mark = marks_.find(index.row());
    if (mark == marks_.end()) {
        return {};
    }
    switch (role) {
        case Qt::ToolTipRole:
            return mark->second;
        case Qt::ForegroundRole:
            return QBrush(QColor(0x9c, 0x00, 0x06));
        case Qt::BackgroundRole:
            return QBrush(QColor(0xff, 0xc7, 0xce));
        case Qt::DecorationRole:
            return markIcon_;
        default:
            return {};
    }
}

void NameListModel::SetMarks(std::unordered_map<int, QString> tooltips) {
    if (tooltips.empty() && marks_.empty()) {
        return;
    }
    if (markIcon_.isNull()) {
        markIcon_ = QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
    }
    marks_ = std::move(tooltips);
    if (shown_ > 0) {
        emit dataChanged(index(0), index(shown_ - 1));
    }
}

void NameListModel::Reset() {
    beginResetModel();
    shown_ = static_cast<int>(count_());
    endResetModel();
}

void NameListModel::ShowAppended() {
    const int total = static_cast<int>(count_());
    if (total <= shown_) {
        return;
    }
    beginInsertRows(QModelIndex(), shown_, total - 1);
    shown_ = total;
    endInsertRows();
}

}  // namespace tagnomen

#include "NameListModel.h"

namespace tagnomen {

NameListModel::NameListModel(const std::vector<std::string>& names, QObject* parent)
    : QAbstractListModel(parent), names_(names), shown_(static_cast<int>(names.size())) {}

int NameListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shown_;
}

QVariant NameListModel::data(const QModelIndex& index, int role) const {
    // The Workbench may be between two notifications (Rename empties the
    // list before it proposes again): rows beyond its names show nothing.
    if (role != Qt::DisplayRole || !index.isValid() ||
        static_cast<std::size_t>(index.row()) >= names_.size()) {
        return {};
    }
    return QString::fromUtf8(names_[static_cast<std::size_t>(index.row())]);
}

void NameListModel::Reset() {
    beginResetModel();
    shown_ = static_cast<int>(names_.size());
    endResetModel();
}

void NameListModel::ShowAppended() {
    const int total = static_cast<int>(names_.size());
    if (total <= shown_)
        return;
    beginInsertRows(QModelIndex(), shown_, total - 1);
    shown_ = total;
    endInsertRows();
}

}  // namespace tagnomen

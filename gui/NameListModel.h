// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One of the main window's lists, shown straight from the Workbench's names:
// a row's text is converted only when the view paints it, so listing and
// Rename cost the same with 100 files or 100,000.
#include <QAbstractListModel>
#include <QIcon>
#include <QString>
#include <cstddef>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace tagnomen {

class NameListModel : public QAbstractListModel {
    Q_OBJECT
  public:
    // How many names the list holds and the name of a row, read from the
    // Workbench's working set whenever the view asks.
    using Count = std::function<std::size_t()>;
    using NameAt = std::function<const std::string&(std::size_t)>;
    NameListModel(Count count, NameAt nameAt, QObject* parent);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The names were replaced: show them all afresh.
    void Reset();
    // Names were appended since the last call: show the new rows.
    void ShowAppended();
    // Rows shown as clashing: in red, with a warning sign and the tooltip
    // given; every other row unmarked.
    void SetMarks(std::unordered_map<int, QString> tooltips);
    bool IsMarked(int row) const { return marks_.count(row) != 0; }

  private:
    Count count_;
    NameAt nameAt_;
    int shown_ = 0;
    std::unordered_map<int, QString> marks_;
    QIcon markIcon_;
};

}  // namespace tagnomen

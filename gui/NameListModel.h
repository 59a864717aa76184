#pragma once
// One of the main window's lists, shown straight from the Workbench's names:
// a row's text is converted only when the view paints it, so listing and
// Rename cost the same with 100 files or 100,000.
#include <QAbstractListModel>
#include <string>
#include <vector>

namespace tagnomen {

class NameListModel : public QAbstractListModel {
    Q_OBJECT
  public:
    NameListModel(const std::vector<std::string>& names, QObject* parent);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The names were replaced: show them all afresh.
    void Reset();
    // Names were appended since the last call: show the new rows.
    void ShowAppended();

  private:
    const std::vector<std::string>& names_;
    int shown_ = 0;
};

}  // namespace tagnomen

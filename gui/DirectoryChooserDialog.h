#pragma once
// "Directory To Work On" / "Select a Root Directory To Organize Your Mp3
// Files": the directory text, checked by the model on OK.
#include <QDialog>

class QLineEdit;

namespace tagnomen {

class DirectoryChooserModel;

class DirectoryChooserDialog : public QDialog {
    Q_OBJECT
  public:
    DirectoryChooserDialog(DirectoryChooserModel& model, QWidget* parent = nullptr);
    QLineEdit* DirectoryEdit() const { return edit_; }

    void accept() override;

  private:
    DirectoryChooserModel& model_;
    QLineEdit* edit_;
};

}  // namespace tagnomen

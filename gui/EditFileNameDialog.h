// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Edit The Mp3 File Name": one proposed name, shown without its ".mp3",
// with "&Get Old Name" to start again from the file's name on disk.
#include <QDialog>

class QLineEdit;
class QPushButton;

namespace tagnomen {

class EditFileNameModel;

class EditFileNameDialog : public QDialog {
    Q_OBJECT
  public:
    EditFileNameDialog(EditFileNameModel& model, QWidget* parent = nullptr);

    QLineEdit* NameEdit() const { return edit_; }
    QPushButton* GetOldNameButton() const { return getOldName_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

    void accept() override;

  private:
    EditFileNameModel& model_;
    QLineEdit* edit_;
    QPushButton* getOldName_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

}  // namespace tagnomen

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Mass Mp3 Filename Editor": a text added to every selected proposed name,
// at the beginning, before the extension or after a token.
#include <QDialog>

class QButtonGroup;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tagnomen {

class MassFileNameEditorModel;

class MassFileNameEditorDialog : public QDialog {
    Q_OBJECT
  public:
    MassFileNameEditorDialog(MassFileNameEditorModel& model, QWidget* parent = nullptr);

    QLineEdit* TextEdit() const { return text_; }
    QLineEdit* TokenEdit() const { return token_; }
    QRadioButton* BeginningButton() const { return beginning_; }
    QRadioButton* EndButton() const { return end_; }
    QRadioButton* AfterTokenButton() const { return afterToken_; }
    QPushButton* OkButton() const { return ok_; }

    void accept() override;

  private:
    void ShowToken();

    MassFileNameEditorModel& model_;
    QLineEdit* text_;
    QLineEdit* token_;
    QButtonGroup* group_;
    QRadioButton* beginning_;
    QRadioButton* end_;
    QRadioButton* afterToken_;
    QPushButton* ok_;
};

}  // namespace tagnomen

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Format To Rename": the two fixed formats and the free format with its
// template edit, the placeholders a template may use (a click puts one in),
// and a preview of the name the chosen format gives for the first file.
// Cancel and Escape leave it without storing anything; it has no close box.
#include <QDialog>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tagnomen {

class NameFormatModel;

class NameFormatDialog : public QDialog {
    Q_OBJECT
  public:
    NameFormatDialog(NameFormatModel& model, QWidget* parent = nullptr);

    QRadioButton* BracketsButton() const { return brackets_; }
    QRadioButton* PlainButton() const { return plain_; }
    QRadioButton* FreeButton() const { return free_; }
    QLineEdit* TemplateEdit() const { return template_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }
    QLabel* PreviewLabel() const { return preview_; }

    void accept() override;

  private:
    void ShowTemplate();
    void ShowPreview();
    void InsertPlaceholder(const QString& placeholder);

    NameFormatModel& model_;
    QButtonGroup* group_;
    QRadioButton* brackets_;
    QRadioButton* plain_;
    QRadioButton* free_;
    QLineEdit* template_;
    QWidget* placeholders_;
    QLabel* preview_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

}  // namespace tagnomen

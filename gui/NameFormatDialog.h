#pragma once
// "Format To Rename": the two fixed formats and the free format with its
// template edit. It has no Cancel button and no close box; Escape leaves it
// without storing anything.
#include <QDialog>

class QButtonGroup;
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

    void accept() override;

  private:
    void ShowTemplate();

    NameFormatModel& model_;
    QButtonGroup* group_;
    QRadioButton* brackets_;
    QRadioButton* plain_;
    QRadioButton* free_;
    QLineEdit* template_;
    QPushButton* ok_;
};

}  // namespace tagnomen

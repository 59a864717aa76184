// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tag-mismatch prompt: shows the ID3v1 and the ID3v2 text of one value
// and lets the person choose one. It has only OK; Escape keeps the ID3v1 text.
#include <QDialog>
#include <string>

class QLineEdit;
class QRadioButton;

namespace tagnomen {

class TagMismatchDialog : public QDialog {
    Q_OBJECT
  public:
    explicit TagMismatchDialog(QWidget* parent = nullptr);

    // Shows the prompt for one value and returns the chosen text.
    std::string Ask(const std::string& caption, const std::string& fileName,
                    const std::string& id3v1Text, const std::string& id3v2Text);

    // For tests: fills the fields as Ask does, without running the dialog.
    void Fill(const std::string& caption, const std::string& fileName, const std::string& id3v1Text,
              const std::string& id3v2Text);
    // The text OK would give now.
    std::string ChosenText() const;
    QRadioButton* Id3v1Button() const { return id3v1Button_; }
    QRadioButton* Id3v2Button() const { return id3v2Button_; }

  private:
    QLineEdit* fileEdit_;
    QLineEdit* captionEdit_;
    QLineEdit* id3v1Edit_;
    QLineEdit* id3v2Edit_;
    QRadioButton* id3v1Button_;
    QRadioButton* id3v2Button_;
    std::string id3v1Text_;
    std::string id3v2Text_;
};

}  // namespace tagnomen

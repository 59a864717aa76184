// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file information editor: "ID3 TAG Editor" in tag mode, with the
// comment and the tag label; "File Information Editor" in table mode, for a
// row of the file information viewer. OK with a year outside 1900..2050
// keeps it open.
#include <QDialog>

#include "tools/FileInfoEditorModel.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tagnomen {

class FileInfoEditorDialog : public QDialog {
    Q_OBJECT
  public:
    FileInfoEditorDialog(FileInfoEditorModel& model, QWidget* parent = nullptr);

    QLineEdit* FileNameEdit() const { return fileName_; }
    QLineEdit* Edit(EditorField field) const;
    QPlainTextEdit* CommentEdit() const { return comment_; }
    QLabel* CommentCaption() const { return commentCaption_; }
    QComboBox* GenreList() const { return genre_; }
    QLabel* TagLabel() const { return tagLabel_; }
    // The file's cover picture, small and read only; hidden when there is none.
    QLabel* CoverLabel() const { return cover_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

    void accept() override;
    void reject() override;

  private:
    QLineEdit* AddLine(EditorField field);
    void Typed(EditorField field, QLineEdit* edit, const QString& text);
    void CommentTyped();

    FileInfoEditorModel& model_;
    QLineEdit* fileName_;
    QLineEdit* lines_[5] = {};
    QPlainTextEdit* comment_;
    QLabel* commentCaption_;
    QComboBox* genre_;
    QLabel* tagLabel_;
    QLabel* cover_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

}  // namespace tagnomen

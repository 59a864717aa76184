// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Files Organizer": the group "Sort files by :" with five radio buttons, the
// drop-down lists beside "&Artist" and "Al&bum", "&OK" and "&Cancel". With
// no button chosen, OK does nothing.
#include <QDialog>

#include "tools/FilesOrganizerModel.h"

class QButtonGroup;
class QComboBox;
class QPushButton;
class QRadioButton;

namespace tagnomen {

class FilesOrganizerDialog : public QDialog {
    Q_OBJECT
  public:
    FilesOrganizerDialog(FilesOrganizerModel& model, QWidget* parent = nullptr);

    QRadioButton* Button(SortMethod method) const;
    QComboBox* ArtistList() const { return artistList_; }
    QComboBox* AlbumList() const { return albumList_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

    void accept() override;
    void reject() override;

  private:
    void ShowModel();

    FilesOrganizerModel& model_;
    QButtonGroup* group_;
    QRadioButton* buttons_[5] = {};
    QComboBox* artistList_;
    QComboBox* albumList_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

}  // namespace tagnomen

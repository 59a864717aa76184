// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Erase the Garbage Text": Yes erases the text, No keeps it, the two "Mark
// as" buttons (hidden unless needed) hand it over as album or track.
// Escape and the close box mean No.
#include <QDialog>

#include "platform/Ui.h"

class QCheckBox;
class QPushButton;

namespace tagnomen {

class GarbageDialog : public QDialog {
    Q_OBJECT
  public:
    // offerSameForRest shows the check box "Answer the same for the rest of this Rename".
    GarbageDialog(const QString& question, bool showMarkAsAlbum, bool showMarkAsTrack,
                  QWidget* parent = nullptr, bool offerSameForRest = false);
    GarbageAnswer Ask();
    bool SameForRest() const;

    QPushButton* YesButton() const { return yes_; }
    QPushButton* NoButton() const { return no_; }
    QPushButton* AlbumButton() const { return album_; }
    QPushButton* TrackButton() const { return track_; }
    QCheckBox* SameForRestBox() const { return sameForRest_; }

  private:
    QPushButton* yes_;
    QPushButton* no_;
    QPushButton* album_;
    QPushButton* track_;
    QCheckBox* sameForRest_ = nullptr;
};

}  // namespace tagnomen

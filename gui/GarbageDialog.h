#pragma once
// "Erase the Garbage Text": Yes erases the text, No keeps it, the two "Mark
// as" buttons (hidden unless needed) hand it over as album or track.
// Escape and the close box mean No.
#include <QDialog>

#include "platform/Ui.h"

class QPushButton;

namespace tagnomen {

class GarbageDialog : public QDialog {
    Q_OBJECT
  public:
    GarbageDialog(const QString& question, bool showMarkAsAlbum, bool showMarkAsTrack,
                  QWidget* parent = nullptr);
    GarbageAnswer Ask();

    QPushButton* YesButton() const { return yes_; }
    QPushButton* NoButton() const { return no_; }
    QPushButton* AlbumButton() const { return album_; }
    QPushButton* TrackButton() const { return track_; }

  private:
    QPushButton* yes_;
    QPushButton* no_;
    QPushButton* album_;
    QPushButton* track_;
};

}  // namespace tagnomen

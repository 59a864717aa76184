// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frameless window shown while a batch runs ("Renaming your Mp3
// Files...", "Cleaning your Mp3 File's TAGs...", "Organizing your Mp3
// Files..."): the program icon and one line of text, centred on the screen.
// It has no buttons and takes no input; the batch closes it when it ends.
#include <QWidget>

namespace tagnomen {

class ProgressWindow : public QWidget {
    Q_OBJECT
  public:
    ProgressWindow(const QString& text, QWidget* owner);
    // Shows the window centred and paints it before the batch starts.
    void ShowCentred();
    QString Text() const;

  private:
    QString text_;
};

}  // namespace tagnomen

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keeps every window on its screen: when a window is shown it is made no
// larger than the screen's available area and moved so that its frame lies
// inside it, so that no button ends up below the visible screen on a small
// display or with a large scale factor. Installed once on the application.
#include <QObject>

class QWidget;

namespace tagnomen {

class ScreenFit : public QObject {
    Q_OBJECT
  public:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Shrinks the window to the available area of its screen (never below its
// minimum size) and moves it inside that area.
void FitIntoScreen(QWidget* window);

}  // namespace tagnomen

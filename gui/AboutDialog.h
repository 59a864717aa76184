// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The About box: program name and version, what it does, and the button that
// opens the product's web page.
#include <QDialog>
#include <QIcon>

#include "platform/Ui.h"

namespace tagnomen {

// The program icon at every size it is drawn in (from the program's resources),
// for windows that show it whether or not the application icon has been set.
QIcon ProgramIcon();

class AboutDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kWebSiteResult = 2;
    AboutDialog(const AboutInfo& info, QWidget* parent = nullptr);
};

}  // namespace tagnomen

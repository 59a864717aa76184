#pragma once
// The About box: program name and version, what it does, and the button that
// opens the product's web page.
#include <QDialog>

#include "platform/Ui.h"

namespace tagnomen {

class AboutDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kWebSiteResult = 2;
    AboutDialog(const AboutInfo& info, QWidget* parent = nullptr);
};

}  // namespace tagnomen

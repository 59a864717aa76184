// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The manual: opened in the desktop's browser without waiting, or, where no
// browser is registered for web pages, in a help window of the program.
#include <QWidget>
#include <string>

class QTextBrowser;
class QAction;

namespace tagnomen {

// The program's own help window: the pages in a text browser, with Back,
// Forward and Contents. It deletes itself when closed.
class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    explicit HelpWindow(QWidget* owner);
    // Shows the page (or says where the manual was looked for when the page
    // is missing) and brings the window to the front.
    void ShowPage(const QString& file);
    QTextBrowser* Browser() const { return browser_; }

  private:
    void UpdateTitle();

    QTextBrowser* browser_ = nullptr;
    QAction* back_ = nullptr;
    QAction* forward_ = nullptr;
    QString home_;
};

// Opens the manual without waiting. Returns the help window that shows it, or
// will show it should no browser take it; nothing when the request went
// straight to the browser. A help window already open for the owner is reused.
QWidget* OpenHelpFile(const std::string& helpFile, QWidget* owner);

}  // namespace tagnomen

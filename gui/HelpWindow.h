#pragma once
// The manual: opened in the desktop's browser without waiting, or, where no
// browser is registered, in a help window of the program.
#include <QWidget>
#include <string>

namespace tagnomen {

// Returns the help window when one was opened (nothing when the browser took it).
QWidget* OpenHelpFile(const std::string& helpFile, QWidget* owner);

}  // namespace tagnomen

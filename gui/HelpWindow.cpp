#include "HelpWindow.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QUrl>

#include "platform/Launcher.h"

namespace tagnomen {

namespace {

bool BrowserRegistered() {
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty())
        return false;
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/html")});
    if (!query.waitForFinished(2000))
        return false;
    return !query.readAllStandardOutput().trimmed().isEmpty();
}

}  // namespace

QWidget* OpenHelpFile(const std::string& helpFile, QWidget* owner) {
    if (BrowserRegistered() && OpenInBrowser(helpFile))
        return nullptr;
    auto* browser = new QTextBrowser(owner);
    browser->setWindowFlag(Qt::Window);
    browser->setAttribute(Qt::WA_DeleteOnClose);
    browser->setWindowTitle(QStringLiteral("Tagnomen Help"));
    browser->setOpenExternalLinks(true);
    browser->setSource(
        QUrl::fromLocalFile(QFileInfo(QString::fromUtf8(helpFile)).absoluteFilePath()));
    browser->resize(720, 640);
    browser->show();
    return browser;
}

}  // namespace tagnomen

// SPDX-License-Identifier: GPL-3.0-or-later
#include "HelpWindow.h"

#include <QAction>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include "AboutDialog.h"
#include "app/HelpLocation.h"
#include "platform/Launcher.h"

namespace tagnomen {

namespace {

// How long the question "which program shows web pages?" may take before the
// help window is shown instead.
constexpr int kBrowserQueryTimeoutMs = 3000;

QString MissingManualPage(const QString& file) {
    QString places;
    for (const std::string& candidate : HelpFileCandidates()) {
        places += QStringLiteral("<li><tt>%1</tt></li>")
                      .arg(QString::fromUtf8(candidate).toHtmlEscaped());
    }
    return QStringLiteral(
               "<h2>The manual was not found</h2>"
               "<p>Tagnomen could not open <tt>%1</tt>.</p>"
               "<p>It looks for its manual in these places, in this order:</p><ul>%2</ul>"
               "<p>Install the program again with <tt>make install</tt>, or point the "
               "environment variable <tt>TAGNOMEN_HELP_DIR</tt> at the directory that "
               "holds <tt>index.html</tt>.</p>")
        .arg(file.toHtmlEscaped(), places);
}

}  // namespace

HelpWindow::HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("helpWindow"));
    setWindowIcon(ProgramIcon());
    setWindowTitle(QStringLiteral("Tagnomen Help"));

    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("helpBrowser"));
    browser_->setOpenExternalLinks(true);
    browser_->setOpenLinks(true);

    auto* tools = new QToolBar(this);
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    back_ = tools->addAction(QStringLiteral("&Back"), browser_, &QTextBrowser::backward);
    back_->setShortcut(QKeySequence::Back);
    forward_ = tools->addAction(QStringLiteral("&Forward"), browser_, &QTextBrowser::forward);
    forward_->setShortcut(QKeySequence::Forward);
    QAction* contents = tools->addAction(QStringLiteral("&Contents"), this, [this] {
        if (!home_.isEmpty()) {
            browser_->setSource(QUrl::fromLocalFile(home_));
        }
    });
    contents->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));
    tools->addSeparator();
    QAction* closeAction = tools->addAction(QStringLiteral("C&lose"), this, &QWidget::close);
    closeAction->setShortcut(QKeySequence(Qt::Key_Escape));
    back_->setEnabled(false);
    forward_->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::UpdateTitle);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(browser_, 1);
    resize(760, 680);
}

void HelpWindow::ShowPage(const QString& file) {
    QFileInfo info(file);
    if (info.isFile()) {
        home_ = info.absoluteFilePath();
        browser_->setSearchPaths({info.absolutePath()});
        browser_->setSource(QUrl::fromLocalFile(home_));
    } else {
        browser_->setHtml(MissingManualPage(file));
        UpdateTitle();
    }
    show();
    raise();
    activateWindow();
}

void HelpWindow::UpdateTitle() {
    QString page = browser_->documentTitle();
    setWindowTitle(page.isEmpty() ? QStringLiteral("Tagnomen Help")
                                  : QStringLiteral("%1 - Tagnomen Help").arg(page));
}

QWidget* OpenHelpFile(const std::string& requestedFile, QWidget* owner) {
    // The browser gets a clean absolute path, whatever the lookup was given.
    QFileInfo requested(QString::fromUtf8(requestedFile));
    const QString file =
        requested.exists() ? requested.canonicalFilePath() : requested.absoluteFilePath();
    const std::string helpFile = file.toStdString();
    if (owner) {
        // The help window that is already open shows the start page again.
        if (auto* open = owner->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
            open && open->isVisible()) {
            open->ShowPage(file);
            return open;
        }
    }
    auto* window = new HelpWindow(owner);
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty() ||
        !QFileInfo(file).isFile()) {
        window->ShowPage(file);
        return window;
    }
    if (!qEnvironmentVariableIsEmpty("BROWSER")) {
        // xdg-open hands the page to $BROWSER when the desktop has no choice.
        if (OpenInBrowser(helpFile)) {
            window->deleteLater();
            return nullptr;
        }
        window->ShowPage(file);
        return window;
    }

    // Ask in the background which program shows web pages, so that the main
    // window never waits: a registered browser gets the page, otherwise the
    // help window shows it.
    QPointer<HelpWindow> target(window);
    auto* query = new QProcess(window);
    auto decide = [target, query, file, helpFile](bool browserRegistered) {
        if (!target || target->isVisible() || query->property("decided").toBool()) {
            return;
        }
        query->setProperty("decided", true);
        if (browserRegistered && OpenInBrowser(helpFile)) {
            target->deleteLater();
        } else {
            target->ShowPage(file);
        }
    };
    QObject::connect(query, &QProcess::finished, window,
                     [query, decide](int exitCode, QProcess::ExitStatus status) {
                         bool registered = status == QProcess::NormalExit && exitCode == 0 &&
                                           !query->readAllStandardOutput().trimmed().isEmpty();
                         decide(registered);
                     });
    QObject::connect(query, &QProcess::errorOccurred, window,
                     [decide](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart) {
                             decide(false);
                         }
                     });
    QTimer::singleShot(kBrowserQueryTimeoutMs, window, [query, decide] {
        decide(false);
        query->kill();
    });
    query->start(QStringLiteral("xdg-mime"),
                 {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/html")});
    return window;
}

}  // namespace tagnomen

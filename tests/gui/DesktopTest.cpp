// SPDX-License-Identifier: GPL-3.0-or-later
// The program as a desktop citizen: the help opens without making the main
// window wait (in the browser when one is registered, else in a help window
// that closes with the main window), the About box shows the version and opens
// the web page, and the progress windows are frameless, centred and carry the
// program icon.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <memory>

#include "AboutDialog.h"
#include "HelpWindow.h"
#include "MainWindow.h"
#include "ProgressWindow.h"
#include "QtUi.h"
#include "TempDir.h"
#include "WhenModalOpens.h"
#include "app/HelpLocation.h"
#include "app/Workbench.h"

using namespace tagnomen;

namespace {

// The manual of the source tree this test was built from, found from the
// directory the build names (a compiler cache may make __FILE__ relative).
QString SourceHelp() {
    return QDir(QStringLiteral(TAGNOMEN_SOURCE_DIR))
        .absoluteFilePath(QStringLiteral("resources/help"));
}

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const QByteArray& value) : name_(name) {
        had_ = qEnvironmentVariableIsSet(name);
        old_ = qgetenv(name);
        qputenv(name, value);
    }
    ScopedEnv(const char* name, std::nullptr_t) : name_(name) {
        had_ = qEnvironmentVariableIsSet(name);
        old_ = qgetenv(name);
        qunsetenv(name);
    }
    ~ScopedEnv() {
        if (had_) {
            qputenv(name_, old_);
        } else {
            qunsetenv(name_);
        }
    }

  private:
    const char* name_;
    QByteArray old_;
    bool had_ = false;
};

void WriteScript(const std::string& path, const std::string& text) {
    testing::WriteFile(path, text);
    QFile::setPermissions(QString::fromStdString(path),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// A desktop without xdg-open: PATH names an empty directory.
struct NoBrowserDesktop {
    testing::TempDir bin;
    ScopedEnv path{"PATH", QByteArray::fromStdString(bin.Path())};
    ScopedEnv browser{"BROWSER", nullptr};
};

// A desktop whose xdg-mime names a browser for web pages, and whose xdg-open
// writes what it was asked to open and then stays running until released, as a
// browser does; the program must not wait for it.
struct BrowserDesktop {
    testing::TempDir bin;
    ScopedEnv path{"PATH", QByteArray::fromStdString(bin.Path() + ":/usr/bin:/bin")};
    ScopedEnv browser{"BROWSER", nullptr};

    BrowserDesktop() {
        WriteScript(bin / "xdg-mime", "#!/bin/sh\necho test-browser.desktop\n");
        WriteScript(bin / "xdg-open",
                    "#!/bin/sh\n"
                    "printf '%s\\n' \"$1\" >> '" +
                        (bin / "opened") +
                        "'\n"
                        "i=0\n"
                        "while [ ! -e '" +
                        (bin / "release") +
                        "' ] && [ $i -lt 300 ]; do sleep 0.1; i=$((i+1)); done\n");
    }
    ~BrowserDesktop() { testing::WriteFile(bin / "release", ""); }
    std::string Opened() const { return testing::ReadFile(bin / "opened"); }
};

QList<HelpWindow*> VisibleHelpWindows() {
    QList<HelpWindow*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* help = qobject_cast<HelpWindow*>(widget); help && help->isVisible()) {
            windows << help;
        }
    }
    return windows;
}

QList<HelpWindow*> AllHelpWindows() {
    QList<HelpWindow*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* help = qobject_cast<HelpWindow*>(widget)) {
            windows << help;
        }
    }
    return windows;
}

}  // namespace

class DesktopTest : public QObject {
    Q_OBJECT

  private:
    struct Fixture {
        testing::TempDir settingsDir;
        std::unique_ptr<SettingsStore> store;
        QtUi ui;
        std::unique_ptr<Workbench> workbench;
        QWidget owner;

        Fixture() {
            store = std::make_unique<SettingsStore>(settingsDir / "s.reg");
            store->FirstRunCheck();
            workbench = std::make_unique<Workbench>(*store, ui);
            ui.SetOwner(&owner);
        }
    };

  private slots:
    void cleanup() {
        for (HelpWindow* window : AllHelpWindows()) {
            delete window;
        }
    }

    void programIconComesFromTheResources() {
        QIcon icon = ProgramIcon();
        QVERIFY(!icon.isNull());
        for (int size : {16, 32, 48, 64, 128, 256}) {
            QPixmap pixmap = icon.pixmap(size, size);
            QVERIFY2(!pixmap.isNull(), qPrintable(QString::number(size)));
            QCOMPARE(pixmap.width(), size);
        }
    }

    void helpLocationPrefersTheEnvironment() {
        testing::TempDir dir;
        ScopedEnv help("TAGNOMEN_HELP_DIR", QByteArray::fromStdString(dir.Path()));
        QCOMPARE(QString::fromStdString(HelpFilePath()),
                 QString::fromStdString(dir / "index.html"));
    }

    void helpLocationFindsTheSourceManualFromTheBuildTree() {
        ScopedEnv help("TAGNOMEN_HELP_DIR", nullptr);
        // The test program lives in the build tree, with no installed manual beside it.
        QCOMPARE(QFileInfo(QString::fromStdString(HelpFilePath())).canonicalFilePath(),
                 QFileInfo(SourceHelp() + "/index.html").canonicalFilePath());
    }

    void helpOpensAWindowWhenNoBrowserIsRegistered() {
        NoBrowserDesktop desktop;
        ScopedEnv help("TAGNOMEN_HELP_DIR", SourceHelp().toUtf8());
        Fixture f;
        f.workbench->Help();
        // The command has returned; the manual is on screen in the program's own window.
        QTRY_COMPARE(VisibleHelpWindows().size(), 1);
        HelpWindow* window = VisibleHelpWindows().front();
        QTextBrowser* browser = window->Browser();
        QCOMPARE(QFileInfo(browser->source().toLocalFile()).fileName(),
                 QStringLiteral("index.html"));
        QCOMPARE(browser->documentTitle(), QStringLiteral("Tagnomen manual"));
        QVERIFY(window->windowTitle().contains(QStringLiteral("Tagnomen manual")));
        QVERIFY(browser->toPlainText().contains(QStringLiteral("Getting started")));

        // Links between the pages work, and Back returns.
        browser->setSource(QUrl(QStringLiteral("smart-engine.html")));
        QCOMPARE(browser->documentTitle(), QStringLiteral("The smart renaming engine"));
        QVERIFY(browser->toPlainText().contains(QStringLiteral("Erase the Garbage Text")));
        browser->backward();
        QCOMPARE(browser->documentTitle(), QStringLiteral("Tagnomen manual"));

        // A second Help reuses the open window.
        f.workbench->Help();
        QCOMPARE(VisibleHelpWindows().size(), 1);
    }

    void helpSaysWhereItLookedWhenTheManualIsMissing() {
        NoBrowserDesktop desktop;
        testing::TempDir empty;
        ScopedEnv help("TAGNOMEN_HELP_DIR", QByteArray::fromStdString(empty.Path()));
        Fixture f;
        f.workbench->Help();
        QTRY_COMPARE(VisibleHelpWindows().size(), 1);
        QString text = VisibleHelpWindows().front()->Browser()->toPlainText();
        QVERIFY(text.contains(QStringLiteral("The manual was not found")));
        QVERIFY(text.contains(QString::fromStdString(empty / "index.html")));
    }

    void helpGoesToTheBrowserWithoutWaiting() {
        BrowserDesktop desktop;
        ScopedEnv help("TAGNOMEN_HELP_DIR", SourceHelp().toUtf8());
        Fixture f;
        QElapsedTimer timer;
        timer.start();
        f.workbench->Help();
        // The browser keeps running for up to 30 s; the command must not wait for it,
        // nor for the question which browser is registered.
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
        QTRY_VERIFY(desktop.Opened().find("index.html") != std::string::npos);
        QCOMPARE(QString::fromStdString(desktop.Opened()).trimmed(),
                 QFileInfo(SourceHelp() + "/index.html").canonicalFilePath());
        // No help window is shown, and the one held in reserve is gone.
        QTRY_COMPARE(AllHelpWindows().size(), 0);
        QVERIFY(timer.elapsed() < 20000);
    }

    void helpWindowClosesWithTheMainWindow() {
        NoBrowserDesktop desktop;
        ScopedEnv help("TAGNOMEN_HELP_DIR", SourceHelp().toUtf8());
        Fixture f;
        auto window = std::make_unique<MainWindow>(*f.workbench, f.ui);
        QAction* contents = window->FindAction(QStringLiteral("&Contents"));
        QVERIFY(contents);
        contents->trigger();
        QTRY_COMPARE(VisibleHelpWindows().size(), 1);
        QPointer<HelpWindow> helpWindow = VisibleHelpWindows().front();
        window.reset();
        QTRY_VERIFY(helpWindow.isNull() || !helpWindow->isVisible());
        QCOMPARE(VisibleHelpWindows().size(), 0);
    }

    void aboutBoxShowsNameVersionAndPage() {
        BrowserDesktop desktop;
        Fixture f;
        QString title, name, version, description, licence, page, webButton;
        bool hasIcon = false;
        testing::WhenModalOpens([&](QWidget* modal) {
            auto label = [modal](const char* objectName) {
                auto* found = modal->findChild<QLabel*>(QString::fromLatin1(objectName));
                return found ? found->text() : QString();
            };
            title = modal->windowTitle();
            name = label("aboutName");
            version = label("aboutVersion");
            description = label("aboutDescription");
            licence = label("aboutLicence");
            page = label("aboutWebPage");
            if (auto* icon = modal->findChild<QLabel*>(QStringLiteral("aboutIcon"))) {
                hasIcon = !icon->pixmap().isNull();
            }
            if (auto* web = modal->findChild<QPushButton*>(QStringLiteral("aboutWebSite"))) {
                webButton = web->text();
            }
            // Close it whatever it holds, so that a failure cannot hang the test.
            if (auto* ok = modal->findChild<QPushButton*>(QStringLiteral("aboutOk"))) {
                ok->click();
            } else {
                modal->close();
            }
        });
        f.workbench->About();
        QCOMPARE(title, QStringLiteral("About Tagnomen"));
        QCOMPARE(name, QStringLiteral("Tagnomen"));
        QCOMPARE(version, QStringLiteral("Version " TAGNOMEN_VERSION));
        QVERIFY(!description.isEmpty());
        QVERIFY(licence.contains(QStringLiteral("GNU General Public License, version 3 or later")));
        QCOMPARE(page, QString::fromUtf8(kWebPage));
        QVERIFY(hasIcon);
        QCOMPARE(webButton, QStringLiteral("Renamer's &Web Site"));
        // OK opens nothing.
        QTest::qWait(200);
        QCOMPARE(desktop.Opened(), std::string());
    }

    void aboutBoxWebSiteButtonOpensThePage() {
        BrowserDesktop desktop;
        Fixture f;
        testing::WhenModalOpens([](QWidget* modal) {
            if (auto* web = modal->findChild<QPushButton*>(QStringLiteral("aboutWebSite"))) {
                web->click();
            } else {
                modal->close();
            }
        });
        QElapsedTimer timer;
        timer.start();
        f.workbench->About();
        QTRY_COMPARE(QString::fromStdString(desktop.Opened()).trimmed(),
                     QString::fromUtf8(kWebPage));
        QVERIFY(timer.elapsed() < 20000);  // the browser still runs: nobody waited for it
    }

    void webSiteFailsSilentlyWithoutBrowser() {
        NoBrowserDesktop desktop;
        Fixture f;
        f.workbench->WebSite();  // no xdg-open: nothing happens, nothing is shown
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QCOMPARE(VisibleHelpWindows().size(), 0);
    }

    void progressWindowIsFramelessCentredWithIcon() {
        Fixture f;
        for (const char* text : {"Renaming your Mp3 Files...", "Cleaning your Mp3 File's TAGs...",
                                 "Organizing your Mp3 Files..."}) {
            f.ui.OpenProgressWindow(text);
            ProgressWindow* window = nullptr;
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* progress = qobject_cast<ProgressWindow*>(widget);
                    progress && progress->isVisible()) {
                    window = progress;
                }
            }
            QVERIFY(window);
            QCOMPARE(window->Text(), QString::fromUtf8(text));
            QVERIFY(window->windowFlags().testFlag(Qt::FramelessWindowHint));
            QCOMPARE(window->findChild<QLabel*>(QStringLiteral("progressText"))->text(),
                     QString::fromUtf8(text));
            QVERIFY(!window->findChild<QLabel*>(QStringLiteral("progressIcon"))->pixmap().isNull());
            // The whole text fits, and the window sits in the middle of the screen.
            QLabel* label = window->findChild<QLabel*>(QStringLiteral("progressText"));
            QVERIFY(label->width() >= label->sizeHint().width());
            QPoint centre = window->screen()->availableGeometry().center();
            QVERIFY((window->frameGeometry().center() - centre).manhattanLength() <= 2);
            QPointer<ProgressWindow> guard(window);
            f.ui.CloseProgressWindow();
            QVERIFY(guard.isNull() || !guard->isVisible());
        }
    }
};

QTEST_MAIN(DesktopTest)
#include "DesktopTest.moc"

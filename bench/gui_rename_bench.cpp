// SPDX-License-Identifier: GPL-3.0-or-later
// Listing and Rename in the desktop program (offscreen) next to the same
// commands without a window, over 10,000 and 100,000 tagless files: the
// window's per-file progress bar and label must not cost more than half again
// the time of the commands themselves.
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

#include "CliUi.h"
#include "MainWindow.h"
#include "SilentQtUi.h"
#include "Timing.h"
#include "app/Workbench.h"

namespace fs = std::filesystem;
using namespace tagnomen;
using bench::Seconds;

namespace {

std::string MakeDirectory(int files) {
    std::string dir =
        (fs::temp_directory_path() / ("tagnomen-gui-bench-" + std::to_string(files))).string();
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (int i = 0; i < files; ++i) {
        std::string word;
        for (int n = i; word.size() < 5 || n > 0; n /= 26) {
            word += static_cast<char>('a' + n % 26);
        }
        std::ofstream(dir + "/artist " + word + " - title " + word + ".mp3") << "audio";
    }
    return dir;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::string settingsPath = (fs::temp_directory_path() / "tagnomen-gui-bench.reg").string();
    fs::remove(settingsPath);
    SettingsStore settings(settingsPath);
    settings.FirstRunCheck();
    // Qt's one-time start-up (fonts, style) is not part of any command.
    {
        SilentQtUi warmUi;
        Workbench warm(settings, warmUi);
        warm.Start();
        MainWindow window(warm, warmUi);
        window.show();
        QApplication::processEvents();
    }

    for (int files : {10000, 100000}) {
        std::string dir = MakeDirectory(files);
        settings.SetPathToWork(dir);

        std::ostringstream sink;
        std::istringstream none;
        cli::CliUi cliUi(sink, none);
        cliUi.SetQuiet(true);
        Workbench plain(settings, cliUi);
        double plainList = Seconds([&] { plain.Start(); });
        double plainRename = Seconds([&] { plain.Rename(); });

        SilentQtUi qtUi;
        Workbench shown(settings, qtUi);
        std::unique_ptr<MainWindow> window;
        double windowList = Seconds([&] {
            shown.Start();
            window = std::make_unique<MainWindow>(shown, qtUi);
            window->show();
            QApplication::processEvents();
        });
        double windowRename = Seconds([&] {
            QTest::mouseClick(window->RenameButton(), Qt::LeftButton);
            QApplication::processEvents();
        });
        auto per10k = [files](double s) { return s * 10000 / files; };
        std::printf(
            "%6d files, seconds per 10,000: listing %.3f without a window, %.3f in the "
            "window; rename %.3f without, %.3f in the window (ratio %.2f)\n",
            files, per10k(plainList), per10k(windowList), per10k(plainRename), per10k(windowRename),
            windowRename / plainRename);
        window.reset();
        fs::remove_all(dir);
    }
    fs::remove(settingsPath);
    return 0;
}

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
#include <sstream>

#include "CliUi.h"
#include "MainWindow.h"
#include "QtUi.h"
#include "app/Workbench.h"

namespace fs = std::filesystem;
using namespace tagnomen;

namespace {

// Message boxes are answered at once, so that only the window's own work counts.
class QuietQtUi : public QtUi {
  public:
    MessageAnswer ShowMessage(const std::string&, const std::string&, MessageIcon,
                              MessageButtons buttons) override {
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
    }
};

double Seconds(const std::function<void()>& work) {
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string MakeDirectory(int files) {
    std::string dir =
        (fs::temp_directory_path() / ("tagnomen-gui-bench-" + std::to_string(files))).string();
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (int i = 0; i < files; ++i) {
        std::string word;
        for (int n = i; word.size() < 5 || n > 0; n /= 26)
            word += static_cast<char>('a' + n % 26);
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

    for (int files : {10000, 100000}) {
        std::string dir = MakeDirectory(files);
        settings.SetPathToWork(dir);

        std::ostringstream sink;
        std::istringstream none;
        cli::CliUi cliUi(sink, none);
        cliUi.SetQuiet(true);
        double withoutWindow = Seconds([&] {
            Workbench workbench(settings, cliUi);
            workbench.Start();
            workbench.Rename();
        });

        QuietQtUi qtUi;
        double withWindow = Seconds([&] {
            Workbench workbench(settings, qtUi);
            workbench.Start();
            MainWindow window(workbench, qtUi);
            window.show();
            QTest::mouseClick(window.RenameButton(), Qt::LeftButton);
            QApplication::processEvents();
        });
        std::printf(
            "%6d files: without a window %.3f s (%.3f s per 10,000), window %.3f s "
            "(%.3f s per 10,000), ratio %.2f\n",
            files, withoutWindow, withoutWindow * 10000 / files, withWindow,
            withWindow * 10000 / files, withWindow / withoutWindow);
        fs::remove_all(dir);
    }
    fs::remove(settingsPath);
    return 0;
}

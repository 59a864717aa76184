// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QIcon>

#include "MainWindow.h"
#include "QtUi.h"
#include "app/Workbench.h"
#include "settings/SettingsStore.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tagnomen"));
    QApplication::setApplicationVersion(QStringLiteral(TAGNOMEN_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("tagnomen"));
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/tagnomen-%1.png").arg(size), QSize(size, size));
    }
    QApplication::setWindowIcon(icon);

    tagnomen::SettingsStore settings(tagnomen::SettingsStore::DefaultPath());
    tagnomen::QtUi ui;
    tagnomen::Workbench workbench(settings, ui);
    if (workbench.Start() == tagnomen::StartResult::Fatal) {
        return 1;
    }

    tagnomen::MainWindow window(workbench, ui);
    window.show();
    // The main window is the program: when it closes, the program ends.
    window.exec();
    return 0;
}

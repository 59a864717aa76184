// SPDX-License-Identifier: GPL-3.0-or-later
// Takes the README's screenshots: the main window after a Rename of a small
// folder of messy names, with a clash marked, and the dialogs the README
// shows (among them the cleaner's review and the organizer's root chooser
// with its New Folder button). Questions are answered No without being shown.
//
//   tagnomen-screenshots OUTPUT_DIR            the pictures, one per window
//   tagnomen-screenshots OUTPUT_DIR --screen   the main window on the whole
//                                              screen, as placed on it
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QThread>
#include <cstdio>
#include <fstream>

#include "CleanReviewDialog.h"
#include "DirectoryChooserDialog.h"
#include "FileInfoEditorDialog.h"
#include "GarbageDialog.h"
#include "MainWindow.h"
#include "NameFormatDialog.h"
#include "SilentQtUi.h"
#include "app/Workbench.h"
#include "settings/SettingsStore.h"
#include "tools/CleanReviewModel.h"
#include "tools/DirectoryChooserModel.h"
#include "tools/FileInfoEditorModel.h"
#include "tools/NameFormatModel.h"

using namespace tagnomen;

namespace {

constexpr const char* kMessyNames[] = {
    "01 - help.mp3",
    "02 - Help.mp3",
    "Help.mp3",
    "03 - the beatles - help!.mp3",
    "Pink_Floyd_-_Money_(1973).mp3",
    "track 05 - Yesterday.mp3",
    "abba - waterloo (live).mp3",
    "nirvana-smells_like_teen_spirit.mp3",
    "R.E.M. - Losing My Religion.mp3",
    "queen - bohemian rhapsody [remastered].mp3",
};

// A cover picture as a file would hold it (PNG bytes): a plain gradient
// with a ring, drawn here so that no picture of anybody's is needed.
std::string CoverPicture() {
    QImage image(300, 300, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 300, 300);
    gradient.setColorAt(0, QColor(32, 36, 48));
    gradient.setColorAt(1, QColor(120, 40, 40));
    painter.fillRect(image.rect(), gradient);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(230, 200, 120), 14));
    painter.drawEllipse(QPointF(150, 150), 80, 80);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

// A review as the cleaner shows it after a Rename by the mass method: a
// guess that fills a tag, guesses that would replace what the tags say (off),
// and a person's edit.
std::vector<CleanReviewModel::FileRow> ReviewSample() {
    using F = SongField;
    const ValueSource name = ValueSource::FileName;
    return {
        {"50 Cent - In Da Club.mp3",
         {{F::Artist, "50 Cent", "Cent", name}, {F::Track, "", "50", name}}},
        {"Beethoven - Symphony No. 5.mp3",
         {{F::Title, "Symphony No. 5 in C minor", "Symphony No", name}}},
        {"Queen - Bohemian Rhapsody.mp3",
         {{F::Title, "", "Bohemian Rhapsody", name}, {F::Artist, "", "Queen", name}}},
        {"Dvorak - Largo.mp3",
         {{F::Artist, "Dvorak", "Anton\xC3\xADn Dvo\xC5\x99\xC3\xA1k", ValueSource::Edited},
          {F::Genre, "", "32", ValueSource::Edited}}},
    };
}

bool Save(QWidget* widget, const QString& path) {
    QApplication::processEvents();
    const bool saved = widget->grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: tagnomen-screenshots OUTPUT_DIR [--screen]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const bool wholeScreen = argc > 2 && QByteArray(argv[2]) == "--screen";
    QDir().mkpath(out);

    // A fixed place, so that the work directory line reads the same every time.
    QDir work(QDir::tempPath() + "/tagnomen-demo");
    work.removeRecursively();
    const std::string music = (work.path() + "/Music").toStdString();
    QDir().mkpath(QString::fromStdString(music));
    for (const char* name : kMessyNames) {
        std::ofstream(music + "/" + name) << "audio";
    }
    SettingsStore settings((work.path() + "/settings.reg").toStdString());
    settings.FirstRunCheck();
    settings.SetPathToWork(music);
    settings.SetRenamingMethod(RenamingMethod::SmartEngine);

    SilentQtUi ui;
    Workbench workbench(settings, ui);
    workbench.Start();
    MainWindow window(workbench, ui);
    window.resize(720, 560);
    window.show();
    window.RenameButton()->click();
    window.RenamedList()->setFocus();
    if (wholeScreen) {
        for (int i = 0; i < 20; ++i) {
            QApplication::processEvents();
            QThread::msleep(10);
        }
        const QString path = out + "/screen.png";
        const bool saved = window.screen()->grabWindow(0).save(path);
        std::printf("%s %s (window %dx%d at %d,%d)\n", saved ? "wrote" : "FAILED", qPrintable(path),
                    window.width(), window.height(), window.x(), window.y());
        work.removeRecursively();
        return saved ? 0 : 1;
    }
    bool ok = Save(&window, out + "/main-window.png");

    GarbageDialog garbage(
        QStringLiteral("Do you want to erase: (Www Site)\nFrom: (Artist) - Title (Www Site).mp3"),
        true, true, nullptr, true);
    garbage.show();
    ok = Save(&garbage, out + "/garbage-dialog.png") && ok;

    NameFormatModel format(workbench.Context());
    format.SetPreviewSample({"03 - the beatles - help!.mp3",
                             {.title = "Help!",
                              .artist = "The Beatles",
                              .album = "Help!",
                              .year = "1965",
                              .track = "7"}});
    format.Choose(NameFormatChoice::Free);
    NameFormatDialog formatDialog(format);
    formatDialog.show();
    ok = Save(&formatDialog, out + "/name-format.png") && ok;

    FileInfoEditorModel editor(ui, EditorMode::Tag, "Uses ID3 TAGv1 and TAGv2", "Angel.mp3",
                               {.title = "Angel",
                                .artist = "Massive Attack",
                                .album = "Mezzanine",
                                .year = "1998",
                                .track = "1",
                                .genre = "17",
                                .comment = "Remastered"});
    editor.SetCover(CoverPicture());
    FileInfoEditorDialog editorDialog(editor);
    editorDialog.show();
    ok = Save(&editorDialog, out + "/tag-editor.png") && ok;

    CleanReviewModel review(ReviewSample(), 143);
    CleanReviewDialog reviewDialog(review);
    reviewDialog.resize(1100, 300);
    reviewDialog.show();
    ok = Save(&reviewDialog, out + "/clean-review.png") && ok;

    // The organizer's root chooser, at a folder it has just made; the tree
    // shows the demo folder as home.
    qputenv("HOME", work.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (work.path() + "/.config").toUtf8());
    QDir().mkpath(work.path() + "/.config");
    std::ofstream(work.path().toStdString() + "/.config/user-dirs.dirs")
        << "XDG_MUSIC_DIR=\"$HOME/Music\"\n";
    settings.SetRootOrganizePath("/");
    DirectoryChooserModel chooser(workbench.Context(), ChooserMode::Root);
    DirectoryChooserDialog chooserDialog(chooser);
    chooserDialog.show();
    chooserDialog.CreateFolder(QStringLiteral("Sorted"));
    ok = Save(&chooserDialog, out + "/root-chooser.png") && ok;
    work.removeRecursively();
    return ok ? 0 : 1;
}

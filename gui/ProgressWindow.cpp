// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgressWindow.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>

#include "AboutDialog.h"

namespace tagnomen {

ProgressWindow::ProgressWindow(const QString& text, QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint), text_(text) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setObjectName(QStringLiteral("progressWindow"));
    setWindowTitle(text);
    setWindowIcon(ProgramIcon());
    setAutoFillBackground(true);
    setStyleSheet(QStringLiteral("#progressWindow { border: 1px solid palette(dark); }"));
    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("progressIcon"));
    icon->setPixmap(ProgramIcon().pixmap(32, 32));
    auto* label = new QLabel(text, this);
    label->setObjectName(QStringLiteral("progressText"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(18, 18, 24, 18);
    layout->setSpacing(14);
    layout->addWidget(icon);
    layout->addWidget(label, 1);
    // As wide as the text needs, never narrower than the classic window.
    setFixedSize(layout->sizeHint().expandedTo(QSize(260, 88)));
}

QString ProgressWindow::Text() const {
    return text_;
}

void ProgressWindow::ShowCentred() {
    QScreen* screen = parentWidget() ? parentWidget()->screen() : QApplication::primaryScreen();
    if (screen) {
        move(screen->availableGeometry().center() - rect().center());
    }
    show();
    raise();
    // The batch runs on this thread: paint once now, before it starts.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace tagnomen

#include "ProgressWindow.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>

namespace tagnomen {

ProgressWindow::ProgressWindow(const QString& text, QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint), text_(text) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setObjectName(QStringLiteral("progressWindow"));
    setStyleSheet(QStringLiteral("#progressWindow { border: 1px solid palette(dark); }"));
    auto* icon = new QLabel(this);
    icon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    auto* label = new QLabel(text, this);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(18, 18, 24, 18);
    layout->setSpacing(14);
    layout->addWidget(icon);
    layout->addWidget(label, 1);
    setFixedSize(260, 88);
}

QString ProgressWindow::Text() const {
    return text_;
}

void ProgressWindow::ShowCentred() {
    QScreen* screen = parentWidget() ? parentWidget()->screen() : QApplication::primaryScreen();
    if (screen)
        move(screen->geometry().center() - rect().center());
    show();
    raise();
    // The batch runs on this thread: paint once now, before it starts.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace tagnomen

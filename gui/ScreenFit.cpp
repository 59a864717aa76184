// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScreenFit.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace tagnomen {

namespace {

// The frame the window manager adds is not known before the first show; a
// title bar and borders of this size are allowed for.
constexpr int kFrameAllowance = 32;

QScreen* ScreenOf(const QWidget* window) {
    if (QScreen* screen = window->screen()) {
        return screen;
    }
    return QGuiApplication::primaryScreen();
}

int ClampStart(int start, int length, int areaStart, int areaLength) {
    return std::max(areaStart, std::min(start, areaStart + areaLength - length));
}

}  // namespace

void FitIntoScreen(QWidget* window) {
    QScreen* screen = ScreenOf(window);
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->availableGeometry();
    const QRect frame = window->frameGeometry();
    QSize frameExtra = frame.size() - window->size();
    if (frameExtra.isNull()) {
        frameExtra = QSize(0, kFrameAllowance);
    }
    const QSize fitted =
        window->size().boundedTo(area.size() - frameExtra).expandedTo(window->minimumSize());
    if (fitted != window->size()) {
        window->resize(fitted);
    }
    const QSize outer = fitted + frameExtra;
    const QPoint topLeft(ClampStart(frame.x(), outer.width(), area.x(), area.width()),
                         ClampStart(frame.y(), outer.height(), area.y(), area.height()));
    if (topLeft != frame.topLeft()) {
        window->move(topLeft);
    }
}

bool ScreenFit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        const Qt::WindowType type = widget->windowType();
        // A maximized or full-screen window fits already; resizing it would
        // take it out of that state.
        const bool fills = widget->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen);
        if (widget->isWindow() && (type == Qt::Window || type == Qt::Dialog) && !fills) {
            FitIntoScreen(widget);
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tagnomen

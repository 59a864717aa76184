// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// For Qt tests: runs a check on the next modal window once it is open; the
// check answers it (clicks a button), so that the code under test goes on.
#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace tagnomen::testing {

template <typename Check>
void WhenModalOpens(Check check) {
    auto* poll = new QTimer;
    poll->setInterval(20);
    QObject::connect(poll, &QTimer::timeout, [poll, check] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            check(modal);
        }
    });
    poll->start();
}

}  // namespace tagnomen::testing

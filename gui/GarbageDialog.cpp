// SPDX-License-Identifier: GPL-3.0-or-later
#include "GarbageDialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace tagnomen {

namespace {
// dialog results beyond Accepted/Rejected
// Rejected (0) is Escape or the close box.
constexpr int kYes = 1, kAlbum = 2, kTrack = 3, kNo = 4;
}  // namespace

GarbageDialog::GarbageDialog(const QString& question, bool showMarkAsAlbum, bool showMarkAsTrack,
                             QWidget* parent, bool offerSameForRest)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Erase the Garbage Text"));
    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    auto* text = new QLabel(question, this);
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    text->setMinimumWidth(360);

    yes_ = new QPushButton(QStringLiteral("&Yes"), this);
    no_ = new QPushButton(QStringLiteral("&No"), this);
    album_ = new QPushButton(QStringLiteral("Mark as &Album"), this);
    track_ = new QPushButton(QStringLiteral("Mark as &Track"), this);
    yes_->setDefault(true);
    album_->setVisible(showMarkAsAlbum);
    track_->setVisible(showMarkAsTrack);
    connect(yes_, &QPushButton::clicked, this, [this] { done(kYes); });
    connect(no_, &QPushButton::clicked, this, [this] { done(kNo); });
    connect(album_, &QPushButton::clicked, this, [this] { done(kAlbum); });
    connect(track_, &QPushButton::clicked, this, [this] { done(kTrack); });

    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addWidget(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {yes_, no_, album_, track_}) {
        buttons->addWidget(button);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    if (offerSameForRest) {
        sameForRest_ =
            new QCheckBox(QStringLiteral("Answer the same for the rest of this Rename"), this);
        layout->addWidget(sameForRest_);
    }
    layout->addLayout(buttons);
}

bool GarbageDialog::SameForRest() const {
    return sameForRest_ != nullptr && sameForRest_->isChecked();
}

GarbageAnswer GarbageDialog::Ask() {
    switch (exec()) {
        case kYes:
            return GarbageAnswer::Yes;
        case kAlbum:
            return GarbageAnswer::Album;
        case kTrack:
            return GarbageAnswer::Track;
        case kNo:
            return GarbageAnswer::No;
        default:
            return GarbageAnswer::Stop;  // Escape, the close box
    }
}

}  // namespace tagnomen

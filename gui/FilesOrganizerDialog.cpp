// SPDX-License-Identifier: GPL-3.0-or-later
#include "FilesOrganizerDialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ToolDialogs.h"

namespace tagnomen {

namespace {

constexpr SortMethod kMethods[] = {SortMethod::Title, SortMethod::Artist, SortMethod::Album,
                                   SortMethod::Year, SortMethod::Genre};

QComboBox* MakeList(const std::array<const char*, 2>& entries, QWidget* parent) {
    auto* list = new QComboBox(parent);
    for (const char* entry : entries) {
        list->addItem(QString::fromUtf8(entry));
    }
    return list;
}

}  // namespace

FilesOrganizerDialog::FilesOrganizerDialog(FilesOrganizerModel& model, QWidget* parent)
    : QDialog(parent), model_(model) {
    setWindowTitle(QString::fromUtf8(model.Title()));

    auto* box = new QGroupBox(QStringLiteral("Sort files by :"), this);
    group_ = new QButtonGroup(this);
    for (SortMethod method : kMethods) {
        auto* button =
            new QRadioButton(QString::fromUtf8(FilesOrganizerModel::ButtonText(method)), box);
        group_->addButton(button, static_cast<int>(method));
        buttons_[static_cast<int>(method)] = button;
    }
    artistList_ = MakeList(FilesOrganizerModel::ArtistEntries(), box);
    albumList_ = MakeList(FilesOrganizerModel::AlbumEntries(), box);

    auto* grid = new QGridLayout(box);
    for (int row = 0; row < 5; ++row) {
        grid->addWidget(buttons_[row], row, 0);
    }
    grid->addWidget(artistList_, static_cast<int>(SortMethod::Artist), 1);
    grid->addWidget(albumList_, static_cast<int>(SortMethod::Album), 1);
    grid->setColumnStretch(1, 1);

    ShowModel();
    // Only a newly chosen button reaches the model.
    connect(group_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (!checked) {
            return;
        }
        model_.Choose(static_cast<SortMethod>(id));
        ShowModel();
    });
    connect(artistList_, &QComboBox::activated, this,
            [this](int index) { model_.SetArtistDetail(static_cast<SortDetail>(index)); });
    connect(albumList_, &QComboBox::activated, this,
            [this](int index) { model_.SetAlbumDetail(static_cast<SortDetail>(index)); });

    ok_ = new QPushButton(QStringLiteral("&OK"), this);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &FilesOrganizerDialog::accept);
    cancel_ = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel_->setAutoDefault(false);
    connect(cancel_, &QPushButton::clicked, this, &FilesOrganizerDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addLayout(buttons);
}

QRadioButton* FilesOrganizerDialog::Button(SortMethod method) const {
    const int index = static_cast<int>(method);
    return index >= 0 && index < 5 ? buttons_[index] : nullptr;
}

void FilesOrganizerDialog::ShowModel() {
    const QSignalBlocker blockGroup(group_);
    if (QRadioButton* chosen = Button(model_.Chosen())) {
        chosen->setChecked(true);
    }
    artistList_->setEnabled(model_.ArtistListEnabled());
    albumList_->setEnabled(model_.AlbumListEnabled());
    artistList_->setCurrentIndex(static_cast<int>(model_.ArtistDetail()));
    albumList_->setCurrentIndex(static_cast<int>(model_.AlbumDetail()));
}

void FilesOrganizerDialog::accept() {
    // With no button chosen OK does nothing; otherwise the model stores the
    // method and asks, and the dialog closes whatever the answer.
    if (model_.Accept()) {
        QDialog::accept();
    }
}

void FilesOrganizerDialog::reject() {
    model_.Reject();
    QDialog::reject();
}

bool ExecFilesOrganizerDialog(QWidget* parent, FilesOrganizerModel& model) {
    FilesOrganizerDialog dialog(model, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace tagnomen

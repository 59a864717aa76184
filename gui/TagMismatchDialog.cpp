// SPDX-License-Identifier: GPL-3.0-or-later
#include "TagMismatchDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tagnomen {

namespace {
QLineEdit* ReadOnlyEdit(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly(true);
    edit->setMaxLength(256);
    return edit;
}
}  // namespace

TagMismatchDialog::TagMismatchDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle(QStringLiteral("Data between ID3v1 and ID3v2 Tags does not match!"));
    fileEdit_ = ReadOnlyEdit(this);
    captionEdit_ = ReadOnlyEdit(this);
    id3v1Edit_ = ReadOnlyEdit(this);
    id3v2Edit_ = ReadOnlyEdit(this);
    id3v1Button_ = new QRadioButton(QStringLiteral("ID3v&1"), this);
    id3v2Button_ = new QRadioButton(QStringLiteral("ID3v&2"), this);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Current File Processing :"), this), 0, 0);
    grid->addWidget(fileEdit_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Select which data to use for :"), this), 1, 0);
    grid->addWidget(captionEdit_, 1, 1);
    grid->addWidget(id3v1Button_, 2, 0);
    grid->addWidget(id3v1Edit_, 2, 1);
    grid->addWidget(id3v2Button_, 3, 0);
    grid->addWidget(id3v2Edit_, 3, 1);
    grid->setColumnStretch(1, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    resize(560, sizeHint().height());
}

void TagMismatchDialog::Fill(const std::string& caption, const std::string& fileName,
                             const std::string& id3v1Text, const std::string& id3v2Text) {
    id3v1Text_ = id3v1Text;
    id3v2Text_ = id3v2Text;
    fileEdit_->setText(QString::fromUtf8(fileName));
    captionEdit_->setText(QString::fromUtf8(caption));
    id3v1Edit_->setText(QString::fromUtf8(id3v1Text));
    id3v2Edit_->setText(QString::fromUtf8(id3v2Text));
    // Each showing starts with the ID3v1 text chosen.
    id3v1Button_->setChecked(true);
}

std::string TagMismatchDialog::ChosenText() const {
    return id3v2Button_->isChecked() ? id3v2Text_ : id3v1Text_;
}

std::string TagMismatchDialog::Ask(const std::string& caption, const std::string& fileName,
                                   const std::string& id3v1Text, const std::string& id3v2Text) {
    Fill(caption, fileName, id3v1Text, id3v2Text);
    // Escape dismisses the prompt with the initial choice, the ID3v1 text.
    return exec() == QDialog::Accepted ? ChosenText() : id3v1Text_;
}

}  // namespace tagnomen

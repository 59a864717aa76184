// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditFileNameDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ToolDialogs.h"
#include "tools/EditFileNameModel.h"

namespace tagnomen {

EditFileNameDialog::EditFileNameDialog(EditFileNameModel& model, QWidget* parent)
    : QDialog(parent), model_(model) {
    setWindowTitle(QString::fromUtf8(model.Title()));
    edit_ = new QLineEdit(QString::fromUtf8(model.Text()), this);
    edit_->setMaxLength(static_cast<int>(EditFileNameModel::kMaxCharacters));
    edit_->setMinimumWidth(380);
    // Only typed text goes back to the model, so a name whose bytes are not
    // valid UTF-8 comes back unchanged when it was not edited.
    connect(edit_, &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.SetText(text.toUtf8().toStdString()); });
    auto* caption = new QLabel(QStringLiteral("New File Name"), this);
    caption->setBuddy(edit_);

    getOldName_ = new QPushButton(QStringLiteral("&Get Old Name"), this);
    getOldName_->setAutoDefault(false);
    connect(getOldName_, &QPushButton::clicked, this, [this] {
        model_.GetOldName();
        edit_->setText(QString::fromUtf8(model_.Text()));
        edit_->setFocus();
    });
    ok_ = new QPushButton(QStringLiteral("&OK"), this);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &EditFileNameDialog::accept);
    cancel_ = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel_->setAutoDefault(false);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(getOldName_);
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(edit_);
    layout->addLayout(buttons);
}

void EditFileNameDialog::accept() {
    if (model_.Accept()) {
        QDialog::accept();
    }
}

bool ExecEditFileNameDialog(QWidget* parent, EditFileNameModel& model) {
    EditFileNameDialog dialog(model, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace tagnomen

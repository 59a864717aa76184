// SPDX-License-Identifier: GPL-3.0-or-later
#include "MassFileNameEditorDialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ToolDialogs.h"
#include "tools/MassFileNameEditorModel.h"

namespace tagnomen {

MassFileNameEditorDialog::MassFileNameEditorDialog(MassFileNameEditorModel& model, QWidget* parent)
    : QDialog(parent), model_(model) {
    setWindowTitle(QString::fromUtf8(model.Title()));
    text_ = new QLineEdit(QString::fromUtf8(model.Text()), this);
    text_->setMaxLength(static_cast<int>(MassFileNameEditorModel::kMaxCharacters));
    text_->setMinimumWidth(340);
    connect(text_, &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.SetText(text.toUtf8().toStdString()); });
    auto* caption = new QLabel(QStringLiteral("Text to add to selected items "), this);
    caption->setBuddy(text_);

    auto* box = new QGroupBox(QStringLiteral("Add the text at :"), this);
    beginning_ = new QRadioButton(QStringLiteral("The &Beginning "), box);
    end_ = new QRadioButton(QStringLiteral("The &End"), box);
    afterToken_ = new QRadioButton(QStringLiteral("After The Following &Token :"), box);
    token_ = new QLineEdit(box);
    token_->setMaxLength(static_cast<int>(MassFileNameEditorModel::kMaxCharacters));
    token_->setMaximumWidth(90);
    connect(token_, &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.SetToken(text.toUtf8().toStdString()); });

    group_ = new QButtonGroup(this);
    group_->addButton(beginning_, static_cast<int>(AddPosition::Beginning));
    group_->addButton(end_, static_cast<int>(AddPosition::End));
    group_->addButton(afterToken_, static_cast<int>(AddPosition::AfterToken));
    group_->button(static_cast<int>(model.Position()))->setChecked(true);
    ShowToken();
    connect(group_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (!checked) {
            return;
        }
        model_.Choose(static_cast<AddPosition>(id));
        ShowToken();
    });

    auto* boxLayout = new QGridLayout(box);
    boxLayout->addWidget(beginning_, 0, 0);
    boxLayout->addWidget(end_, 1, 0);
    boxLayout->addWidget(afterToken_, 2, 0);
    boxLayout->addWidget(token_, 2, 1);
    boxLayout->setColumnStretch(2, 1);

    auto* buttons = new QDialogButtonBox(this);
    ok_ = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok_->setDefault(true);
    buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &MassFileNameEditorDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(text_);
    layout->addWidget(box);
    layout->addWidget(buttons);
}

void MassFileNameEditorDialog::ShowToken() {
    token_->setText(QString::fromUtf8(model_.Token()));
    token_->setEnabled(model_.TokenEnabled());
}

void MassFileNameEditorDialog::accept() {
    if (model_.Accept()) {
        QDialog::accept();
    }
}

bool ExecMassFileNameEditorDialog(QWidget* parent, MassFileNameEditorModel& model) {
    MassFileNameEditorDialog dialog(model, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace tagnomen

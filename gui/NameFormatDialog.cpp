#include "NameFormatDialog.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ToolDialogs.h"
#include "tools/NameFormatModel.h"

namespace tagnomen {

NameFormatDialog::NameFormatDialog(NameFormatModel& model, QWidget* parent)
    : QDialog(parent), model_(model) {
    setWindowTitle(QString::fromUtf8(model.Title()));
    // A title bar without a close box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    auto* box = new QGroupBox(QStringLiteral("Renamer Formats"), this);
    brackets_ = new QRadioButton(QStringLiteral("(&Author) - Song Name.mp3"), box);
    plain_ = new QRadioButton(QStringLiteral("Author - &Song Name.mp3"), box);
    free_ = new QRadioButton(QStringLiteral("&Free Format"), box);
    template_ = new QLineEdit(box);
    template_->setMaxLength(static_cast<int>(NameFormatModel::kMaxCharacters));
    template_->setMinimumWidth(320);

    group_ = new QButtonGroup(this);
    group_->addButton(brackets_, static_cast<int>(NameFormatChoice::Brackets));
    group_->addButton(plain_, static_cast<int>(NameFormatChoice::Plain));
    group_->addButton(free_, static_cast<int>(NameFormatChoice::Free));
    if (QAbstractButton* chosen = group_->button(static_cast<int>(model.Choice())))
        chosen->setChecked(true);
    ShowTemplate();
    // Only a newly chosen button reaches the model; clicking the chosen one
    // again changes nothing.
    connect(group_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (!checked)
            return;
        model_.Choose(static_cast<NameFormatChoice>(id));
        ShowTemplate();
    });
    connect(template_, &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.SetTemplateText(text.toUtf8().toStdString()); });

    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addWidget(brackets_);
    boxLayout->addWidget(plain_);
    boxLayout->addWidget(free_);
    auto* templateRow = new QHBoxLayout;
    templateRow->addSpacing(20);
    templateRow->addWidget(template_);
    boxLayout->addLayout(templateRow);

    ok_ = new QPushButton(QStringLiteral("&OK"), this);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &NameFormatDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addLayout(buttons);
}

void NameFormatDialog::ShowTemplate() {
    template_->setText(QString::fromUtf8(model_.TemplateText()));
    template_->setEnabled(model_.TemplateEnabled());
}

void NameFormatDialog::accept() {
    model_.Accept();
    QDialog::accept();
}

bool ExecNameFormatDialog(QWidget* parent, NameFormatModel& model) {
    NameFormatDialog dialog(model, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace tagnomen

// SPDX-License-Identifier: GPL-3.0-or-later
#include "NameFormatDialog.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ToolDialogs.h"
#include "tools/NameFormatModel.h"

namespace tagnomen {

namespace {
constexpr const char* kPlaceholders[] = {"%Artist", "%Title", "%Album", "%Year", "%Track"};
}  // namespace

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
    if (QAbstractButton* chosen = group_->button(static_cast<int>(model.Choice()))) {
        chosen->setChecked(true);
    }
    // Only a newly chosen button reaches the model; clicking the chosen one
    // again changes nothing.
    connect(group_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (!checked) {
            return;
        }
        model_.Choose(static_cast<NameFormatChoice>(id));
        ShowTemplate();
    });
    connect(template_, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.SetTemplateText(text.toUtf8().toStdString());
        ShowPreview();
    });

    // The placeholders, each a button that types it into the template.
    placeholders_ = new QWidget(box);
    auto* placeholderRow = new QHBoxLayout(placeholders_);
    placeholderRow->setContentsMargins(0, 0, 0, 0);
    placeholderRow->addWidget(new QLabel(QStringLiteral("Placeholders:"), placeholders_));
    for (const char* placeholder : kPlaceholders) {
        auto* button = new QPushButton(QString::fromUtf8(placeholder), placeholders_);
        button->setAutoDefault(false);
        button->setToolTip(QStringLiteral("Put %1 into the template").arg(placeholder));
        connect(button, &QPushButton::clicked, this,
                [this, placeholder] { InsertPlaceholder(QString::fromUtf8(placeholder)); });
        placeholderRow->addWidget(button);
    }
    placeholderRow->addStretch();
    auto* sections =
        new QLabel(QStringLiteral("A part in { } is left out when a value in it is unknown."), box);
    sections->setWordWrap(true);

    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addWidget(brackets_);
    boxLayout->addWidget(plain_);
    boxLayout->addWidget(free_);
    auto* templateRow = new QHBoxLayout;
    templateRow->addSpacing(20);
    templateRow->addWidget(template_);
    boxLayout->addLayout(templateRow);
    auto* placeholderIndent = new QHBoxLayout;
    placeholderIndent->addSpacing(20);
    placeholderIndent->addWidget(placeholders_, 1);
    boxLayout->addLayout(placeholderIndent);
    auto* sectionsIndent = new QHBoxLayout;
    sectionsIndent->addSpacing(20);
    sectionsIndent->addWidget(sections, 1);
    boxLayout->addLayout(sectionsIndent);

    const std::string& sample = model.Sample().fileName;
    auto* previewBox = new QGroupBox(
        sample.empty() ? QStringLiteral("Preview (example values)")
                       : QStringLiteral("Preview for %1").arg(QString::fromUtf8(sample)),
        this);
    preview_ = new QLabel(previewBox);
    preview_->setObjectName(QStringLiteral("preview"));
    preview_->setTextFormat(Qt::PlainText);
    preview_->setWordWrap(true);
    preview_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* previewLayout = new QVBoxLayout(previewBox);
    previewLayout->addWidget(preview_);

    ok_ = new QPushButton(QStringLiteral("&OK"), this);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &NameFormatDialog::accept);
    cancel_ = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel_->setAutoDefault(false);
    connect(cancel_, &QPushButton::clicked, this, &NameFormatDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addWidget(previewBox);
    layout->addLayout(buttons);
    ShowTemplate();
}

void NameFormatDialog::ShowTemplate() {
    template_->setText(QString::fromUtf8(model_.TemplateText()));
    template_->setEnabled(model_.TemplateEnabled());
    placeholders_->setEnabled(model_.TemplateEnabled());
    ShowPreview();
}

void NameFormatDialog::ShowPreview() {
    const std::string name = model_.Preview();
    preview_->setText(name.empty() ? QStringLiteral("(choose a format)") : QString::fromUtf8(name));
}

void NameFormatDialog::InsertPlaceholder(const QString& placeholder) {
    if (!template_->isEnabled()) {
        return;
    }
    template_->insert(placeholder);
    model_.SetTemplateText(template_->text().toUtf8().toStdString());
    ShowPreview();
    template_->setFocus();
}

void NameFormatDialog::accept() {
    // A format that could not be stored keeps the dialog open (the box said why).
    if (model_.Accept()) {
        QDialog::accept();
    }
}

bool ExecNameFormatDialog(QWidget* parent, NameFormatModel& model) {
    NameFormatDialog dialog(model, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace tagnomen

// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileInfoEditorDialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QVBoxLayout>

#include "ToolDialogs.h"

namespace tagnomen {

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToUtf8(const QString& text) {
    return text.toUtf8().toStdString();
}

constexpr int kCoverPixels = 96;

// The cover as a small picture; null when the bytes are no picture Qt knows.
QPixmap CoverPixmap(const std::string& bytes) {
    QPixmap picture;
    if (bytes.empty() || !picture.loadFromData(reinterpret_cast<const uchar*>(bytes.data()),
                                               static_cast<uint>(bytes.size()))) {
        return {};
    }
    return picture.scaled(kCoverPixels, kCoverPixels, Qt::KeepAspectRatio,
                          Qt::SmoothTransformation);
}

}  // namespace

FileInfoEditorDialog::FileInfoEditorDialog(FileInfoEditorModel& model, QWidget* parent)
    : QDialog(parent), model_(model) {
    setWindowTitle(QString::fromUtf8(model.Title()));

    fileName_ = new QLineEdit(FromUtf8(model.ShownName()), this);
    fileName_->setReadOnly(true);
    fileName_->setMinimumWidth(360);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("File Name"), fileName_);
    form->addRow(QStringLiteral("&Title"), AddLine(EditorField::Title));
    form->addRow(QStringLiteral("&Artist"), AddLine(EditorField::Artist));
    form->addRow(QStringLiteral("Al&bum"), AddLine(EditorField::Album));
    QLineEdit* year = AddLine(EditorField::Year);
    QLineEdit* track = AddLine(EditorField::Track);
    year->setMaximumWidth(60);
    track->setMaximumWidth(40);
    form->addRow(QStringLiteral("&Year"), year);
    form->addRow(QStringLiteral("T&rack"), track);

    // Not sorted: an entry's position is its genre number.
    genre_ = new QComboBox(this);
    for (std::size_t i = 0; i < FileInfoEditorModel::GenreCount(); ++i) {
        genre_->addItem(FromUtf8(FileInfoEditorModel::GenreEntry(static_cast<int>(i))));
    }
    genre_->setMaxVisibleItems(20);
    genre_->setCurrentIndex(model.GenreIndex());
    connect(genre_, &QComboBox::currentIndexChanged, this,
            [this](int index) { model_.SelectGenre(index); });
    form->addRow(QStringLiteral("&Genre"), genre_);

    comment_ = new QPlainTextEdit(FromUtf8(model.Text(EditorField::Comment)), this);
    comment_->setTabChangesFocus(true);
    comment_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    comment_->setFixedHeight(64);
    connect(comment_, &QPlainTextEdit::textChanged, this, &FileInfoEditorDialog::CommentTyped);
    commentCaption_ = new QLabel(QStringLiteral("&Comment"), this);
    commentCaption_->setBuddy(comment_);
    form->addRow(commentCaption_, comment_);

    tagLabel_ = new QLabel(FromUtf8(model.TagLabel()), this);

    // Only tag mode shows the comment and the tag label.
    commentCaption_->setVisible(model.ShowsComment());
    comment_->setVisible(model.ShowsComment());
    tagLabel_->setVisible(model.ShowsTagLabel());

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &FileInfoEditorDialog::accept);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setAutoDefault(false);
    connect(cancel_, &QPushButton::clicked, this, &FileInfoEditorDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(tagLabel_);
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    // The cover is shown so that the person sees it is there, and kept.
    cover_ = new QLabel(this);
    const QPixmap cover = CoverPixmap(model.Cover());
    cover_->setPixmap(cover);
    cover_->setToolTip(QStringLiteral("Cover picture: kept when the tags are written"));
    cover_->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    cover_->setVisible(!cover.isNull());

    auto* top = new QHBoxLayout;
    top->addLayout(form, 1);
    top->addWidget(cover_, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
}

QLineEdit* FileInfoEditorDialog::Edit(EditorField field) const {
    const int index = static_cast<int>(field);
    return index >= 0 && index < 5 ? lines_[index] : nullptr;
}

QLineEdit* FileInfoEditorDialog::AddLine(EditorField field) {
    auto* edit = new QLineEdit(FromUtf8(model_.Text(field)), this);
    edit->setMaxLength(static_cast<int>(model_.MaxLength(field)));
    lines_[static_cast<int>(field)] = edit;
    // Only typed text reaches the model; the model drops what the edit may
    // not hold, and the edit then shows what the model kept.
    connect(edit, &QLineEdit::textEdited, this,
            [this, field, edit](const QString& text) { Typed(field, edit, text); });
    return edit;
}

void FileInfoEditorDialog::Typed(EditorField field, QLineEdit* edit, const QString& text) {
    model_.SetText(field, ToUtf8(text));
    const QString kept = FromUtf8(model_.Text(field));
    if (kept != text) {
        const int dropped = static_cast<int>(text.size() - kept.size());
        const int cursor = edit->cursorPosition() - dropped;
        edit->setText(kept);
        edit->setCursorPosition(cursor < 0 ? 0 : cursor);
    }
}

void FileInfoEditorDialog::CommentTyped() {
    const QString text = comment_->toPlainText();
    model_.SetText(EditorField::Comment, ToUtf8(text));
    const QString kept = FromUtf8(model_.Text(EditorField::Comment));
    if (kept != text) {
        const QSignalBlocker block(comment_);
        comment_->setPlainText(kept);
        comment_->moveCursor(QTextCursor::End);
    }
}

void FileInfoEditorDialog::accept() {
    if (model_.Accept()) {
        QDialog::accept();
    }
}

void FileInfoEditorDialog::reject() {
    model_.Reject();
    QDialog::reject();
}

bool ExecFileInfoEditorDialog(QWidget* parent, FileInfoEditorModel& model) {
    FileInfoEditorDialog dialog(model, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace tagnomen

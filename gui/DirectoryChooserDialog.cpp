#include "DirectoryChooserDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ToolDialogs.h"
#include "tools/DirectoryChooserModel.h"

namespace tagnomen {

DirectoryChooserDialog::DirectoryChooserDialog(DirectoryChooserModel& model, QWidget* parent)
    : QDialog(parent), model_(model) {
    setWindowTitle(QString::fromUtf8(model.Title()));
    edit_ = new QLineEdit(QString::fromUtf8(model.Text()), this);
    edit_->setMaxLength(static_cast<int>(DirectoryChooserModel::kMaxCharacters));
    auto* caption = new QLabel(QStringLiteral("&Directory Name"), this);
    caption->setBuddy(edit_);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &DirectoryChooserDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(edit_);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}

void DirectoryChooserDialog::accept() {
    model_.SetText(edit_->text().toStdString());
    if (model_.Accept())
        QDialog::accept();
}

bool ExecDirectoryChooserDialog(QWidget* parent, DirectoryChooserModel& model) {
    DirectoryChooserDialog dialog(model, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace tagnomen

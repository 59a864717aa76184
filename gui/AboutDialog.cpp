#include "AboutDialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tagnomen {

AboutDialog::AboutDialog(const AboutInfo& info, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Tagnomen"));
    auto* icon = new QLabel(this);
    icon->setPixmap(QApplication::windowIcon().pixmap(64, 64));
    auto* name =
        new QLabel(QStringLiteral("<b>%1 %2</b>")
                       .arg(QString::fromUtf8(info.programName), QString::fromUtf8(info.version)),
                   this);
    name->setObjectName(QStringLiteral("aboutName"));
    auto* description = new QLabel(QString::fromUtf8(info.description), this);
    description->setWordWrap(true);
    auto* page = new QLabel(QString::fromUtf8(info.webPage), this);
    page->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* web = new QPushButton(QStringLiteral("Renamer's &Web Site"), this);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(web, &QPushButton::clicked, this, [this] { done(kWebSiteResult); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(name);
    text->addWidget(description);
    text->addWidget(page);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(web);
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    setMinimumWidth(380);
}

}  // namespace tagnomen

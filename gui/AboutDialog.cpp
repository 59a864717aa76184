// SPDX-License-Identifier: GPL-3.0-or-later
#include "AboutDialog.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

// The resources live in a static library: naming their initialiser here makes
// the linker keep them in every program that shows a window of ours.
static void InitProgramResources() {
    Q_INIT_RESOURCE(tagnomen);
}

namespace tagnomen {

QIcon ProgramIcon() {
    static const QIcon icon = [] {
        InitProgramResources();
        QIcon result;
        for (int size : {16, 32, 48, 64, 128, 256}) {
            result.addFile(QStringLiteral(":/icons/tagnomen-%1.png").arg(size), QSize(size, size));
        }
        return result;
    }();
    return icon;
}

AboutDialog::AboutDialog(const AboutInfo& info, QWidget* parent) : QDialog(parent) {
    const QString program = QString::fromUtf8(info.programName);
    setWindowTitle(QStringLiteral("About %1").arg(program));
    setWindowIcon(ProgramIcon());

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("aboutIcon"));
    icon->setPixmap(ProgramIcon().pixmap(64, 64));

    auto* name = new QLabel(program, this);
    name->setObjectName(QStringLiteral("aboutName"));
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    name->setFont(big);

    auto* version =
        new QLabel(QStringLiteral("Version %1").arg(QString::fromUtf8(info.version)), this);
    version->setObjectName(QStringLiteral("aboutVersion"));
    version->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* description = new QLabel(QString::fromUtf8(info.description), this);
    description->setObjectName(QStringLiteral("aboutDescription"));
    description->setWordWrap(true);

    auto* licence = new QLabel(QString::fromUtf8(info.licence), this);
    licence->setObjectName(QStringLiteral("aboutLicence"));
    licence->setWordWrap(true);
    auto* page = new QLabel(QString::fromUtf8(info.webPage), this);
    page->setObjectName(QStringLiteral("aboutWebPage"));
    page->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* web = new QPushButton(QStringLiteral("Renamer's &Web Site"), this);
    web->setObjectName(QStringLiteral("aboutWebSite"));
    web->setAutoDefault(false);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("aboutOk"));
    ok->setDefault(true);
    connect(web, &QPushButton::clicked, this, [this] { done(kWebSiteResult); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->setSpacing(6);
    text->addWidget(name);
    text->addWidget(version);
    text->addSpacing(6);
    text->addWidget(description);
    text->addWidget(licence);
    text->addWidget(page);
    auto* top = new QHBoxLayout;
    top->setSpacing(18);
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(web);
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 14);
    layout->addLayout(top);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    setMinimumWidth(400);
}

}  // namespace tagnomen

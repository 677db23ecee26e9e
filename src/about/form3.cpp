// SPDX-License-Identifier: GPL-3.0-or-later
#include "about/form3.h"

#include "about/browser_launch.h"
#include "about/link_label.h"
#include "platform/app_dirs.h"
#include "platform/services.h"
#include "platform/shell.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvex {

namespace {

const QColor kIdle(0, 0, 255);
const QColor kHover(255, 0, 0);

} // namespace

Form3::Form3(Services& services, QWidget* parent) : QDialog(parent), services_(services)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("About Quorvex"));
    setMouseTracking(true);
    createControls();
    Text1->setPlainText(aboutText());

    for (LinkLabel* link : {Label2, Label3, Label4})
        connect(link, &LinkLabel::hovered, link, [link] { link->setColour(kHover); });
    connect(Label2, &LinkLabel::clicked, this, &Form3::Label2_Click);
    connect(Label3, &LinkLabel::clicked, this, &Form3::Label3_Click);
    connect(Label4, &LinkLabel::clicked, this, &Form3::Label4_Click);
    connect(Command1, &QPushButton::clicked, this, &Form3::Command1_Click);
}

void Form3::createControls()
{
    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Text1->setFont(QFont(QStringLiteral("Arial"), 10));
    Text1->setMinimumSize(380, 130);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setMinimumHeight(36);

    Label2 = new LinkLabel(QStringLiteral("Email"), this);
    Label3 = new LinkLabel(kWebSiteName, this);
    Label4 = new LinkLabel(QStringLiteral("Open FAQ file"), this);
    int n = 2;
    for (LinkLabel* link : {Label2, Label3, Label4})
        link->setObjectName(QStringLiteral("Label%1").arg(n++));
    resetLinkColours();

    Command1 = new QPushButton(QStringLiteral("&OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);

    auto* links = new QHBoxLayout;
    links->addWidget(Label2);
    links->addStretch();
    links->addWidget(Label3);
    links->addStretch();
    links->addWidget(Label4);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Text1);
    layout->addLayout(links);
    layout->addWidget(Label1);
    layout->addLayout(buttons);
}

QString Form3::aboutText()
{
    const QString name = QStringLiteral("Quorvex");
    return name + u' ' + QString::number(QUORVEX_VERSION_MAJOR) + u'.' +
           QString::number(QUORVEX_VERSION_MINOR) + QStringLiteral("\n\n") +
           QStringLiteral("If you are using Netware Client32 ") + name +
           QStringLiteral(" will allow you to see those who ") +
           QStringLiteral("are using a specific file. In addition, you will see their rights "
                          "to the file, how ") +
           QStringLiteral("the file was opened, and at what time the user logged in at.");
}

QString Form3::faqPath() const
{
    return QDir::toNativeSeparators(services_.dirs.programDir() + QStringLiteral("/faq.fil"));
}

void Form3::resetLinkColours()
{
    for (LinkLabel* link : {Label2, Label3, Label4})
        link->setColour(kIdle);
}

void Form3::mouseMoveEvent(QMouseEvent* event)
{
    resetLinkColours();
    QDialog::mouseMoveEvent(event);
}

void Form3::Label2_Click()
{
    Label1->setText(QStringLiteral("Send e-mail message to: ") + kSupportAddress);
    launchInBrowser(services_.shell, services_.prompts,
                    QStringLiteral("mailto:") + kSupportAddress);
}

void Form3::Label3_Click()
{
    Label1->setText(QStringLiteral("Go to page: ") + kWebPage);
    launchInBrowser(services_.shell, services_.prompts, kWebPage);
}

void Form3::Label4_Click()
{
    // Opened whether or not the file is there; the viewer says so if it is not,
    // and a viewer that does not start is no reason to trouble the user here.
    Label1->setText(QStringLiteral("Open file: ") + faqPath());
    services_.shell.openDocument(faqPath());
}

void Form3::Command1_Click()
{
    accept();
}

} // namespace quorvex

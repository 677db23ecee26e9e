// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileinfo/form2.h"

#include "app/form1.h"
#include "fileinfo/attribute_table.h"
#include "fileinfo/get_file_info.h"
#include "fileinfo/object_names.h"
#include "files/file_browser.h"
#include "netware/netware_text.h"
#include "platform/clipboard.h"
#include "platform/prompts.h"
#include "platform/services.h"
#include "platform/window_mover.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

namespace quorvex {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kTitle = QStringLiteral("Quorvex");

constexpr std::array<const char*, 7> kFieldCaptions{
    "Created",       "Owner",         "Last Access",   "Last Archived",
    "Last Arch. By", "Last Modified", "Last Modif. By"};

} // namespace

Form2::Form2(Form1& form) : QDialog(&form), form_(form)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Quorvex - Extended File Information"));
    createControls();

    QList<QWidget*> surfaces{Frame1, Frame2};
    for (QLabel* label : Label)
        surfaces.append(label);
    new WindowMover(*this, surfaces);

    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form2::Command2_Click);
}

void Form2::createControls()
{
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* fields = new QGridLayout;
    for (int i = 0; i < int(kFieldCaptions.size()); ++i) {
        auto* label = new QLabel(QString::fromLatin1(kFieldCaptions[i]), Frame1);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        auto* text = new QLineEdit(Frame1);
        text->setObjectName(QStringLiteral("Text%1").arg(i + 1));
        text->setReadOnly(true);
        text->setMinimumWidth(220);
        fields->addWidget(label, i, 0);
        fields->addWidget(text, i, 1);
        Label.append(label);
        Text.append(text);
    }

    Frame2 = new QGroupBox(QStringLiteral(" Attributes "), Frame1);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    auto* boxes = new QGridLayout(Frame2);
    constexpr int kColumns = 3;
    for (int i = 0; i < int(kFileAttributes.size()); ++i) {
        // "&" never appears in the captions, so they show as written.
        auto* box = new QCheckBox(QString::fromLatin1(kFileAttributes[i].caption), Frame2);
        box->setObjectName(QStringLiteral("Check%1").arg(i + 1));
        box->setTristate(true);
        boxes->addWidget(box, i / kColumns, i % kColumns);
        Check.append(box);
    }

    auto* frameLayout = new QVBoxLayout(Frame1);
    frameLayout->addLayout(fields);
    frameLayout->addWidget(Frame2);

    Command1 = new QPushButton(QStringLiteral("C&opy"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setToolTip(QStringLiteral(" Copy extended file info to Clipboard "));
    Command1->setAutoDefault(false);
    Command2 = new QPushButton(QStringLiteral("&Close"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setToolTip(QStringLiteral(" Close screen "));
    Command2->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addLayout(buttons);
}

bool Form2::Form_Load()
{
    if (loaded_)
        return loadResult_;
    loaded_ = true;

    const FileBrowser& browser = form_.browser();
    const QString selected = browser.selectedFile();
    localPath_ = browser.directoryPrefix() + selected;

    std::array<char, 48> server{};
    std::array<char, 48> volume{};
    std::array<char, 255> path{};
    nw::NWCONN_HANDLE conn = 0; // the window opens a connection of its own
    const QByteArray local = nw::toClientText(localPath_);
    Prompts& prompts = form_.services().prompts;
    if (form_.client().NWParsePath(local.constData(), server, conn, volume, path) != nw::kSuccess) {
        QApplication::restoreOverrideCursor();
        prompts.beep();
        prompts.messageBox(QStringLiteral("Error! Could not parse the path for file ") +
                               selected.toUpper() + QStringLiteral("."),
                           kTitle, MsgIcon::Exclamation, MsgButtons::Ok, Answer::Ok);
        return loadResult_ = true; // opens with its fields empty
    }

    netwarePath_ = nw::fromClientText(server) + u'\\' + nw::fromClientText(volume) + u':' +
                   nw::fromClientText(path);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::optional<ExtendedFileInfo> info =
        GetFileInfo(netwarePath_, form_.client(), prompts, *form_.Text2);
    QApplication::restoreOverrideCursor();
    if (!info)
        return loadResult_ = false;
    showInfo(*info);
    return loadResult_ = true;
}

int Form2::exec()
{
    if (!Form_Load())
        return QDialog::Rejected;
    return QDialog::exec();
}

void Form2::showInfo(const ExtendedFileInfo& info)
{
    // Doubled so that an "&" in the name is shown, not taken for an accelerator.
    QString caption = info.fileName;
    Frame1->setTitle(caption.replace(u'&', QStringLiteral("&&")));

    const std::array<const QString*, 7> values{
        &info.created,        &info.owner,        &info.lastAccess,    &info.lastArchived,
        &info.lastArchivedBy, &info.lastModified, &info.lastModifiedBy};
    for (int i = 0; i < int(values.size()); ++i)
        Text[i]->setText(*values[i]);

    for (QCheckBox* box : Check) {
        box->setCheckState(Qt::Unchecked);
        box->setEnabled(false);
    }
    if (info.attributes == 0)
        return;
    for (int i = 0; i < int(kFileAttributes.size()); ++i) {
        if (info.attributes & kFileAttributes[i].mask) {
            Check[i]->setEnabled(true);
            Check[i]->setCheckState(Qt::PartiallyChecked);
        }
    }
}

QString Form2::copyText() const
{
    QString text = QStringLiteral("Full Path:  ") + netwarePath_ + kCrLf;
    text += QStringLiteral("Path:  ") + localPath_ + kCrLf;
    for (int i = 0; i < int(kFieldCaptions.size()); ++i)
        text += QString::fromLatin1(kFieldCaptions[i]) + QStringLiteral(":  ") + Text[i]->text() +
                kCrLf;
    text += kCrLf + QStringLiteral("Attributes") + kCrLf + kCrLf;
    for (const QCheckBox* box : Check) {
        if (box->checkState() != Qt::Unchecked)
            text += box->text() + kCrLf;
    }
    return text;
}

void Form2::Command1_Click()
{
    const QString text = copyText();
    form_.services().clipboard.setText(text);
    form_.services().prompts.messageBox(QString::number(text.size()) +
                                            QStringLiteral(" bytes copied to Clipboard."),
                                        kTitle, MsgIcon::Information, MsgButtons::Ok, Answer::Ok);
}

void Form2::Command2_Click()
{
    close();
}

} // namespace quorvex

// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/file_browser.h"

#include "app/form1.h"
#include "app/interval_timer.h"
#include "app/message_pane.h"
#include "files/directory_box.h"
#include "files/drive_box.h"
#include "files/file_listing.h"
#include "platform/clock.h"
#include "platform/drive_map.h"
#include "platform/file_helpers.h"
#include "platform/list_extent.h"
#include "platform/prompts.h"
#include "platform/services.h"
#include "scan/scan_engine.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>

namespace quorvex {

namespace {

const QString kListTip = QStringLiteral(" Double-click on file to scan ");
const QString kInvalidPattern =
    QStringLiteral("Invalid file pattern. Try *.*, *.exe, *.xls, *.doc, *.mdb or *.dwg.");

// Widest text in pixels, the scroll width a list needs for its entries.
int widestText(const QFontMetrics& metrics, const QStringList& texts)
{
    int widest = 0;
    for (const QString& text : texts)
        widest = std::max(widest, metrics.horizontalAdvance(text));
    return widest;
}

} // namespace

FileBrowser::FileBrowser(Form1& form)
    : form_(form), reader_(form.services().drives,
                           [&clock = form.services().clock] { return clock.monotonicMs(); })
{
    const DriveMap& drives = form_.services().drives;
    form_.Drive1->setDriveMap(&drives);
    form_.Dir1->setDriveMap(&drives);
    form_.Dir1->setReader(&reader_);
    // The list keeps its own case-blind order (the list box's sorting compares
    // case); uniform rows keep a 20,000-file directory quick to show.
    form_.List3->setSortingEnabled(false);
    form_.List3->setUniformItemSizes(true);
    form_.List3->setSelectionMode(QAbstractItemView::SingleSelection);
    form_.List3->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    connect(form_.Drive1, &DriveBox::driveChanged, this, &FileBrowser::Drive1_Change);
    connect(form_.Dir1, &DirectoryBox::pathChanged, this, &FileBrowser::Dir1_Change);
    connect(form_.Combo2, &QComboBox::editTextChanged, this, &FileBrowser::Combo2_Change);
    connect(form_.Combo2, &QComboBox::activated, this, &FileBrowser::Combo2_Click);
    connect(form_.Command3, &QPushButton::clicked, this, &FileBrowser::Command3_Click);
    connect(form_.List3, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            List3_Click();
    });
    connect(form_.List3, &QListWidget::itemDoubleClicked, this, &FileBrowser::List3_DblClick);
    connect(form_.Combo1, &QComboBox::activated, this, &FileBrowser::Combo1_Click);
    form_.Combo2->installEventFilter(this);
}

bool FileBrowser::eventFilter(QObject* watched, QEvent* event)
{
    // Opening the drop-down list moves the focus to the popup; that is not
    // leaving the box.
    if (watched == form_.Combo2 && event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
        Combo2_LostFocus();
    return QObject::eventFilter(watched, event);
}

QString FileBrowser::directoryPrefix() const
{
    QString prefix = form_.Dir1->path();
    if (!prefix.endsWith(QLatin1Char('\\')))
        prefix += QLatin1Char('\\');
    return prefix;
}

QString FileBrowser::selectedFile() const
{
    const QListWidgetItem* item = form_.List3->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void FileBrowser::setInfoText(const QString& text)
{
    form_.Label1->setText(text);
    Label1_Change();
}

bool FileBrowser::listFiles()
{
    setInfoText(QString());
    form_.List3->clear();

    const QString dir = form_.Dir1->path();
    const FileListing listing =
        quorvex::listFiles(dir.isEmpty() ? std::nullopt : reader_.recent(dir),
                           form_.Combo2->currentText(), form_.settings.HidFiles != 0);
    form_.List3->addItems(listing.names);
    applyHorizontalExtent();

    const qsizetype n = listing.names.size();
    if (n == 0)
        form_.Label2->clear();
    else if (n == 1)
        form_.Label2->setText(QStringLiteral("1 file."));
    else
        form_.Label2->setText(QString::number(n) + QStringLiteral(" files."));
    form_.List3->setToolTip(n > 0 ? kListTip : QString());
    return listing.ok;
}

void FileBrowser::applyHorizontalExtent()
{
    QListWidget* list = form_.List3;
    QStringList texts;
    texts.reserve(list->count());
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    setHorizontalExtent(*list, widestText(QFontMetrics(form_.font()), texts) + 25);
}

void FileBrowser::resetScanView()
{
    if (form_.Check1->isChecked())
        form_.Timer1->setEnabled(false);
    for (QWidget* w : std::initializer_list<QWidget*>{
             form_.Command1, form_.Command4, form_.Command5, form_.Check1, form_.Text3,
             form_.Label7, form_.Text1, form_.Command6, form_.Command11, form_.Command12,
             form_.Command13, form_.Command14, form_.Command15, form_.Command16})
        w->setVisible(false);
    form_.List1->clear();
    form_.connections.clear(); // kept parallel to List1
    form_.List1->setToolTip(QString());
    form_.Label5->clear();
    form_.Text2->clear();
}

void FileBrowser::Drive1_Change()
{
    const QString root = form_.Drive1->drive().left(2) + QLatin1Char('\\');
    if (form_.Dir1->setPath(root)) {
        driveChangeOk_ = true;
        return;
    }
    driveChangeOk_ = false;
    if (fallingBack_)
        return; // the fall-back to C: failed too; the outer change handles it

    // No medium (or the drive's directory is gone): fall back to C: once. The
    // nested change must not fall back again, or a missing C: would never end.
    fallingBack_ = true;
    const bool switched = form_.Drive1->setDrive(QStringLiteral("c:")) && driveChangeOk_ &&
                          form_.Dir1->path().startsWith(QLatin1String("C:"), Qt::CaseInsensitive);
    fallingBack_ = false;
    if (!switched) {
        // C: is no use either: the drive box goes back to the directory's drive,
        // the directory stays, and no files are listed.
        form_.Drive1->restoreDrive(form_.Dir1->path());
        form_.List3->clear();
        form_.List3->setToolTip(QString());
        form_.Label2->clear();
        setInfoText(QString());
        resetScanView();
    }
    form_.Text2->setText(QStringLiteral("No media in drive ") + root.left(2).toUpper() +
                         QStringLiteral(" therefore switched to C:"));
}

void FileBrowser::Dir1_Change()
{
    listFiles();
    resetScanView();
}

void FileBrowser::refresh()
{
    if (!form_.Dir1->refresh())
        reader_.read(form_.Dir1->path()); // gone: the list shows so
    Dir1_Change();
}

void FileBrowser::Combo2_Change()
{
    resetScanView();
    listFiles();
}

void FileBrowser::Combo2_Click()
{
    resetScanView();
    if (!listFiles()) {
        form_.services().prompts.beep();
        form_.Text2->setText(kInvalidPattern);
    }
}

void FileBrowser::Combo2_LostFocus()
{
    addPatternHistory(form_.Combo2->currentText());
}

void FileBrowser::addPatternHistory(const QString& pattern)
{
    if (pattern.isEmpty())
        return;
    QComboBox* box = form_.Combo2;
    const QString lowered = pattern.toLower();
    for (int i = 0; i < box->count(); ++i) {
        if (box->itemText(i).toLower() == lowered)
            return;
    }
    // Adding the first entry would make it current and replace the typed text.
    const QSignalBlocker blocker(box);
    const QString text = box->currentText();
    box->addItem(pattern);
    if (box->currentText() != text)
        box->setEditText(text);
}

void FileBrowser::Command3_Click()
{
    if (form_.Combo2->currentText() != QLatin1String("*.*"))
        form_.Combo2->setEditText(QStringLiteral("*.*"));
}

void FileBrowser::List3_Click()
{
    QString info;
    const QString name = selectedFile();
    const auto place =
        name.isEmpty() ? std::nullopt : filesOf(form_.services().drives, directoryPrefix() + name);
    const auto file = place ? place->files->info(place->names) : std::nullopt;
    if (file && !file->isDirectory() && file->modified.isValid()) {
        QLocale locale = QLocale::system();
        locale.setNumberOptions(QLocale::DefaultNumberOptions); // always group digits
        info = locale.toString(file->modified, QLocale::ShortFormat) + QStringLiteral("  ") +
               locale.toString(file->size);
    }
    setInfoText(info);
    form_.Command1->setVisible(true);
}

void FileBrowser::List3_DblClick()
{
    form_.scan().Command1_Click();
}

void FileBrowser::Label1_Change()
{
    if (form_.Label1->text().isEmpty()) {
        form_.Command18->setVisible(false);
        return;
    }
    switch (form_.services().drives.driveType(form_.Drive1->drive() + QLatin1Char('\\'))) {
    case DriveType::Removable:
    case DriveType::Fixed:
    case DriveType::CdRom:
        form_.Command18->setVisible(false);
        break;
    default:
        form_.Command18->setVisible(true);
        break;
    }
}

void FileBrowser::Combo1_Click()
{
    const QString path = form_.Combo1->currentText();
    if (path.isEmpty())
        return;
    if (!FileExists(form_.services().drives, path)) {
        form_.services().prompts.beep();
        form_.Text2->setText(QStringLiteral("File does not exist."));
        return;
    }
    pointAt(path);
    form_.Command1->setVisible(true);
    form_.scan().Command1_Click();
}

void FileBrowser::pointAt(const QString& path)
{
    // "/" separates names in a DOS path as "\" does, as the drive map reads it.
    QString fullPath = path;
    fullPath.replace(QLatin1Char('/'), QLatin1Char('\\'));
    form_.Drive1->setDrive(fullPath.left(1));
    const qsizetype cut = fullPath.lastIndexOf(QLatin1Char('\\'));
    const QString directory = fullPath.left(cut + 1);
    const QString name = fullPath.mid(cut + 1);
    Command3_Click(); // the pattern "*.*"
    form_.Dir1->setPath(directory);

    QListWidget* list = form_.List3;
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text().startsWith(name, Qt::CaseInsensitive)) {
            if (list->currentRow() == i)
                List3_Click(); // already current: selecting it again still shows its details
            else
                list->setCurrentRow(i);
            return;
        }
    }
    list->setCurrentRow(-1);
    list->clearSelection();
}

} // namespace quorvex

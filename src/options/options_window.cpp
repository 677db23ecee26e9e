// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/options_window.h"

#include "app/form1.h"
#include "files/directory_box.h"
#include "files/directory_reader.h"
#include "files/drive_box.h"
#include "files/file_listing.h"
#include "platform/clock.h"
#include "platform/drive_map.h"
#include "platform/list_extent.h"
#include "platform/prompts.h"
#include "platform/services.h"
#include "platform/twips.h"
#include "platform/window_mover.h"
#include "scan/auto_clear_time.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace quorvex {

namespace {

std::uint8_t flag(const QCheckBox* box)
{
    return box->isChecked() ? 1 : 0;
}

// Focus that leaves because another window came up (the date message itself) or
// the window is closing is no leaving of the box by the user.
bool userLeftBox(const QFocusEvent* event)
{
    const Qt::FocusReason reason = event->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

} // namespace

Options::Options(Form1& form) : QDialog(&form), form_(form)
{
    setObjectName(QStringLiteral("Options"));
    setWindowTitle(QStringLiteral("Quorvex - Options Screen"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);
    setFixedSize(pixelRect(*this, {0, 0, kDesignWidthTwips, kDesignHeightTwips}).size());

    createControls();
    reader_ = std::make_unique<DirectoryReader>(
        form_.services().drives, [&clock = form_.services().clock] { return clock.monotonicMs(); });
    Drive1->setDriveMap(&form_.services().drives);
    Dir1->setDriveMap(&form_.services().drives);
    Dir1->setReader(reader_.get());
    connectControls();
    Form_Load();
}

Options::~Options() = default;

void Options::connectControls()
{
    for (QRadioButton* option : {Option1, Option2, Option3}) {
        connect(option, &QRadioButton::toggled, this, [this](bool selected) {
            if (selected)
                OptionClick();
        });
    }
    connect(Check1, &QCheckBox::toggled, this, &Options::Check1_Click);
    connect(Check2, &QCheckBox::toggled, this, &Options::Check2_Click);
    connect(Drive1, &DriveBox::driveChanged, this, &Options::Drive1_Change);
    connect(Dir1, &DirectoryBox::pathChanged, this, &Options::Dir1_Change);
    connect(Text1, &QLineEdit::textChanged, this, &Options::Text1_Change);
    connect(Command1, &QPushButton::clicked, this, &Options::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Options::Command2_Click);
    Text2->installEventFilter(this);
    Text3->installEventFilter(this);

    // The window sees Escape before any of its controls.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);

    new WindowMover(*this, {Frame1, Frame2, Frame3, Frame4, Frame5, Label1});
    // These pass a press on to the window, which would drag it; they must not.
    for (QWidget* still : std::initializer_list<QWidget*>{Frame6, Label2, Label3})
        still->setAttribute(Qt::WA_NoMousePropagation);
}

void Options::Form_Load()
{
    Settings& s = form_.settings;
    // Selecting a choice runs its handler, which rewrites both flags at once.
    if (s.FileYes)
        Option2->setChecked(true);
    if (s.FileNo)
        Option1->setChecked(true);

    Check1->setChecked(s.ViaBeep == 1);
    Check2->setChecked(s.ViaMsg == 1);

    Drive1->setDrive(s.FDrive);
    // A directory without a drive ("\" for a new user) lies on the drive box's drive.
    QString dir = s.FDir;
    if (!driveLetterOf(dir) && Drive1->drive().size() >= 2)
        dir = Drive1->drive().left(2) + dir;
    Dir1->setPath(dir);

    for (int i = 0; i < List1->count(); ++i) {
        if (List1->item(i)->text() == s.FFile) {
            List1->setCurrentRow(i);
            break;
        }
    }

    Check3->setChecked(s.ConnNo == 1);
    Check4->setChecked(s.TaskNo == 1);
    Check5->setChecked(s.Opened == 1);
    Check6->setChecked(s.FileRights == 1);
    Check7->setChecked(s.DirRights == 1);
    Check8->setChecked(s.Locked == 1);
    Check9->setChecked(s.Login == 1);
    Check10->setChecked(s.Address == 1);
    Check11->setChecked(s.LogFile == 1);
    Check12->setChecked(s.Overwrite == 1);
    Check13->setChecked(s.HidFiles == 1);
}

void Options::Form_Unload()
{
    Settings& s = form_.settings;
    s.FileYes = Option2->isChecked();
    s.FileNo = Option1->isChecked();
    s.ViaBeep = flag(Check1);
    s.ViaMsg = flag(Check2);
    // A box that holds no value (no drive could be listed) leaves the setting.
    if (!Drive1->drive().isEmpty())
        s.FDrive = Drive1->drive();
    if (!Dir1->path().isEmpty())
        s.FDir = Dir1->path();
    const QListWidgetItem* chosen = List1->currentItem();
    s.FFile = chosen && chosen->isSelected() ? chosen->text() : QString();
    s.ConnNo = flag(Check3);
    s.TaskNo = flag(Check4);
    s.Opened = flag(Check5);
    s.FileRights = flag(Check6);
    s.DirRights = flag(Check7);
    s.Locked = flag(Check8);
    s.Login = flag(Check9);
    s.Address = flag(Check10);
    s.LogFile = flag(Check11);
    s.Overwrite = flag(Check12);
    s.HidFiles = flag(Check13);
    s.AutoClear = flag(Check15);
    s.AutoClearDate = Text2->text();
    s.AutoClearTime = Text3->text();
}

void Options::done(int result)
{
    if (!unloaded_) {
        unloaded_ = true;
        Form_Unload();
    }
    QDialog::done(result);
}

void Options::OptionClick()
{
    Settings& s = form_.settings;
    s.FileNo = Option1->isChecked();
    s.FileYes = Option2->isChecked();
    enableCopyFrom(s.FileNo);
}

void Options::enableCopyFrom(bool enabled)
{
    for (QWidget* w : std::initializer_list<QWidget*>{Drive1, Dir1, List1, Text1, Command1})
        w->setEnabled(enabled);
}

void Options::Check1_Click()
{
    form_.settings.ViaBeep = flag(Check1);
}

void Options::Check2_Click()
{
    form_.settings.ViaMsg = flag(Check2);
}

void Options::Drive1_Change()
{
    if (Dir1->setPath(Drive1->drive().left(2) + QLatin1Char('\\')))
        return;
    // A drive that cannot be read falls back to c: once; should c: fail as well
    // the directory box simply stays where it was.
    if (driveFallback_)
        return;
    driveFallback_ = true;
    Drive1->setDrive(QStringLiteral("c:"));
    driveFallback_ = false;
}

void Options::Dir1_Change()
{
    List1->clear();
    // The listing follows the setting in force, not the box being edited here: a
    // change of "Show Hidden Files" shows from the next listing after closing.
    const QString folder = Dir1->path();
    List1->addItems(listFiles(folder.isEmpty() ? std::nullopt : reader_->recent(folder),
                              Text1->text(), form_.settings.HidFiles == 1)
                        .names);
    // The list's extent is set once when the window opens and holds for every
    // listing after; here it goes to the lines of each new listing.
    setHorizontalExtent(*List1, kFileListExtentPx);
}

void Options::Text1_Change()
{
    Dir1_Change();
}

void Options::Command1_Click()
{
    Text1->setText(QStringLiteral("*.*"));
    List1->clearSelection();
    List1->setCurrentItem(nullptr);
}

void Options::Command2_Click()
{
    // reject() rather than close(): a window that was never shown still unloads.
    reject();
}

void Options::Text2_LostFocus()
{
    const QString text = Text2->text();
    if (text.trimmed().isEmpty()) {
        Text2->setText(QString());
        return;
    }
    if (parseAutoClearDate(text))
        return;
    form_.services().prompts.messageBox(QStringLiteral("Please use MM/DD/YY format."),
                                        QStringLiteral("Invalid Date"), MsgIcon::Exclamation,
                                        MsgButtons::Ok, Answer::Ok);
    Text2->setFocus(Qt::OtherFocusReason);
}

void Options::Text3_LostFocus()
{
    if (Text3->text().trimmed().isEmpty())
        Text3->setText(QString());
}

bool Options::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        reject();
        return true;
    }
    if (event->type() == QEvent::FocusOut && !unloaded_ &&
        userLeftBox(static_cast<QFocusEvent*>(event))) {
        if (watched == Text2)
            Text2_LostFocus();
        else if (watched == Text3)
            Text3_LostFocus();
    }
    return QDialog::eventFilter(watched, event);
}

void Options::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (centred_)
        return;
    centred_ = true;
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->geometry();
        const QSize size = frameGeometry().size();
        move(area.left() + (area.width() - size.width()) / 2,
             area.top() + (area.height() - size.height()) / 2);
    }
}

} // namespace quorvex

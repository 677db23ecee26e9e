// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/form1.h"

#include "actions/clear_connection.h"
#include "actions/send_message.h"
#include "actions/user_selection.h"
#include "app/dialog_buttons.h"
#include "app/interval_timer.h"
#include "app/keys_and_find.h"
#include "app/lifecycle.h"
#include "app/message_pane.h"
#include "files/directory_box.h"
#include "files/drive_box.h"
#include "files/file_browser.h"
#include "locks/file_locks.h"
#include "reports/reports.h"
#include "scan/scan_engine.h"
#include "scan/watch.h"

#include "platform/twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QtMath>

#include <algorithm>

namespace quorvex {

namespace {

template <typename W>
W* make(Form1& form, const char* name, const TwipsRect& rect, const QString& caption = {},
        const QString& tip = {})
{
    auto* w = new W(&form);
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(pixelRect(form, rect));
    if constexpr (std::is_base_of_v<QAbstractButton, W> || std::is_same_v<W, QLabel>) {
        if (!caption.isEmpty())
            w->setText(caption);
    }
    if (!tip.isEmpty())
        w->setToolTip(tip);
    return w;
}

QPushButton* button(Form1& form, const char* name, const TwipsRect& rect, const char* caption,
                    const char* tip)
{
    return make<QPushButton>(form, name, rect, QString::fromUtf8(caption), QString::fromUtf8(tip));
}

} // namespace

Form1::Form1(Services& services, nw::NetWareClient& client, QWidget* parent)
    : QWidget(parent), services_(services), client_(client)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Quorvex"));
    createControls();
    resize(pixelRect(*this, {0, 0, kDesignWidthTwips, kDesignHeightTwips}).size());

    scan_ = std::make_unique<ScanEngine>(*this);
    watch_ = std::make_unique<Watch>(*this);
    browser_ = std::make_unique<FileBrowser>(*this);
    selection_ = std::make_unique<UserSelection>(*this);
    sendMessage_ = std::make_unique<SendMessage>(*this);
    clearConnection_ = std::make_unique<ClearConnectionAction>(*this);
    locks_ = std::make_unique<FileLocks>(*this);
    reports_ = std::make_unique<Reports>(*this);
    dialogButtons_ = std::make_unique<DialogButtons>(*this);
    keys_ = std::make_unique<KeysAndFind>(*this);
    lifecycle_ = std::make_unique<Lifecycle>(*this);
}

Form1::~Form1() = default;

void Form1::createControls()
{
    // The file browser down the left side.
    Drive1 = make<DriveBox>(*this, "Drive1", {120, 120, 2775, 315}, {},
                            QStringLiteral(" Select drive "));
    Dir1 = make<DirectoryBox>(*this, "Dir1", {120, 480, 2775, 1215}, {},
                              QStringLiteral(" Select directory "));
    Combo2 = make<QComboBox>(*this, "Combo2", {120, 1755, 2175, 315}, {},
                             QStringLiteral(" Specify or select file pattern "));
    Combo2->setEditable(true);
    // The box's text is the pattern exactly as typed: no completion from the
    // history, and Enter adds nothing to it (leaving the box does).
    Combo2->setCompleter(nullptr);
    Combo2->setInsertPolicy(QComboBox::NoInsert);
    Command3 = button(*this, "Command3", {2355, 1755, 540, 315}, "All", " Select all files ");
    List3 = make<QListWidget>(*this, "List3", {120, 2130, 2775, 795});
    List3->setSortingEnabled(true);
    // The count and the chosen file's date and size each have a line of their
    // own: a date with seconds and a size in the millions fill the column.
    Label2 = make<QLabel>(*this, "Label2", {120, 2955, 2775, 240});
    Label1 = make<QLabel>(*this, "Label1", {120, 3195, 2775, 240});
    Combo1 = make<QComboBox>(*this, "Combo1", {120, 3495, 2775, 315}, {},
                             QStringLiteral(" Select file "));

    // The users found, in the middle.
    Label4 = make<QLabel>(*this, "Label4", {3060, 120, 1500, 240}, QStringLiteral("Connections"));
    Label5 = make<QLabel>(*this, "Label5", {4560, 120, 1140, 240});
    Label5->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    List1 = make<QListWidget>(*this, "List1", {3060, 390, 2640, 2775});
    List1->setSelectionMode(QAbstractItemView::MultiSelection);
    Label7 = make<QLabel>(*this, "Label7", {3060, 3225, 420, 255}, QStringLiteral("Find"));
    Text1 = make<QLineEdit>(*this, "Text1", {3480, 3195, 1500, 315});
    Text1->setMaxLength(30);
    Command6 = button(*this, "Command6", {5040, 3195, 660, 315}, "Clear", " Clear text box ");

    // The action buttons beside them.
    Command1 = button(*this, "Command1", {5820, 390, 1290, 375}, "&Scan",
                      " Scan all connections using the file  ");
    Command9 = button(*this, "Command9", {7275, 390, 1290, 375}, "S&top", " Interrupt scanning ");
    Command14 = button(*this, "Command14", {5820, 870, 1290, 375}, "All", " Select all users ");
    Command15 = button(*this, "Command15", {7275, 870, 1290, 375}, "None", " De-select all users ");
    Command12 =
        button(*this, "Command12", {5820, 1350, 1290, 375}, "Se&nd", " Send message to user(s) ");
    Command13 = button(*this, "Command13", {7275, 1350, 1290, 375}, "Clea&r",
                       " Clear connection for user(s) ");
    Command16 = button(*this, "Command16", {5820, 1830, 1290, 375}, "&User",
                       " Copy user info to Clipboard ");
    Command11 = button(*this, "Command11", {7275, 1830, 1290, 375}, "&Locks", " Clear file locks ");
    Command4 = button(*this, "Command4", {5820, 2310, 1290, 375}, "&Print",
                      " Print all connections using the file ");
    Command5 = button(*this, "Command5", {7275, 2310, 1290, 375}, "&Copy",
                      " Copy all connections using the file to Clipboard ");
    Command17 = button(*this, "Command17", {5820, 2790, 1290, 375}, "&Options", " Options screen ");
    Command18 =
        button(*this, "Command18", {7275, 2790, 1290, 375}, "&Info", " Extended file information ");
    Command7 =
        button(*this, "Command7", {5820, 3270, 1290, 375}, "&About", " Help and info on Quorvex ");
    Command2 = button(*this, "Command2", {7275, 3270, 1290, 375}, "E&xit", " Exit Quorvex  ");

    // The rescan box carries the seconds box in the blank run of its caption.
    Check1 = make<QCheckBox>(*this, "Check1", {5820, 3690, 2745, 285},
                             QStringLiteral("Update every         secs"));
    Text3 = new QLineEdit(this);
    Text3->setObjectName(QStringLiteral("Text3"));
    Text3->setMaxLength(2);
    Text3->setAlignment(Qt::AlignRight);
    placeSecondsBox();
    Timer1 = new IntervalTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));

    // The message pane along the bottom.
    Label3 = make<QLabel>(*this, "Label3", {120, 3930, 4000, 240},
                          QStringLiteral("System Messages/Connection Information"));
    Text2 = make<MessagePane>(*this, "Text2", {120, 4170, 8445, 1620});

    // What is hidden until a scan or a chosen file needs it.
    for (QWidget* w : std::initializer_list<QWidget*>{
             Command1, Command9, Command12, Command13, Command16, Command4, Command5, Command6,
             Command11, Command14, Command15, Label7, Text1, Command18, Check1, Text3})
        w->setVisible(false);
}

void Form1::placeSecondsBox()
{
    // Where the style draws the caption, and in it the run of blanks, the box
    // keeping half a blank clear of either word.
    QStyleOptionButton option;
    option.initFrom(Check1);
    option.text = Check1->text();
    const QRect text =
        Check1->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, Check1);
    const QString caption = Check1->text();
    const QFontMetricsF metrics(Check1->font());
    const double blank = metrics.horizontalAdvance(QLatin1Char(' '));
    const qsizetype runStart = caption.indexOf(QStringLiteral("  "));
    const qsizetype runEnd = caption.lastIndexOf(QLatin1Char(' ')) + 1;
    const int left = Check1->x() + text.x() +
                     qCeil(metrics.horizontalAdvance(caption.left(runStart)) + blank / 2);
    const int right = Check1->x() + text.x() +
                      qFloor(metrics.horizontalAdvance(caption.left(runEnd)) - blank / 2);
    Text3->setGeometry(left, Check1->y(), std::max(0, right - left), Check1->height());
}

} // namespace quorvex

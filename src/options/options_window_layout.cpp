// SPDX-License-Identifier: GPL-3.0-or-later
// The Options window's controls at their design places. Positions are in twips,
// Left, Top, Width, Height; a control inside a frame is placed within the frame.
#include "options/options_window.h"

#include "files/directory_box.h"
#include "files/drive_box.h"

#include "platform/twips.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace quorvex {

namespace {

template <typename W>
W* place(QWidget& window, QWidget* parent, const char* name, const TwipsRect& rect)
{
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(pixelRect(window, rect));
    return w;
}

template <typename W>
W* captioned(QWidget& window, QWidget* parent, const char* name, const TwipsRect& rect,
             const char* caption)
{
    W* w = place<W>(window, parent, name, rect);
    if constexpr (std::is_base_of_v<QGroupBox, W>)
        w->setTitle(QString::fromUtf8(caption));
    else
        w->setText(QString::fromUtf8(caption));
    return w;
}

QPushButton* button(QWidget& window, QWidget* parent, const char* name, const TwipsRect& rect,
                    const char* caption, const char* tip)
{
    auto* b = captioned<QPushButton>(window, parent, name, rect, caption);
    b->setToolTip(QString::fromUtf8(tip));
    // Enter in a text box must not press a button behind the user's back.
    b->setAutoDefault(false);
    return b;
}

} // namespace

void Options::createControls()
{
    QWidget& w = *this;

    Frame1 = captioned<QGroupBox>(w, this, "Frame1", {120, 120, 1815, 1215}, "Notify Me When");
    Option3 =
        captioned<QRadioButton>(w, Frame1, "Option3", {120, 240, 1575, 255}, "Don't notify me");
    Option1 =
        captioned<QRadioButton>(w, Frame1, "Option1", {120, 540, 1575, 255}, "No user has file");
    Option2 =
        captioned<QRadioButton>(w, Frame1, "Option2", {120, 840, 1575, 255}, "A user has file");
    Option3->setChecked(true);

    Frame2 = captioned<QGroupBox>(w, this, "Frame2", {120, 1440, 1815, 855}, "Notify Me Via");
    Check1 = captioned<QCheckBox>(w, Frame2, "Check1", {120, 240, 1575, 255}, "Beep");
    Check2 = captioned<QCheckBox>(w, Frame2, "Check2", {120, 510, 1575, 255}, "Message");
    Check1->setChecked(true);
    Check2->setChecked(true);

    Frame3 = captioned<QGroupBox>(w, this, "Frame3", {2160, 120, 2775, 3135}, "Copy From");
    Drive1 = place<DriveBox>(w, Frame3, "Drive1", {120, 240, 2535, 315});
    Dir1 = place<DirectoryBox>(w, Frame3, "Dir1", {120, 600, 2535, 1095});
    List1 = place<QListWidget>(w, Frame3, "List1", {120, 1740, 2535, 780});
    Label1 = captioned<QLabel>(w, Frame3, "Label1", {120, 2610, 975, 255}, "File Pattern");
    Text1 = place<QLineEdit>(w, Frame3, "Text1", {1095, 2580, 855, 285});
    Text1->setText(QStringLiteral("*.*"));
    Command1 =
        button(w, Frame3, "Command1", {2010, 2580, 645, 315}, "&Reset", " Default settings ");

    Frame4 =
        captioned<QGroupBox>(w, this, "Frame4", {5040, 120, 2175, 2415}, "Connection Information");
    const std::pair<QCheckBox**, const char*> details[] = {
        {&Check3, "Connection No."},  {&Check4, "Task No."},         {&Check5, "File Open Status"},
        {&Check6, "File Rights"},     {&Check7, "Directory Rights"}, {&Check8, "File Lock Status"},
        {&Check9, "Login Date/Time"}, {&Check10, "Address"}};
    int top = 240;
    int number = 3;
    for (const auto& [box, caption] : details) {
        const QByteArray name = "Check" + QByteArray::number(number++);
        *box = captioned<QCheckBox>(w, Frame4, name.constData(), {120, top, 1935, 255}, caption);
        top += 265;
    }

    Frame5 =
        captioned<QGroupBox>(w, this, "Frame5", {120, 2400, 1935, 855}, "File Activity Log File");
    Check11 = captioned<QCheckBox>(w, Frame5, "Check11", {120, 240, 1695, 255}, "Enable");
    Check12 = captioned<QCheckBox>(w, Frame5, "Check12", {120, 510, 1695, 255}, "Overwrite");

    Check13 =
        captioned<QCheckBox>(w, this, "Check13", {5040, 2640, 1935, 195}, "Show Hidden Files");

    Frame6 = captioned<QGroupBox>(w, this, "Frame6", {120, 3360, 4815, 975}, "Clear Connections");
    Check15 = captioned<QCheckBox>(w, Frame6, "Check15", {120, 240, 4575, 255},
                                   "Auto-clear connection of users who have file open beyond");
    Label2 = captioned<QLabel>(w, Frame6, "Label2", {120, 600, 435, 255}, "Date");
    Text2 = place<QLineEdit>(w, Frame6, "Text2", {555, 570, 1095, 285});
    Text2->setText(QStringLiteral("04/21/04"));
    Label3 = captioned<QLabel>(w, Frame6, "Label3", {1815, 600, 435, 255}, "Time");
    Text3 = place<QLineEdit>(w, Frame6, "Text3", {2250, 570, 1095, 285});
    Text3->setMaxLength(8);
    Text3->setText(QStringLiteral("1:00 am"));

    Command2 =
        button(w, this, "Command2", {5040, 3960, 2175, 375}, "&Close", " Close Options Screen  ");

    enableCopyFrom(false);
}

} // namespace quorvex

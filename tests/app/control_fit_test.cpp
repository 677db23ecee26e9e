// SPDX-License-Identifier: GPL-3.0-or-later
// Every caption of every window fits its control: the main window with a file
// chosen and every control shown, the Options window, the extended file
// information window and the About window, at the desktop's font and at 125%
// and 150% of it, as a desktop's text scaling makes it. (ctest runs it once more
// under each device-pixel scaling, where Qt keeps the layout and draws larger.)

#include "about/form3.h"
#include "app/form1.h"
#include "fileinfo/form2.h"
#include "files/directory_box.h"
#include "options/options_window.h"
#include "support/shell_world.h"

#include <QtTest>
#include <QtWidgets>

using namespace quorvex;
using quorvex::test::ShellWorld;

namespace {

// The text as drawn: "&" marks a mnemonic, "&&" is one ampersand.
QString shownText(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

struct Space
{
    QRect rect;   // where the text may go, in the control's coordinates
    QString text; // what goes there
    bool wraps = false;
};

// Where a control's caption is drawn, as its style lays the control out.
std::optional<Space> captionSpace(QWidget* w)
{
    QStyle* style = w->style();
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        QStyle::SubElement contents = QStyle::SE_PushButtonContents;
        if (qobject_cast<QCheckBox*>(w))
            contents = QStyle::SE_CheckBoxContents;
        else if (qobject_cast<QRadioButton*>(w))
            contents = QStyle::SE_RadioButtonContents;
        else if (auto* push = qobject_cast<QPushButton*>(w); push && push->autoDefault())
            option.features |= QStyleOptionButton::AutoDefaultButton;
        return Space{style->subElementRect(contents, &option, w), shownText(button->text())};
    }
    if (auto* label = qobject_cast<QLabel*>(w)) {
        const int m = label->margin();
        return Space{label->contentsRect().adjusted(m, m, -m, -m), label->text(),
                     label->wordWrap()};
    }
    if (auto* box = qobject_cast<QGroupBox*>(w)) {
        QStyleOptionGroupBox option;
        option.initFrom(box);
        option.text = box->title();
        option.lineWidth = 1;
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        option.textAlignment = box->alignment();
        const QRect label =
            style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
        // The style sizes the label's rectangle by the text's ink and draws the
        // text from its left edge without clipping: what counts is the room
        // from there to the box's right edge.
        return Space{QRect(label.left(), label.top(), box->width() - label.left(), label.height()),
                     shownText(box->title())};
    }
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        QStyleOptionFrame option;
        option.initFrom(edit);
        option.lineWidth = edit->hasFrame() ? style->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
        const QMargins margins = edit->textMargins();
        const int cursorRoom = 2; // the line edit's own margin each side
        const QRect contents = style->subElementRect(QStyle::SE_LineEditContents, &option, edit)
                                   .marginsRemoved(margins)
                                   .adjusted(cursorRoom, 0, -cursorRoom, 0);
        return Space{contents, edit->text()};
    }
    return std::nullopt;
}

QString describe(QWidget* w, const QString& why)
{
    return QStringLiteral("%1/%2: %3 (%4,%5 %6x%7)")
        .arg(w->window()->objectName(), w->objectName(), why)
        .arg(w->x())
        .arg(w->y())
        .arg(w->width())
        .arg(w->height());
}

// Every control of the window whose caption does not fit.
QStringList misfits(QWidget& window)
{
    QStringList found;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (w->window() != &window)
            continue; // a dialog of the window is a window of its own
        const std::optional<Space> space = captionSpace(w);
        if (!space || space->text.isEmpty() || w->objectName().isEmpty())
            continue;
        const QFontMetrics metrics(w->font());
        if (space->wraps) {
            const int needed = static_cast<QLabel*>(w)->heightForWidth(space->rect.width());
            if (needed > space->rect.height())
                found << describe(w, QStringLiteral("\"%1\" wraps to %2 px in %3")
                                         .arg(space->text)
                                         .arg(needed)
                                         .arg(space->rect.height()));
            continue;
        }
        const int width = metrics.horizontalAdvance(space->text);
        if (width > space->rect.width() || metrics.height() > space->rect.height())
            found << describe(w, QStringLiteral("\"%1\" needs %2x%3 px, has %4x%5")
                                     .arg(space->text)
                                     .arg(width)
                                     .arg(metrics.height())
                                     .arg(space->rect.width())
                                     .arg(space->rect.height()));
    }
    return found;
}

// The seconds box stands in the blank run of "Update every         secs".
QStringList secondsBoxMisfit(const Form1& form)
{
    QStyleOptionButton option;
    option.initFrom(form.Check1);
    option.text = form.Check1->text();
    const QRect contents =
        form.Check1->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, form.Check1);
    const QFontMetrics metrics(form.Check1->font());
    const QString caption = form.Check1->text();
    const int textLeft = form.Check1->x() + contents.x();
    const int before = textLeft + metrics.horizontalAdvance(QStringLiteral("Update every"));
    const int secs = textLeft + metrics.horizontalAdvance(caption.left(caption.indexOf("secs")));
    const QRect box = form.Text3->geometry();
    if (box.left() >= before && box.right() < secs)
        return {};
    return {QStringLiteral("Form1/Text3: covers the caption of Check1 (box %1 to %2, blank run "
                           "%3 to %4)")
                .arg(box.left())
                .arg(box.right())
                .arg(before)
                .arg(secs)};
}

} // namespace

class ControlFitTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { desktopFont_ = QApplication::font(); }
    void everyCaptionFits_data();
    void everyCaptionFits();
    void cleanup() { QApplication::setFont(desktopFont_); }

private:
    QFont desktopFont_;
};

void ControlFitTest::everyCaptionFits_data()
{
    QTest::addColumn<double>("scale");
    QTest::newRow("100%") << 1.0;
    QTest::newRow("125%") << 1.25;
    QTest::newRow("150%") << 1.5;
}

void ControlFitTest::everyCaptionFits()
{
    QFETCH(double, scale);
    QFont font = desktopFont_;
    font.setPointSizeF(desktopFont_.pointSizeF() * scale);
    QApplication::setFont(font);

    // A file chosen on a local drive shows its date and size; the counts are
    // as long as a big directory and a busy file make them.
    ShellWorld world;
    world.makeFile(QStringLiteral("c/Reports/QUARTERLY.XLS"), 123456789);
    world.setOption(QStringLiteral("Path"), QStringLiteral("C:\\Reports"));
    QVERIFY(world.load());
    Form1& form = world.form();
    form.List3->setCurrentRow(0);
    QVERIFY(!form.Label1->text().isEmpty());
    form.Label2->setText(QStringLiteral("20000 files."));
    form.Label5->setText(QStringLiteral("10000 user(s)"));
    form.Text3->setText(QStringLiteral("65"));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    for (QWidget* w : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        w->setVisible(true);
    QCoreApplication::processEvents();

    Options options(form);
    Form2 info(form);
    Form3 about(world.services());
    QStringList found = misfits(form) + secondsBoxMisfit(form);
    for (QDialog* dialog : std::initializer_list<QDialog*>{&options, &info, &about}) {
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QCoreApplication::processEvents(); // the layouts inside the frames
        found += misfits(*dialog);
        dialog->hide();
    }
    QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
}

QTEST_MAIN(ControlFitTest)
#include "control_fit_test.moc"

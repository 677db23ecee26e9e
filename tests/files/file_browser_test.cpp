// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/form1.h"
#include "app/interval_timer.h"
#include "app/message_pane.h"
#include "files/directory_box.h"
#include "files/drive_box.h"
#include "files/file_browser.h"
#include "support/shell_world.h"

#include <QtTest>
#include <QtWidgets>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using quorvex::Form1;
using quorvex::test::ShellWorld;

namespace {

QStringList listed(const Form1& form)
{
    QStringList names;
    for (int i = 0; i < form.List3->count(); ++i)
        names.append(form.List3->item(i)->text());
    return names;
}

// Puts a previous scan's results on screen.
void showScanResults(Form1& form)
{
    form.List1->addItem(QStringLiteral("JSMITH"));
    form.connections.append(quorvex::ConnectionInfo{});
    form.Label5->setText(QStringLiteral("1 user"));
    form.Text2->setText(QStringLiteral("results"));
    form.Command4->setVisible(true);
    form.Command12->setVisible(true);
    form.Check1->setVisible(true);
}

bool scanViewWiped(const Form1& form)
{
    return form.List1->count() == 0 && form.connections.isEmpty() &&
           form.Label5->text().isEmpty() && form.Text2->text().isEmpty() &&
           !form.Command4->isVisibleTo(&form) && !form.Command12->isVisibleTo(&form) &&
           !form.Check1->isVisibleTo(&form) && !form.Command1->isVisibleTo(&form);
}

} // namespace

class FileBrowserTest : public QObject
{
    Q_OBJECT
private slots:
    void countLabelAndTooltip_data();
    void countLabelAndTooltip();
    void listsOnlyWhatTheSettingsAllow();
    void sortsIgnoringCaseWithScrollWidth();
    void typedPatternRelistsOnEveryKeystroke();
    void typedPatternIsTakenAsTyped();
    void allButtonOnlyActsOnAnotherPattern();
    void pickedInvalidPatternIsReported();
    void typedInvalidPatternListsNothingQuietly();
    void patternHistoryOnLeavingTheBox();
    void driveWithoutMediumLandsOnC();
    void driveFallbackEndsWhenCIsUnusableToo();
    void fileInformationAndInfoButton_data();
    void fileInformationAndInfoButton();
    void deletedFileShowsNoInformation();
    void deletedHistoryEntryLeavesBrowserAlone();
    void historyEntryOnAnotherDriveSwitchesAndScans();
    void doubleClickScansTheFile();
};

void FileBrowserTest::countLabelAndTooltip_data()
{
    QTest::addColumn<int>("files");
    QTest::addColumn<QString>("label");
    QTest::newRow("none") << 0 << QString();
    QTest::newRow("one") << 1 << QStringLiteral("1 file.");
    QTest::newRow("two") << 2 << QStringLiteral("2 files.");
    QTest::newRow("twelve") << 12 << QStringLiteral("12 files.");
}

void FileBrowserTest::countLabelAndTooltip()
{
    QFETCH(int, files);
    QFETCH(QString, label);
    ShellWorld world;
    world.makeDir(QStringLiteral("c/d"));
    for (int i = 0; i < files; ++i)
        world.makeFile(QStringLiteral("c/d/f%1.txt").arg(i));
    world.setOption(QStringLiteral("Path"), QStringLiteral("C:\\d"));
    QVERIFY(world.load());
    Form1& form = world.form();
    QCOMPARE(form.List3->count(), files);
    QCOMPARE(form.Label2->text(), label);
    QCOMPARE(form.List3->toolTip(),
             files ? QStringLiteral(" Double-click on file to scan ") : QString());
}

void FileBrowserTest::listsOnlyWhatTheSettingsAllow()
{
    ShellWorld world;
    world.makeFile(QStringLiteral("c/d/plain.txt"));
    world.makeFile(QStringLiteral("c/d/.hidden"));
    world.makeDir(QStringLiteral("c/d/subdir.txt"));
    QVERIFY(QFile::link(world.hostDir(QStringLiteral("c/d/plain.txt")),
                        world.hostDir(QStringLiteral("c/d/link.txt"))));
    QVERIFY(QFile::link(world.hostDir(QStringLiteral("c/d/nowhere")),
                        world.hostDir(QStringLiteral("c/d/dangling.txt"))));
    // A pipe and a socket are what the host has for system files.
    QCOMPARE(
        ::mkfifo(QFile::encodeName(world.hostDir(QStringLiteral("c/d/pipe"))).constData(), 0600),
        0);
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray socketPath = QFile::encodeName(world.hostDir(QStringLiteral("c/d/sock")));
    if (socketPath.size() < static_cast<int>(sizeof address.sun_path)) {
        std::memcpy(address.sun_path, socketPath.constData(), socketPath.size());
        QCOMPARE(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    }
    world.setOption(QStringLiteral("Path"), QStringLiteral("C:\\d"));
    QVERIFY(world.load());
    Form1& form = world.form();
    QCOMPARE(listed(form), (QStringList{"link.txt", "plain.txt"}));

    // The setting shows at the next refresh, not before.
    form.settings.HidFiles = 1;
    QCOMPARE(listed(form), (QStringList{"link.txt", "plain.txt"}));
    form.browser().Dir1_Change();
    QCOMPARE(listed(form), (QStringList{".hidden", "link.txt", "plain.txt"}));
    ::close(sock);
}

void FileBrowserTest::sortsIgnoringCaseWithScrollWidth()
{
    ShellWorld world;
    const QString longName = QStringLiteral("a_rather_long_file_name_for_the_scroll_width.txt");
    for (const QString& name : {QStringLiteral("beta.txt"), QStringLiteral("Alpha.txt"),
                                QStringLiteral("gamma.TXT"), longName})
        world.makeFile(QStringLiteral("c/d/") + name);
    world.setOption(QStringLiteral("Path"), QStringLiteral("C:\\d"));
    QVERIFY(world.load());
    Form1& form = world.form();
    QCOMPARE(listed(form), (QStringList{longName, "Alpha.txt", "beta.txt", "gamma.TXT"}));
    // The list scrolls across its widest name and 25 pixels more, though that
    // name is not its last line.
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const int expected = QFontMetrics(form.font()).horizontalAdvance(longName) + 25;
    QCOMPARE(form.List3->horizontalScrollBar()->maximum(),
             expected - form.List3->viewport()->width());

    form.Combo2->setEditText(QStringLiteral("nothing*"));
    QCoreApplication::processEvents();
    QCOMPARE(form.List3->horizontalScrollBar()->maximum(), 0);
}

void FileBrowserTest::typedPatternRelistsOnEveryKeystroke()
{
    ShellWorld world;
    for (const QString& name :
         {QStringLiteral("report.xls"), QStringLiteral("readme.txt"), QStringLiteral("memo.doc")})
        world.makeFile(QStringLiteral("c/d/") + name);
    world.setOption(QStringLiteral("Path"), QStringLiteral("C:\\d"));
    QVERIFY(world.load());
    Form1& form = world.form();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.List3->setCurrentRow(0);
    QVERIFY(form.Command1->isVisible());
    showScanResults(form);

    QLineEdit* edit = form.Combo2->lineEdit();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_R);
    QVERIFY(scanViewWiped(form));
    QVERIFY(listed(form).isEmpty()); // "r" names one file, and there is none
    QTest::keyClick(edit, Qt::Key_Asterisk);
    QCOMPARE(listed(form), (QStringList{"readme.txt", "report.xls"}));
    QTest::keyClick(edit, Qt::Key_Period);
    QVERIFY(listed(form).isEmpty()); // "r*." wants names without an extension
    QTest::keyClicks(edit, QStringLiteral("xl"));
    QVERIFY(listed(form).isEmpty());
    QTest::keyClick(edit, Qt::Key_S);
    QCOMPARE(form.Combo2->currentText(), QStringLiteral("r*.xls"));
    QCOMPARE(listed(form), (QStringList{"report.xls"}));
    QCOMPARE(form.Label2->text(), QStringLiteral("1 file."));
}

void FileBrowserTest::typedPatternIsTakenAsTyped()
{
    ShellWorld world;
    for (const QString& name : {QStringLiteral("report.xls"), QStringLiteral("memo.doc")})
        world.makeFile(QStringLiteral("c/d/") + name);
    world.setOption(QStringLiteral("Path"), QStringLiteral("C:\\d"));
    world.setOption(QStringLiteral("Pattern_0"), QStringLiteral("*.xls"));
    QVERIFY(world.load());
    Form1& form = world.form();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QStringList listings; // the pattern of every refresh
    connect(form.Combo2, &QComboBox::editTextChanged, [&](const QString& t) { listings << t; });

    QLineEdit* edit = form.Combo2->lineEdit();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Asterisk);
    // No completion from the history: one listing, of exactly what was typed.
    QCOMPARE(listings, QStringList{"*"});
    QCOMPARE(listed(form), (QStringList{"memo.doc", "report.xls"}));

    // Enter is not a pick from the list: no second listing, no invalid-pattern
    // report, and nothing added to the history.
    QTest::keyClicks(edit, QStringLiteral("|"));
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(listings, (QStringList{"*", "*|"}));
    QCOMPARE(world.prompts.beeps, 0);
    QCOMPARE(form.Combo2->count(), 1);
    QCOMPARE(form.Combo2->currentText(), QStringLiteral("*|"));
}

void FileBrowserTest::allButtonOnlyActsOnAnotherPattern()
{
    ShellWorld world;
    world.makeFile(QStringLiteral("c/a.txt"));
    world.makeFile(QStringLiteral("c/b.doc"));
    QVERIFY(world.load());
    Form1& form = world.form();
    QCOMPARE(form.Combo2->currentText(), QStringLiteral("*.*"));
    showScanResults(form);
    QTest::mouseClick(form.Command3, Qt::LeftButton);
    QCOMPARE(form.Text2->text(), QStringLiteral("results")); // no refresh at all
    QCOMPARE(form.List1->count(), 1);

    form.Combo2->setEditText(QStringLiteral("*.DOC"));
    QCOMPARE(listed(form), (QStringList{"b.doc"}));
    showScanResults(form);
    QTest::mouseClick(form.Command3, Qt::LeftButton);
    QCOMPARE(form.Combo2->currentText(), QStringLiteral("*.*"));
    QCOMPARE(listed(form), (QStringList{"a.txt", "b.doc"}));
    QVERIFY(scanViewWiped(form));
}

void FileBrowserTest::pickedInvalidPatternIsReported()
{
    ShellWorld world;
    world.makeFile(QStringLiteral("c/a.txt"));
    world.setOption(QStringLiteral("Pattern_0"), QStringLiteral("*.txt"));
    world.setOption(QStringLiteral("Pattern_1"), QStringLiteral("a<b"));
    QVERIFY(world.load());
    Form1& form = world.form();
    QCOMPARE(form.Combo2->count(), 2);

    form.Combo2->setCurrentIndex(0);
    emit form.Combo2->activated(0);
    QCOMPARE(world.prompts.beeps, 0);
    QCOMPARE(listed(form), (QStringList{"a.txt"}));

    form.Combo2->setCurrentIndex(1);
    emit form.Combo2->activated(1);
    QCOMPARE(world.prompts.beeps, 1);
    QCOMPARE(form.Text2->text(),
             QStringLiteral("Invalid file pattern. Try *.*, *.exe, *.xls, *.doc, *.mdb or *.dwg."));
    QVERIFY(listed(form).isEmpty());
    QVERIFY(form.Label2->text().isEmpty());
}

void FileBrowserTest::typedInvalidPatternListsNothingQuietly()
{
    ShellWorld world;
    world.makeFile(QStringLiteral("c/a.txt"));
    QVERIFY(world.load());
    Form1& form = world.form();
    form.Combo2->setEditText(QStringLiteral("a|"));
    QVERIFY(listed(form).isEmpty());
    QCOMPARE(world.prompts.beeps, 0);
    QVERIFY(form.Text2->text().isEmpty());
}

void FileBrowserTest::patternHistoryOnLeavingTheBox()
{
    ShellWorld world;
    world.setOption(QStringLiteral("Pattern_0"), QStringLiteral("*.XLS"));
    QVERIFY(world.load());
    Form1& form = world.form();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto leaveWith = [&](const QString& text) {
        form.Combo2->setFocus();
        form.Combo2->setEditText(text);
        form.List3->setFocus();
        QCoreApplication::processEvents();
    };
    leaveWith(QStringLiteral("*.xls")); // differs only in case
    QCOMPARE(form.Combo2->count(), 1);
    leaveWith(QString());
    QCOMPARE(form.Combo2->count(), 1);
    leaveWith(QStringLiteral("*.doc"));
    QCOMPARE(form.Combo2->count(), 2);
    QCOMPARE(form.Combo2->itemText(1), QStringLiteral("*.doc"));
    QCOMPARE(form.Combo2->currentText(), QStringLiteral("*.doc"));
}

void FileBrowserTest::driveWithoutMediumLandsOnC()
{
    ShellWorld world;
    world.makeFile(QStringLiteral("c/a.txt"));
    world.makeFile(QStringLiteral("f/share.xls"));
    world.mapDrive(QLatin1Char('A'), QStringLiteral("removable:"));
    world.mapDrive(QLatin1Char('F'), QStringLiteral("fixed:") + world.hostDir(QStringLiteral("f")));
    world.setOption(QStringLiteral("Path"), QStringLiteral("F:\\"));
    QVERIFY(world.load());
    Form1& form = world.form();
    QCOMPARE(form.Dir1->path(), QStringLiteral("F:\\"));
    showScanResults(form);

    QVERIFY(form.Drive1->setDrive(QStringLiteral("a")));
    QCOMPARE(form.Drive1->drive().left(2), QStringLiteral("c:"));
    QCOMPARE(form.Dir1->path(), QStringLiteral("C:\\"));
    QCOMPARE(listed(form), (QStringList{"a.txt"}));
    QCOMPARE(form.Text2->text(), QStringLiteral("No media in drive A: therefore switched to C:"));
    QCOMPARE(form.List1->count(), 0);
}

void FileBrowserTest::driveFallbackEndsWhenCIsUnusableToo()
{
    ShellWorld world;
    world.makeFile(QStringLiteral("f/share.xls"));
    world.mapDrive(QLatin1Char('A'), QStringLiteral("removable:"));
    world.mapDrive(QLatin1Char('F'), QStringLiteral("fixed:") + world.hostDir(QStringLiteral("f")));
    world.setOption(QStringLiteral("Path"), QStringLiteral("F:\\"));
    QVERIFY(world.load());
    Form1& form = world.form();
    QCOMPARE(listed(form), (QStringList{"share.xls"}));

    // C:'s directory vanishes: the fall-back must not go round for ever.
    QVERIFY(QDir(world.hostDir(QStringLiteral("c"))).removeRecursively());
    QVERIFY(form.Drive1->setDrive(QStringLiteral("a")));
    QCOMPARE(form.Drive1->drive().left(2), QStringLiteral("f:"));
    QCOMPARE(form.Dir1->path(), QStringLiteral("F:\\"));
    QVERIFY(listed(form).isEmpty());
    QVERIFY(form.Label2->text().isEmpty());
    QCOMPARE(form.Text2->text(), QStringLiteral("No media in drive A: therefore switched to C:"));

    // No C: in the map at all.
    world.restart();
    world.mapDrive(QLatin1Char('C'), QStringLiteral("bogus"));
    world.setOption(QStringLiteral("Path"), QStringLiteral("F:\\"));
    QVERIFY(world.load());
    Form1& again = world.form();
    QCOMPARE(again.Dir1->path(), QStringLiteral("F:\\"));
    QVERIFY(again.Drive1->setDrive(QStringLiteral("a")));
    QCOMPARE(again.Drive1->drive().left(2), QStringLiteral("f:"));
    QCOMPARE(again.Dir1->path(), QStringLiteral("F:\\"));
    QCOMPARE(again.Text2->text(), QStringLiteral("No media in drive A: therefore switched to C:"));
}

void FileBrowserTest::fileInformationAndInfoButton_data()
{
    QTest::addColumn<QString>("driveValue");
    QTest::addColumn<bool>("infoShown");
    QTest::newRow("fixed") << "fixed:" << false;
    QTest::newRow("removable") << "removable:" << false;
    QTest::newRow("cdrom") << "cdrom:" << false;
    QTest::newRow("ramdisk") << "ramdisk:" << true;
    QTest::newRow("network") << "network:FS1/DATA:@" << true;
}

void FileBrowserTest::fileInformationAndInfoButton()
{
    QFETCH(QString, driveValue);
    QFETCH(bool, infoShown);
    ShellWorld world;
    world.makeFile(QStringLiteral("g/big.dat"), 1234567);
    world.mapDrive(QLatin1Char('G'), driveValue + world.hostDir(QStringLiteral("g")));
    world.setOption(QStringLiteral("Path"), QStringLiteral("G:\\"));
    QVERIFY(world.load());
    Form1& form = world.form();
    QCOMPARE(listed(form), (QStringList{"big.dat"}));
    QVERIFY(!form.Command1->isVisibleTo(&form));
    QVERIFY(!form.Command18->isVisibleTo(&form));

    form.List3->setCurrentRow(0);
    QCOMPARE(form.browser().selectedFile(), QStringLiteral("big.dat"));
    QVERIFY(form.Label1->text().endsWith(QStringLiteral("  1,234,567")));
    QVERIFY(form.Command1->isVisibleTo(&form));
    QCOMPARE(form.Command18->isVisibleTo(&form), infoShown);

    // Any refresh takes the chosen file away again.
    form.browser().Dir1_Change();
    QVERIFY(form.Label1->text().isEmpty());
    QVERIFY(!form.Command18->isVisibleTo(&form));
    QVERIFY(!form.Command1->isVisibleTo(&form));
}

void FileBrowserTest::deletedFileShowsNoInformation()
{
    ShellWorld world;
    world.makeFile(QStringLiteral("g/gone.dat"), 10);
    world.mapDrive(QLatin1Char('G'),
                   QStringLiteral("network:FS1/DATA:@") + world.hostDir(QStringLiteral("g")));
    world.setOption(QStringLiteral("Path"), QStringLiteral("G:\\"));
    QVERIFY(world.load());
    Form1& form = world.form();
    QVERIFY(QFile::remove(world.hostDir(QStringLiteral("g/gone.dat"))));
    form.List3->setCurrentRow(0);
    QVERIFY(form.Label1->text().isEmpty());
    QVERIFY(!form.Command18->isVisibleTo(&form));
    QVERIFY(form.Command1->isVisibleTo(&form));
}

void FileBrowserTest::deletedHistoryEntryLeavesBrowserAlone()
{
    ShellWorld world;
    world.makeFile(QStringLiteral("c/d/a.txt"));
    world.makeFile(QStringLiteral("f/x/old.xls"));
    world.mapDrive(QLatin1Char('F'), QStringLiteral("fixed:") + world.hostDir(QStringLiteral("f")));
    world.setOption(QStringLiteral("Path"), QStringLiteral("C:\\d"));
    world.setOption(QStringLiteral("Pattern"), QStringLiteral("*.txt"));
    world.setOption(QStringLiteral("Path_0"), QStringLiteral("F:\\x\\old.xls"));
    QVERIFY(world.load());
    Form1& form = world.form();
    QVERIFY(QFile::remove(world.hostDir(QStringLiteral("f/x/old.xls"))));
    form.Combo1->setCurrentIndex(0);
    emit form.Combo1->activated(0);
    QCOMPARE(world.prompts.beeps, 1);
    QCOMPARE(form.Text2->text(), QStringLiteral("File does not exist."));
    QCOMPARE(form.Drive1->drive().left(2), QStringLiteral("c:"));
    QCOMPARE(form.Dir1->path(), QStringLiteral("C:\\d"));
    QCOMPARE(form.Combo2->currentText(), QStringLiteral("*.txt"));
    QCOMPARE(listed(form), (QStringList{"a.txt"}));
    QVERIFY(world.client.parsedPaths.isEmpty());
}

void FileBrowserTest::historyEntryOnAnotherDriveSwitchesAndScans()
{
    ShellWorld world;
    world.makeFile(QStringLiteral("c/d/a.txt"));
    world.makeFile(QStringLiteral("f/Reports/Q1.XLS"), 2048);
    world.makeFile(QStringLiteral("f/Reports/Q10.XLS"));
    world.makeFile(QStringLiteral("f/Reports/memo.doc"));
    world.mapDrive(QLatin1Char('F'),
                   QStringLiteral("network:FS1/DATA:@") + world.hostDir(QStringLiteral("f")));
    world.setOption(QStringLiteral("Path"), QStringLiteral("C:\\d"));
    world.setOption(QStringLiteral("Pattern"), QStringLiteral("*.txt"));
    world.setOption(QStringLiteral("Path_0"), QStringLiteral("F:\\REPORTS\\q1.xls"));
    QVERIFY(world.load());
    Form1& form = world.form();
    form.Combo1->setCurrentIndex(0);
    emit form.Combo1->activated(0);
    // The pick ends in a scan of the chosen file: the client is asked to parse it.
    QVERIFY(!world.client.parsedPaths.isEmpty());
    QCOMPARE(world.client.parsedPaths.last(), QStringLiteral("F:\\Reports\\Q1.XLS"));
    QCOMPARE(form.Drive1->drive(), QStringLiteral("f: [FS1/DATA:]"));
    QCOMPARE(form.Dir1->path(), QStringLiteral("F:\\Reports"));
    QCOMPARE(form.Combo2->currentText(), QStringLiteral("*.*"));
    QCOMPARE(listed(form), (QStringList{"memo.doc", "Q1.XLS", "Q10.XLS"}));
    QCOMPARE(form.browser().selectedFile(), QStringLiteral("Q1.XLS"));
    QVERIFY(form.Label1->text().endsWith(QStringLiteral("  2,048")));
    QVERIFY(form.Command1->isVisibleTo(&form));
    QVERIFY(form.Command18->isVisibleTo(&form));
}

void FileBrowserTest::doubleClickScansTheFile()
{
    ShellWorld world;
    world.makeFile(QStringLiteral("c/a.txt"));
    QVERIFY(world.load());
    Form1& form = world.form();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QRect rect = form.List3->visualItemRect(form.List3->item(0));
    QTest::mouseClick(form.List3->viewport(), Qt::LeftButton, {}, rect.center());
    QCOMPARE(form.browser().selectedFile(), QStringLiteral("a.txt"));
    QCOMPARE(form.browser().directoryPrefix(), QStringLiteral("C:\\"));
    QTest::mouseDClick(form.List3->viewport(), Qt::LeftButton, {}, rect.center());
    QVERIFY(form.Command1->isVisibleTo(&form));
}

QTEST_MAIN(FileBrowserTest)
#include "file_browser_test.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// The file browser on a network drive, the same whichever way the drive
// reaches its server's files: the simulated volume's folder, an "@" mount, or
// NCP with no mount (in both server profiles).

#include "fileinfo/form2.h"
#include "files/directory_box.h"
#include "files/drive_box.h"
#include "files/file_browser.h"
#include "options/options_window.h"
#include "support/volume_world.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using quorvex::Form1;

namespace {

QStringList listed(const Form1& f)
{
    QStringList names;
    for (int i = 0; i < f.List3->count(); ++i)
        names.append(f.List3->item(i)->text());
    return names;
}

QStringList subdirectories(const Form1& f)
{
    QStringList names;
    const QTreeWidgetItem* current = f.Dir1->currentItem();
    for (int i = 0; current && i < current->childCount(); ++i)
        names.append(current->child(i)->text(0));
    return names;
}

void fillVolume(SimServerBuilder& b)
{
    b.user(QStringLiteral("JSMITH"))
        .file(QStringLiteral("DATA:README.TXT"))
        .file(QStringLiteral("DATA:REPORTS\\Q1.XLS"), "12345")
        .file(QStringLiteral("DATA:REPORTS\\q4.xls"))
        .file(QStringLiteral("DATA:REPORTS\\Sales & Marketing Plan.doc"))
        .file(QStringLiteral("DATA:REPORTS\\.draft"))
        .directory(QStringLiteral("DATA:REPORTS\\ARCHIVE"))
        .directory(QStringLiteral("DATA:REPORTS\\.cache"))
        .file(QStringLiteral("DATA:DB\\CUSTOMER.DB"))
        .fileData(QStringLiteral("DATA:DB\\CUSTOMER.DB"), {{"owner", "JSMITH"}})
        .connection(5, QStringLiteral("JSMITH"))
        .opens(5, QStringLiteral("DATA:DB\\CUSTOMER.DB"));
}

} // namespace

class VolumeBrowserTest : public QObject
{
    Q_OBJECT
private slots:
    void browsesPicksAndScansAlike_data() { VolumeWorld::addReaches(); }
    void browsesPicksAndScansAlike();
    void patternKeystrokesFilterAFreshListing();
};

void VolumeBrowserTest::browsesPicksAndScansAlike()
{
    SimServerBuilder b;
    fillVolume(b);
    QFETCH(VolumeReach, reach);
    VolumeWorld w(b);
    QVERIFY2(w.open(reach), qPrintable(w.error()));
    Form1& f = w.form();
    f.Combo2->setEditText(QStringLiteral("*.*"));

    QVERIFY(f.Drive1->setDrive(QStringLiteral("f:")));
    QCOMPARE(f.Dir1->path(), QStringLiteral("F:\\"));
    QCOMPARE(subdirectories(f), (QStringList{"DB", "REPORTS"}));
    QCOMPARE(listed(f), QStringList{"README.TXT"});

    // A typed path takes the names as the volume spells them.
    QVERIFY(f.Dir1->setPath(QStringLiteral("f:\\reports")));
    QCOMPARE(f.Dir1->path(), QStringLiteral("F:\\REPORTS"));
    QCOMPARE(subdirectories(f), QStringList{"ARCHIVE"});
    QCOMPARE(listed(f), (QStringList{"Q1.XLS", "q4.xls", "Sales & Marketing Plan.doc"}));
    QCOMPARE(f.Label2->text(), QStringLiteral("3 files."));
    QVERIFY(!f.Dir1->setPath(QStringLiteral("F:\\REPORTS\\Q1.XLS"))); // a file is no directory
    QVERIFY(!f.Dir1->setPath(QStringLiteral("F:\\NOWHERE")));
    QCOMPARE(f.Dir1->path(), QStringLiteral("F:\\REPORTS"));

    f.Combo2->setEditText(QStringLiteral("*.xls"));
    QCOMPARE(listed(f), (QStringList{"Q1.XLS", "q4.xls"}));
    f.settings.HidFiles = 1;
    f.Combo2->setEditText(QStringLiteral("*"));
    QCOMPARE(listed(f), (QStringList{".draft", "Q1.XLS", "q4.xls", "Sales & Marketing Plan.doc"}));

    // Date and size of the chosen file; the Info button with them.
    f.List3->setCurrentRow(1);
    QLocale locale = QLocale::system();
    locale.setNumberOptions(QLocale::DefaultNumberOptions);
    QDateTime modified =
        QFileInfo(b.hostPath(QStringLiteral("DATA:REPORTS\\Q1.XLS"))).lastModified();
    if (reach == VolumeReach::Ncp || reach == VolumeReach::NcpEmulator) // two seconds a step
        modified = modified.addSecs(-(modified.time().second() % 2));
    QCOMPARE(f.Label1->text(), locale.toString(modified, QLocale::ShortFormat) + "  5");
    QVERIFY(f.Command18->isVisibleTo(&f));

    // The Options window's Copy From browser reads the drive the same way.
    {
        quorvex::Options options(f);
        options.Text1->setText(QStringLiteral("*.doc"));
        QVERIFY(options.Drive1->setDrive(QStringLiteral("f:")));
        QVERIFY(options.Dir1->setPath(QStringLiteral("F:\\REPORTS")));
        QCOMPARE(options.List1->count(), 1);
        QCOMPARE(options.List1->item(0)->text(), QStringLiteral("Sales & Marketing Plan.doc"));
    }

    // Pick the database and scan it.
    f.browser().pointAt(QStringLiteral("F:\\DB\\CUSTOMER.DB"));
    QCOMPARE(f.browser().selectedFile(), QStringLiteral("CUSTOMER.DB"));
    QTest::mouseClick(f.Command1, Qt::LeftButton);
    QCOMPARE(f.List1->count(), 1);
    QCOMPARE(f.List1->item(0)->text(), QStringLiteral("JSMITH"));
    // Info: the file's extended information.
    quorvex::Form2 info(f);
    QVERIFY(info.Form_Load());
    QCOMPARE(info.Text[1]->text(), QStringLiteral("JSMITH"));
}

void VolumeBrowserTest::patternKeystrokesFilterAFreshListing()
{
    SimServerBuilder b;
    fillVolume(b);
    VolumeWorld w(b);
    QVERIFY2(w.open(VolumeReach::Ncp), qPrintable(w.error()));
    Form1& f = w.form();
    QVERIFY(f.Drive1->setDrive(QStringLiteral("f:")));
    QVERIFY(f.Dir1->setPath(QStringLiteral("F:\\REPORTS")));

    // Keystrokes within two seconds of the listing ask the server nothing.
    const auto listedOnce = w.requests();
    QFile(b.hostPath(QStringLiteral("DATA:REPORTS\\Q2.XLS"))).open(QIODevice::WriteOnly);
    f.Combo2->setEditText(QStringLiteral("*."));
    f.Combo2->setEditText(QStringLiteral("*.x"));
    f.Combo2->setEditText(QStringLiteral("*.xls"));
    QCOMPARE(w.requests(), listedOnce);
    QCOMPARE(listed(f), (QStringList{"Q1.XLS", "q4.xls"}));

    // Later, a keystroke reads the directory again.
    w.t.clock.advanceMs(2001);
    f.Combo2->setEditText(QStringLiteral("*.xl*"));
    QVERIFY(w.requests() > listedOnce);
    QCOMPARE(listed(f), (QStringList{"Q1.XLS", "Q2.XLS", "q4.xls"}));

    // F5 and a change of directory always read afresh.
    QFile(b.hostPath(QStringLiteral("DATA:REPORTS\\Q3.XLS"))).open(QIODevice::WriteOnly);
    auto before = w.requests();
    QTest::keyClick(f.List3, Qt::Key_F5);
    QVERIFY(w.requests() > before);
    QCOMPARE(listed(f), (QStringList{"Q1.XLS", "Q2.XLS", "Q3.XLS", "q4.xls"}));
    QFile::remove(b.hostPath(QStringLiteral("DATA:REPORTS\\Q3.XLS")));
    before = w.requests();
    QVERIFY(f.Dir1->setPath(QStringLiteral("F:\\")));
    QVERIFY(f.Dir1->setPath(QStringLiteral("F:\\REPORTS")));
    QVERIFY(w.requests() > before);
    QCOMPARE(listed(f), (QStringList{"Q1.XLS", "Q2.XLS", "q4.xls"}));
}

QTEST_MAIN(VolumeBrowserTest)
#include "volume_browser_test.moc"

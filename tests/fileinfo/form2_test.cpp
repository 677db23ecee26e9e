// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileinfo/scripted_file_info_client.h"
#include "support/test_services.h"

#include "app/dialog_buttons.h"
#include "app/form1.h"
#include "app/interval_timer.h"
#include "app/message_pane.h"
#include "fileinfo/attribute_table.h"
#include "fileinfo/form2.h"
#include "files/directory_box.h"
#include "files/file_browser.h"
#include "platform/window_mover.h"

#include <QtTest>

using namespace quorvex;
using quorvex::test::ScriptedFileInfoClient;

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// Points the file browser at a directory and selects a file in its list, as the
// user would; false when the browser does not report the selection back.
bool selectFile(Form1& form, const QString& directory, const QString& name)
{
    form.Dir1->setPath(directory);
    const auto found = form.List3->findItems(name, Qt::MatchFixedString);
    QListWidgetItem* item = found.isEmpty() ? new QListWidgetItem(name, form.List3) : found.first();
    form.List3->setCurrentItem(item);
    item->setSelected(true);
    return form.browser().selectedFile() == name;
}

// Runs `inside` once the next modal window is up, then closes that window.
void whileModal(const std::function<void(QWidget*)>& inside)
{
    QTimer::singleShot(0, [inside] {
        QWidget* modal = QApplication::activeModalWidget();
        inside(modal);
        if (modal)
            modal->close();
    });
}

} // namespace

class Form2Test : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void attributeBoxes_data();
    void attributeBoxes();
    void showsTheFieldsAndALiteralAmpersand();
    void copiesWhatItShows();
    void parseFailureOpensEmpty();
    void gatheringFailureLeavesNoWindow();
    void infoButtonPausesTheRescan_data();
    void infoButtonPausesTheRescan();
    void escapeClosesOnlyTheWindow();
    void doubleClickCentres();
    void rootDirectoryGetsOneBackslash();
    void nameOutsideAsciiReachesTheClientInLatin1();

private:
    std::unique_ptr<TestServices> t_;
    std::optional<Services> services_; // the bundle handed to the windows, kept alive
    std::unique_ptr<ScriptedFileInfoClient> client_;
    std::unique_ptr<Form1> form_;
};

void Form2Test::init()
{
    t_ = std::make_unique<TestServices>();
    services_.emplace(t_->services());
    for (const char* file : {"F/REPORTS/Q1.XLS", "F/REPORTS/q3.xls", "F/ROOT.DOC"})
        t_->createFile(QString::fromLatin1(file), "data");
    t_->mapDrive(u'F', QStringLiteral("fixed:") + t_->path(QStringLiteral("F")));
    client_ = std::make_unique<ScriptedFileInfoClient>();
    client_->dsNames = {{1001, "ADMIN"}, {1002, "JSMITH.SALES.ACME"}};
    form_ = std::make_unique<Form1>(*services_, *client_);
    selectFile(*form_, QStringLiteral("F:\\REPORTS"), QStringLiteral("Q1.XLS"));
}

void Form2Test::cleanup()
{
    form_.reset();
    client_.reset();
    services_.reset();
    t_.reset();
}

void Form2Test::attributeBoxes_data()
{
    QTest::addColumn<quint32>("attributes");
    QTest::addColumn<QStringList>("set");
    QTest::newRow("none") << quint32(0) << QStringList{};
    QTest::newRow("bits outside the table") << quint32(0x40 | 0x100 | 0x10000000) << QStringList{};
    QTest::newRow("read-only archive, and an unshown bit")
        << quint32(0x1 | 0x20 | 0x40) << QStringList{"ReadOnly", "Archive"};
    QTest::newRow("high bits") << quint32(0x80 | 0x20000000 | 0x800000)
                               << QStringList{"Shareable", "Don'tMigrate", "Can'tCompress"};
    QStringList all;
    quint32 every = 0;
    for (const FileAttribute& a : kFileAttributes) {
        all << QString::fromLatin1(a.caption);
        every |= a.mask;
    }
    QTest::newRow("every one") << every << all;
}

void Form2Test::attributeBoxes()
{
    QFETCH(quint32, attributes);
    QFETCH(QStringList, set);
    client_->entry.setU32(8, attributes);
    Form2 window(*form_);
    QVERIFY(window.Form_Load());

    QCOMPARE(window.Check.size(), 21);
    QStringList shown;
    for (QCheckBox* box : window.Check) {
        if (box->checkState() == Qt::Unchecked) {
            QVERIFY2(!box->isEnabled(), qPrintable(box->text()));
        } else {
            QCOMPARE(box->checkState(), Qt::PartiallyChecked);
            QVERIFY(box->isEnabled());
            shown << box->text();
        }
    }
    QCOMPARE(shown, set);
}

void Form2Test::showsTheFieldsAndALiteralAmpersand()
{
    client_->path = "PLANS\\R&D PLAN.DOC";
    client_->entry.setU32(28, ((2004u - 1980) << 9 | 3u << 5 | 7u) << 16 | (13u << 11 | 5u << 5));
    client_->entry.setU32(32, 1001);
    client_->entry.setU32(48, 1002);
    Form2 window(*form_);
    QVERIFY(window.Form_Load());

    QCOMPARE(window.windowTitle(), QStringLiteral("Quorvex - Extended File Information"));
    QCOMPARE(window.netwarePath(), QStringLiteral("FS1\\DATA:PLANS\\R&D PLAN.DOC"));
    QCOMPARE(window.Frame1->title(), QStringLiteral("R&&D PLAN.DOC"));
    QStringList values;
    for (QLineEdit* field : window.Text)
        values << field->text();
    QCOMPARE(values,
             (QStringList{"3/7/2004,13:5:0", "ADMIN", "?", "?", "?", "?", "JSMITH.SALES.ACME"}));
    QVERIFY(client_->calls(QStringLiteral("NWAllocTemporaryDirectoryHandle"))
                .first()
                .endsWith(QStringLiteral(" DATA:PLANS")));
}

void Form2Test::copiesWhatItShows()
{
    client_->entry.setU32(8, 0x1 | 0x20);
    client_->entry.setU32(32, 1001);
    Form2 window(*form_);
    QVERIFY(window.Form_Load());
    window.Check[0]->setCheckState(Qt::Checked); // a box the user clicked still counts
    t_->prompts.clear();

    QTest::mouseClick(window.Command1, Qt::LeftButton);

    const QString expected =
        QStringLiteral("Full Path:  FS1\\DATA:REPORTS\\Q1.XLS") + kCrLf +
        QStringLiteral("Path:  ") + window.localPath() + kCrLf + QStringLiteral("Created:  ?") +
        kCrLf + QStringLiteral("Owner:  ADMIN") + kCrLf + QStringLiteral("Last Access:  ?") +
        kCrLf + QStringLiteral("Last Archived:  ?") + kCrLf + QStringLiteral("Last Arch. By:  ?") +
        kCrLf + QStringLiteral("Last Modified:  ?") + kCrLf + QStringLiteral("Last Modif. By:  ?") +
        kCrLf + kCrLf + QStringLiteral("Attributes") + kCrLf + kCrLf + QStringLiteral("ReadOnly") +
        kCrLf + QStringLiteral("Archive") + kCrLf;
    QCOMPARE(t_->clipboard.text(), expected);
    const auto boxes = t_->prompts.calls(ScriptedPrompts::Kind::MessageBox);
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].text, QString::number(expected.size()) + " bytes copied to Clipboard.");
    QCOMPARE(boxes[0].title, QStringLiteral("Quorvex"));
    QCOMPARE(boxes[0].icon, MsgIcon::Information);
}

void Form2Test::parseFailureOpensEmpty()
{
    selectFile(*form_, QStringLiteral("F:\\REPORTS"), QStringLiteral("q3.xls"));
    client_->parseResult = nw::kBadPathSyntax;
    Form2 window(*form_);

    QVERIFY(window.Form_Load());

    QCOMPARE(t_->prompts.beepCount(), 1);
    const auto boxes = t_->prompts.calls(ScriptedPrompts::Kind::MessageBox);
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].icon, MsgIcon::Exclamation);
    QCOMPARE(boxes[0].title, QStringLiteral("Quorvex"));
    if (form_->browser().selectedFile() == QStringLiteral("q3.xls"))
        QCOMPARE(boxes[0].text, QStringLiteral("Error! Could not parse the path for file Q3.XLS."));
    QVERIFY(client_->calls(QStringLiteral("NWCCOpenConnByName")).isEmpty());
    for (QLineEdit* field : window.Text)
        QVERIFY(field->text().isEmpty());

    t_->prompts.clear();
    window.Command1_Click();
    QVERIFY(t_->clipboard.text().startsWith(QStringLiteral("Full Path:  ") + kCrLf));
    QVERIFY(t_->clipboard.text().endsWith(QStringLiteral("Attributes") + kCrLf + kCrLf));
    QCOMPARE(t_->prompts.calls(ScriptedPrompts::Kind::MessageBox).size(), 1);
}

void Form2Test::gatheringFailureLeavesNoWindow()
{
    client_->allocResult = nw::kInvalidPath;
    Form2 window(*form_);
    bool shown = false;
    QTimer::singleShot(0, [&] {
        shown = QApplication::activeModalWidget() != nullptr;
        if (auto* modal = QApplication::activeModalWidget())
            modal->close();
    });

    QCOMPARE(window.exec(), int(QDialog::Rejected));
    QCoreApplication::processEvents();

    QVERIFY(!shown);
    QVERIFY(!window.isVisible());
    QCOMPARE(form_->Text2->text(), QStringLiteral("Cannot create directory handle."));
    QCOMPARE(t_->prompts.beepCount(), 1);
}

void Form2Test::infoButtonPausesTheRescan_data()
{
    QTest::addColumn<bool>("rescanOn");
    QTest::newRow("rescan on") << true;
    QTest::newRow("rescan off") << false;
}

void Form2Test::infoButtonPausesTheRescan()
{
    QFETCH(bool, rescanOn);
    form_->Timer1->setInterval(10);
    form_->Timer1->setEnabled(rescanOn);
    int ticks = 0;
    connect(form_->Timer1, &IntervalTimer::timeout, [&] { ++ticks; });
    bool enabledInside = true;
    QString title;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        title = modal->windowTitle();
        enabledInside = form_->Timer1->isEnabled();
        // Long enough for several ticks, were the timer running.
        QTest::qWait(60);
        modal->close();
    });

    form_->dialogButtons().Command18_Click();

    QCOMPARE(title, QStringLiteral("Quorvex - Extended File Information"));
    QVERIFY(!enabledInside);
    QCOMPARE(ticks, 0);
    QCOMPARE(form_->Timer1->isEnabled(), rescanOn);
    // The window is discarded: nothing of it stays behind the main window.
    QVERIFY(form_->findChildren<Form2*>().isEmpty());
}

void Form2Test::escapeClosesOnlyTheWindow()
{
    form_->show();
    bool closedByEscape = false;
    whileModal([&](QWidget* modal) {
        QVERIFY(modal);
        auto* copy = modal->findChild<QPushButton*>(QStringLiteral("Command1"));
        QTest::keyClick(copy, Qt::Key_Escape);
        closedByEscape = !modal->isVisible();
    });

    form_->dialogButtons().Command18_Click();

    QVERIFY(closedByEscape);
    QVERIFY(form_->isVisible());
}

void Form2Test::doubleClickCentres()
{
    Form2 window(*form_);
    QVERIFY(window.Form_Load());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.move(0, 0);
    const QRect screen = window.screen()->geometry();
    const QSize size = window.frameGeometry().size();
    const QPoint centred(screen.x() + (screen.width() - size.width()) / 2,
                         screen.y() + qRound((screen.height() - size.height()) * 0.9 / 2));

    // A field is not a surface; a label is.
    QTest::mouseDClick(window.Text[1], Qt::LeftButton);
    QCOMPARE(window.pos(), QPoint(0, 0));
    QTest::mouseDClick(window.Label[3], Qt::RightButton);
    QCOMPARE(window.pos(), QPoint(0, 0));
    QTest::mouseDClick(window.Label[3], Qt::LeftButton);
    QTRY_COMPARE(window.pos(), centred);

    window.move(5, 5);
    QTest::mouseDClick(window.Frame2, Qt::LeftButton, {}, QPoint(3, 3));
    QTRY_COMPARE(window.pos(), centred);
}

void Form2Test::rootDirectoryGetsOneBackslash()
{
    if (!selectFile(*form_, QStringLiteral("F:\\"), QStringLiteral("ROOT.DOC")))
        QSKIP("the file browser does not report its selection yet");
    Form2 window(*form_);
    QVERIFY(window.Form_Load());
    QCOMPARE(window.localPath(), QStringLiteral("F:\\ROOT.DOC"));
    QCOMPARE(client_->calls(QStringLiteral("NWParsePath")),
             QStringList{QStringLiteral("NWParsePath F:\\ROOT.DOC")});
}

void Form2Test::nameOutsideAsciiReachesTheClientInLatin1()
{
    // The client speaks Latin-1, as the scan hands it the same path.
    const QString name = QString::fromUtf8("R\u00e9sum\u00e9.doc");
    QVERIFY(selectFile(*form_, QStringLiteral("F:\\REPORTS"), name));
    client_->path = "REPORTS\\R\xE9sum\xE9.doc"; // what the server answers, in Latin-1
    Form2 window(*form_);
    QVERIFY(window.Form_Load());
    QCOMPARE(client_->calls(QStringLiteral("NWParsePath")),
             QStringList{QStringLiteral("NWParsePath F:\\REPORTS\\") + name});
    QCOMPARE(client_->calls(QStringLiteral("NWGetLongName")).size(), 1);
    QVERIFY2(client_->calls(QStringLiteral("NWGetLongName")).first().contains(name),
             qPrintable(client_->calls(QStringLiteral("NWGetLongName")).first()));
}

QTEST_MAIN(Form2Test)
#include "form2_test.moc"

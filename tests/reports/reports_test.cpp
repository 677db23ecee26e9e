// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileinfo/scripted_file_info_client.h"
#include "support/test_services.h"

#include "app/form1.h"
#include "app/message_pane.h"
#include "files/directory_box.h"
#include "files/file_browser.h"
#include "platform/pdf_printer.h"
#include "reports/reports.h"

#include <QtTest>

using namespace quorvex;

namespace {

const QString kCrLf = QStringLiteral("\r\n");

bool selectFile(Form1& form, const QString& directory, const QString& name)
{
    form.Dir1->setPath(directory);
    const auto found = form.List3->findItems(name, Qt::MatchFixedString);
    QListWidgetItem* item = found.isEmpty() ? new QListWidgetItem(name, form.List3) : found.first();
    form.List3->setCurrentItem(item);
    item->setSelected(true);
    return form.browser().selectedFile() == name;
}

void listUsers(Form1& form, const QStringList& users)
{
    form.List1->clear();
    form.List1->addItems(users);
}

} // namespace

class ReportsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void timeStamp_data();
    void timeStamp();
    void copyHoldsTheReport_data();
    void copyHoldsTheReport();
    void printEmphasisesTheHeader();
    void printWithoutPrinterSaysSo();
    void printedPdfHoldsTheReport();
    void readsTheSelectionWhenClicked();
    void rootDirectoryGetsOneBackslash();

private:
    std::unique_ptr<TestServices> t_;
    std::optional<Services> services_; // the bundle handed to the windows, kept alive
    std::unique_ptr<test::ScriptedFileInfoClient> client_;
    std::unique_ptr<Form1> form_;
    QString header_;
};

void ReportsTest::init()
{
    t_ = std::make_unique<TestServices>();
    services_.emplace(t_->services());
    for (const char* file : {"F/REPORTS/Q1.XLS", "F/REPORTS/Q2.XLS", "F/ROOT.DOC"})
        t_->createFile(QString::fromLatin1(file), "data");
    t_->mapDrive(u'F', QStringLiteral("fixed:") + t_->path(QStringLiteral("F")));
    t_->clock.setNow(QDateTime(QDate(2004, 3, 7), QTime(13, 5, 59)));
    client_ = std::make_unique<test::ScriptedFileInfoClient>();
    form_ = std::make_unique<Form1>(*services_, *client_);
    selectFile(*form_, QStringLiteral("F:\\REPORTS"), QStringLiteral("Q1.XLS"));
    header_ = form_->browser().directoryPrefix() + form_->browser().selectedFile();
}

void ReportsTest::cleanup()
{
    form_.reset();
    client_.reset();
    services_.reset();
    t_.reset();
}

void ReportsTest::timeStamp_data()
{
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<QString>("text");
    QTest::newRow("morning") << QDateTime(QDate(2004, 3, 7), QTime(9, 7)) << "03/07/04 09:07 am";
    QTest::newRow("after midnight")
        << QDateTime(QDate(2010, 12, 31), QTime(0, 5)) << "12/31/10 12:05 am";
    QTest::newRow("noon") << QDateTime(QDate(2000, 1, 1), QTime(12, 0, 59)) << "01/01/00 12:00 pm";
    QTest::newRow("afternoon") << QDateTime(QDate(2026, 11, 9), QTime(13, 30))
                               << "11/09/26 01:30 pm";
}

void ReportsTest::timeStamp()
{
    QFETCH(QDateTime, when);
    QTEST(Reports::timeStamp(when), "text");
}

void ReportsTest::copyHoldsTheReport_data()
{
    QTest::addColumn<QStringList>("users");
    QTest::newRow("two users") << QStringList{"JSMITH", "ADMIN"};
    QTest::newRow("one user") << QStringList{"BOB"};
    QTest::newRow("nobody") << QStringList{};
}

void ReportsTest::copyHoldsTheReport()
{
    QFETCH(QStringList, users);
    listUsers(*form_, users);

    form_->Command5->click();

    QString expected = header_ + kCrLf + QStringLiteral("03/07/04 01:05 pm") + kCrLf + kCrLf;
    for (const QString& user : users)
        expected += user + kCrLf;
    expected += kCrLf + QString::number(users.size()) + QStringLiteral(" users");
    QCOMPARE(t_->clipboard.text(), expected);
    QCOMPARE(form_->Text2->text(),
             QString::number(expected.size()) + QStringLiteral(" bytes copied to the clipboard."));
}

void ReportsTest::printEmphasisesTheHeader()
{
    listUsers(*form_, {QStringLiteral("JSMITH"), QStringLiteral("ADMIN")});
    form_->Text2->setText(QStringLiteral("earlier text"));

    form_->Command4->click();

    QCOMPARE(t_->printer.documents.size(), 1);
    const auto& document = t_->printer.documents.first();
    QCOMPARE(document.fontFamily, QStringLiteral("Courier New"));
    QStringList texts;
    QList<bool> bold;
    for (const PrintLine& line : document.lines) {
        texts << line.text;
        bold << line.bold;
    }
    QCOMPARE(texts,
             (QStringList{header_, "03/07/04 01:05 pm", "", "JSMITH", "ADMIN", "", "2 users"}));
    QCOMPARE(bold, (QList<bool>{true, true, false, false, false, false, false}));
    QCOMPARE(form_->Text2->text(), QStringLiteral("Report printed."));
    QCOMPARE(t_->prompts.beepCount(), 0);
}

void ReportsTest::printWithoutPrinterSaysSo()
{
    // No printer, and a printer that fails to start the job, are told apart.
    t_->printer.result = PrintOutcome::NoPrinter;
    form_->Command4->click();
    QCOMPARE(form_->Text2->text(), QStringLiteral("Report not printed: no printer available."));
    QCOMPARE(t_->prompts.beepCount(), 1);

    t_->printer.result = PrintOutcome::Failed;
    form_->Command4->click();
    QCOMPARE(form_->Text2->text(),
             QStringLiteral("Report not printed: the printer could not start the job."));
    QCOMPARE(t_->prompts.beepCount(), 2);
    QVERIFY(t_->prompts.calls(ScriptedPrompts::Kind::MessageBox).isEmpty());
}

void ReportsTest::printedPdfHoldsTheReport()
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    const QString pdf = t_->path(QStringLiteral("report.pdf"));
    PdfPrinter printer(pdf);
    Services base = t_->services();
    Services services{base.settings, base.drives,    base.prompts, base.clock,   base.shell,
                      printer,       base.clipboard, base.dirs,    base.headless};
    Form1 form(services, *client_);
    selectFile(form, QStringLiteral("F:\\REPORTS"), QStringLiteral("Q1.XLS"));
    listUsers(form, {QStringLiteral("JSMITH"), QStringLiteral("ADMIN")});

    form.reports().Command4_Click();

    QProcess convert;
    convert.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QVERIFY(convert.waitForFinished(30000));
    QCOMPARE(convert.exitCode(), 0);
    QStringList lines;
    for (const QString& line : QString::fromUtf8(convert.readAllStandardOutput()).split(u'\n'))
        if (!line.trimmed().isEmpty())
            lines << line.trimmed();
    QStringList expected{QStringLiteral("03/07/04 01:05 pm"), QStringLiteral("JSMITH"),
                         QStringLiteral("ADMIN"), QStringLiteral("2 users")};
    if (!header_.isEmpty())
        expected.prepend(header_);
    QCOMPARE(lines, expected);

    // A fixed-pitch face stands in for Courier New, bold for the header lines.
    const QString pdffonts = QStandardPaths::findExecutable(QStringLiteral("pdffonts"));
    if (pdffonts.isEmpty())
        return;
    QProcess fonts;
    fonts.start(pdffonts, {pdf});
    QVERIFY(fonts.waitForFinished(30000));
    const QString listed = QString::fromUtf8(fonts.readAllStandardOutput());
    QVERIFY2(listed.contains(QStringLiteral("Mono-Bold")) ||
                 listed.contains(QStringLiteral("Courier-Bold")) ||
                 listed.contains(QStringLiteral("CourierNew-Bold")),
             qPrintable(listed));
    QVERIFY2(listed.contains(QStringLiteral("Mono-Regular")) ||
                 listed.contains(QStringLiteral("Mono ")) ||
                 listed.contains(QStringLiteral("CourierNew ")),
             qPrintable(listed));
}

void ReportsTest::readsTheSelectionWhenClicked()
{
    if (!selectFile(*form_, QStringLiteral("F:\\REPORTS"), QStringLiteral("Q1.XLS")))
        QSKIP("the file browser does not report its selection yet");
    listUsers(*form_, {QStringLiteral("JSMITH")});
    form_->Command5->click();
    QVERIFY(t_->clipboard.text().startsWith(QStringLiteral("F:\\REPORTS\\Q1.XLS") + kCrLf));

    // Another file picked after the scan: the report names it, not the scanned one.
    selectFile(*form_, QStringLiteral("F:\\REPORTS"), QStringLiteral("Q2.XLS"));
    form_->Command4->click();
    QCOMPARE(t_->printer.documents.last().lines.first().text,
             QStringLiteral("F:\\REPORTS\\Q2.XLS"));
}

void ReportsTest::rootDirectoryGetsOneBackslash()
{
    if (!selectFile(*form_, QStringLiteral("F:\\"), QStringLiteral("ROOT.DOC")))
        QSKIP("the file browser does not report its selection yet");
    form_->Command5->click();
    QVERIFY(t_->clipboard.text().startsWith(QStringLiteral("F:\\ROOT.DOC") + kCrLf));
    form_->Command4->click();
    QCOMPARE(t_->printer.documents.last().lines.first().text, QStringLiteral("F:\\ROOT.DOC"));
}

QTEST_MAIN(ReportsTest)
#include "reports_test.moc"

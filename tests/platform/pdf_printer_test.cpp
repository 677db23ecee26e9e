// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/pdf_printer.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace quorvex;

namespace {

QString run(const QString& tool, const QStringList& args)
{
    QProcess process;
    process.start(tool, args);
    if (!process.waitForFinished(30000))
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class PdfPrinterTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void printsTheLinesInOrder();
    void longReportsRunOntoMorePages();
    void unwritableTargetFails();

private:
    QString m_pdftotext;
    QTemporaryDir m_dir;
};

void PdfPrinterTest::initTestCase()
{
    m_pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (m_pdftotext.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
}

void PdfPrinterTest::printsTheLinesInOrder()
{
    const QString pdf = m_dir.filePath("report.pdf");
    PdfPrinter printer(pdf);
    const QList<PrintLine> lines{{"F:\\REPORTS\\\\Q1.XLS", true},
                                 {"03/07/04 09:15 am", true},
                                 {""},
                                 {"JSMITH"},
                                 {"BOB"},
                                 {""},
                                 {"2 users"}};
    QCOMPARE(printer.print("Courier New", lines), PrintOutcome::Printed);

    QStringList text = run(m_pdftotext, {"-layout", pdf, "-"}).split('\n');
    for (QString& line : text)
        line = line.trimmed();
    text.removeAll(QString());
    text.removeAll("\f");
    QCOMPARE(text, (QStringList{"F:\\REPORTS\\\\Q1.XLS", "03/07/04 09:15 am", "JSMITH", "BOB",
                                "2 users"}));

    // The two header lines are set apart in the bold face of the same family.
    const QString fonts = run(QStandardPaths::findExecutable("pdffonts"), {pdf});
    if (!fonts.isEmpty()) {
        QVERIFY2(fonts.contains("Mono-Bold") || fonts.contains("Courier-Bold") ||
                     fonts.contains("CourierNew-Bold") || fonts.contains("CourierNewPS-Bold"),
                 qPrintable(fonts));
        QVERIFY2(fonts.contains("Mono-Regular") || fonts.contains("Mono "), qPrintable(fonts));
    }
}

void PdfPrinterTest::longReportsRunOntoMorePages()
{
    const QString pdf = m_dir.filePath("long.pdf");
    QList<PrintLine> lines;
    for (int i = 1; i <= 200; ++i)
        lines.append({QStringLiteral("USER%1").arg(i)});
    QCOMPARE(PdfPrinter(pdf).print("Courier New", lines), PrintOutcome::Printed);
    const QString text = run(m_pdftotext, {pdf, "-"});
    QVERIFY(text.contains("USER1\n"));
    QVERIFY(text.contains("USER200"));
    QVERIFY2(text.count('\f') >= 2, "expected a page break");
    QVERIFY(text.indexOf("USER199") < text.indexOf("USER200"));
}

void PdfPrinterTest::unwritableTargetFails()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(".*"));
    QCOMPARE(PdfPrinter(m_dir.filePath("no/such/dir/x.pdf")).print("Courier New", {{"x"}}),
             PrintOutcome::Failed);
}

QTEST_MAIN(PdfPrinterTest)
#include "pdf_printer_test.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileinfo/scripted_file_info_client.h"
#include "support/test_services.h"

#include "about/form3.h"
#include "about/link_label.h"
#include "app/dialog_buttons.h"
#include "app/form1.h"
#include "app/interval_timer.h"

#include <QtTest>

using namespace quorvex;

namespace {

void moveMouseOver(QWidget* widget)
{
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);

} // namespace

class Form3Test : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        t_ = std::make_unique<TestServices>();
        services_.emplace(t_->services());
    }
    void cleanup()
    {
        services_.reset();
        t_.reset();
    }

    void namesTheProgramAndItsVersion();
    void linksTurnRedUnderTheMouse();
    void linksStartTheBrowser_data();
    void linksStartTheBrowser();
    void browserFailuresAreTold_data();
    void browserFailuresAreTold();
    void faqOpensWithoutLooking();
    void okAndEscapeClose();
    void aboutButtonPausesTheRescan();
    void faqLiesBesideTheProgram();

private:
    std::unique_ptr<TestServices> t_;
    std::optional<Services> services_; // the bundle handed to the windows, kept alive
};

void Form3Test::namesTheProgramAndItsVersion()
{
    Form3 window(*services_);
    const QStringList version = QStringLiteral(QUORVEX_VERSION_TEXT).split(u'.');
    const QStringList lines = window.Text1->toPlainText().split(u'\n');
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0], QStringLiteral("Quorvex ") + version[0] + u'.' + version[1]);
    QVERIFY(lines[1].isEmpty());
    QCOMPARE(lines[2], QStringLiteral("If you are using Netware Client32 Quorvex will allow you to "
                                      "see those who are using a specific file. In addition, you "
                                      "will see their rights to the file, how the file was opened, "
                                      "and at what time the user logged in at."));
    QCOMPARE(window.Text1->font().family(), QStringLiteral("Arial"));
    QVERIFY(window.Label1->text().isEmpty());
}

void Form3Test::linksTurnRedUnderTheMouse()
{
    Form3 window(*services_);
    const QList<LinkLabel*> links{window.Label2, window.Label3, window.Label4};
    QCOMPARE(window.Label2->text(), QStringLiteral("Email"));
    QCOMPARE(window.Label4->text(), QStringLiteral("Open FAQ file"));

    moveMouseOver(window.Label3);
    QCOMPARE(window.Label3->colour(), kRed);
    QCOMPARE(window.Label2->colour(), kBlue);
    moveMouseOver(window.Label2);
    QCOMPARE(window.Label2->colour(), kRed);
    QCOMPARE(window.Label3->colour(), kRed); // until the mouse crosses the background

    moveMouseOver(&window);
    for (LinkLabel* link : links)
        QCOMPARE(link->colour(), kBlue);
}

void Form3Test::linksStartTheBrowser_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QString>("argument");
    QTest::newRow("e-mail") << "Label2"
                            << "Send e-mail message to: support@quorvex.example"
                            << "mailto:support@quorvex.example";
    QTest::newRow("web page") << "Label3"
                              << "Go to page: https://www.quorvex.example/"
                              << "https://www.quorvex.example/";
}

void Form3Test::linksStartTheBrowser()
{
    QFETCH(QString, link);
    QFETCH(QString, argument);
    Form3 window(*services_);
    t_->shell.browser = QStringLiteral("/usr/bin/firefox");

    QTest::mouseClick(window.findChild<LinkLabel*>(link), Qt::LeftButton);

    QTEST(window.Label1->text(), "hint");
    // The e-mail link goes to the browser too, not to the desktop's mail program.
    QCOMPARE(t_->shell.calls.size(), 2);
    QCOMPARE(t_->shell.calls[0].what, QStringLiteral("findBrowser"));
    QCOMPARE(t_->shell.calls[1].what, QStringLiteral("startProgram"));
    QCOMPARE(t_->shell.calls[1].program, QStringLiteral("/usr/bin/firefox"));
    QCOMPARE(t_->shell.calls[1].args, QStringList{argument});
    QVERIFY(t_->prompts.calls().isEmpty());
}

void Form3Test::browserFailuresAreTold_data()
{
    QTest::addColumn<bool>("browserFound");
    QTest::addColumn<QString>("message");
    QTest::newRow("no browser") << false << "Could not find associated browser.";
    QTest::newRow("browser does not start") << true << "Web page not opened.";
}

void Form3Test::browserFailuresAreTold()
{
    QFETCH(bool, browserFound);
    if (!browserFound)
        t_->shell.browser.clear();
    t_->shell.startResult = false;
    Form3 window(*services_);

    for (LinkLabel* link : {window.Label2, window.Label3}) {
        t_->prompts.clear();
        t_->shell.calls.clear();
        link->clicked();
        const auto boxes = t_->prompts.calls(ScriptedPrompts::Kind::MessageBox);
        QCOMPARE(boxes.size(), 1);
        QTEST(boxes[0].text, "message");
        QCOMPARE(boxes[0].title, QStringLiteral("Quorvex"));
        QCOMPARE(boxes[0].icon, MsgIcon::Exclamation);
        QCOMPARE(t_->shell.calls.size(), browserFound ? 2 : 1);
    }
    // No scratch page is left anywhere the program writes.
    QVERIFY(QDir(t_->dirs.tempDir()).entryList(QDir::Files).isEmpty());
}

void Form3Test::faqOpensWithoutLooking()
{
    t_->shell.openResult = false; // no viewer, or no faq.fil
    Form3 window(*services_);
    const QString faq = t_->dirs.programDir() + QStringLiteral("/faq.fil");
    QVERIFY(!QFile::exists(faq));

    QTest::mouseClick(window.Label4, Qt::LeftButton);

    QCOMPARE(window.Label1->text(), QStringLiteral("Open file: ") + faq);
    QCOMPARE(t_->shell.calls.size(), 1);
    QCOMPARE(t_->shell.calls[0].what, QStringLiteral("openDocument"));
    QCOMPARE(t_->shell.calls[0].program, faq);
    QVERIFY(t_->prompts.calls().isEmpty());
}

void Form3Test::okAndEscapeClose()
{
    Form3 window(*services_);
    window.show();
    QTest::mouseClick(window.Command1, Qt::LeftButton);
    QVERIFY(!window.isVisible());

    window.show();
    QTest::keyClick(window.Label1, Qt::Key_Escape);
    QVERIFY(!window.isVisible());
}

void Form3Test::aboutButtonPausesTheRescan()
{
    test::ScriptedFileInfoClient client;
    Form1 form(*services_, client);
    form.Timer1->setInterval(10);
    form.Timer1->setEnabled(true);
    int ticks = 0;
    connect(form.Timer1, &IntervalTimer::timeout, [&] { ++ticks; });
    QString title;
    bool enabledInside = true;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        title = modal->windowTitle();
        enabledInside = form.Timer1->isEnabled();
        QTest::qWait(60);
        modal->close();
    });

    form.Command7->click();

    QCOMPARE(title, QStringLiteral("About Quorvex"));
    QVERIFY(!enabledInside);
    QCOMPARE(ticks, 0);
    QVERIFY(form.Timer1->isEnabled());
    QTRY_VERIFY(ticks > 0);
}

void Form3Test::faqLiesBesideTheProgram()
{
    const QString buildDir = qEnvironmentVariable("QUORVEX_BUILD_DIR");
    if (buildDir.isEmpty())
        QSKIP("run through ctest to know the build tree");
    QFile faq(buildDir + QStringLiteral("/faq.fil"));
    QVERIFY(faq.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(faq.readAll());
    for (const char* topic : {"Scan", "Connection No:", "-ce", "[Drives]", "activity log", "F5"})
        QVERIFY2(text.contains(QLatin1String(topic)), topic);
}

QTEST_MAIN(Form3Test)
#include "form3_test.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/mime_associations.h"
#include "support/test_services.h"

#include <QFile>
#include <QtTest>

using namespace quorvex;

class MimeAssociationsTest : public QObject
{
    Q_OBJECT

private slots:
    void defaultEntryFollowsTheListsInOrder();
    void execLines_data();
    void execLines();
};

void MimeAssociationsTest::defaultEntryFollowsTheListsInOrder()
{
    TestServices t;
    const QString config = t.path("config"), data = t.path("data"), system = t.path("system");
    t.createFile("system/applications/mimeinfo.cache", "[MIME Cache]\ntext/html=cached.desktop;\n");
    t.createFile("system/applications/cached.desktop", "[Desktop Entry]\nExec=cached %u\n");
    MimeAssociations xdg({config}, {data, system}, {"XFCE"});
    QCOMPARE(xdg.defaultEntryFor("text/html"), "cached.desktop");

    // An entry that is not installed is passed over for the next one.
    t.createFile("data/applications/mimeapps.list",
                 "[Default Applications]\ntext/html=gone.desktop;mozilla-firefox.desktop;\n");
    t.createFile("system/applications/mozilla/firefox.desktop",
                 "[Desktop Action new]\nExec=wrong\n[Desktop Entry]\nName=Firefox\n"
                 "Exec=/usr/bin/env MOZ=1 firefox %u\n");
    QCOMPARE(xdg.defaultEntryFor("text/html"), "mozilla-firefox.desktop");
    QCOMPARE(xdg.entryFile("mozilla-firefox.desktop"),
             t.path("system/applications/mozilla/firefox.desktop"));

    // The user's config wins over the data dirs, the desktop's own list over both.
    t.createFile("system/applications/user.desktop", "[Desktop Entry]\nExec=user\n");
    t.createFile("system/applications/xfce.desktop", "[Desktop Entry]\nExec=xfce\n");
    t.createFile("config/mimeapps.list", "[Default Applications]\ntext/html=user.desktop\n");
    QCOMPARE(xdg.defaultEntryFor("text/html"), "user.desktop");
    t.createFile("config/xfce-mimeapps.list", "[Default Applications]\ntext/html=xfce.desktop\n");
    QCOMPARE(xdg.defaultEntryFor("text/html"), "xfce.desktop");
    QCOMPARE(xdg.defaultEntryFor("text/plain"), QString());
    QCOMPARE(xdg.entryFile("../escape.desktop"), QString());

    // The program must exist to be the browser.
    const QString program = t.createFile("bin/my browser", "#!/bin/sh\n");
    QFile::setPermissions(program, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    t.createFile("system/applications/xfce.desktop",
                 "[Desktop Entry]\nExec=\"" + program.toUtf8() + "\" %u\n");
    QCOMPARE(MimeAssociations::programOfEntryFile(xdg.entryFile("xfce.desktop")), program);
    QCOMPARE(MimeAssociations::programOfEntryFile(xdg.entryFile("user.desktop")), QString());
}

void MimeAssociationsTest::execLines_data()
{
    QTest::addColumn<QString>("exec");
    QTest::addColumn<QString>("program");
    const QString sh = QStandardPaths::findExecutable("sh");
    QTest::newRow("name on PATH") << "sh -c %u" << sh;
    QTest::newRow("absolute") << "/bin/sh %U"
                              << "/bin/sh";
    QTest::newRow("env first") << "env A=1 B=2 sh %u" << sh;
    QTest::newRow("quoted") << "\"/bin/sh\" --new-window %u"
                            << "/bin/sh";
    QTest::newRow("not installed") << "no-such-browser-here %u"
                                   << "";
    QTest::newRow("absolute, missing") << "/nonexistent/browser"
                                       << "";
    QTest::newRow("empty") << ""
                           << "";
}

void MimeAssociationsTest::execLines()
{
    QFETCH(QString, exec);
    QFETCH(QString, program);
    QCOMPARE(MimeAssociations::programOfExecLine(exec), program);
}

QTEST_GUILESS_MAIN(MimeAssociationsTest)
#include "mime_associations_test.moc"

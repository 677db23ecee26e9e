// SPDX-License-Identifier: GPL-3.0-or-later
// The "ncp:" values of the Servers settings.

#include "ncp/ncp_server_spec.h"

#include <QTest>

using namespace ncp;

class NcpServerSpecTest : public QObject
{
    Q_OBJECT

private slots:
    void parses_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("bindery");
        QTest::newRow("host alone") << "ncp:fs1.example.org"
                                    << "fs1.example.org" << 524 << ""
                                    << "" << false;
        QTest::newRow("port") << "ncp:127.0.0.1:5524"
                              << "127.0.0.1" << 5524 << ""
                              << "" << false;
        QTest::newRow("user") << "ncp:fs1;admin"
                              << "fs1" << 524 << "admin"
                              << "" << false;
        QTest::newRow("user and file") << "ncp:fs1:600;ADMIN;@/home/a/.fs1pw"
                                       << "fs1" << 600 << "ADMIN"
                                       << "/home/a/.fs1pw" << false;
        QTest::newRow("IPv6") << "ncp:[::1]:5524;admin"
                              << "::1" << 5524 << "admin"
                              << "" << false;
        QTest::newRow("IPv6 without port") << "ncp:[fe80::1]"
                                           << "fe80::1" << 524 << ""
                                           << "" << false;
        QTest::newRow("scheme in capitals") << "NCP:fs1"
                                            << "fs1" << 524 << ""
                                            << "" << false;
        QTest::newRow("directory name, bindery kept") << "ncp:fs1;J.DOE;bindery;@/pw"
                                                      << "fs1" << 524 << "J.DOE"
                                                      << "/pw" << true;
        QTest::newRow("highest port") << "ncp:h:65535"
                                      << "h" << 65535 << ""
                                      << "" << false;
    }
    void parses()
    {
        QFETCH(QString, value);
        QString error;
        const auto spec = parseNcpServerSpec(value, &error);
        QVERIFY2(spec, qPrintable(error));
        QTEST(spec->host, "host");
        QTEST(int(spec->port), "port");
        QTEST(spec->user, "user");
        QTEST(spec->passwordFile, "file");
        QTEST(spec->binderyOnly, "bindery");
    }

    void refusesWithAReason_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("reason");
        QTest::newRow("other scheme") << "sim:/tmp/fs1.json"
                                      << "ncp:";
        QTest::newRow("no host") << "ncp:"
                                 << "no host";
        QTest::newRow("no host, port") << "ncp::524"
                                       << "no host";
        QTest::newRow("empty port") << "ncp:fs1:"
                                    << "empty port";
        QTest::newRow("port 0") << "ncp:fs1:0"
                                << "bad port";
        QTest::newRow("port too large") << "ncp:fs1:65536"
                                        << "bad port";
        QTest::newRow("port with sign") << "ncp:fs1:+524"
                                        << "bad port";
        QTest::newRow("port not a number") << "ncp:fs1:ncp"
                                           << "bad port";
        QTest::newRow("IPv6 unbracketed") << "ncp:fe80::1"
                                          << "brackets";
        QTest::newRow("bracket unclosed") << "ncp:[::1:524"
                                          << "unclosed";
        QTest::newRow("relative file") << "ncp:fs1;admin;@pw.txt"
                                       << "absolute";
        QTest::newRow("file without @") << "ncp:fs1;admin;/pw.txt"
                                        << "absolute";
        QTest::newRow("file without user") << "ncp:fs1;;@/pw.txt"
                                           << "without a user";
        QTest::newRow("unknown field") << "ncp:fs1;a;@/p;x"
                                       << "may follow";
        QTest::newRow("extra field") << "ncp:fs1;a;@/p;bindery;x"
                                     << "too many";
    }
    void refusesWithAReason()
    {
        QFETCH(QString, value);
        QFETCH(QString, reason);
        QString error;
        QVERIFY(!parseNcpServerSpec(value, &error));
        QVERIFY2(error.contains(reason), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(NcpServerSpecTest)
#include "ncp_server_spec_test.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd_fixture.h"

NcpdFixture::NcpdFixture()
{
    const QString q1 = QStringLiteral("DATA:REPORTS\\Q1.XLS");
    builder.password(QStringLiteral("ADMIN"), QStringLiteral("secret"))
        .user(QStringLiteral("JSMITH"), QStringLiteral("SALES.ACME"), 1002)
        .user(QStringLiteral("BOB"), QString(), 1003)
        .file(q1)
        .file(QStringLiteral("DATA:REPORTS\\Quarterly report & notes.doc"))
        .connection(1, QStringLiteral("ADMIN"))
        .connection(5, QStringLiteral("JSMITH"), QStringLiteral("2004-03-07 09:15:42"),
                    QStringLiteral("IP:10.1.2.5"))
        .connection(6, QStringLiteral("BOB"), QStringLiteral("2004-03-08 10:00:00"),
                    QStringLiteral("IPX:0000ABCD:001B2C3D4E5F:4003"))
        .acceptsMessages(6, false)
        .opens(1, q1, 1, 8, 3, 1)
        .opens(5, q1, 1, 8, 3, 0)
        .opens(5, q1, 2, 0, 1, 0)
        .opens(6, q1, 1, 0, 1, 0)
        .trustee(QStringLiteral("DATA:REPORTS"), QStringLiteral("JSMITH"), 251)
        .trustee(QStringLiteral("DATA:REPORTS"), QStringLiteral("BOB"), 1)
        .set(QStringLiteral("batchSize"), 2);
}

bool NcpdFixture::start()
{
    listener = std::make_unique<ncpd::NcpListener>(builder.write());
    QString error;
    return listener->listen(QHostAddress(QHostAddress::LocalHost), 0, &error);
}

nw::NWCONN_HANDLE simHandle(nw::SimClient& sim)
{
    std::array<char, 64> server{}, volume{}, path{};
    nw::NWCONN_HANDLE conn = 0;
    sim.NWParsePath("DATA:", server, conn, volume, path);
    return conn;
}

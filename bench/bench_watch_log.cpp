// SPDX-License-Identifier: GPL-3.0-or-later
// What the activity log adds to a rescan of a busy file: 10,000 users listed,
// 10,000 users in the previous list. Each round does what a completed scan does
// with its result: rebuild the user list and its records, then run the steps
// after the scan (log, auto-clear, notification, re-arm). The same rounds run
// with logging off and on, and the ratio is printed. The scan's client loop is
// left out (bench_client_loop measures it), so the ratio here is an upper bound
// for a whole rescan.

#include "app/form1.h"
#include "platform/services.h"
#include "scan/prefix_index.h"
#include "scan/watch.h"
#include "support/recording_netware_client.h"
#include "support/test_services.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>

#include <cstdio>

using namespace quorvex;

namespace {

constexpr int kUsers = 10000;
constexpr int kRounds = 6;
constexpr int kTurnover = 100; // users who come and go between two scans

// Round r lists users r*kTurnover .. r*kTurnover + kUsers - 1, so each rescan
// sees kTurnover arrivals and kTurnover departures.
QStringList usersOfRound(int round)
{
    QStringList users;
    users.reserve(kUsers);
    for (int i = 0; i < kUsers; ++i)
        users.append(QStringLiteral("USER%1").arg(round * kTurnover + i, 6, 10, QLatin1Char('0')));
    return users;
}

void rebuildList(Form1& form, const QStringList& users)
{
    form.List1->clear();
    form.connections.clear();
    for (int i = 0; i < users.size(); ++i) {
        form.List1->addItem(users.at(i));
        ConnectionInfo info;
        info.login = users.at(i);
        info.connNo = static_cast<std::int16_t>(1 + i % 30000);
        form.connections.append(info);
    }
}

double runRounds(Form1& form, bool logging)
{
    form.settings.LogFile = logging ? 1 : 0;
    form.List2 = usersOfRound(0);
    QElapsedTimer timer;
    timer.start();
    for (int round = 1; round <= kRounds; ++round) {
        rebuildList(form, usersOfRound(round));
        form.watch().logActivity();
        form.watch().autoClear();
        form.watch().notifyFileInUse();
        form.watch().notifyFileFree();
        form.watch().rearmRescan();
    }
    return timer.nsecsElapsed() / 1e6 / kRounds;
}

// The comparison without an index, one direction, for scale.
double naiveComparisonMs(const QStringList& current, const QStringList& previous)
{
    QElapsedTimer timer;
    timer.start();
    int in = 0;
    for (const QString& user : current) {
        bool found = false;
        for (const QString& p : previous) {
            if (p.startsWith(user, Qt::CaseInsensitive)) {
                found = true;
                break;
            }
        }
        in += found ? 0 : 1;
    }
    std::printf("  (unindexed IN comparison found %d arrivals)\n", in);
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    TestServices fakes;
    RecordingNetWareClient client;
    Services services = fakes.services();
    Form1 form(services, client);
    form.lastScan.fileName = QStringLiteral("BUSY.DOC");
    form.lastScan.longPath = QStringLiteral("F:\\SHARED\\BUSY.DOC");

    const double off = runRounds(form, false);
    const double on = runRounds(form, true);
    std::printf("rescan steps, %d users listed and %d previous users, mean of %d rounds\n", kUsers,
                kUsers, kRounds);
    std::printf("  logging off: %8.1f ms\n", off);
    std::printf("  logging on:  %8.1f ms\n", on);
    std::printf("  ratio on/off: %.2f (target at most 1.5)\n", on / off);

    const QStringList a = usersOfRound(1);
    const QStringList b = usersOfRound(2);
    QElapsedTimer timer;
    timer.start();
    const PrefixIndex index(a);
    int arrivals = 0;
    for (const QString& user : b)
        arrivals += index.anyLineBeginsWith(user) ? 0 : 1;
    const double indexed = timer.nsecsElapsed() / 1e6;
    std::printf("  IN comparison indexed: %.1f ms (%d arrivals)\n", indexed, arrivals);
    std::printf("  IN comparison unindexed: %.1f ms\n", naiveComparisonMs(b, a));
    return 0;
}

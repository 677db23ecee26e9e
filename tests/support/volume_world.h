// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A main window on a drive F: that holds a simulated server's DATA volume,
// reached one of the ways a network drive reaches its files: the simulated
// volume's folder, an "@" mount of that folder beside an NCP session to a
// quorvex-ncpd serving the state, or over NCP alone (in either server
// profile). A test that takes the way as data runs once each way and must see
// the same.
//
//   SimServerBuilder b; b.file("DATA:REPORTS\\Q1.XLS");
//   QFETCH(VolumeReach, reach);
//   VolumeWorld w(b);
//   QVERIFY2(w.open(reach), qPrintable(w.error()));

#include "app/form1.h"
#include "ncp/client_router.h"
#include "support/ncpd_process.h"
#include "support/sim_server_builder.h"
#include "support/test_services.h"

#include <QMetaType>

#include <memory>

enum class VolumeReach
{
    SimFolder,
    Mount,
    Ncp,
    NcpEmulator
};
Q_DECLARE_METATYPE(VolumeReach)

class VolumeWorld
{
public:
    explicit VolumeWorld(SimServerBuilder& builder) : builder_(builder) {}
    ~VolumeWorld();

    // Writes the state, starts the server when the way needs one, maps F:
    // and opens the window. user: who logs in over NCP (default the
    // workstation's user).
    bool open(VolumeReach reach, const QString& user = QString());
    const QString& error() const { return error_; }

    quorvex::Form1& form() { return *form_; }
    nw::ClientRouter& client() { return *client_; }
    // Requests sent over NCP so far (0 in process).
    std::uint64_t requests();
    // The names in a folder of the volume on this machine ("WORK").
    QStringList hostNames(const QString& folder) const;

    // The current test's data: a column "reach" and a row for each way.
    static void addReaches(bool withEmulator = true);

    quorvex::TestServices t;

private:
    SimServerBuilder& builder_;
    std::unique_ptr<NcpdProcess> ncpd_;
    std::unique_ptr<nw::ClientRouter> client_;
    std::unique_ptr<quorvex::Services> services_;
    std::unique_ptr<quorvex::Form1> form_;
    QString error_;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A quorvex-ncpd serving one state file on a free loopback port, for as long as
// this object lives. The server's executable is the one of this build tree.
//
//   NcpdProcess ncpd(builder.write());
//   QVERIFY2(ncpd.start(), qPrintable(ncpd.error()));
//   "FS1=ncp:" + ncpd.address() + ";ADMIN"

#include <QProcess>
#include <QString>

#include <cstdint>

class NcpdProcess
{
public:
    explicit NcpdProcess(QString statePath);
    ~NcpdProcess();

    // Starts the server and waits until it listens: on a free port, or on the
    // port given (to come back where it was). False (see error()) when it did
    // not start or said no address within a few seconds.
    bool start(std::uint16_t port = 0);
    // Ends the server with SIGTERM; true when it ended cleanly with status 0.
    bool stop();

    QString host() const { return host_; }
    std::uint16_t port() const { return port_; }
    // "HOST:PORT", as a server entry of the settings wants it.
    QString address() const;
    const QString& error() const { return error_; }
    QProcess& process() { return process_; }

    // build/quorvex-ncpd
    static QString program();

private:
    QString statePath_;
    QProcess process_;
    QString host_;
    std::uint16_t port_ = 0;
    QString error_;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/form1.h"
#include "platform/services.h"
#include "support/recording_netware_client.h"
#include "support/test_services.h"

#include <QListWidget>

#include <memory>

namespace quorvex {

// A main window on fake services with a recording client. Users are put into the
// list as a completed scan leaves them.
struct WatchFixture
{
    WatchFixture() : services(fakes.services()), form(services, client) {}

    void setUsers(const QList<std::pair<QString, std::int16_t>>& users)
    {
        form.List1->clear();
        form.connections.clear();
        for (const auto& [login, connNo] : users) {
            form.List1->addItem(login);
            ConnectionInfo info;
            info.login = login;
            info.connNo = connNo;
            form.connections.append(info);
        }
    }

    void setScannedFile(const QString& name, const QString& longPath)
    {
        form.lastScan.fileName = name;
        form.lastScan.longPath = longPath;
        form.lastScan.clientPath = longPath;
    }

    TestServices fakes;
    RecordingNetWareClient client;
    Services services;
    Form1 form;
};

} // namespace quorvex

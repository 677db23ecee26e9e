// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "netware/netware_client.h"

#include <QObject>
#include <QString>

#include <cstdint>

namespace quorvex {

class Form1;

// Sends one message as a broadcast to the station of one connection through
// serverConnection; true when the client accepted the call.
bool SendMessageToConnection(nw::NetWareClient& client, std::int16_t connectionNumber,
                             const QString& message, nw::NWCONN_HANDLE serverConnection);

// Sending a broadcast message to the selected users.
class SendMessage : public QObject
{
    Q_OBJECT
public:
    explicit SendMessage(Form1& form);

    void Command12_Click();

private:
    Form1& form_;
};

} // namespace quorvex

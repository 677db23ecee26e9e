// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "netware/netware_client.h"

#include <QObject>

#include <cstdint>

namespace quorvex {

class Form1;

// Has the server drop one connection; true when the client accepted the call.
// The auto-clear uses it too.
bool ClearConnection(nw::NetWareClient& client, nw::NWCONN_HANDLE serverConnection,
                     std::int16_t connectionNumber);

// Clearing the connections of the selected users. The user list is left as it
// is: cleared users stay listed, and selected, until the next scan.
class ClearConnectionAction : public QObject
{
    Q_OBJECT
public:
    explicit ClearConnectionAction(Form1& form);

    // Asks first unless form.NoClearPrompt is on (the command-line jobs).
    void Command13_Click();

private:
    Form1& form_;
};

} // namespace quorvex

// SPDX-License-Identifier: GPL-3.0-or-later
#include "actions/clear_connection.h"

#include "actions/user_selection.h"
#include "app/form1.h"
#include "app/message_pane.h"
#include "platform/prompts.h"
#include "platform/services.h"

#include <QPushButton>

namespace quorvex {

bool ClearConnection(nw::NetWareClient& client, nw::NWCONN_HANDLE serverConnection,
                     std::int16_t connectionNumber)
{
    return client.NWClearConnectionNumber(
               serverConnection, static_cast<std::uint16_t>(connectionNumber)) == nw::kSuccess;
}

ClearConnectionAction::ClearConnectionAction(Form1& form) : form_(form)
{
    connect(form_.Command13, &QPushButton::clicked, this, [this] { Command13_Click(); });
}

void ClearConnectionAction::Command13_Click()
{
    UserSelection& selection = form_.selection();
    if (!form_.NoClearPrompt) {
        const Answer answer = form_.services().prompts.messageBox(
            QStringLiteral("Are you sure you want to clear the connection for ") +
                selection.selectionPhrase() + QStringLiteral("?"),
            QStringLiteral("Quorvex"), MsgIcon::Question, MsgButtons::YesNo, Answer::No);
        if (answer != Answer::Yes)
            return;
    }

    std::int16_t cleared = 0;
    form_.Text2->clear();
    selection.forEachSelected([&](int line, std::int16_t connNo) {
        if (ClearConnection(form_.client(), form_.serverConnection, connNo)) {
            ++cleared;
            form_.Text2->append(QStringLiteral("Connection cleared for ") +
                                selection.lineTarget(line) + QStringLiteral(".\r\n"));
        } else {
            form_.Text2->append(QStringLiteral("Connection could not be cleared for ") +
                                selection.lineTarget(line) +
                                QStringLiteral(". You may not have the necessary rights to do "
                                               "this.\r\n"));
        }
    });
    if (cleared > 1)
        form_.Text2->append(QStringLiteral("Connection successfully cleared for ") +
                            QString::number(cleared) + QStringLiteral(" users."));
}

} // namespace quorvex

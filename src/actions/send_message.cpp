// SPDX-License-Identifier: GPL-3.0-or-later
#include "actions/send_message.h"

#include "actions/user_selection.h"
#include "app/form1.h"
#include "app/message_pane.h"
#include "netware/netware_text.h"
#include "platform/prompts.h"
#include "platform/services.h"

#include <QPushButton>

namespace quorvex {

bool SendMessageToConnection(nw::NetWareClient& client, std::int16_t connectionNumber,
                             const QString& message, nw::NWCONN_HANDLE serverConnection)
{
    // The buffer ends in one NUL of its own and the array's terminator.
    QByteArray buffer = nw::toClientText(message);
    buffer.append('\0');
    std::uint8_t result[1] = {0};
    // The connection list is 32-bit cells; the number goes in zero-extended.
    const std::uint32_t connList[1] = {static_cast<std::uint16_t>(connectionNumber)};
    return client.NWSendBroadcastMessage(serverConnection, buffer.constData(), 1, connList,
                                         result) == nw::kSuccess;
}

SendMessage::SendMessage(Form1& form) : form_(form)
{
    connect(form_.Command12, &QPushButton::clicked, this, [this] { Command12_Click(); });
}

void SendMessage::Command12_Click()
{
    UserSelection& selection = form_.selection();
    const std::optional<QString> answer = form_.services().prompts.inputBox(
        QStringLiteral("Enter Message to send to ") + selection.selectionPhrase(),
        QStringLiteral("Quorvex - Send Message"), form_.LastMessage);
    // A cancelled box answers with the empty text, which is kept as well.
    form_.LastMessage = answer.value_or(QString());
    if (form_.LastMessage.isEmpty())
        return;

    const QString message = form_.LastMessage;
    form_.Text2->clear();
    std::int16_t sent = 0;
    selection.forEachSelected([&](int line, std::int16_t connNo) {
        if (SendMessageToConnection(form_.client(), connNo, message, form_.serverConnection)) {
            ++sent;
            form_.Text2->append(QStringLiteral("Message sent to ") + selection.lineTarget(line) +
                                QStringLiteral(".\r\n"));
        } else {
            form_.Text2->append(QStringLiteral("Message could not be sent to ") +
                                selection.lineTarget(line) +
                                QStringLiteral(". You may not have the necessary rights to do "
                                               "this.\r\n"));
        }
    });
    if (sent > 1)
        form_.Text2->append(QStringLiteral("Message successfully sent to ") +
                            QString::number(sent) + QStringLiteral(" users."));
}

} // namespace quorvex

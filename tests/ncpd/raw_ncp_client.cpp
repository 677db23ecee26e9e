// SPDX-License-Identifier: GPL-3.0-or-later
#include "raw_ncp_client.h"

#include "ncp/bindery_password.h"
#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"

#include <QTest>

bool RawNcpClient::connectTo(quint16 port, int timeoutMs)
{
    socket_.connectToHost(QHostAddress::LocalHost, port);
    return QTest::qWaitFor([&] { return socket_.state() == QAbstractSocket::ConnectedState; },
                           timeoutMs);
}

void RawNcpClient::sendBytes(const QByteArray& bytes)
{
    socket_.write(bytes);
    socket_.flush();
}

std::optional<ncp::Reply> RawNcpClient::nextFrame(int timeoutMs)
{
    std::optional<ncp::FrameAssembler::Frame> frame;
    (void)QTest::qWaitFor(
        [&] {
            frames_.feed(socket_.readAll());
            frame = frames_.next();
            return frame.has_value() || frames_.failed();
        },
        timeoutMs);
    if (!frame)
        return std::nullopt;
    return ncp::decodeReply(frame->ncp);
}

std::optional<ncp::Reply> RawNcpClient::nextReply(int timeoutMs)
{
    for (;;) {
        auto reply = nextFrame(timeoutMs);
        if (!reply || reply->type != ncp::kStillWorking)
            return reply;
        ++stillWorking_;
    }
}

std::optional<ncp::Reply> RawNcpClient::request(std::uint8_t function, std::uint8_t subfunction,
                                                const QByteArray& data, int timeoutMs)
{
    ncp::Request r;
    r.sequence = sequence_++;
    r.connection = connection_;
    r.function = function;
    r.subfunction = subfunction;
    r.data = data;
    r.replyLimit = 4096;
    sendBytes(ncp::encodeRequest(r));
    return nextReply(timeoutMs);
}

std::optional<ncp::Reply> RawNcpClient::create()
{
    ncp::Request r;
    r.type = ncp::kCreateConnection;
    r.sequence = 0;
    r.connection = ncp::kNoConnection;
    r.replyLimit = 4096;
    sequence_ = 1;
    sendBytes(ncp::encodeRequest(r));
    auto reply = nextReply();
    if (reply && reply->completion == 0)
        connection_ = reply->connection;
    return reply;
}

std::optional<ncp::Reply> RawNcpClient::login(const QByteArray& user, const QByteArray& password)
{
    const auto key = request(0x17, 0x17, QByteArray());
    if (!key || key->completion != 0 || key->data.size() != 8)
        return key;
    const auto id = request(0x17, 0x35, ncp::WireWriter().u16be(1).lengthPrefixed(user).take());
    if (!id || id->completion != 0)
        return id;
    ncp::WireReader in(id->data);
    const std::uint32_t objectId = in.u32be();
    std::array<std::uint8_t, 8> loginKey{};
    std::copy(key->data.begin(), key->data.end(), loginKey.begin());
    const auto encrypted = ncp::encryptLoginKey(loginKey, ncp::shufflePassword(objectId, password));
    return request(0x17, 0x18,
                   ncp::WireWriter().bytes(encrypted).u16be(1).lengthPrefixed(user).take());
}

bool RawNcpClient::open(quint16 port, const QByteArray& user, const QByteArray& password)
{
    if (!connectTo(port))
        return false;
    const auto created = create();
    if (!created || created->completion != 0)
        return false;
    const auto loggedIn = login(user, password);
    return loggedIn && loggedIn->completion == 0;
}

bool RawNcpClient::waitClosed(int timeoutMs)
{
    return QTest::qWaitFor(
        [&] {
            socket_.readAll();
            return socket_.state() == QAbstractSocket::UnconnectedState;
        },
        timeoutMs);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fake_ncp_server.h"

#include "ncp/negotiation.h"
#include "ncp/wire_writer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace quorvex {

std::optional<ncp::Request> FakeNcpPeer::receive(int timeoutMs)
{
    for (;;) {
        if (const auto frame = frames_.next()) {
            QByteArray packet = frame->ncp;
            if (signed_) {
                bool good = false;
                const auto opened = signed_->openRequest(frame->ncp, &good);
                if (!opened || !good)
                    return std::nullopt;
                packet = *opened;
            }
            auto request = ncp::decodeRequest(packet, frame->replyLimit);
            if (request)
                log.push_back(*request);
            return request;
        }
        if (frames_.failed())
            return std::nullopt;
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, timeoutMs) <= 0)
            return std::nullopt;
        char buffer[4096];
        const ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n <= 0)
            return std::nullopt;
        frames_.feed(QByteArray(buffer, qsizetype(n)));
    }
}

void FakeNcpPeer::sendRaw(const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::send(fd_, bytes.constData() + done, std::size_t(bytes.size() - done), MSG_NOSIGNAL);
        if (n <= 0)
            return;
        done += n;
    }
}

void FakeNcpPeer::reply(const ncp::Request& to, std::uint8_t completion, const QByteArray& data,
                        std::uint8_t status)
{
    ncp::Reply r;
    r.sequence = to.sequence;
    r.connection = to.connection;
    r.task = to.task;
    r.completion = completion;
    r.connectionStatus = status;
    r.data = data;
    send(ncp::encodeReply(r));
}

void FakeNcpPeer::send(const QByteArray& frame)
{
    QByteArray out = signed_ ? signed_->signReply(frame) : frame;
    if (signed_ && spoil_)
        out[int(ncp::kReplyTcpHeader)] = char(out[int(ncp::kReplyTcpHeader)] ^ 0x55);
    spoil_ = false;
    sendRaw(out);
}

void FakeNcpPeer::startSigning(const ncp::SignRoot& root)
{
    signed_ = std::make_unique<ncp::SignedFrames>(root);
}

bool FakeNcpPeer::acceptCreateSigned(std::uint16_t connection)
{
    return acceptCreateWith(connection, 2);
}

void FakeNcpPeer::stillWorking(const ncp::Request& to)
{
    ncp::Reply r;
    r.type = ncp::kStillWorking;
    r.sequence = to.sequence;
    r.connection = to.connection;
    send(ncp::encodeReply(r));
}

bool FakeNcpPeer::acceptCreate(std::uint16_t connection)
{
    return acceptCreateWith(connection, 0);
}

bool FakeNcpPeer::acceptCreateWith(std::uint16_t connection, std::uint8_t securityFlags)
{
    const auto create = receive();
    if (!create || create->type != ncp::kCreateConnection)
        return false;
    ncp::Request to = *create;
    to.connection = connection;
    reply(to, 0);
    const auto negotiation = receive();
    if (!negotiation || negotiation->function != ncp::kFnBigPacket)
        return false;
    log.pop_back(); // the scripts' logs start with what the session asks
    reply(*negotiation, 0, ncp::WireWriter().u16be(4096).u16be(0).u8(securityFlags).take());
    return true;
}

bool FakeNcpPeer::answerVersion(int major)
{
    const auto r = receive();
    if (!r || r->function != 0x17 || r->subfunction != 17)
        return false;
    reply(*r, 0, versionReplyData(major));
    return true;
}

bool FakeNcpPeer::setUp(std::uint16_t connection, int major)
{
    return acceptCreate(connection) && answerVersion(major);
}

QByteArray versionReplyData(int major, const QByteArray& name)
{
    ncp::WireWriter w;
    w.paddedText(name, 48).u8(std::uint8_t(major)).u8(11).zeros(128 - 50);
    return w.take();
}

FakeNcpServer::FakeNcpServer(Script script, int sessions)
{
    listenFd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    const int yes = 1;
    ::setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    ::bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(listenFd_, 4);
    socklen_t length = sizeof address;
    ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this, script = std::move(script), sessions] { run(script, sessions); });
}

FakeNcpServer::~FakeNcpServer()
{
    stop_ = true;
    wait();
    ::close(listenFd_);
}

void FakeNcpServer::run(Script script, int sessions)
{
    for (int i = 0; i < sessions && !stop_; ++i) {
        pollfd p{listenFd_, POLLIN, 0};
        // Long enough for any client under test to come; short enough that a
        // test whose client never connects still ends.
        int waited = 0;
        while (!stop_ && waited < 15000 && ::poll(&p, 1, 100) == 0)
            waited += 100;
        if (stop_ || !(p.revents & POLLIN))
            return;
        const int fd = ::accept(listenFd_, nullptr, nullptr);
        if (fd < 0)
            return;
        ++accepted_;
        FakeNcpPeer peer(fd);
        script(peer, i);
        {
            std::lock_guard lock(mutex_);
            requests_.push_back(peer.log);
        }
        ::close(fd);
    }
}

void FakeNcpServer::wait()
{
    if (thread_.joinable())
        thread_.join();
}

std::vector<std::vector<ncp::Request>> FakeNcpServer::requests()
{
    std::lock_guard lock(mutex_);
    return requests_;
}

} // namespace quorvex

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Directory-services messages (104/2) larger than one packet travel in
// fragments: the first carries the message header and the start of the
// parameters, each later one the fragment handle the server gave and the next
// bytes. Replies larger than the client's fragment size go back the same way,
// the client asking for each further piece with the handle of the last.
// One message in each direction is kept per session; a first fragment starts
// over.

#include "ncpd/ds_requests.h"

#include <QByteArray>

#include <cstdint>
#include <optional>

namespace ncpd {

class DsFragments
{
public:
    // Largest message taken (parameters), so that a client cannot make the
    // server hold more than this for it.
    static constexpr std::uint32_t kMaxMessage = 64 * 1024;

    struct Outcome
    {
        enum Kind
        {
            Complete, // request holds the whole message
            NeedMore, // answer with handle and no data: the client sends the next piece
            Reply,    // a further piece of a reply: answer with reply as it stands
            Refused,  // an unknown handle or a message that does not hold together
        };
        Kind kind = Refused;
        DsRequest request;
        std::uint32_t handle = kNoFragmentHandle;
        QByteArray reply; // Reply: the whole reply data (from offset 8)
    };

    // Request::data of a 104/2 request.
    Outcome take(const QByteArray& data);

    // The reply data (from offset 8) of a whole message's answer: the
    // directory error and the verb data, cut to the client's fragment size;
    // what does not fit waits for the client's next request.
    QByteArray reply(std::int32_t directoryError, const QByteArray& verbData,
                     std::uint32_t maxFragmentSize);

private:
    std::uint32_t newHandle();
    QByteArray replyPiece(std::uint32_t maxFragmentSize);

    struct Pending
    {
        std::uint32_t handle = kNoFragmentHandle;
        DsRequest request;
        std::uint32_t size = 0; // parameters expected
    };
    std::optional<Pending> request_;
    struct PendingReply
    {
        std::uint32_t handle = kNoFragmentHandle;
        QByteArray rest;
        std::uint32_t maxFragmentSize = 0;
    };
    std::optional<PendingReply> reply_;
    std::uint32_t nextHandle_ = 1;
};

} // namespace ncpd

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Whole TCP frames of a session whose packets are signed: the 8 signature
// bytes go after the TCP header (16 bytes for a request, 8 for a reply) and
// the frame's length counts them. One object per session on each side; the
// chain advances with every request, in order.

#include "ncpauth/packet_signature.h"

#include <QByteArray>

#include <optional>

namespace ncp {

class SignedFrames
{
public:
    explicit SignedFrames(const SignRoot& root) : chain_(root) {}

    // A request frame as encodeRequest made it, with its signature.
    QByteArray signRequest(const QByteArray& frame);
    // A reply frame as encodeReply made it, with its signature.
    QByteArray signReply(const QByteArray& frame) const;

    // The NCP part of a received frame (after the TCP header, as the frame
    // assembler hands it out: signature first): the packet without its
    // signature, or nullopt when the frame is too short to hold one. good
    // tells whether the signature holds. Opening a request advances the chain.
    std::optional<QByteArray> openRequest(const QByteArray& signedNcp, bool* good);
    std::optional<QByteArray> openReply(const QByteArray& signedNcp, bool* good) const;

private:
    SignatureChain chain_;
};

} // namespace ncp

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// NCP packet signatures. After a login, each side keeps a 16-byte state that
// starts from a fixed value and a secret root of 8 bytes the login gave both:
//  - a request is signed by compressing (MD4's compression function, no
//    padding) the 64-byte block [root, the frame's length big-endian, the
//    first 52 bytes of the packet after its first six, zero-filled] into the
//    state, which keeps the result; the signature is its first 8 bytes;
//  - the reply is signed the same way from the state the request left,
//    without keeping the result.
// Over TCP the 8 bytes follow the TCP header of every frame once signing has
// started (requests after their 16-byte header, replies after their 8); the
// frame's length counts them.

#include <QByteArray>

#include <array>
#include <cstdint>
#include <span>

namespace ncp {

using SignRoot = std::array<std::uint8_t, 8>;
using Signature = std::array<std::uint8_t, 8>;

// MD4's compression of one 64-byte block into a 16-byte state (words
// little-endian), the result added to the state it started from.
std::array<std::uint8_t, 16> compressBlock(const std::array<std::uint8_t, 16>& state,
                                           const std::array<std::uint8_t, 64>& block);

// The root of a bindery login: the 16 bytes of the shuffled password, the 8
// of the login key and "Authorized NetWare Client", compressed from the
// initial state; its first 8 bytes.
SignRoot binderySignRoot(const std::array<std::uint8_t, 16>& shuffled,
                         const std::array<std::uint8_t, 8>& loginKey);

class SignatureChain
{
public:
    explicit SignatureChain(const SignRoot& root);
    ~SignatureChain();

    // packet: the NCP packet from its seventh byte (after type, sequence,
    // connection, task and high connection byte); frameLength: the whole TCP
    // frame with its signature.
    Signature signRequest(std::span<const std::uint8_t> packet, std::uint32_t frameLength);
    Signature signReply(std::span<const std::uint8_t> packet, std::uint32_t frameLength) const;

private:
    std::array<std::uint8_t, 64> block(std::span<const std::uint8_t> packet,
                                       std::uint32_t frameLength) const;

    SignRoot root_;
    std::array<std::uint8_t, 16> last_;
};

} // namespace ncp

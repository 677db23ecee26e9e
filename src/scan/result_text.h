#pragma once

#include <QString>

#include <cstdint>

namespace quorvex {

// How the stored values of a ConnectionInfo are written wherever they are shown
// (user details, reports).

// "Shareable" for the lock-type byte 8, "Exclusive" for every other value.
QString openedText(std::uint8_t opened);

// "Read,", "Write,", "Deny Read,", "Deny Write," for the bits 0x01, 0x02, 0x04,
// 0x08 in that order, joined, without the last comma; other bits are ignored.
QString fileRightsText(std::uint8_t fileRights);

// "Yes" when the lock flag is set, "No" otherwise.
QString lockedText(std::uint8_t locked);

} // namespace quorvex

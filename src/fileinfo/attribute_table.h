// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

namespace quorvex {

// The NetWare attribute bits the extended information window shows, in the
// order of its check boxes. Bits not listed here (0x40, 0x100, ...) are never shown.
struct FileAttribute
{
    std::uint32_t mask;
    const char* caption;
};

inline constexpr std::array<FileAttribute, 21> kFileAttributes{{
    {0x1, "ReadOnly"},
    {0x2, "Hidden"},
    {0x4, "System"},
    {0x8, "ExecuteOnly"},
    {0x10, "Directory"},
    {0x20, "Archive"},
    {0x80, "Shareable"},
    {0x1000, "Transactional"},
    {0x2000, "Indexed"},
    {0x4000, "ReadAudit"},
    {0x8000, "WriteAudit"},
    {0x10000, "Immed.Purge"},
    {0x20000, "RenameInhibit"},
    {0x40000, "DeleteInhibit"},
    {0x80000, "CopyInhibit"},
    {0x400000, "FileMigrated"},
    {0x800000, "Don'tMigrate"},
    {0x2000000, "Imm.Compress"},
    {0x4000000, "Compressed"},
    {0x8000000, "Don'tCompress"},
    {0x20000000, "Can'tCompress"},
}};

} // namespace quorvex

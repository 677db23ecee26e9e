// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Directory names in the forms clients ask for. The state keeps names
// typeless and dot-separated from the leaf ("JSMITH.SALES.ACME"); the top
// container is an organization (O), the others organizational units (OU), a
// leaf object a common name (CN), and the tree (T) comes first in the slashed
// form and last in the full-dot form:
//   partial dot  CN=JSMITH.OU=SALES.O=ACME        JSMITH.SALES.ACME
//   full dot     CN=JSMITH.OU=SALES.O=ACME.T=TREE. JSMITH.SALES.ACME.TREE.
//   slashed      \T=TREE\O=ACME\OU=SALES\CN=JSMITH \TREE\ACME\SALES\JSMITH

#include <QString>

#include <cstdint>

namespace ncpd {

// The name-style word of a request: bit 0 asks for typeless names, bits 1-2
// for the form (0 partial dot, 2 slashed, 4 and 6 full dot).
inline constexpr std::uint32_t kDnTypeless = 0x1;

// name: typeless, leaf first. leafIsContainer: the leaf is itself a container.
QString formatDsName(const QString& name, bool leafIsContainer, const QString& tree,
                     std::uint32_t style);
// The leaf's own name (its relative name) in the style's typing.
QString formatDsRdn(const QString& name, bool leafIsContainer, std::uint32_t style);

// A name as a client may send it to resolve: typed components lose their
// type ("CN=ADMIN.O=ACME" -> "ADMIN.ACME"); the tree and the trailing dot of
// the full-dot form are dropped.
QString typelessDsName(const QString& name);

} // namespace ncpd

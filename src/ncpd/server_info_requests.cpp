// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/server_info_requests.h"

#include "ncp/wire_writer.h"

namespace ncpd {
namespace {

constexpr qsizetype kDescriptionField = 100;

} // namespace

QByteArray encodeDateTimeReply(const QDateTime& local)
{
    const QDate d = local.date();
    const QTime t = local.time();
    ncp::WireWriter out;
    out.u8(std::uint8_t(d.year() % 100))
        .u8(std::uint8_t(d.month()))
        .u8(std::uint8_t(d.day()))
        .u8(std::uint8_t(t.hour()))
        .u8(std::uint8_t(t.minute()))
        .u8(std::uint8_t(t.second()))
        .u8(std::uint8_t(d.dayOfWeek() % 7));
    return out.take();
}

QByteArray encodeDescriptionReply(const QStringList& strings)
{
    QByteArray out;
    for (const QString& s : strings) {
        const QByteArray text = s.toLatin1();
        // Each string keeps its terminator; one that would not fit is left out.
        if (out.size() + text.size() + 1 > kDescriptionField)
            break;
        out += text + '\0';
    }
    out.append(kDescriptionField - out.size(), '\0');
    return out;
}

} // namespace ncpd

// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the state files' fast JSON reading and checks it
// against QJsonDocument: whatever it takes, QJsonDocument must take too and
// read as the same values. The whole state reader then reads the bytes, which
// it may refuse with a message but must never crash on.

#include "netware/json_tape.h"
#include "netware/sim_state_reader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// Every member and element reached through the reading's own steps.
int walk(const nw::JsonRef& value)
{
    int count = 1;
    for (auto it = value.begin(); it != value.end(); ++it) {
        const QString key = it.key();
        const bool ascii =
            std::all_of(key.begin(), key.end(), [](QChar c) { return c.unicode() < 0x80; });
        if (value.isObject() && ascii && !value.contains(QLatin1String(key.toLatin1())))
            std::abort();
        count += walk(*it);
    }
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
    nw::JsonTape tape;
    if (tape.parse(text)) {
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(text, &error);
        if (error.error != QJsonParseError::NoError)
            std::abort(); // taken here, refused there
        const QJsonValue top = doc.isObject() ? QJsonValue(doc.object()) : QJsonValue(doc.array());
        if (tape.root().toJsonValue() != top)
            std::abort(); // read as other values
        walk(tape.root());
    }
    nw::parseSimState(text, QStringLiteral("/nonexistent/state.json"));
    return 0;
}

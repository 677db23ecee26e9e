// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace quorvex::who {

// A JSON object written member by member, in the order given, straight into
// the UTF-8 document.
class JsonObject
{
public:
    explicit JsonObject(QByteArray& out) : out_(out) { out_ += '{'; }
    void text(const char* key, const QString& value)
    {
        name(key);
        quote(value);
    }
    // The empty text as null: a value the server did not give.
    void textOrNull(const char* key, const QString& value)
    {
        name(key);
        if (value.isEmpty())
            out_ += "null";
        else
            quote(value);
    }
    void number(const char* key, unsigned value)
    {
        name(key);
        out_ += QByteArray::number(value);
    }
    void boolean(const char* key, bool value)
    {
        name(key);
        out_ += value ? "true" : "false";
    }
    QByteArray& raw(const char* key)
    {
        name(key);
        return out_;
    }
    void close() { out_ += '}'; }

private:
    void name(const char* key)
    {
        if (!first_)
            out_ += ',';
        first_ = false;
        out_ += '"';
        out_ += key;
        out_ += "\":";
    }
    void quote(const QString& text)
    {
        out_ += '"';
        // Names and paths are nearly always ASCII: those need no conversion.
        bool ascii = true;
        for (const QChar c : text)
            ascii = ascii && c.unicode() < 0x80;
        const QByteArray utf8 = ascii ? QByteArray() : text.toUtf8();
        const auto at = [&](qsizetype i) { return ascii ? char(text[i].unicode()) : utf8[i]; };
        const qsizetype size = ascii ? text.size() : utf8.size();
        for (qsizetype i = 0; i < size; ++i) {
            const char c = at(i);
            switch (c) {
            case '"':
                out_ += "\\\"";
                break;
            case '\\':
                out_ += "\\\\";
                break;
            case '\n':
                out_ += "\\n";
                break;
            case '\r':
                out_ += "\\r";
                break;
            case '\t':
                out_ += "\\t";
                break;
            default:
                if (std::uint8_t(c) < 0x20) {
                    static const char hex[] = "0123456789abcdef";
                    out_ += "\\u00";
                    out_ += hex[c >> 4];
                    out_ += hex[c & 0xF];
                } else {
                    out_ += c;
                }
            }
        }
        out_ += '"';
    }

    QByteArray& out_;
    bool first_ = true;
};

} // namespace quorvex::who

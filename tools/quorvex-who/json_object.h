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
        char digits[10];
        int count = 0;
        do {
            digits[count++] = char('0' + value % 10);
            value /= 10;
        } while (value != 0);
        while (count > 0)
            out_ += digits[--count];
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
        // Names and paths are nearly always plain ASCII: that much is copied
        // as it is, the rest (if any) goes out as UTF-8, escaped where JSON
        // wants it.
        const qsizetype plain = plainAscii(text);
        const qsizetype at = out_.size();
        out_.resize(at + plain);
        char* to = out_.data() + at;
        for (qsizetype i = 0; i < plain; ++i)
            to[i] = char(text[i].unicode());
        if (plain < text.size()) {
            for (const char c : QStringView(text).mid(plain).toUtf8())
                escaped(c);
        }
        out_ += '"';
    }
    void escaped(char c)
    {
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

    // The length of the text's start that needs neither escape nor UTF-8.
    static qsizetype plainAscii(const QString& text)
    {
        qsizetype i = 0;
        for (const QChar c : text) {
            const char16_t u = c.unicode();
            if (u < 0x20 || u >= 0x80 || u == u'"' || u == u'\\')
                break;
            ++i;
        }
        return i;
    }

    QByteArray& out_;
    bool first_ = true;
};

} // namespace quorvex::who

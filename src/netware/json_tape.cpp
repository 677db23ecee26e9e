// SPDX-License-Identifier: GPL-3.0-or-later
#include "netware/json_tape.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QVariant>

#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace nw {

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The bytes a text holds as they are: printable ASCII but the quote and the
// backslash.
constexpr auto kPlainByte = [] {
    std::array<bool, 256> plain{};
    for (int b = 0x20; b < 0x80; ++b)
        plain[std::size_t(b)] = b != '"' && b != '\\';
    return plain;
}();

// The code unit of four hexadecimal digits, or -1.
int hex4(const char* p)
{
    int value = 0;
    for (int i = 0; i < 4; ++i) {
        const char c = p[i];
        int digit = 0;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return -1;
        value = value << 4 | digit;
    }
    return value;
}

// The length of the well-formed UTF-8 sequence of a character above ASCII at
// p, or 0: no overlong forms, no surrogates, nothing above U+10FFFF.
int utf8Length(const unsigned char* p, const unsigned char* end)
{
    const unsigned char lead = p[0];
    int length = 0;
    char32_t c = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1F;
        least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        c = lead & 0x0F;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07;
        least = 0x10000;
    } else {
        return 0;
    }
    if (end - p < length)
        return 0;
    for (int i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        c = c << 6 | (p[i] & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    return length;
}

// An integer of at most 18 digits, which a double and a qint64 both hold.
bool smallInteger(const char* p, std::uint32_t length, qint64& value)
{
    const bool negative = *p == '-';
    const std::uint32_t digits = length - (negative ? 1 : 0);
    if (digits > 18)
        return false;
    qint64 v = 0;
    for (std::uint32_t i = negative ? 1 : 0; i < length; ++i)
        v = v * 10 + (p[i] - '0');
    value = negative ? -v : v;
    return true;
}

} // namespace

bool JsonTape::parse(QByteArray text)
{
    nodes_.clear();
    text_ = std::move(text);
    const auto fail = [this] {
        nodes_.clear();
        text_.clear();
        return false;
    };
    if (text_.size() >= qsizetype(std::numeric_limits<std::uint32_t>::max()))
        return fail();
    // Indented state files hold about one value in every eighteen bytes.
    nodes_.reserve(std::size_t(text_.size() / 16) + 1);
    const char* const data = text_.constData();
    const auto size = std::uint32_t(text_.size());
    std::uint32_t at = 0;
    // Indentation comes eight blanks at a time.
    const auto skipSpace = [&] {
        constexpr std::uint64_t kEightBlanks = 0x2020202020202020u;
        for (;;) {
            std::uint64_t eight = 0;
            if (size - at >= 8 && (std::memcpy(&eight, data + at, 8), eight == kEightBlanks))
                at += 8;
            else if (at < size && isSpace(data[at]))
                ++at;
            else
                return;
        }
    };
    // An object's member up to its value: the name, the colon, the blanks.
    const auto memberName = [&] {
        if (at == size || data[at] != '"' || !parseText(at))
            return false;
        skipSpace();
        if (at == size || data[at] != ':')
            return false;
        ++at;
        skipSpace();
        return true;
    };
    std::vector<std::uint32_t> open; // the containers not yet closed, innermost last
    skipSpace();
    if (at == size || (data[at] != '{' && data[at] != '['))
        return fail();
    for (;;) {
        // A value begins at `at`.
        if (at == size)
            return fail();
        const char c = data[at];
        if (c == '{' || c == '[') {
            if (open.size() == std::size_t(kMaxDepth))
                return fail();
            const bool object = c == '{';
            open.push_back(std::uint32_t(nodes_.size()));
            nodes_.push_back(Node{object ? Type::Object : Type::Array, 0, at, 0, 0});
            ++at;
            skipSpace();
            if (at == size)
                return fail();
            if (data[at] != (object ? '}' : ']')) {
                if (object && !memberName())
                    return fail();
                continue;
            }
            ++at;
            nodes_[open.back()].next = std::uint32_t(nodes_.size());
            open.pop_back();
        } else if (c == '"') {
            if (!parseText(at))
                return fail();
        } else if (c == '-' || isDigit(c)) {
            if (!parseNumber(at))
                return fail();
        } else if (!parseLiteral(at)) {
            return fail();
        }
        // A value has ended: its container goes on with the next, or ends.
        for (;;) {
            if (open.empty()) {
                skipSpace();
                return at == size ? true : fail();
            }
            Node& container = nodes_[open.back()];
            ++container.length;
            skipSpace();
            if (at == size)
                return fail();
            const bool object = container.type == Type::Object;
            if (data[at] == ',') {
                ++at;
                skipSpace();
                if (object && !memberName())
                    return fail();
                break;
            }
            if (data[at] != (object ? '}' : ']'))
                return fail();
            ++at;
            container.next = std::uint32_t(nodes_.size());
            open.pop_back();
        }
    }
}

bool JsonTape::fromDocument(const QJsonValue& top)
{
    const QJsonDocument document =
        top.isObject() ? QJsonDocument(top.toObject()) : QJsonDocument(top.toArray());
    return parse(document.toJson(QJsonDocument::Compact));
}

bool JsonTape::parseText(std::uint32_t& at)
{
    const auto* const data = reinterpret_cast<const unsigned char*>(text_.constData());
    const auto size = std::uint32_t(text_.size());
    const std::uint32_t begin = at + 1;
    std::uint8_t flags = 0;
    std::uint32_t i = begin;
    for (;;) {
        while (i < size && kPlainByte[data[i]])
            ++i;
        if (i >= size)
            return false;
        const unsigned char b = data[i];
        if (b == '"')
            break;
        if (b < 0x20)
            return false;
        if (b >= 0x80) {
            const int length = utf8Length(data + i, data + size);
            if (length == 0)
                return false;
            i += std::uint32_t(length);
            continue;
        }
        flags |= kEscaped;
        if (size - i < 2)
            return false;
        const char e = char(data[i + 1]);
        if (e == 'u') {
            if (size - i < 6 || hex4(text_.constData() + i + 2) < 0)
                return false;
            i += 6;
        } else if (e == '"' || e == '\\' || e == '/' || e == 'b' || e == 'f' || e == 'n' ||
                   e == 'r' || e == 't') {
            i += 2;
        } else {
            return false;
        }
    }
    nodes_.push_back(Node{Type::String, flags, begin, i - begin, std::uint32_t(nodes_.size() + 1)});
    at = i + 1;
    return true;
}

bool JsonTape::parseNumber(std::uint32_t& at)
{
    const char* const data = text_.constData();
    const auto size = std::uint32_t(text_.size());
    std::uint32_t i = at;
    bool integral = true;
    const auto digits = [&] {
        if (i >= size || !isDigit(data[i]))
            return false;
        while (i < size && isDigit(data[i]))
            ++i;
        return true;
    };
    if (data[i] == '-')
        ++i;
    if (i < size && data[i] == '0')
        ++i;
    else if (!digits())
        return false;
    if (i < size && data[i] == '.') {
        integral = false;
        ++i;
        if (!digits())
            return false;
    }
    if (i < size && (data[i] == 'e' || data[i] == 'E')) {
        integral = false;
        ++i;
        if (i < size && (data[i] == '+' || data[i] == '-'))
            ++i;
        if (!digits())
            return false;
    }
    Node node{Type::Number, std::uint8_t(integral ? kIntegral : 0), at, i - at,
              std::uint32_t(nodes_.size() + 1)};
    // A number no double holds (1e400, 1e-400) is refused, as QJsonDocument
    // refuses it.
    qint64 small = 0;
    if (!integral || !smallInteger(data + at, i - at, small)) {
        double value = 0;
        const auto [end, error] = std::from_chars(data + at, data + i, value);
        if (error != std::errc() || end != data + i || !std::isfinite(value))
            return false;
    }
    nodes_.push_back(node);
    at = i;
    return true;
}

bool JsonTape::parseLiteral(std::uint32_t& at)
{
    const char* const data = text_.constData();
    const std::uint32_t left = std::uint32_t(text_.size()) - at;
    const auto is = [&](const char* word, std::uint32_t length) {
        return left >= length && std::memcmp(data + at, word, length) == 0;
    };
    Type type = Type::Null;
    std::uint32_t length = 4;
    if (is("true", 4)) {
        type = Type::True;
    } else if (is("false", 5)) {
        type = Type::False;
        length = 5;
    } else if (!is("null", 4)) {
        return false;
    }
    nodes_.push_back(Node{type, 0, at, length, std::uint32_t(nodes_.size() + 1)});
    at += length;
    return true;
}

QString JsonTape::string(const Node& node) const
{
    const char* const data = text_.constData();
    if (!(node.flags & kEscaped))
        return QString::fromUtf8(data + node.begin, node.length);
    QString out;
    out.reserve(node.length);
    const std::uint32_t end = node.begin + node.length;
    std::uint32_t run = node.begin;
    std::uint32_t i = node.begin;
    while (i < end) {
        if (data[i] != '\\') {
            ++i;
            continue;
        }
        out += QString::fromUtf8(data + run, i - run);
        const char e = data[i + 1];
        i += 2;
        switch (e) {
        case 'b':
            out += QChar(u'\b');
            break;
        case 'f':
            out += QChar(u'\f');
            break;
        case 'n':
            out += QChar(u'\n');
            break;
        case 'r':
            out += QChar(u'\r');
            break;
        case 't':
            out += QChar(u'\t');
            break;
        case 'u':
            // A surrogate pair comes as two escapes, a code unit each.
            out += QChar(char16_t(hex4(data + i)));
            i += 4;
            break;
        default: // '"', '\\' and '/' stand for themselves
            out += QLatin1Char(e);
        }
        run = i;
    }
    out += QString::fromUtf8(data + run, end - run);
    return out;
}

bool JsonTape::nameIs(const Node& node, QLatin1String name) const
{
    if (node.flags & kEscaped)
        return string(node) == name;
    return node.length == std::uint32_t(name.size()) &&
           (node.length == 0 ||
            (text_[node.begin] == name[0] &&
             std::memcmp(text_.constData() + node.begin, name.data(), node.length) == 0));
}

double JsonTape::number(const Node& node) const
{
    const char* const p = text_.constData() + node.begin;
    qint64 small = 0;
    if ((node.flags & kIntegral) && smallInteger(p, node.length, small))
        return double(small);
    double value = 0;
    std::from_chars(p, p + node.length, value);
    return value;
}

QJsonValue JsonTape::toJsonValue(std::uint32_t index) const
{
    const Node& node = nodes_[index];
    switch (node.type) {
    case Type::Null:
        return QJsonValue(QJsonValue::Null);
    case Type::False:
        return QJsonValue(false);
    case Type::True:
        return QJsonValue(true);
    case Type::Number: {
        // As QJsonDocument holds it: an integer written as one that fits, or
        // a whole number in the range; else a double.
        const char* const p = text_.constData() + node.begin;
        qint64 integer = 0;
        if ((node.flags & kIntegral) &&
            std::from_chars(p, p + node.length, integer).ec == std::errc())
            return QJsonValue(integer);
        const double value = number(node);
        if (value >= -9223372036854775808.0 && value < 9223372036854775808.0 &&
            std::trunc(value) == value)
            return QJsonValue(qint64(value));
        return QJsonValue(value);
    }
    case Type::String:
        return QJsonValue(string(node));
    case Type::Array: {
        QJsonArray array;
        for (std::uint32_t at = index + 1; at != node.next; at = nodes_[at].next)
            array.append(toJsonValue(at));
        return array;
    }
    case Type::Object: {
        QJsonObject object;
        for (std::uint32_t at = index + 1; at != node.next; at = nodes_[at + 1].next)
            object.insert(string(nodes_[at]), toJsonValue(at + 1));
        return object;
    }
    }
    return QJsonValue();
}

bool JsonRef::isNull() const
{
    return tape_ && tape_->nodes_[index_].type == JsonTape::Type::Null;
}

bool JsonRef::isBool() const
{
    if (!tape_)
        return false;
    const JsonTape::Type type = tape_->nodes_[index_].type;
    return type == JsonTape::Type::True || type == JsonTape::Type::False;
}

bool JsonRef::isDouble() const
{
    return tape_ && tape_->nodes_[index_].type == JsonTape::Type::Number;
}

bool JsonRef::isString() const
{
    return tape_ && tape_->nodes_[index_].type == JsonTape::Type::String;
}

bool JsonRef::isArray() const
{
    return tape_ && tape_->nodes_[index_].type == JsonTape::Type::Array;
}

bool JsonRef::isObject() const
{
    return tape_ && tape_->nodes_[index_].type == JsonTape::Type::Object;
}

bool JsonRef::toBool(bool otherwise) const
{
    return isBool() ? tape_->nodes_[index_].type == JsonTape::Type::True : otherwise;
}

double JsonRef::toDouble(double otherwise) const
{
    return isDouble() ? tape_->number(tape_->nodes_[index_]) : otherwise;
}

QString JsonRef::toString() const
{
    return isString() ? tape_->string(tape_->nodes_[index_]) : QString();
}

bool JsonRef::sameText(const JsonRef& other) const
{
    if (!isString() || !other.isString() || tape_ != other.tape_)
        return false;
    const JsonTape::Node& a = tape_->nodes_[index_];
    const JsonTape::Node& b = tape_->nodes_[other.index_];
    const char* const data = tape_->text_.constData();
    return a.length == b.length && std::memcmp(data + a.begin, data + b.begin, a.length) == 0;
}

QString JsonRef::numberText() const
{
    return toJsonValue().toVariant().toString();
}

QJsonValue JsonRef::toJsonValue() const
{
    return tape_ ? tape_->toJsonValue(index_) : QJsonValue(QJsonValue::Undefined);
}

qsizetype JsonRef::size() const
{
    return isArray() || isObject() ? qsizetype(tape_->nodes_[index_].length) : 0;
}

JsonRef JsonRef::value(QLatin1String name) const
{
    if (!isObject())
        return {};
    const auto& nodes = tape_->nodes_;
    JsonRef found;
    for (std::uint32_t at = index_ + 1; at != nodes[index_].next; at = nodes[at + 1].next)
        if (tape_->nameIs(nodes[at], name))
            found = JsonRef(tape_, at + 1);
    return found;
}

JsonRef::Iterator JsonRef::begin() const
{
    if (!isArray() && !isObject())
        return end();
    return Iterator(tape_, index_ + 1, isObject());
}

JsonRef::Iterator JsonRef::end() const
{
    return Iterator(tape_, tape_ ? tape_->nodes_[index_].next : 0, isObject());
}

JsonRef JsonRef::Iterator::operator*() const
{
    return JsonRef(tape_, members_ ? at_ + 1 : at_);
}

QString JsonRef::Iterator::key() const
{
    return members_ ? tape_->string(tape_->nodes_[at_]) : QString();
}

JsonRef::Iterator& JsonRef::Iterator::operator++()
{
    at_ = tape_->nodes_[members_ ? at_ + 1 : at_].next;
    return *this;
}

} // namespace nw

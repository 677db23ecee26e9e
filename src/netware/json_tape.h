// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A JSON document read in one pass into a flat list of its values, for the
// large state files: nothing is decoded or copied until it is asked for, and
// an object's member is found by comparing its name's bytes. The reading is
// stricter than QJsonDocument's (RFC 8259 to the letter, well-formed UTF-8,
// no byte order mark), never laxer: a document it refuses may still be one
// that QJsonDocument takes, and fromDocument() reads that.

#include <QByteArray>
#include <QJsonValue>
#include <QLatin1String>
#include <QString>

#include <cstdint>
#include <vector>

namespace nw {

class JsonTape;

// One value of a JsonTape, or none (isUndefined), as a QJsonValue would be
// asked. It refers to its tape, which must outlive it.
class JsonRef
{
public:
    JsonRef() = default;

    bool isUndefined() const { return tape_ == nullptr; }
    bool isNull() const;
    bool isBool() const;
    bool isDouble() const;
    bool isString() const;
    bool isArray() const;
    bool isObject() const;

    bool toBool(bool otherwise = false) const;
    double toDouble(double otherwise = 0) const;
    QString toString() const; // empty for anything but a text
    // Whether both are texts written alike, byte for byte.
    bool sameText(const JsonRef& other) const;
    // A number as QJsonValue::toVariant().toString() spells it.
    QString numberText() const;
    QJsonValue toJsonValue() const;

    // An array's elements or an object's members.
    qsizetype size() const;
    // The member of that name (the last, where a name repeats), or none.
    JsonRef value(QLatin1String name) const;
    bool contains(QLatin1String name) const { return !value(name).isUndefined(); }

    // Steps through an array's elements, or an object's members (key()).
    class Iterator
    {
    public:
        JsonRef operator*() const;
        QString key() const;
        Iterator& operator++();
        bool operator==(const Iterator& other) const { return at_ == other.at_; }

    private:
        friend class JsonRef;
        Iterator(const JsonTape* tape, std::uint32_t at, bool members)
            : tape_(tape), at_(at), members_(members)
        {
        }
        const JsonTape* tape_;
        std::uint32_t at_;
        bool members_;
    };
    Iterator begin() const;
    Iterator end() const;

private:
    friend class JsonTape;
    JsonRef(const JsonTape* tape, std::uint32_t index) : tape_(tape), index_(index) {}
    const JsonTape* tape_ = nullptr;
    std::uint32_t index_ = 0;
};

class JsonTape
{
public:
    // Reads a document whose top is an object or an array; false, and an
    // empty tape, for anything this reading refuses.
    bool parse(QByteArray text);
    // Takes a document QJsonDocument read, whatever this reading makes of
    // its text.
    bool fromDocument(const QJsonValue& top);
    JsonRef root() const { return nodes_.empty() ? JsonRef() : JsonRef(this, 0); }

    // QJsonDocument's limit, so that whatever it reads, this does.
    static constexpr int kMaxDepth = 1024;

private:
    friend class JsonRef;
    enum class Type : std::uint8_t
    {
        Null,
        False,
        True,
        Number,
        String,
        Array,
        Object
    };
    enum Flags : std::uint8_t
    {
        kEscaped = 1,
        kIntegral = 2
    };
    struct Node
    {
        Type type;
        std::uint8_t flags;
        std::uint32_t begin;  // a text's first byte inside its quotes, a number's first
        std::uint32_t length; // a text's or number's bytes; a container's values
        std::uint32_t next;   // the node after this value and all it holds
    };

    bool parseText(std::uint32_t& at);
    bool parseNumber(std::uint32_t& at);
    bool parseLiteral(std::uint32_t& at);
    QString string(const Node& node) const;
    bool nameIs(const Node& node, QLatin1String name) const;
    double number(const Node& node) const;
    QJsonValue toJsonValue(std::uint32_t index) const;

    QByteArray text_;
    std::vector<Node> nodes_;
};

} // namespace nw

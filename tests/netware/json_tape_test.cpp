// SPDX-License-Identifier: GPL-3.0-or-later
// The state files' fast JSON reading: never taking what QJsonDocument refuses,
// and reading the same values from what it takes.

#include "netware/json_tape.h"

#include <QtTest>

using namespace nw;

class JsonTapeTest : public QObject
{
    Q_OBJECT
private slots:
    void agreesWithQJsonDocument_data();
    void agreesWithQJsonDocument();
    void readsMembersTextsAndNumbers();
};

void JsonTapeTest::agreesWithQJsonDocument_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("taken"); // by the fast reading
    const auto row = [](const char* name, const QByteArray& text, bool taken) {
        QTest::newRow(name) << text << taken;
    };
    row("empty containers", " { } ", true);
    row("nested", R"({"a":[1,{"b":[]},[[null]]],"c":{"d":true,"e":false}})", true);
    row("escapes", R"(["\"\\\/\b\f\n\r\t", "\u00e9\u20AC", "\ud83d\ude00"])", true);
    row("lone surrogate escape", R"(["\ud800", "\udc00x"])", true);
    row("UTF-8", "[\"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xEF\xBF\xBE\"]", true);
    row("numbers",
        "[0,-0,12,-7,1.5,1e5,2E-3,1.25e+2,9223372036854775807,"
        "123456789012345678901234567890,1777777755555555551.54,2.0,-0.0,"
        "4.9e-324,1.7976931348623157e308]",
        true);
    row("repeated name", R"({"a":1,"b":2,"a":3})", true);
    row("depth 1024", QByteArray(1024, '[') + QByteArray(1024, ']'), true);
    // Refused by both.
    row("depth 1025", QByteArray(1025, '[') + QByteArray(1025, ']'), false);
    row("truncated", R"({"a":[1,2)", false);
    row("trailing comma", "[1,]", false);
    row("member comma", R"({"a":1,})", false);
    row("missing colon", R"({"a" 1})", false);
    row("bare name", "{a:1}", false);
    row("leading zero", "[01]", false);
    row("lone minus", "[-]", false);
    row("too large", "[1e400]", false);
    row("too small", "[1e-400]", false);
    row("garbage after", "[1] x", false);
    row("scalar top", "1", false);
    row("text top", R"("a")", false);
    row("bad literal", "[tru]", false);
    row("overlong UTF-8", "[\"\xC0\x80\"]", false);
    row("encoded surrogate", "[\"\xED\xA0\x80\"]", false);
    row("beyond U+10FFFF", "[\"\xF4\x90\x80\x80\"]", false);
    row("cut UTF-8", "[\"\xC3\"]", false);
    row("unterminated text", "[\"abc", false);
    row("short unicode escape", R"(["\u12"])", false);
    row("form feed as blank", "[\f1]", false);
    // Taken only by QJsonDocument, which the state reader falls back on.
    row("byte order mark", "\xEF\xBB\xBF[1]", false);
    row("control character", "[\"a\x01\"]", false);
    row("unknown escape", R"(["\x"])", false);
    row("point without digits", "[1.]", false);
}

void JsonTapeTest::agreesWithQJsonDocument()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, taken);
    JsonTape tape;
    QCOMPARE(tape.parse(text), taken);
    if (!taken) {
        QVERIFY(tape.root().isUndefined());
        return;
    }
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(text, &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    const QJsonValue expected = doc.isObject() ? QJsonValue(doc.object()) : QJsonValue(doc.array());
    QCOMPARE(tape.root().toJsonValue(), expected);
}

void JsonTapeTest::readsMembersTextsAndNumbers()
{
    JsonTape tape;
    QVERIFY(tape.parse(R"({"n\u0061me":"A\tB\u00e9","list":[1,"x",null],"name":"last",
                           "big":1e20,"count":70000,"p1":"DATA:X","p2":"DATA:X","flag":true})"));
    const JsonRef root = tape.root();
    QVERIFY(root.isObject());
    QCOMPARE(root.size(), 8);
    // A repeated name means its last value, an escaped name reads as the same.
    QCOMPARE(root.value(QLatin1String("name")).toString(), QStringLiteral("last"));
    QVERIFY(!root.contains(QLatin1String("nam")));
    QVERIFY(root.value(QLatin1String("nothing")).isUndefined());
    QStringList keys;
    for (auto it = root.begin(); it != root.end(); ++it)
        keys << it.key();
    QCOMPARE(keys, (QStringList{"name", "list", "name", "big", "count", "p1", "p2", "flag"}));
    QCOMPARE((*root.begin()).toString(), QStringLiteral("A\tB\u00e9"));

    const JsonRef list = root.value(QLatin1String("list"));
    QCOMPARE(list.size(), 3);
    QList<int> types;
    for (const JsonRef v : list)
        types << (v.isDouble() ? 1 : v.isString() ? 2 : v.isNull() ? 3 : 0);
    QCOMPARE(types, (QList<int>{1, 2, 3}));
    QCOMPARE(list.toString(), QString()); // not a text

    QCOMPARE(root.value(QLatin1String("count")).toDouble(), 70000.0);
    QCOMPARE(root.value(QLatin1String("count")).numberText(), QStringLiteral("70000"));
    QCOMPARE(root.value(QLatin1String("big")).numberText(), QStringLiteral("1e+20"));
    QCOMPARE(root.value(QLatin1String("flag")).toBool(), true);
    QCOMPARE(root.value(QLatin1String("p1")).toBool(true), true); // not a truth value
    QVERIFY(root.value(QLatin1String("p1")).sameText(root.value(QLatin1String("p2"))));
    QVERIFY(!root.value(QLatin1String("p1")).sameText(root.value(QLatin1String("name"))));
    QVERIFY(!root.value(QLatin1String("p1")).sameText(JsonRef()));
}

QTEST_GUILESS_MAIN(JsonTapeTest)
#include "json_tape_test.moc"

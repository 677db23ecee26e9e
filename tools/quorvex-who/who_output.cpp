// SPDX-License-Identifier: GPL-3.0-or-later
#include "who_output.h"

#include "json_object.h"

#include "scan/result_text.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <optional>

namespace quorvex::who {

namespace {

struct Column
{
    const char* key;   // JSON key and CSV header
    const char* title; // table header
    bool numeric;      // right-aligned in the table
};

const Column kServer{"server", "SERVER", false};
const Column kConnection{"connection", "CONN", true};
const Column kUser{"user", "USER", false};
const Column kTask{"task", "TASK", true};
const Column kOpened{"opened", "OPENED", false};
const Column kAccess{"access", "ACCESS", false};
const Column kLocked{"locked", "LOCKED", false};
const Column kLogin{"login", "LOGIN", false};
const Column kAddress{"address", "ADDRESS", false};
const Column kPath{"path", "PATH", false};

const std::vector<Column> kHolderColumns{kServer, kConnection, kUser,  kTask,    kOpened,
                                         kAccess, kLocked,     kLogin, kAddress, kPath};
const std::vector<Column> kConnectionColumns{kServer, kConnection, kUser, kLogin, kAddress};

QStringList connectionCells(const ConnectionFacts& c)
{
    return {c.server, QString::number(c.connection), c.user, c.login, c.address};
}

// task, opened, access, locked (path goes last).
QStringList openCells(const OpenFact& f)
{
    return {QString::number(f.task), openedText(f.lockType), fileRightsText(f.accessControl),
            lockedText(f.lockFlag)};
}

QStringList holderCells(const ConnectionFacts& c, const OpenFact* f)
{
    QStringList cells{c.server, QString::number(c.connection), c.user};
    cells += f ? openCells(*f) : QStringList{QString(), QString(), QString(), QString()};
    cells << c.login << c.address << (f ? f->path : QString());
    return cells;
}

// Columns two blanks apart, each as wide as its widest cell; an empty cell
// shows as "-" so that every line splits into the same number of fields (the
// path, last, may hold blanks).
QByteArray table(const std::vector<Column>& columns, const std::vector<QStringList>& rows,
                 bool header)
{
    // Nobody found: nothing at all, as the other listing tools have it.
    if (rows.empty())
        return QByteArray();
    std::vector<qsizetype> width(columns.size(), 0);
    if (header)
        for (std::size_t i = 0; i < columns.size(); ++i)
            width[i] = qsizetype(qstrlen(columns[i].title));
    for (const QStringList& row : rows)
        for (std::size_t i = 0; i < columns.size(); ++i)
            width[i] = std::max(width[i], std::max<qsizetype>(row[qsizetype(i)].size(), 1));
    QString out;
    const auto line = [&](const QStringList& cells) {
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const QString cell =
                cells[qsizetype(i)].isEmpty() ? QStringLiteral("-") : cells[qsizetype(i)];
            const bool last = i + 1 == columns.size();
            if (columns[i].numeric)
                out += cell.rightJustified(width[i]);
            else
                out += last ? cell : cell.leftJustified(width[i]);
            if (!last)
                out += QLatin1String("  ");
        }
        out += QLatin1Char('\n');
    };
    if (header) {
        QStringList titles;
        for (const Column& c : columns)
            titles << QLatin1String(c.title);
        line(titles);
    }
    for (const QStringList& row : rows)
        line(row);
    return out.toUtf8();
}

QString csvField(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// Records end in CR LF, as RFC 4180 has them.
QByteArray csv(const std::vector<Column>& columns, const std::vector<QStringList>& rows,
               bool header)
{
    QString out;
    const auto line = [&](const QStringList& cells) {
        for (qsizetype i = 0; i < cells.size(); ++i) {
            if (i > 0)
                out += QLatin1Char(',');
            out += csvField(cells[i]);
        }
        out += QLatin1String("\r\n");
    };
    if (header) {
        QStringList keys;
        for (const Column& c : columns)
            keys << QLatin1String(c.key);
        line(keys);
    }
    for (const QStringList& row : rows)
        line(row);
    return out.toUtf8();
}

void jsonConnection(JsonObject& o, const ConnectionFacts& c)
{
    o.text("server", c.server);
    o.number("connection", c.connection);
    o.text("user", c.user);
}

// The access rights as text, worked out once for each value met: a file's
// holders nearly all hold it alike.
class AccessTexts
{
public:
    const QString& operator()(std::uint8_t accessControl)
    {
        std::optional<QString>& text = texts_[accessControl];
        if (!text)
            text = fileRightsText(accessControl);
        return *text;
    }

private:
    std::array<std::optional<QString>, 256> texts_;
};

void jsonOpen(JsonObject& o, const OpenFact& f, AccessTexts& access)
{
    o.number("task", f.task);
    o.text("opened", openedText(f.lockType));
    o.text("access", access(f.accessControl));
    o.boolean("locked", f.lockFlag != 0);
    o.number("lockType", f.lockType);
    o.number("accessControl", f.accessControl);
    o.number("lockFlag", f.lockFlag);
}

// One element of the array per line, so that line tools can still cope.
template <typename Rows, typename Write> QByteArray jsonArray(const Rows& rows, Write write)
{
    QByteArray out = "[";
    out.reserve(qsizetype(rows.size()) * 300 + 8);
    bool first = true;
    for (const auto& row : rows) {
        out += first ? "\n" : ",\n";
        first = false;
        JsonObject o(out);
        write(o, row);
        o.close();
    }
    out += first ? "]\n" : "\n]\n";
    return out;
}

} // namespace

QByteArray formatHolders(const std::vector<HolderRow>& rows, Format format, bool header)
{
    if (format == Format::Json) {
        AccessTexts access;
        return jsonArray(rows, [&access](JsonObject& o, const HolderRow& r) {
            jsonConnection(o, r.connection);
            jsonOpen(o, r.open, access);
            o.textOrNull("login", r.connection.login);
            o.textOrNull("address", r.connection.address);
            o.text("path", r.open.path);
        });
    }
    std::vector<QStringList> cells;
    cells.reserve(rows.size());
    for (const HolderRow& r : rows)
        cells.push_back(holderCells(r.connection, &r.open));
    return format == Format::Csv ? csv(kHolderColumns, cells, header)
                                 : table(kHolderColumns, cells, header);
}

QByteArray formatConnections(const std::vector<ServerRow>& rows, bool withFiles, Format format,
                             bool header)
{
    if (format == Format::Json) {
        AccessTexts access;
        return jsonArray(rows, [withFiles, &access](JsonObject& o, const ServerRow& r) {
            jsonConnection(o, r.connection);
            o.textOrNull("login", r.connection.login);
            o.textOrNull("address", r.connection.address);
            if (!withFiles)
                return;
            QByteArray& out = o.raw("files");
            out += '[';
            for (std::size_t i = 0; i < r.files.size(); ++i) {
                if (i > 0)
                    out += ',';
                JsonObject f(out);
                f.text("path", r.files[i].path);
                jsonOpen(f, r.files[i], access);
                f.close();
            }
            out += ']';
        });
    }
    // With the files, one line per open file under the holder's columns; a
    // connection without files keeps one line with the file's cells empty.
    std::vector<QStringList> cells;
    cells.reserve(rows.size());
    for (const ServerRow& r : rows) {
        if (!withFiles) {
            cells.push_back(connectionCells(r.connection));
            continue;
        }
        if (r.files.empty())
            cells.push_back(holderCells(r.connection, nullptr));
        for (const OpenFact& f : r.files)
            cells.push_back(holderCells(r.connection, &f));
    }
    const std::vector<Column>& columns = withFiles ? kHolderColumns : kConnectionColumns;
    return format == Format::Csv ? csv(columns, cells, header) : table(columns, cells, header);
}

} // namespace quorvex::who

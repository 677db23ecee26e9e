// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_store.h"

#include "file_writes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QtDebug>

#include <sys/stat.h>

namespace quorvex {

namespace {

bool validSectionName(const QString& name)
{
    return !name.contains(QLatin1Char(']')) && !name.contains(QLatin1Char('\n')) &&
           !name.contains(QLatin1Char('\r')) && name.trimmed() == name;
}

bool validKey(const QString& key)
{
    if (key.isEmpty() || key.trimmed() != key)
        return false;
    if (key.contains(QLatin1Char('=')) || key.contains(QLatin1Char('\n')) ||
        key.contains(QLatin1Char('\r')))
        return false;
    const QChar first = key.front();
    return first != QLatin1Char('[') && first != QLatin1Char(';') && first != QLatin1Char('#');
}

// The file's identity: a change of any part means someone wrote it.
QByteArray identityOf(const QString& path)
{
    struct stat st = {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return QByteArray::number(qint64(st.st_size)) + ' ' + QByteArray::number(qint64(st.st_ino)) +
           ' ' + QByteArray::number(qint64(st.st_mtim.tv_sec)) + '.' +
           QByteArray::number(qint64(st.st_mtim.tv_nsec));
}

enum class ReadOutcome
{
    Missing,
    Text,
    Refused
};

// The file's text, or why it is refused.
ReadOutcome readText(const QString& path, QString& text, QString& reason)
{
    QFile file(path);
    if (!file.exists())
        return ReadOutcome::Missing;
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) {
        reason = QFileInfo(path).isDir() ? QStringLiteral("it is a folder") : file.errorString();
        return ReadOutcome::Refused;
    }
    if (file.size() > SettingsStore::kMaxFileBytes) {
        reason = QStringLiteral("it is too large (%1 bytes; a settings file holds at most %2 MB)")
                     .arg(file.size())
                     .arg(SettingsStore::kMaxFileBytes / (1024 * 1024));
        return ReadOutcome::Refused;
    }
    const QByteArray bytes = file.read(SettingsStore::kMaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        reason = file.errorString();
        return ReadOutcome::Refused;
    }
    if (bytes.size() > SettingsStore::kMaxFileBytes) {
        reason = QStringLiteral("it is too large");
        return ReadOutcome::Refused;
    }
    // NUL bytes are no part of any text this file is written in; UTF-16 is
    // full of them.
    if (bytes.contains('\0')) {
        reason = QStringLiteral("it is not UTF-8 or Latin-1 text");
        return ReadOutcome::Refused;
    }
    // A byte order mark says UTF-8, but the text after it may still not be.
    const QByteArrayView body =
        bytes.startsWith("\xEF\xBB\xBF") ? QByteArrayView(bytes).sliced(3) : QByteArrayView(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8);
    text = utf8.decode(body);
    if (utf8.hasError()) // an older editor's Latin-1; rewritten as UTF-8
        text = QString::fromLatin1(body);
    return ReadOutcome::Text;
}

QString folded(const QString& name)
{
    return name.toCaseFolded();
}

// The index the name has, or next (which it is given) when it has none yet.
qsizetype indexFor(QHash<QString, qsizetype>& index, const QString& name, qsizetype next)
{
    const QString key = folded(name);
    const auto it = index.constFind(key);
    if (it != index.cend())
        return *it;
    index.insert(key, next);
    return next;
}

} // namespace

SettingsStore::SettingsStore(const QString& filePath) : m_filePath(filePath)
{
    load();
}

void SettingsStore::load()
{
    QString text, reason;
    switch (readText(m_filePath, text, reason)) {
    case ReadOutcome::Missing:
        m_status = LoadStatus::Missing;
        return;
    case ReadOutcome::Refused:
        m_loadError = m_filePath + QStringLiteral(": ") + reason;
        qWarning("Settings file %s cannot be read: %s; it will not be replaced.",
                 qPrintable(m_filePath), qPrintable(reason));
        m_status = LoadStatus::Unreadable;
        return;
    case ReadOutcome::Text:
        break;
    }
    m_identity = identityOf(m_filePath);
    parse(text);
    m_status = LoadStatus::Loaded;
}

void SettingsStore::parse(QStringView text)
{
    // Lines before the first section header are kept under the empty section
    // name, so that a write gives them back instead of dropping them.
    Section* current = nullptr;
    const auto keep = [&](QStringView line) {
        if (!current)
            current = &sectionForWrite(QString());
        current->lines.append({line.toString(), QString(), true});
    };
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = start;
        while (end < text.size() && text[end] != QLatin1Char('\n') &&
               text[end] != QLatin1Char('\r'))
            ++end;
        QStringView line = text.sliced(start, end - start);
        // LF, CR LF (a Windows editor) and CR alone (an old Mac editor) all end a line.
        start = end + (end + 1 < text.size() && text[end] == QLatin1Char('\r') &&
                               text[end + 1] == QLatin1Char('\n')
                           ? 2
                           : 1);
        if (line.startsWith(QChar(0xFEFF)))
            line = line.sliced(1);
        const QStringView trimmed = line.trimmed();
        if (trimmed.isEmpty())
            continue;
        if (trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('#'))) {
            keep(line);
            continue;
        }
        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'))) {
            // The pointer stays good: a section is added only by this call, and
            // current is set to it.
            current = &sectionForWrite(trimmed.sliced(1, trimmed.size() - 2).trimmed().toString());
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        const QString key = eq < 0 ? QString() : line.left(eq).trimmed().toString();
        if (!validKey(key)) {
            keep(line);
            continue;
        }
        if (!current)
            current = &sectionForWrite(QString());
        const QString value = line.sliced(eq + 1).toString();
        const qsizetype at = indexFor(current->index, key, current->lines.size());
        if (at == current->lines.size())
            current->lines.append({key, value, false});
        else
            current->lines[at].value = value; // the last of duplicated keys wins
    }
}

const SettingsStore::Section* SettingsStore::findSection(const QString& name) const
{
    const auto it = m_sectionIndex.constFind(folded(name));
    return it == m_sectionIndex.cend() ? nullptr : &m_sections[*it];
}

SettingsStore::Section& SettingsStore::sectionForWrite(const QString& name)
{
    const qsizetype at = indexFor(m_sectionIndex, name, m_sections.size());
    if (at == m_sections.size())
        m_sections.append({name, {}, {}});
    return m_sections[at];
}

const SettingsStore::Line* SettingsStore::findEntry(const Section& section, const QString& key)
{
    const auto it = section.index.constFind(folded(key));
    return it == section.index.cend() ? nullptr : &section.lines[*it];
}

QString SettingsStore::value(const QString& section, const QString& key,
                             const QString& defaultValue) const
{
    const Section* s = findSection(section);
    const Line* e = s ? findEntry(*s, key) : nullptr;
    return e ? e->value : defaultValue;
}

bool SettingsStore::contains(const QString& section, const QString& key) const
{
    const Section* s = findSection(section);
    return s && findEntry(*s, key);
}

bool SettingsStore::hasSection(const QString& section) const
{
    return findSection(section) != nullptr;
}

QStringList SettingsStore::keys(const QString& section) const
{
    QStringList result;
    if (const Section* s = findSection(section)) {
        for (const Line& line : s->lines) {
            if (!line.kept)
                result.append(line.key);
        }
    }
    return result;
}

QStringList SettingsStore::sections() const
{
    QStringList result;
    for (const Section& section : m_sections)
        result.append(section.name);
    return result;
}

void SettingsStore::setValue(const QString& section, const QString& key, const QString& value)
{
    if (section.isEmpty() || !validSectionName(section) || !validKey(key)) {
        qWarning("Settings: refused to store [%s] %s", qPrintable(section), qPrintable(key));
        return;
    }
    QString oneLine = value;
    oneLine.replace(QLatin1String("\r\n"), QLatin1String(" "));
    oneLine.replace(QLatin1Char('\n'), QLatin1Char(' '));
    oneLine.replace(QLatin1Char('\r'), QLatin1Char(' '));

    Section& s = sectionForWrite(section);
    const qsizetype at = indexFor(s.index, key, s.lines.size());
    if (at == s.lines.size()) {
        s.lines.append({key, oneLine, false});
        m_dirty = true;
    } else if (s.lines[at].value != oneLine) {
        s.lines[at].value = oneLine;
        m_dirty = true;
    }
}

QString SettingsStore::serialise() const
{
    QString text;
    for (const Section& section : m_sections) {
        if (section.name.isEmpty() && section.lines.isEmpty())
            continue;
        if (!text.isEmpty())
            text += QLatin1Char('\n');
        if (!section.name.isEmpty())
            text += QLatin1Char('[') + section.name + QLatin1String("]\n");
        for (const Line& line : section.lines) {
            text += line.key;
            if (!line.kept)
                text += QLatin1Char('=') + line.value;
            text += QLatin1Char('\n');
        }
    }
    return text;
}

void SettingsStore::keepBackupIfDropping()
{
    const QByteArray identity = identityOf(m_filePath);
    if (identity.isEmpty() || identity == m_identity)
        return;
    QString text, reason;
    bool dropping = readText(m_filePath, text, reason) == ReadOutcome::Refused;
    if (!dropping) {
        SettingsStore onDisk(QString{});
        onDisk.parse(text);
        for (const Section& section : onDisk.m_sections) {
            const Section* mine = findSection(section.name);
            dropping = !mine && (!section.name.isEmpty() || !section.lines.isEmpty());
            for (qsizetype i = 0; !dropping && i < section.lines.size(); ++i) {
                const Line& line = section.lines[i];
                dropping = !line.kept && !findEntry(*mine, line.key);
            }
            if (dropping)
                break;
        }
    }
    QString error;
    if (dropping && !copyFileReplacing(m_filePath, m_filePath + QStringLiteral(".bak"), &error))
        qWarning("Settings: could not keep %s.bak: %s", qPrintable(m_filePath), qPrintable(error));
}

bool SettingsStore::sync()
{
    if (m_status == LoadStatus::Unreadable) {
        qWarning("Settings not written: %s could not be read at start.", qPrintable(m_filePath));
        return false;
    }
    if (!m_dirty)
        return true;
    QDir().mkpath(QFileInfo(m_filePath).absolutePath());
    keepBackupIfDropping();
    QString error;
    if (!replaceFile(m_filePath, serialise().toUtf8(), &error)) {
        m_writeError = error;
        qWarning("Settings not written: %s", qPrintable(error));
        return false;
    }
    m_writeError.clear();
    m_identity = identityOf(m_filePath);
    m_dirty = false;
    m_status = LoadStatus::Loaded;
    return true;
}

} // namespace quorvex

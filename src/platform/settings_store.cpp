#include "settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QtDebug>

namespace quorvex {

namespace {

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

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

} // namespace

SettingsStore::SettingsStore(const QString& filePath) : m_filePath(filePath)
{
    load();
}

void SettingsStore::load()
{
    QFile file(m_filePath);
    if (!file.exists()) {
        m_status = LoadStatus::Missing;
        return;
    }
    if (QFileInfo(m_filePath).isDir() || !file.open(QIODevice::ReadOnly)) {
        qWarning("Settings file %s cannot be read; it will not be replaced.",
                 qPrintable(m_filePath));
        m_status = LoadStatus::Unreadable;
        return;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        qWarning("Settings file %s could not be read to its end; it will not be replaced.",
                 qPrintable(m_filePath));
        m_status = LoadStatus::Unreadable;
        return;
    }
    // Invalid UTF-8 is decoded with replacement characters: the readable keys
    // still count, and the next write stores valid UTF-8.
    QStringDecoder decoder(QStringDecoder::Utf8);
    parse(decoder.decode(bytes));
    m_status = LoadStatus::Loaded;
}

void SettingsStore::parse(const QString& text)
{
    // Lines before the first section header are kept under the empty section
    // name, so that a write gives them back instead of dropping them.
    Section* current = nullptr;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r'))) // a file saved by a Windows editor
            line.chop(1);
        if (line.startsWith(QChar(0xFEFF)))
            line.remove(0, 1);
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';')) ||
            trimmed.startsWith(QLatin1Char('#')))
            continue;
        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'))) {
            current = &sectionForWrite(trimmed.mid(1, trimmed.size() - 2).trimmed());
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        const QString key = line.left(eq).trimmed();
        if (!validKey(key))
            continue;
        if (!current)
            current = &sectionForWrite(QString());
        const QString value = line.mid(eq + 1);
        bool replaced = false;
        for (Entry& entry : current->entries) {
            if (sameName(entry.key, key)) {
                entry.value = value; // the last of duplicated keys wins
                replaced = true;
                break;
            }
        }
        if (!replaced)
            current->entries.append({key, value});
    }
}

const SettingsStore::Section* SettingsStore::findSection(const QString& name) const
{
    for (const Section& section : m_sections) {
        if (sameName(section.name, name))
            return &section;
    }
    return nullptr;
}

SettingsStore::Section& SettingsStore::sectionForWrite(const QString& name)
{
    for (Section& section : m_sections) {
        if (sameName(section.name, name))
            return section;
    }
    m_sections.append({name, {}});
    return m_sections.last();
}

const SettingsStore::Entry* SettingsStore::findEntry(const Section& section, const QString& key)
{
    for (const Entry& entry : section.entries) {
        if (sameName(entry.key, key))
            return &entry;
    }
    return nullptr;
}

QString SettingsStore::value(const QString& section, const QString& key,
                             const QString& defaultValue) const
{
    const Section* s = findSection(section);
    const Entry* e = s ? findEntry(*s, key) : nullptr;
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
        for (const Entry& entry : s->entries)
            result.append(entry.key);
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
    for (Entry& entry : s.entries) {
        if (sameName(entry.key, key)) {
            if (entry.value != oneLine) {
                entry.value = oneLine;
                m_dirty = true;
            }
            return;
        }
    }
    s.entries.append({key, oneLine});
    m_dirty = true;
}

QString SettingsStore::serialise() const
{
    QString text;
    for (const Section& section : m_sections) {
        if (section.entries.isEmpty())
            continue;
        if (!text.isEmpty())
            text += QLatin1Char('\n');
        if (!section.name.isEmpty())
            text += QLatin1Char('[') + section.name + QLatin1String("]\n");
        for (const Entry& entry : section.entries)
            text += entry.key + QLatin1Char('=') + entry.value + QLatin1Char('\n');
    }
    return text;
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
    QSaveFile file(m_filePath);
    if (!file.open(QIODevice::WriteOnly)) {
        qWarning("Settings not written: %s: %s", qPrintable(m_filePath),
                 qPrintable(file.errorString()));
        return false;
    }
    file.write(serialise().toUtf8());
    if (!file.commit()) {
        qWarning("Settings not written: %s: %s", qPrintable(m_filePath),
                 qPrintable(file.errorString()));
        return false;
    }
    m_dirty = false;
    m_status = LoadStatus::Loaded;
    return true;
}

} // namespace quorvex

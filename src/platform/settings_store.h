#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace quorvex {

// The per-user settings file: plain INI that a person can read and edit.
//
//   [Section]
//   key=value            value verbatim from after the first '=' to the end of the line
//
// UTF-8, LF line ends, no escapes, no quoting, no lists; every value is a string.
// Lines starting with ';' or '#' and lines without '=' are ignored. Section and
// key names are looked up ignoring case, as the registry the program was designed
// for does, and keep the case they were first written with.
//
// The file is read once, at construction. A damaged or unreadable file never
// stops anything: what could be parsed is there, the rest reads as missing.
// sync() writes everything back atomically (a QSaveFile), sections and keys in
// the order they were first seen, new ones appended.
//
// Why not QSettings::registerFormat: QSettings keeps keys in a sorted map and
// hands the writer a flat map of "Section/key" paths, so neither file order nor
// the order of keys() could be kept, and it re-reads and merges on every sync.
// The format is small enough that an own reader and writer is shorter and says
// exactly what happens to the file.
class SettingsStore
{
public:
    enum class LoadStatus
    {
        Missing,    // no file yet; sync() creates it
        Loaded,     // read (possibly with lines that were ignored)
        Unreadable, // exists but could not be read; sync() refuses to replace it
    };

    explicit SettingsStore(const QString& filePath);

    QString value(const QString& section, const QString& key,
                  const QString& defaultValue = {}) const;
    bool contains(const QString& section, const QString& key) const;
    bool hasSection(const QString& section) const;
    QStringList keys(const QString& section) const;
    QStringList sections() const;

    // Invalid names (empty, or holding characters that would break the file
    // format) are refused with a warning. Line breaks in a value become blanks:
    // a value is one line, and a line break would forge further keys.
    void setValue(const QString& section, const QString& key, const QString& value);

    // Writes the file if anything changed since it was read or last written.
    // Returns false when the write failed, or when the file existed but could
    // not be read: replacing it would destroy settings we never saw.
    bool sync();

    QString filePath() const { return m_filePath; }
    LoadStatus loadStatus() const { return m_status; }
    bool isDirty() const { return m_dirty; }

private:
    struct Entry
    {
        QString key;
        QString value;
    };
    struct Section
    {
        QString name;
        QList<Entry> entries;
    };

    void load();
    void parse(const QString& text);
    QString serialise() const;
    const Section* findSection(const QString& name) const;
    Section& sectionForWrite(const QString& name);
    static const Entry* findEntry(const Section& section, const QString& key);

    QString m_filePath;
    QList<Section> m_sections;
    LoadStatus m_status = LoadStatus::Missing;
    bool m_dirty = false;
};

} // namespace quorvex

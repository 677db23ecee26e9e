// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace quorvex {

// The per-user settings file: plain INI that a person can read and edit.
//
//   [Section]
//   key=value            value verbatim from after the first '=' to the end of the line
//
// UTF-8 (a file that is not valid UTF-8 is read as Latin-1), LF line ends
// written; CR LF and CR alone are read as well. No escapes, no quoting, no
// lists; every value is a string. Lines starting with ';' or '#', and lines that
// hold no key, are no settings but are kept where they stand when the file is
// rewritten. Section and key names are looked up ignoring case, as the registry
// the program was designed for does, and keep the case they were first written
// with. Look-ups are hashed: reading a file is linear in its size.
//
// The file is read once, at construction. A damaged file never stops anything:
// what could be parsed is there, the rest reads as missing. A file that cannot be
// read, is no text (it holds NUL bytes, as UTF-16 does) or is larger than
// kMaxFileBytes is refused: the run goes on with the defaults in memory and the
// file is never replaced. sync() writes everything back atomically (a file
// beside it, then rename), sections and keys in the order they were first seen,
// new ones appended; when the file on disk holds a section or key the write
// would drop (another program wrote it meanwhile), it is kept first as
// "<file>.bak".
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
        Unreadable, // exists but was refused (see loadError()); sync() never replaces it
    };

    // Larger than any settings file a person keeps: such a file is refused.
    static constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;

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
    // Returns false when the write failed (writeError() says why; the file is
    // left as it was), or when the file was refused at start: replacing it
    // would destroy settings we never saw.
    bool sync();

    QString filePath() const { return m_filePath; }
    LoadStatus loadStatus() const { return m_status; }
    // Why the file was refused ("<file>: <reason>"); empty unless Unreadable.
    QString loadError() const { return m_loadError; }
    // Why the last sync() could not write the file; empty after a good one.
    QString writeError() const { return m_writeError; }
    bool isDirty() const { return m_dirty; }

private:
    // One line of a section: a setting, or a line kept as it stood (a comment,
    // a line without a key) with its text in key.
    struct Line
    {
        QString key;
        QString value;
        bool kept = false;
    };
    struct Section
    {
        QString name; // empty: the lines before the first section header
        QList<Line> lines;
        QHash<QString, qsizetype> index; // folded key -> its line
    };

    void load();
    void parse(QStringView text);
    QString serialise() const;
    // Before a write: keeps the file on disk as "<file>.bak" when it holds what
    // the write would drop. Skipped while the file is the one read or written
    // last (nothing is dropped from what was read).
    void keepBackupIfDropping();
    const Section* findSection(const QString& name) const;
    Section& sectionForWrite(const QString& name);
    static const Line* findEntry(const Section& section, const QString& key);

    QString m_filePath;
    QList<Section> m_sections;
    QHash<QString, qsizetype> m_sectionIndex; // folded name -> its section
    LoadStatus m_status = LoadStatus::Missing;
    QString m_loadError;
    QString m_writeError;
    QByteArray m_identity; // size, time and inode of the file as read or last written
    bool m_dirty = false;
};

} // namespace quorvex
